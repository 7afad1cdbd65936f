// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/ray_panel.h"

#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QHelpEvent>
#include <QLabel>
#include <QScrollArea>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolTip>
#include <QVBoxLayout>

#include "explorer/explorer_texts.h"

namespace quorvel {
namespace {

// The report scrolls in a box of a fixed preferred size: asked for its size, it answers without
// laying out its rich text, which the window asks for whenever its own layout changes.
class ReportArea : public QScrollArea {
  public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override { return {fontMetrics().averageCharWidth() * 44, 240}; }
    QSize minimumSizeHint() const override { return {0, 60}; }
};

// The report names its measures with their explanations as tips in its rich text. A label
// shows no tip but its own, so the tip of the word under the pointer is looked up in a copy of
// the report laid out as the label lays it out: the label's font and width, no margin.
class MeasureTips : public QObject {
  public:
    explicit MeasureTips(QLabel* label) : QObject(label), label_(label) {
        label->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != label_ || event->type() != QEvent::ToolTip) return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = TipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, label_);
        }
        return true;
    }

  private:
    QString TipAt(QPoint pos) {
        const QRect area = label_->contentsRect();
        if (text_ != label_->text() || width_ != area.width() || font_ != label_->font()) {
            text_ = label_->text();
            width_ = area.width();
            font_ = label_->font();
            document_.setDefaultFont(font_);
            QTextOption option = document_.defaultTextOption();
            option.setWrapMode(label_->wordWrap() ? QTextOption::WordWrap
                                                  : QTextOption::ManualWrap);
            document_.setDefaultTextOption(option);
            document_.setHtml(text_);
            document_.setDocumentMargin(0);
            document_.setTextWidth(width_);
        }
        const int at =
            document_.documentLayout()->hitTest(QPointF(pos - area.topLeft()), Qt::ExactHit);
        if (at < 0) return {};
        QTextCursor cursor(&document_);
        cursor.setPosition(at);
        cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        return cursor.charFormat().toolTip();
    }

    QLabel* label_;
    QTextDocument document_;
    QString text_;
    int width_ = -1;
    QFont font_;
};

}  // namespace

InspectorPanel::InspectorPanel(QWidget* parent) : QDockWidget(parent) {
    setObjectName(QStringLiteral("dockInspector"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    auto* contents = new QWidget;
    auto* layout = new QVBoxLayout(contents);
    lblInspector = new QLabel(contents);
    lblInspector->setObjectName(QStringLiteral("lblInspector"));
    lblInspector->setTextFormat(Qt::RichText);
    lblInspector->setWordWrap(true);
    lblInspector->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblInspector->setTextInteractionFlags(Qt::TextSelectableByMouse);
    chkRunOverlay = new QCheckBox(contents);
    chkRunOverlay->setObjectName(QStringLiteral("chkRunOverlay"));
    chkRunOverlay->setChecked(true);
    new MeasureTips(lblInspector);
    layout->addWidget(chkRunOverlay);
    layout->addWidget(lblInspector, 1);
    auto* scroll = new ReportArea(this);
    scroll->setWidget(contents);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // The report cannot show a focus frame, so Tab passes it by; its check box takes the keys.
    scroll->setFocusPolicy(Qt::NoFocus);
    setWidget(scroll);
    setFixedWidth(fontMetrics().averageCharWidth() * 46);
    connect(chkRunOverlay, &QCheckBox::toggled, this, &InspectorPanel::ShowRunsChanged);
    SetLanguage(0);
}

InspectorPanel::~InspectorPanel() {
    // Requests not yet started are dropped; one under way is waited for.
    wanted_ = 0;
    work_.Wait();
}

bool InspectorPanel::ShowRuns() const {
    return chkRunOverlay->isChecked();
}

void InspectorPanel::SetLanguage(int language) {
    language_ = language;
    setWindowTitle(InspectorTitle(language));
    chkRunOverlay->setText(RunOverlayText(language));
    chkRunOverlay->setToolTip(RunOverlayTip(language));
    if (shownCell_ && reports_) {
        lblInspector->setText(InspectorHtml(*shownCell_, *reports_, kTerms, language_));
    } else {
        ShowIdle();
    }
}

void InspectorPanel::Inspect(const std::optional<CellRays>& cell) {
    if (!cell) {
        wanted_ = ++generation_;  // whatever is still being worked out is for nothing now
        cell_.reset();
        shownCell_.reset();
        reports_.reset();
        shownNumber_.reset();
        ShowIdle();
        return;
    }
    if (cell_ && cell_->position == cell->position && cell_->number == cell->number) return;
    const std::uint64_t generation = ++generation_;
    wanted_ = generation;
    cell_ = cell;
    const CellRays asked = *cell;
    // On the pool: a request that is no longer the newest when it would start is dropped.
    work_.Run([this, generation, asked] {
        if (wanted_.load() != generation) return;
        const CellRayReports reports = InspectRays(asked, kTerms);
        QMetaObject::invokeMethod(
            this, [this, generation, asked, reports] { Show(generation, asked, reports); },
            Qt::QueuedConnection);
    });
}

void InspectorPanel::Show(std::uint64_t generation, const CellRays& cell,
                          const CellRayReports& reports) {
    if (generation != generation_) return;  // the pointer has moved on
    shownCell_ = cell;
    reports_ = reports;
    shownNumber_ = cell.number;
    lblInspector->setText(InspectorHtml(cell, reports, kTerms, language_));
}

void InspectorPanel::ShowIdle() {
    lblInspector->setText(InspectorIdleHtml(language_));
}

}  // namespace quorvel
