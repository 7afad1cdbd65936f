// SPDX-License-Identifier: GPL-3.0-or-later
#include "largeview/frmLargeView.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QVBoxLayout>
#include <limits>

#include "engine/spiral_layout.h"
#include "engine/spiral_tiles.h"
#include "explorer/explorer_texts.h"
#include "largeview/large_picture.h"
#include "largeview/largeview_texts.h"
#include "platform/window_keys.h"
#include "text/captions.h"
#include "text/language.h"
#include "text/translation.h"

namespace quorvel {
namespace {

constexpr int kMessageMs = 10000;

// The cell `offset` steps along the walk from the centre. Positions count one ahead of offsets
// in 64 signed bits, so the very last offset, 2^63 - 1, has no position: its cell is the
// neighbour of the cell before it that the walk steps on to.
std::pair<std::int64_t, std::int64_t> CellOfOffset(std::uint64_t offset) {
    if (offset < kLargestNumber) {
        const SpiralCell cell = CellOfPosition(static_cast<std::int64_t>(offset + 1));
        return {cell.x, cell.y};
    }
    const SpiralCell before = CellOfPosition(static_cast<std::int64_t>(kLargestNumber));
    for (const CellStep& step : kNeighbourSteps) {
        if (SpiralOffsetWide(before.x + step.dx, before.y + step.dy) == offset)
            return {before.x + step.dx, before.y + step.dy};
    }
    return {before.x, before.y};
}

}  // namespace

frmLargeView::frmLargeView(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmLargeView"));
    // A window of its own beside the main window, not a part of it.
    setWindowFlag(Qt::Window);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* bar = new QWidget(central);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(6, 4, 6, 4);
    lblLargeStart = new QLabel(bar);
    txbLargeStart = new QLineEdit(bar);
    txbLargeStart->setObjectName(QStringLiteral("txbLargeStart"));
    lblGoTo = new QLabel(bar);
    txbGoTo = new QLineEdit(bar);
    txbGoTo->setObjectName(QStringLiteral("txbGoTo"));
    lblLargeStart->setBuddy(txbLargeStart);
    lblGoTo->setBuddy(txbGoTo);
    // Room for 10^18 and a little more.
    const int digits =
        txbGoTo->fontMetrics().horizontalAdvance(QStringLiteral("0000000000000000000000"));
    for (QLineEdit* box : {txbLargeStart, txbGoTo}) {
        box->setMaxLength(40);
        box->setMinimumWidth(digits);
    }
    row->addWidget(lblLargeStart);
    row->addWidget(txbLargeStart);
    row->addSpacing(16);
    row->addWidget(lblGoTo);
    row->addWidget(txbGoTo);
    lblLargeShow = new QLabel(bar);
    cboLargeShow = new QComboBox(bar);
    cboLargeShow->setObjectName(QStringLiteral("cboLargeShow"));
    lblLargeColorBy = new QLabel(bar);
    cboLargeColorBy = new QComboBox(bar);
    cboLargeColorBy->setObjectName(QStringLiteral("cboLargeColorBy"));
    lblLargeShow->setBuddy(cboLargeShow);
    lblLargeColorBy->setBuddy(cboLargeColorBy);
    row->addSpacing(16);
    row->addWidget(lblLargeShow);
    row->addWidget(cboLargeShow);
    row->addSpacing(8);
    row->addWidget(lblLargeColorBy);
    row->addWidget(cboLargeColorBy);
    row->addStretch(1);
    column->addWidget(bar);
    picLargeView = new LargePicture(central);
    column->addWidget(picLargeView, 1);
    setCentralWidget(central);

    lblLargeViewReadout = new QLabel(this);
    lblLargeViewReadout->setObjectName(QStringLiteral("lblLargeViewReadout"));
    lblLargeViewReadout->setTextFormat(Qt::PlainText);
    lblLargeCellSize = new QLabel(this);
    lblLargeCellSize->setObjectName(QStringLiteral("lblLargeCellSize"));
    statusBar()->addWidget(lblLargeViewReadout, 1);
    statusBar()->addPermanentWidget(lblLargeCellSize);

    connect(txbLargeStart, &QLineEdit::returnPressed, this, &frmLargeView::txbLargeStart_Enter);
    connect(cboLargeShow, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) picLargeView->SetShowMode(index);
    });
    connect(cboLargeColorBy, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) picLargeView->SetColorScheme(index);
    });
    connect(txbGoTo, &QLineEdit::returnPressed, this, &frmLargeView::txbGoTo_Enter);
    connect(picLargeView, &LargePicture::pointerOverCell, this, &frmLargeView::ShowReadout);
    connect(picLargeView, &LargePicture::pointerLeft, this, &frmLargeView::ShowReadout);
    connect(picLargeView, &LargePicture::numeralsChanged, this, &frmLargeView::ShowCellSize);
    connect(picLargeView, &LargePicture::viewChanged, this, [this] {
        ShowCellSize();
        UpdateLists();
        // The box shows the start of the picture, however it was set.
        const EntryResult typed = CheckStartEntry(txbLargeStart->text(), intLanguage);
        const auto* value = std::get_if<std::uint64_t>(&typed);
        if (value == nullptr || *value != picLargeView->StartNumber())
            txbLargeStart->setText(QString::number(picLargeView->StartNumber()));
        // What lies under a pointer that has not moved has changed.
        if (picLargeView->CellUnderPointer()) {
            ShowReadout();
        } else {
            emit pointedCellGone();
        }
    });
    connect(picLargeView, &LargePicture::renderingChanged, this, [this] { ShowCellSize(); });

    // Esc and Ctrl+W close the view, from any of its controls.
    auto* close = new QAction(this);
    close->setObjectName(QStringLiteral("actCloseLargeView"));
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);
    LetWindowKeysThrough(this);

    SetLanguage(0);
    resize(960, 720);
}

frmLargeView::~frmLargeView() {
    // The picture outlives this part of the window by a moment and must not reach it.
    picLargeView->disconnect(this);
}

void frmLargeView::ShowSpiral(std::uint64_t start, int cellSize) {
    picLargeView->SetStartNumber(start);
    picLargeView->SetCellSize(cellSize);
    picLargeView->SetCentre(0, 0);
    txbLargeStart->setText(QString::number(picLargeView->StartNumber()));
    txbGoTo->clear();
}

void frmLargeView::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange && InstalledLanguage() != intLanguage)
        SetLanguage(InstalledLanguage());
}

void frmLargeView::SetLanguage(int language) {
    intLanguage = language;
    const LargeViewTexts words = LargeViewWords(language);
    setWindowTitle(words.title);
    lblLargeStart->setText(words.start);
    lblGoTo->setText(words.goTo);
    for (const Caption& tip : LargeViewToolTips(language)) {
        if (auto* control = findChild<QWidget*>(QString::fromLatin1(tip.control)))
            control->setToolTip(tip.text);
    }
    lblLargeShow->setText(words.show);
    lblLargeColorBy->setText(words.colorBy);
    FillLists();
    ShowCellSize();
    ShowReadout();
}

void frmLargeView::FillLists() {
    const auto fill = [](QComboBox* list, const std::vector<ListItem>& items, int selected) {
        const QSignalBlocker quiet(list);
        list->clear();
        for (const ListItem& item : items)
            list->addItem(item.text);
        list->setCurrentIndex(selected);
    };
    fill(cboLargeShow, ShowItems(intLanguage), picLargeView->ShowModeIndex());
    fill(cboLargeColorBy, ColorByItems(intLanguage), picLargeView->ColorSchemeIndex());
    UpdateLists();
}

// An entry the view cannot draw where it stands is greyed, with the reason as its tip: each
// list's entries are judged with the other list's entry that asks least (every prime, white).
void frmLargeView::UpdateLists() {
    const LargeViewTexts words = LargeViewWords(intLanguage);
    const auto judge = [](QComboBox* list, int i, bool available, const QString& why) {
        auto* model = qobject_cast<QStandardItemModel*>(list->model());
        if (model == nullptr || model->item(i) == nullptr) return;
        model->item(i)->setEnabled(available);
        list->setItemData(i, available ? QVariant() : QVariant(why), Qt::ToolTipRole);
    };
    for (int i = 0; i < cboLargeShow->count(); ++i) {
        const PictureRequest r =
            picLargeView->FrameRequest(static_cast<ShowMode>(i), ColorScheme::White);
        judge(cboLargeShow, i, ChooseRenderer(r) != RendererId::None, words.randomOutOfReach);
    }
    for (int i = 0; i < cboLargeColorBy->count(); ++i) {
        const PictureRequest r =
            picLargeView->FrameRequest(ShowMode::Primes, static_cast<ColorScheme>(i));
        judge(cboLargeColorBy, i, ChooseRenderer(r) != RendererId::None, words.clusterOutOfReach);
    }
    // The lists show what the picture draws, however it was set.
    const QSignalBlocker quietShow(cboLargeShow);
    const QSignalBlocker quietColours(cboLargeColorBy);
    cboLargeShow->setCurrentIndex(picLargeView->ShowModeIndex());
    cboLargeColorBy->setCurrentIndex(picLargeView->ColorSchemeIndex());
}

void frmLargeView::ShowCellSize() {
    const LargeViewTexts words = LargeViewWords(intLanguage);
    QString text = words.cellSize.arg(picLargeView->CellSize());
    // Where the cells write only their last digits, the digits they leave out.
    const QString lead = picLargeView->SharedDigits();
    if (!lead.isEmpty()) text = words.sharedDigits.arg(lead) + QStringLiteral("   ") + text;
    if (picLargeView->Rendering()) text = words.rendering + QStringLiteral("   ") + text;
    lblLargeCellSize->setText(text);
}

void frmLargeView::ShowMessage(const QString& text) {
    statusBar()->showMessage(text, kMessageMs);
}

// The cell under the pointer, or nothing once it has left the picture.
void frmLargeView::ShowReadout() {
    const auto cell = picLargeView->CellUnderPointer();
    if (!cell) {
        lblLargeViewReadout->clear();
        return;
    }
    const auto [x, y] = *cell;
    const std::uint64_t start = picLargeView->StartNumber();
    const std::optional<std::uint64_t> number = NumberOfCell(start, x, y);
    const std::int64_t ring = RingOf(x, y);
    if (!number) {
        lblLargeViewReadout->setText(
            LargeViewWords(intLanguage).beyond +
            (TextsIn(intLanguage).translate("LargeView", "     ring %1")).arg(ring));
        return;
    }
    lblLargeViewReadout->setText(ReadoutText(*number, ring, intLanguage));
    // The position, one more than the number's offset, fits a signed 64-bit number for every
    // cell but that of 2^63 - 1 at start 0, which the inspector cannot take.
    const std::uint64_t offset = *number - start;
    if (offset < kLargestNumber)
        emit pointerAtPosition(static_cast<qint64>(offset + 1), static_cast<qint64>(start));
}

void frmLargeView::txbLargeStart_Enter() {
    const EntryResult entry = CheckStartEntry(txbLargeStart->text(), intLanguage);
    if (const auto* error = std::get_if<EntryError>(&entry)) {
        ShowMessage(error->message);
        return;
    }
    statusBar()->clearMessage();
    picLargeView->SetStartNumber(std::get<std::uint64_t>(entry));
    txbLargeStart->setText(QString::number(picLargeView->StartNumber()));
}

void frmLargeView::txbGoTo_Enter() {
    const EntryResult entry =
        CheckGoToEntry(txbGoTo->text(), picLargeView->StartNumber(), intLanguage);
    if (const auto* error = std::get_if<EntryError>(&entry)) {
        ShowMessage(error->message);
        return;
    }
    statusBar()->clearMessage();
    const auto [x, y] = CellOfOffset(std::get<std::uint64_t>(entry) - picLargeView->StartNumber());
    picLargeView->SetCentre(x, y);
}

void frmLargeView::closeEvent(QCloseEvent* event) {
    // No tile goes on being drawn for a window no one sees.
    picLargeView->StopRendering();
    event->accept();
}

}  // namespace quorvel
