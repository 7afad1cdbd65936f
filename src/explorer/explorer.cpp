// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/explorer.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "engine/run_places.h"
#include "engine/spiral_layout.h"
#include "explorer/cell_cursor.h"
#include "explorer/explorer_texts.h"
#include "explorer/picture_overlay.h"
#include "explorer/ray_panel.h"
#include "explorer/readout_label.h"

namespace quorvel {
namespace {

QPoint Step(RayDirection direction) {
    const CellStep step = StepOf(direction);
    return {step.dx, step.dy};
}

}  // namespace

std::optional<std::int64_t> PositionAtPixel(const PassGeometry& g, QSize pictureSize,
                                            QPointF picturePixel) {
    if (g.boxSize < 1) return std::nullopt;
    // The pixel that holds the point; a point never rounds over into the next cell. Checked
    // before it is made a whole number, so that no position can overflow one.
    const double px = std::floor(picturePixel.x());
    const double py = std::floor(picturePixel.y());
    if (!(px >= 0 && py >= 0 && px < pictureSize.width() && py < pictureSize.height()))
        return std::nullopt;
    const auto x = static_cast<std::int64_t>(px);
    const auto y = static_cast<std::int64_t>(py);
    const CellGrid grid{g.boxSize, g.centreX, g.centreY};
    const auto [a, c] = grid.CellAt(x, y);
    const std::optional<std::int64_t> position = PositionOfCell(a, c);
    if (!position || *position > g.numberOfNumbers) return std::nullopt;  // the margin
    return position;
}

Explorer::Explorer(QMainWindow* window, QWidget* picture, QSize pictureSize, QMenu* viewMenu,
                   std::function<RasterView()> raster)
    : QObject(window), pictureSize_(pictureSize), raster_(std::move(raster)) {
    setObjectName(QStringLiteral("explorer"));
    readout_ = new ReadoutLabel(window);
    readout_->setObjectName(QStringLiteral("lblPointerReadout"));
    readout_->setTextFormat(Qt::PlainText);
    QStatusBar* bar = window->statusBar();
    bar->setSizeGripEnabled(false);
    bar->addWidget(readout_, 1);
    // One line high whether or not it holds text, and (SetReadoutWidth) of one width: a new
    // text never lays the window out again, which with the inspector open would set its
    // whole report anew.
    readout_->setFixedHeight(readout_->fontMetrics().height());

    overlay_ = new PictureOverlay(picture);
    cursor_ = new CellCursor(picture, pictureSize);
    connect(cursor_, &CellCursor::Moved, this, &Explorer::PointerAt);
    // Gone with the keyboard, the cursor's cell is no longer told about; a pointer over the
    // picture takes over at its next move.
    connect(cursor_, &CellCursor::Hidden, this, &Explorer::PointerLeft);
    rest_ = new QTimer(this);
    rest_->setSingleShot(true);
    rest_->setInterval(kRestMs);
    connect(rest_, &QTimer::timeout, this, [this] {
        if (pendingRays_ && !busy_ && !inspector_->isHidden()) {
            inspector_->Inspect(pendingRays_);
            inspected_ = pendingFrom_;
        }
        pendingRays_.reset();
    });

    inspector_ = new InspectorPanel(window);
    window->addDockWidget(Qt::RightDockWidgetArea, inspector_);
    inspector_->hide();
    actInspector = viewMenu->addAction(QString());
    actInspector->setObjectName(QStringLiteral("actInspector"));
    actInspector->setShortcut(QKeySequence(Qt::Key_F3));
    actInspector->setCheckable(true);
    connect(actInspector, &QAction::toggled, inspector_, &QWidget::setVisible);
    connect(inspector_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        // Closed by its own button, or shown: the menu's tick follows. A floating panel that
        // is merely covered stays ticked.
        if (inspector_->isHidden() == actInspector->isChecked() || visible) {
            actInspector->setChecked(!inspector_->isHidden());
        }
        Update();
        emit InspectorToggled(!inspector_->isHidden());
    });
    connect(inspector_, &InspectorPanel::ShowRunsChanged, this, [this](bool show) {
        overlay_->SetShowRuns(show);
        ScheduleRuns();
    });
    SetLanguage(0);
}

void Explorer::SetLanguage(int language) {
    language_ = language;
    redrawn_ = true;
    actInspector->setText(InspectorMenuText(language));
    actInspector->setStatusTip(InspectorStatusTip(language));
    inspector_->SetLanguage(language);
    Update();
}

void Explorer::SetReadoutWidth(int width) {
    readout_->setFixedWidth(std::max(width, 0));
}

void Explorer::SetDisplayRatio(double ratio) {
    overlay_->SetDisplayRatio(ratio);
    cursor_->SetDisplayRatio(ratio);
}

void Explorer::ShowPicture(const PassResult& result) {
    shown_ = result;
    hasPicture_ = result.geometry.boxSize > 0;
    // The old picture's runs go first, so that nothing is outlined for the new cells twice.
    runsStale_ = true;
    overlay_->SetRuns({}, {});
    overlay_->SetCells(result.geometry.boxSize, result.geometry.centreX, result.geometry.centreY);
    cursor_->SetPicture(result.geometry);
    ScheduleRuns();
    // What lies under a pointer that has not moved may have changed, and a cell the inspector
    // kept from the old picture is no longer on screen.
    redrawn_ = true;
    if (pointer_) {
        PointerAt(*pointer_);
    } else {
        Update();
    }
}

void Explorer::SetBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    overlay_->SetSuspended(busy);
    cursor_->SetBusy(busy);
    if (busy) {
        readout_->clear();
    } else {
        ScheduleRuns();
        if (pointer_) {
            PointerAt(*pointer_);
        } else {
            Update();
        }
    }
}

// The runs are looked for once the new picture is on screen: the outline follows a moment after
// the picture, and a picture that is replaced at once (the moving spiral) costs no search.
void Explorer::ScheduleRuns() {
    if (runsQueued_ || !runsStale_) return;
    runsQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            runsQueued_ = false;
            UpdateRuns();
        },
        Qt::QueuedConnection);
}

// The longest runs are found in the picture as drawn, once per picture, when they are to be
// shown over a still picture.
void Explorer::UpdateRuns() {
    if (!runsStale_ || busy_ || !hasPicture_ || !inspector_->ShowRuns()) return;
    runsStale_ = false;
    if (!shown_.runsMeasured || shown_.numberShown == 0 || !raster_) return;
    const PassGeometry& g = shown_.geometry;
    const CellLattice lattice{g.cellsPerSide, g.boxSize, g.centreX, g.centreY};
    const RasterView raster = raster_();
    overlay_->SetRuns(LongestRunPlace(raster, kBlack, lattice, true, shown_.longest.nwse),
                      LongestRunPlace(raster, kBlack, lattice, false, shown_.longest.swne));
}

void Explorer::PointerAt(QPointF picturePixel) {
    pointer_ = picturePixel;
    // However many moves arrive, the readout and the inspector follow once per turn of the
    // event loop.
    if (updateQueued_) return;
    updateQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            updateQueued_ = false;
            Update();
        },
        Qt::QueuedConnection);
}

void Explorer::PointerLeft() {
    if (cursor_->Shown()) {
        PointerAt(cursor_->Pixel());
        return;
    }
    pointer_.reset();
    Update();
}

std::optional<std::int64_t> Explorer::PositionAt(QPointF picturePixel) const {
    if (!hasPicture_) return std::nullopt;
    return PositionAtPixel(shown_.geometry, pictureSize_, picturePixel);
}

void Explorer::InspectElsewhere(qint64 position, qint64 start) {
    if (inspector_->isHidden()) return;
    pendingRays_ = RaysOfPosition(position, start);
    pendingFrom_ = Source::Elsewhere;
    if (pendingRays_) rest_->start();
}

void Explorer::ElsewhereChanged() {
    if (pendingFrom_ == Source::Elsewhere) {
        rest_->stop();
        pendingRays_.reset();
    }
    if (inspected_ == Source::Elsewhere) {
        inspector_->Inspect(std::nullopt);
        inspected_ = Source::Nothing;
    }
}

std::optional<std::int64_t> Explorer::NumberAt(QPointF picturePixel) const {
    const std::optional<std::int64_t> position = PositionAt(picturePixel);
    if (!position) return std::nullopt;
    return shown_.startNumber + *position - 1;
}

void Explorer::Update() {
    const std::optional<std::int64_t> position =
        busy_ || !pointer_ ? std::nullopt : PositionAt(*pointer_);
    std::optional<CellRays> rays;
    if (position) {
        rays = RaysOfPosition(*position, shown_.startNumber);
        readout_->setText(
            rays ? ReadoutText(static_cast<std::uint64_t>(rays->number), rays->cell.ring, language_)
                 : QString());
    } else {
        readout_->clear();
    }
    const bool inspecting = !inspector_->isHidden();
    if (inspecting && !busy_) {
        // The panel keeps the last cell while the pointer is off the picture, and measures a
        // new one once the pointer rests on it. After a redraw it tells at once about the cell
        // now under the pointer, or, with the pointer gone, lets go of a cell of the old
        // picture; a cell of another view stays.
        if (rays && redrawn_) {
            rest_->stop();
            pendingRays_.reset();
            inspector_->Inspect(rays);
            inspected_ = Source::Picture;
        } else if (rays) {
            pendingRays_ = rays;
            pendingFrom_ = Source::Picture;
            rest_->start();
        } else if (redrawn_ || !hasPicture_) {
            if (pendingFrom_ == Source::Picture) {
                rest_->stop();
                pendingRays_.reset();
            }
            if (inspected_ == Source::Picture || !hasPicture_) {
                inspector_->Inspect(std::nullopt);
                inspected_ = Source::Nothing;
            }
        }
        redrawn_ = false;
    }
    if (inspecting && rays) {
        QList<QPoint> steps;
        for (int i = 0; i < rays->rayCount; ++i)
            steps << Step(rays->rays[static_cast<std::size_t>(i)].direction);
        overlay_->SetRays(QPoint(static_cast<int>(rays->cell.x), static_cast<int>(rays->cell.y)),
                          steps);
    } else if (!inspecting || !pointer_) {
        overlay_->SetRays(std::nullopt, {});
    }
}

}  // namespace quorvel
