// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: its controls, their layout, and the start-up sequence.
#include "mainwindow/frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWindow>

#include "engine/palette.h"
#include "engine/primelib.h"
#include "explorer/cell_cursor.h"
#include "explorer/explorer.h"
#include "explorer/ray_panel.h"
#include "export/picture_exporter.h"
#include "largeview/frmLargeView.h"
#include "mainwindow/button_keys.h"
#include "mainwindow/export_choices_file.h"
#include "mainwindow/link_label.h"
#include "mainwindow/settings_file.h"
#include "mainwindow/spiral_picture.h"
#include "mainwindow/start_number_box.h"
#include "mainwindow/statistics_labels.h"
#include "mainwindow/window_fit.h"
#include "platform/window_keys.h"
#include "text/captions.h"
#include "text/color_key.h"
#include "text/translation.h"
#include "text/weblink.h"

namespace quorvel {
namespace {

// Creates a child widget named as the control it is.
template <typename Widget, typename... Args>
Widget* Make(QWidget* parent, const char* name, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// Controls that come and go keep their place, so that nothing else moves when they do.
void KeepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

QFrame* Separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// The widest number a label ever shows.
constexpr const char* kWidestNumber = "2147483646";

}  // namespace

frmMain::frmMain(UiServices* services, QWidget* parent) : QMainWindow(parent), services_(services) {
    if (services_ == nullptr) {
        ownServices_ = std::make_unique<QtUiServices>();
        services_ = ownServices_.get();
    }
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quorvel"));
    BuildControls();
    ArrangeControls();
    BuildMenus();
    explorer_ = new Explorer(this, picSpiral, QSize(kSpiralSide, kSpiralSide), mnuView,
                             [this] { return surface_.Raster(); });
    BuildLargeViewEntry();
    BuildCellCursor();
    FixWindowSize();
    ConnectHandlers();
    surface_.SetRefreshHandler([this] { picSpiral->Refresh(); });
    // The menus' keys work from every control, the start-number box included.
    LetWindowKeysThrough(this);
}

frmMain::~frmMain() {
    // A pass that is still unwinding must not reach a half-destroyed window.
    blnStopRequest = true;
    surface_.SetRefreshHandler(nullptr);
    // Closing the window hides the inspector on the way; nothing may fit a window being taken
    // apart.
    explorer_->disconnect(this);
    explorer_->Inspector()->disconnect(explorer_);
    // The picture, losing the focus as it goes, hides its cell cursor: nothing may follow it.
    explorer_->Cursor()->disconnect();
}

const QImage& frmMain::Picture() {
    return surface_.Image();
}

void frmMain::BuildControls() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(central);
    // The panel scrolls where the screen is too small for it; elsewhere it shows whole.
    scrPanel = new QScrollArea(central);
    scrPanel->setObjectName(QStringLiteral("scrPanel"));
    scrPanel->setFrameShape(QFrame::NoFrame);
    scrPanel->setWidgetResizable(true);
    // Only the controls inside take the keyboard; the wheel and the scroll bars move it.
    scrPanel->setFocusPolicy(Qt::NoFocus);
    pnlControls = new QWidget(scrPanel);
    pnlControls->setObjectName(QStringLiteral("pnlControls"));

    picSpiral = new SpiralPicture(surface_, kSpiralSide, central);
    picSpiral->setObjectName(QStringLiteral("picSpiral"));
    picSpiral->setAccessibleName(QStringLiteral("Number spiral"));
    // Clicked or reached with Tab, the picture takes the keyboard and shows its cell cursor
    // (once it has a picture: CellCursor). Set before the tab order, which passes by controls
    // that take no focus.
    picSpiral->setFocusPolicy(Qt::StrongFocus);
    cmdStopCalc = Make<QPushButton>(picSpiral, "cmdStopCalc");
    cmdStopCalc->hide();

    // The colour key's caption, as wide as its widest text, so the swatches never move.
    lblColorKey = Make<QLabel>(central, "lblColorKey");
    KeepPlaceWhenHidden(lblColorKey);
    int keyWidth = 0;
    for (const int language : {intEnglish, intGerman}) {
        for (int scheme = 0; scheme < kColorSchemeCount; ++scheme) {
            keyWidth = std::max(keyWidth, lblColorKey->fontMetrics().horizontalAdvance(
                                              ColorKeyCaption(scheme, language)));
        }
    }
    lblColorKey->setMinimumWidth(keyWidth);
    lblColorKey->setAccessibleName(WordOf(Word::LegendTitle, intEnglish));
    for (int i = 0; i < static_cast<int>(Picture1.size()); ++i) {
        const QByteArray name = "Picture1_" + QByteArray::number(i);
        QFrame* swatch = Picture1[i] = Make<QFrame>(central, name.constData());
        swatch->setFixedSize(22, 22);
        swatch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        QPalette palette = swatch->palette();
        palette.setColor(QPalette::Window,
                         QColor::fromRgb(0xFF000000u | PaletteRgb(intColorOffset + i)));
        swatch->setPalette(palette);
        swatch->setAutoFillBackground(true);
        swatch->setAccessibleName(QStringLiteral("Colour %1 of the colour cycle").arg(i + 1));
        KeepPlaceWhenHidden(swatch);
    }

    // The panel, in the order a user works through it.
    lblStartNumber = Make<QLabel>(central, "lblStartNumber");
    fraStartNumberFrame = Make<QFrame>(central, "fraStartNumberFrame");
    fraStartNumberFrame->setAutoFillBackground(true);  // covers the output label behind it
    txbStartNumber = Make<StartNumberBox>(fraStartNumberFrame, "txbStartNumber");
    txbStartNumber->setAccessibleName(QStringLiteral("Start number"));
    txbStartNumber->setFixedWidth(
        txbStartNumber->fontMetrics().horizontalAdvance(QStringLiteral("000000000000")) + 16);
    vsbStartNumber = Make<QScrollBar>(fraStartNumberFrame, "vsbStartNumber", Qt::Vertical);
    vsbStartNumber->setAccessibleName(QStringLiteral("Step start number"));
    // The spinner is a mouse tool: the keyboard stays in the box.
    vsbStartNumber->setFocusPolicy(Qt::NoFocus);
    vsbStartNumber->setFixedSize(18, txbStartNumber->sizeHint().height());
    // A drag of the handle draws once, where it is let go.
    vsbStartNumber->setTracking(false);
    // The scroll bar's own menu (Top, Bottom, Page up, …) has no place on a spinner, and its
    // wheel, which would jump three steps a notch, steps by one.
    vsbStartNumber->setContextMenuPolicy(Qt::NoContextMenu);
    vsbStartNumber->installEventFilter(this);
    lblStartNumberOutput = Make<OutputLabel>(central, "lblStartNumberOutput");
    lblP = Make<QLabel>(central, "lblP");
    lblP->setToolTip(QStringLiteral("P: the central number is prime"));

    cmdDraw = Make<QPushButton>(central, "cmdDraw");
    cmdDraw->setDefault(false);
    cmdDraw->setAutoDefault(false);
    lblClockTicks = Make<QLabel>(central, "lblClockTicks", QStringLiteral("Clock ticks per sec."));
    cboClockTicks = Make<QComboBox>(central, "cboClockTicks");

    fraCellObject = Make<QFrame>(central, "fraCellObject");
    lblUse = Make<QLabel>(fraCellObject, "lblUse");
    optCircles = Make<QRadioButton>(fraCellObject, "optCircles");
    optSquares = Make<QRadioButton>(fraCellObject, "optSquares");
    lblSizeInPixels = Make<QLabel>(central, "lblSizeInPixels");
    cboBoxSize = Make<QComboBox>(central, "cboBoxSize");
    lblColorBy = Make<QLabel>(central, "lblColorBy");
    cboColorBy = Make<QComboBox>(central, "cboColorBy");
    lblShow = Make<QLabel>(central, "lblShow");
    cboShow = Make<QComboBox>(central, "cboShow");
    chkGrid = Make<QCheckBox>(central, "chkGrid");
    chkNumerals = Make<QCheckBox>(central, "chkNumerals");
    chkCentralNumberPrime = Make<QCheckBox>(central, "chkCentralNumberPrime");
    chkCalculateLongest = Make<QCheckBox>(central, "chkCalculateLongest");

    cmdSpiralIn = Make<QPushButton>(central, "cmdSpiralIn");
    cmdSpiralOut = Make<QPushButton>(central, "cmdSpiralOut");
    cmdStopButton = Make<QPushButton>(central, "cmdStopButton", QStringLiteral("Stop"));
    cmdPauseButton = Make<QPushButton>(central, "cmdPauseButton", QStringLiteral("Pause"));
    cmdResumeButton = Make<QPushButton>(central, "cmdResumeButton");

    lblEndNumber = Make<QLabel>(central, "lblEndNumber");
    lblEndNumberOutput = Make<OutputLabel>(central, "lblEndNumberOutput");
    lblNumberofNumbers = Make<QLabel>(central, "lblNumberofNumbers");
    lblNumberOfNumbersOutput = Make<OutputLabel>(central, "lblNumberOfNumbersOutput");
    lblSpiralling = Make<QLabel>(central, "lblSpiralling");
    lblNumberShown = Make<QLabel>(central, "lblNumberShown");
    lblNumberShown2 = Make<QLabel>(central, "lblNumberShown2");
    lblNumberShownOutput = Make<OutputLabel>(central, "lblNumberShownOutput");
    lblSmallestPrime = Make<QLabel>(central, "lblSmallestPrime");
    lblSmallestPrimeOutput = Make<OutputLabel>(central, "lblSmallestPrimeOutput");
    lblLargestPrime = Make<QLabel>(central, "lblLargestPrime");
    lblLargestPrimeOutput = Make<OutputLabel>(central, "lblLargestPrimeOutput");
    lblLongestNWSE = Make<QLabel>(central, "lblLongestNWSE");
    lblLongestNWSEOutput = Make<OutputLabel>(central, "lblLongestNWSEOutput");
    lblLongestSWNE = Make<QLabel>(central, "lblLongestSWNE");
    lblLongestSWNEOutput = Make<OutputLabel>(central, "lblLongestSWNEOutput");

    cboLanguage = Make<QComboBox>(central, "cboLanguage");
    cboLanguage->setAccessibleName(QStringLiteral("Language"));
    cmdHelp = Make<QPushButton>(central, "cmdHelp");
    cmdQuit = Make<QPushButton>(central, "cmdQuit");
    lblOnlineDocumentation = Make<LinkLabel>(central, "lblOnlineDocumentation", QString());
    lblOnlineDocumentation->setToolTip(QStringLiteral("Click here for the online user manual at ") +
                                       ManualAddress() + QStringLiteral("."));
    lblTarnwick = Make<LinkLabel>(central, "lblTarnwick", QStringLiteral("Tarnwick"));
    lblTarnwick->setToolTip(QStringLiteral("Click here for the Tarnwick website at ") +
                            TarnwickAddress() + QStringLiteral("."));

    ClkClock = new QTimer(this);
    ClkClock->setObjectName(QStringLiteral("ClkClock"));

    // The moving spiral's controls show only while it moves.
    for (QWidget* w :
         std::initializer_list<QWidget*>{cmdStopButton, cmdPauseButton, cmdResumeButton,
                                         lblClockTicks, cboClockTicks, lblSpiralling}) {
        w->hide();
    }
    // Everything that comes and goes keeps its place.
    for (QWidget* w : std::initializer_list<QWidget*>{fraStartNumberFrame,
                                                      txbStartNumber,
                                                      vsbStartNumber,
                                                      lblStartNumberOutput,
                                                      cmdDraw,
                                                      lblClockTicks,
                                                      cboClockTicks,
                                                      cmdSpiralIn,
                                                      cmdSpiralOut,
                                                      cmdStopButton,
                                                      cmdPauseButton,
                                                      cmdResumeButton,
                                                      lblSpiralling,
                                                      lblNumberofNumbers,
                                                      lblNumberOfNumbersOutput,
                                                      lblNumberShown,
                                                      lblNumberShown2,
                                                      lblNumberShownOutput,
                                                      lblSmallestPrime,
                                                      lblSmallestPrimeOutput,
                                                      lblLargestPrime,
                                                      lblLargestPrimeOutput,
                                                      lblLongestNWSE,
                                                      lblLongestNWSEOutput,
                                                      lblLongestSWNE,
                                                      lblLongestSWNEOutput,
                                                      cmdHelp}) {
        KeepPlaceWhenHidden(w);
    }
    // Output labels keep one size whatever they show, so that new numbers after every picture
    // never make the panel lay itself out again. They are as wide as the start-number box with
    // its spinner, so that the start number the moving spiral shows in the box's place ends
    // where the box ends, right beside its "P", and lines up with the numbers below.
    const QFontMetrics metrics = lblEndNumberOutput->fontMetrics();
    int numberWidth = metrics.horizontalAdvance(QString::fromLatin1(kWidestNumber));
    for (const int language : {intEnglish, intGerman})
        numberWidth =
            std::max(numberWidth, metrics.horizontalAdvance(WordOf(Word::Calculating, language)));
    const int valueWidth =
        std::max(numberWidth + 4, txbStartNumber->width() + vsbStartNumber->width());
    const int lineHeight = lblEndNumberOutput->sizeHint().height();
    for (QLabel* output : {lblEndNumberOutput, lblNumberOfNumbersOutput, lblSmallestPrimeOutput,
                           lblLargestPrimeOutput, lblLongestNWSEOutput, lblLongestSWNEOutput,
                           lblStartNumberOutput}) {
        output->setFixedSize(valueWidth, lineHeight);
    }
    // The count beside the two-line caption.
    lblNumberShownOutput->setFixedSize(valueWidth, 2 * lineHeight);
    lblP->setFixedSize(metrics.horizontalAdvance(QStringLiteral("PP")), lineHeight);

    // Statistics that the rules hide keep their rows: a greyed caption and a dash stand in.
    standIns_ = new StandIns(this);
}

void frmMain::ArrangeControls() {
    QWidget* central = centralWidget();
    auto* window = new QHBoxLayout(central);
    window->setContentsMargins(10, 10, 10, 10);
    window->setSpacing(14);

    // Left: the picture, and under it the colour key and the links.
    auto* left = pictureColumn_ = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(picSpiral);
    // The colour key and the links side by side, or, where the window must be narrow, the key
    // above the links (FitToScreen).
    auto* under = underRow_ = new QBoxLayout(QBoxLayout::LeftToRight);
    under->setSpacing(4);
    auto* key = new QHBoxLayout;
    key->setSpacing(4);
    key->addWidget(lblColorKey);
    key->addSpacing(2);
    for (QFrame* swatch : Picture1)
        key->addWidget(swatch);
    key->addStretch(1);
    under->addLayout(key);
    auto* links = new QHBoxLayout;
    links->addStretch(1);
    links->addWidget(lblOnlineDocumentation);
    links->addSpacing(16);
    links->addWidget(lblTarnwick);
    under->addLayout(links);
    left->addLayout(under);
    left->addStretch(1);
    window->addLayout(left);

    // Right: the panel. Captions in the first column, what they name in the second.
    auto* panel = panelGrid_ = new QGridLayout(pnlControls);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->setHorizontalSpacing(8);
    panel->setVerticalSpacing(kPanelRowSpacing);
    panel->setColumnStretch(1, 1);
    int row = 0;
    const auto spanRow = [&](QLayout* layout) { panel->addLayout(layout, row++, 0, 1, 2); };
    const auto separator = [&] { panel->addWidget(Separator(central), row++, 0, 1, 2); };

    // The start number; while the spiral moves, its output label takes the box's place.
    auto* startBox = new QHBoxLayout(fraStartNumberFrame);
    startBox->setContentsMargins(0, 0, 0, 0);
    startBox->setSpacing(0);
    startBox->addWidget(txbStartNumber);
    startBox->addWidget(vsbStartNumber);
    auto* startPlace = new QGridLayout;
    startPlace->addWidget(lblStartNumberOutput, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    startPlace->addWidget(fraStartNumberFrame, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    auto* startRow = new QHBoxLayout;
    startRow->setSpacing(6);
    startRow->addLayout(startPlace);
    startRow->addWidget(lblP);
    startRow->addStretch(1);
    panel->addWidget(lblStartNumber, row, 0);
    panel->addLayout(startRow, row++, 1);

    // "Draw Spiral", or the clock rate while the spiral moves.
    auto* clockRow = new QHBoxLayout;
    clockRow->addWidget(lblClockTicks);
    clockRow->addWidget(cboClockTicks);
    clockRow->addStretch(1);
    panel->addWidget(cmdDraw, row, 0, 1, 2);
    panel->addLayout(clockRow, row++, 0, 1, 2);
    separator();

    auto* shape = new QHBoxLayout(fraCellObject);
    shape->setContentsMargins(0, 0, 0, 0);
    shape->setSpacing(panel->horizontalSpacing());
    shape->addWidget(lblUse);
    shape->addWidget(optCircles);
    shape->addSpacing(8);
    shape->addWidget(optSquares);
    shape->addStretch(1);
    panel->addWidget(fraCellObject, row++, 0, 1, 2);
    for (const auto& [caption, list] :
         {std::pair{lblSizeInPixels, cboBoxSize}, std::pair{lblColorBy, cboColorBy},
          std::pair{lblShow, cboShow}}) {
        caption->setBuddy(list);
        panel->addWidget(caption, row, 0);
        panel->addWidget(list, row++, 1);
    }
    auto* checks = new QHBoxLayout;
    checks->addWidget(chkGrid);
    checks->addSpacing(12);
    checks->addWidget(chkNumerals);
    checks->addStretch(1);
    spanRow(checks);
    panel->addWidget(chkCentralNumberPrime, row++, 0, 1, 2);
    panel->addWidget(chkCalculateLongest, row++, 0, 1, 2);

    // Spiral In and Out, or Stop, Pause and Resume while the spiral moves.
    auto* still = new QHBoxLayout;
    still->addWidget(cmdSpiralIn);
    still->addWidget(cmdSpiralOut);
    auto* moving = new QHBoxLayout;
    moving->addWidget(cmdStopButton);
    moving->addWidget(cmdPauseButton);
    moving->addWidget(cmdResumeButton);
    panel->addLayout(still, row, 0, 1, 2);
    panel->addLayout(moving, row++, 0, 1, 2);
    separator();

    // The statistics of the last picture; where the rules hide a row, its stand-ins take its
    // place.
    const auto value = [&](QLabel* output) {
        panel->addWidget(output, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
    };
    const auto standIn = [&](QLabel* label, bool isValue) {
        QLabel* stand = standIns_->Add(label, isValue);
        if (isValue) {
            panel->addWidget(stand, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
        } else {
            panel->addWidget(stand, row, 0);
        }
    };
    panel->addWidget(lblEndNumber, row, 0);
    value(lblEndNumberOutput);
    ++row;
    panel->addWidget(lblNumberofNumbers, row, 0);
    value(lblNumberOfNumbersOutput);
    panel->addWidget(lblSpiralling, row++, 0, 1, 2);
    auto* shownCaption = new QVBoxLayout;
    shownCaption->setSpacing(0);
    shownCaption->addWidget(lblNumberShown);
    shownCaption->addWidget(lblNumberShown2);
    panel->addLayout(shownCaption, row, 0);
    auto* shownStandIn = new QVBoxLayout;
    shownStandIn->setSpacing(0);
    shownStandIn->addWidget(standIns_->Add(lblNumberShown, false));
    shownStandIn->addWidget(standIns_->Add(lblNumberShown2, false));
    panel->addLayout(shownStandIn, row, 0);
    value(lblNumberShownOutput);
    standIn(lblNumberShownOutput, true);
    ++row;
    for (const auto& [caption, output] : {std::pair{lblSmallestPrime, lblSmallestPrimeOutput},
                                          std::pair{lblLargestPrime, lblLargestPrimeOutput},
                                          std::pair{lblLongestNWSE, lblLongestNWSEOutput},
                                          std::pair{lblLongestSWNE, lblLongestSWNEOutput}}) {
        panel->addWidget(caption, row, 0);
        standIn(caption, false);
        value(output);
        standIn(output, true);
        ++row;
    }
    panel->setRowStretch(row++, 1);
    separator();

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(cboLanguage);
    bottom->addStretch(1);
    bottom->addWidget(cmdHelp);
    bottom->addWidget(cmdQuit);
    spanRow(bottom);

    scrPanel->setWidget(pnlControls);
    window->addWidget(scrPanel, 1);

    // Tab order: the way a user works down the panel, then the picture with its cell cursor.
    QWidget* order[] = {txbStartNumber,
                        cmdDraw,
                        cboClockTicks,
                        optCircles,
                        optSquares,
                        cboBoxSize,
                        cboColorBy,
                        cboShow,
                        chkGrid,
                        chkNumerals,
                        chkCentralNumberPrime,
                        chkCalculateLongest,
                        cmdSpiralIn,
                        cmdSpiralOut,
                        cmdStopButton,
                        cmdPauseButton,
                        cmdResumeButton,
                        cboLanguage,
                        cmdHelp,
                        cmdQuit,
                        picSpiral};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// The window keeps one size: wide and tall enough for the panel in either language, or, on a
// screen too small for that, as large as the screen allows (FitToScreen).
void frmMain::FixWindowSize() {
    // Measured as the style will show them.
    ensurePolished();
    QSize panel;
    QSize tightPanel;
    for (const int language : {intGerman, intEnglish}) {
        intLanguage = language;
        SetLanguageDependentCaptions();
        SetLanguageDependentLists();
        for (QComboBox* list : {cboColorBy, cboShow, cboLanguage})
            list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        cmdStopCalc->setText(WordOf(Word::Stop, language));
        lblSpiralling->setText(WordOf(Word::SpirallingOut, language));
        for (const bool tight : {false, true}) {
            panelGrid_->setVerticalSpacing(tight ? kTightRowSpacing : kPanelRowSpacing);
            pnlControls->layout()->activate();
            (tight ? tightPanel : panel) =
                (tight ? tightPanel : panel).expandedTo(pnlControls->sizeHint());
        }
        panelGrid_->setVerticalSpacing(kPanelRowSpacing);
        // The Stop button over the picture fits "Stop" and "Halt" alike.
        cmdStopCalc->setMinimumWidth(
            std::max(cmdStopCalc->minimumWidth(), cmdStopCalc->sizeHint().width()));
    }
    // Start-up fills the lists and captions itself, in its own order.
    intLanguage = intEnglish;
    for (QComboBox* list : {cboColorBy, cboShow, cboLanguage})
        list->clear();
    lblSpiralling->clear();
    cmdStopCalc->resize(std::max(cmdStopCalc->minimumWidth(), 80),
                        cmdStopCalc->sizeHint().height());
    naturalPanel_ = panel;
    tightPanel_ = tightPanel;
    FitToScreen();
}

// The window keeps the picture crisp on every screen: a picture pixel is always a whole number
// of screen pixels. Where the natural window is too large for the screen, the picture is shown
// at one screen pixel per picture pixel, the colour key goes above the links and, if need be,
// the panel's rows move closer together; only on a screen too small for all of that (a small
// screen at 100 %) does the panel scroll. The picture itself keeps its 527 x 527 pixels.
void frmMain::FitToScreen() {
    QScreen* screen = this->screen();
    if (screen == nullptr) return;
    const QMargins margins = centralWidget()->layout()->contentsMargins();
    const int spacing = centralWidget()->layout()->spacing();
    // The panel as it is now, filled and in its language, may need more than its measure
    // before start-up; it never gets less, so that a change of language moves nothing.
    for (const bool tight : {false, true}) {
        panelGrid_->setVerticalSpacing(tight ? kTightRowSpacing : kPanelRowSpacing);
        pnlControls->layout()->activate();
        QSize& measure = tight ? tightPanel_ : naturalPanel_;
        measure = measure.expandedTo(pnlControls->sizeHint());
    }
    WindowFitInput in;
    in.panel = naturalPanel_;
    in.tightPanel = tightPanel_;
    in.pictureSide = kSpiralSide;
    const auto underSize = [this](QBoxLayout::Direction direction) {
        underRow_->setDirection(direction);
        const QSize under = underRow_->sizeHint();
        return QSize(under.width(), under.height() + pictureColumn_->spacing());
    };
    in.underStacked = underSize(QBoxLayout::TopToBottom);
    in.underPicture = underSize(QBoxLayout::LeftToRight);
    in.margins =
        QSize(margins.left() + margins.right() + spacing, margins.top() + margins.bottom());
    // The menu bar above, the status bar below.
    in.menuHeight = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    in.available = screen->availableGeometry().size();
    // Before the window manager has framed the window its frame is a guess: a title bar and
    // thin borders.
    const QSize frame = frameGeometry().size() - size();
    in.frame = isVisible() && !frame.isEmpty() ? frame : QSize(16, 48);
    in.devicePixelRatio = screen->devicePixelRatio();
    in.scrollBarExtent = scrPanel->style()->pixelMetric(QStyle::PM_ScrollBarExtent);

    // A docked inspector widens the window; where the window would then no longer fit whole
    // but fits without it, the inspector floats beside it instead.
    auto* inspector = findChild<QDockWidget*>(QStringLiteral("dockInspector"));
    if (inspector != nullptr && !inspector->isHidden() && !inspector->isFloating()) {
        WindowFitInput withDock = in;
        withDock.dockWidth =
            std::max(inspector->minimumSizeHint().width(), inspector->sizeHint().width()) +
            style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent);
        if (FitWindow(withDock).fits || !FitWindow(in).fits) {
            in = withDock;
        } else {
            inspector->setFloating(true);
        }
    }
    const WindowFit fit = FitWindow(in);

    underRow_->setDirection(fit.compact ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    panelGrid_->setVerticalSpacing(fit.tight ? kTightRowSpacing : kPanelRowSpacing);
    const Qt::ScrollBarPolicy bars = fit.fits ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    scrPanel->setVerticalScrollBarPolicy(bars);
    scrPanel->setHorizontalScrollBarPolicy(bars);
    picSpiral->SetDisplayRatio(fit.pictureRatio);
    explorer_->SetDisplayRatio(fit.pictureRatio);
    // The panel takes the height the window has; only its width is set.
    scrPanel->setFixedWidth(fit.panel.width());
    centralWidget()->setFixedSize(fit.window - QSize(in.dockWidth, in.menuHeight));
    setFixedSize(fit.window);
    explorer_->SetReadoutWidth(fit.window.width() - 2 * margins.left());
    // The Stop button of a long drawing stays centred on the picture as shown.
    cmdStopCalc->move((picSpiral->width() - cmdStopCalc->width()) / 2, picSpiral->height() * 3 / 4);
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The window can move to a screen of another size or scale.
    if (!blnWatchingScreen && windowHandle() != nullptr) {
        blnWatchingScreen = true;
        connect(windowHandle(), &QWindow::screenChanged, this, [this] { FitToScreen(); });
    }
}

void frmMain::ConnectHandlers() {
    // Each control records the user's choice in the window's settings, then its handler acts
    // on the settings.
    using Handler = void (frmMain::*)();
    for (const auto& [option, shape, handler] :
         {std::tuple{optCircles, intShapeCircles, Handler{&frmMain::optCircles_Click}},
          std::tuple{optSquares, intShapeSquares, Handler{&frmMain::optSquares_Click}}}) {
        connect(option, &QRadioButton::toggled, this, [this, shape, handler](bool on) {
            if (!on) return;
            settings_.shape = shape;
            (this->*handler)();
        });
    }
    for (const auto& [box, choice, handler] :
         {std::tuple{chkGrid, &Settings::grid, Handler{&frmMain::chkGrid_Click}},
          std::tuple{chkNumerals, &Settings::numerals, Handler{&frmMain::chkNumerals_Click}},
          std::tuple{chkCentralNumberPrime, &Settings::centralNumberPrime,
                     Handler{&frmMain::chkCentralNumberPrime_Click}},
          std::tuple{chkCalculateLongest, &Settings::calculateLongest,
                     Handler{&frmMain::chkCalculateLongest_Click}}}) {
        connect(box, &QCheckBox::toggled, this, [this, choice, handler](bool on) {
            settings_.*choice = on ? intChecked : intUnchecked;
            (this->*handler)();
        });
    }
    for (const auto& [list, choice, handler] :
         {std::tuple{cboBoxSize, &Settings::boxSize, Handler{&frmMain::cboBoxSize_Click}},
          std::tuple{cboColorBy, &Settings::colorBy, Handler{&frmMain::cboColorBy_Click}},
          std::tuple{cboShow, &Settings::show, Handler{&frmMain::cboShow_Click}},
          std::tuple{cboClockTicks, &Settings::clockTicks,
                     Handler{&frmMain::cboClockTicks_Click}}}) {
        connect(list, &QComboBox::currentIndexChanged, this, [this, choice, handler](int index) {
            // An emptied list has no position to record.
            if (index >= 0) settings_.*choice = index;
            (this->*handler)();
        });
        // Choosing the entry that is already chosen changes nothing, but the keyboard goes back
        // to the start-number box as after any choice.
        connect(list, &QComboBox::activated, this, [this, choice](int index) {
            if (index == settings_.*choice) RestoreFocus();
        });
    }
    // The language list records the language itself (its item data), in its handler.
    connect(cboLanguage, &QComboBox::currentIndexChanged, this, &frmMain::cboLanguage_Click);
    connect(cboLanguage, &QComboBox::activated, this, [this](int index) {
        if (index == FindLanguageListIndex(intLanguage)) RestoreFocus();
    });
    connect(cmdDraw, &QPushButton::clicked, this, &frmMain::cmdDraw_Click);
    connect(cmdSpiralIn, &QPushButton::clicked, this, &frmMain::cmdSpiralIn_Click);
    connect(cmdSpiralOut, &QPushButton::clicked, this, &frmMain::cmdSpiralOut_Click);
    connect(cmdStopButton, &QPushButton::clicked, this, &frmMain::cmdStopButton_Click);
    connect(cmdPauseButton, &QPushButton::clicked, this, &frmMain::cmdPauseButton_Click);
    connect(cmdResumeButton, &QPushButton::clicked, this, &frmMain::cmdResumeButton_Click);
    connect(ClkClock, &QTimer::timeout, this, &frmMain::ClkClock_Timer);
    connect(cmdStopCalc, &QPushButton::clicked, this, &frmMain::cmdStopCalc_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmMain::cmdHelp_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &frmMain::cmdQuit_Click);
    connect(lblOnlineDocumentation, &LinkLabel::clicked, this,
            [this] { OpenWebPage(*services_, this, ManualAddress(intLanguage)); });
    connect(lblTarnwick, &LinkLabel::clicked, this,
            [this] { OpenWebPage(*services_, this, TarnwickAddress()); });

    // A focused button presses on Enter as it does on Space.
    LetEnterPressButtons(this);

    picSpiral->SetHoverHandlers([this](QPointF at) { explorer_->PointerAt(at); },
                                [this] { explorer_->PointerLeft(); });
    connect(explorer_, &Explorer::InspectorToggled, this, [this] { FitToScreen(); });
    picSpiral->SetReleaseHandler(
        [this](Qt::MouseButton button, QPointF at) { picSpiral_MouseUp(button, at); });
    txbStartNumber->SetKeyFilter(
        [this](int keyAscii) { return txbStartNumber_KeyPress(keyAscii); });
    txbStartNumber->SetBeeper([this] { services_->Beep(); });
    connect(txbStartNumber, &QLineEdit::textChanged, this, [this](const QString& text) {
        settings_.startText = text;
        txbStartNumber_Change();
    });
    connect(vsbStartNumber, &QScrollBar::valueChanged, this, &frmMain::vsbStartNumber_Change);
}

// ----------------------------------------------------------------------------------------
// Start-up

void frmMain::Form_Load() {
    blnStartupCompleted = false;
    InitializeValues();
    show();
    InitializeAndDraw();
    EnableDisableFunctions(true);
    // The panel filled and captioned may need a little more room than its first measure.
    FitToScreen();
    RestoreWindowPlaces();
    blnStartupCompleted = true;
    ShowStartupMessage();
}

void frmMain::InitializeValues() {
    vsbStartNumber->setRange(intScrollLow, lngScrollHigh);
    blnRefillingLists = false;
    blnTextSetsScroll = false;
    blnScrollSetsScroll = false;
    lblP->setText(QStringLiteral(" "));
    movingPhase_ = MovingPhase::Still;
    FillFixedLists();
    intLanguage = intEnglish;
    SetLanguageDependentLists();
    // The Stop button of a long drawing: centred on the picture, a quarter from its bottom.
    cmdStopCalc->move((picSpiral->width() - cmdStopCalc->width()) / 2, picSpiral->height() * 3 / 4);
    ClearOutputLabels(true);
}

void frmMain::InitializeAndDraw() {
    fraStartNumberFrame->raise();
    lblStartNumberOutput->lower();
    SetDefaultControls();
    SetLanguageDependentCaptions();
    SetLanguageDependentLists();
    EnableDisableFunctions(false);
    strSettingsFile = DataFilePath(QStringLiteral("kvr.usr"), QStringLiteral("Tarnwick"));
    strPlacesFile = DataFilePath(QStringLiteral("quorvel-windows.usr"), QStringLiteral("Tarnwick"));
    strExportChoicesFile =
        DataFilePath(QStringLiteral("quorvel-export.usr"), QStringLiteral("Tarnwick"));
    exportChoices_ = ReadExportChoices(strExportChoicesFile);
    LoadSettings();
    InstallLanguage(intLanguage);
    SetLanguageDependentCaptions();
    SetLanguageDependentLists();
    strCalculating = CalculatingText(intLanguage);
    primelib::calculate_primes(lngMaxNumber);
    ClearOutputLabels(true);
    DrawSpiral();
    ShowColorLegend();
    UpdateGridNumeralsEnabled();
}

void frmMain::SetDefaultControls() {
    settings_ = Settings{};
    ShowSettings();
}

void frmMain::FillFixedLists() {
    cboBoxSize->clear();
    for (const int size : kBoxSizes)
        cboBoxSize->addItem(QString::number(size));
    cboClockTicks->clear();
    for (const ClockRate& rate : kClockRates)
        cboClockTicks->addItem(QString::number(rate.ticksPerSecond), rate.intervalMs);
}

// ----------------------------------------------------------------------------------------
// Quit

void frmMain::cmdQuit_Click() {
    if (blnQuitting) return;
    blnQuitting = true;
    SaveSettings();
    SaveWindowPlaces();
    // An export in progress stops, leaving no file behind, before the program ends.
    exporter_->CancelAndWait();
    // The large view's tiles stop and its threads end with it.
    if (largeView_ != nullptr) largeView_->close();
    // A pass in progress stops at its next look at the events; nothing starts after this.
    blnStopRequest = true;
    ClkClock->stop();
    hide();
    QCoreApplication::quit();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mnuView && event->type() == QEvent::ActionAdded)
        mnuView->menuAction()->setVisible(true);
    if (watched == vsbStartNumber && event->type() == QEvent::Wheel) {
        vsbStartNumber_Wheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
        return true;
    }
    // A click on the spinner, a step or not, leaves the keyboard in the box, as if the
    // spinner had handed the focus straight back.
    if (watched == vsbStartNumber && event->type() == QEvent::MouseButtonRelease) RestoreFocus();
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent* event) {
    cmdQuit_Click();
    event->accept();
}

}  // namespace quorvel
