// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/picture_overlay.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace quorvel {

PictureOverlay::PictureOverlay(QWidget* picture) : QWidget(picture), picture_(picture) {
    setObjectName(QStringLiteral("picOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void PictureOverlay::SetDisplayRatio(double ratio) {
    ratio_ = ratio > 0 ? ratio : 1.0;
    OutlineRuns();
    raysRegion_ = RaysRegion();
    Refresh();
}

void PictureOverlay::SetCells(int boxSize, int centreX, int centreY) {
    boxSize_ = boxSize;
    centreX_ = centreX;
    centreY_ = centreY;
    OutlineRuns();
    raysRegion_ = RaysRegion();
    Refresh();
}

void PictureOverlay::SetRays(std::optional<QPoint> cell, const QList<QPoint>& directions) {
    if (cell == cell_ && directions == directions_) return;
    const QRegion before = raysRegion_;
    cell_ = cell;
    directions_ = directions;
    raysRegion_ = RaysRegion();
    // Only the old and the new rays need painting again, unless the overlay comes or goes.
    const bool wasVisible = isVisible();
    wholeRepaint_ = false;
    Refresh();
    if (wasVisible && isVisible()) {
        update(before + raysRegion_);
    } else if (wasVisible) {
        parentWidget()->update(before.translated(pos()));
    }
}

QRegion PictureOverlay::RaysRegion() const {
    if (!cell_ || boxSize_ <= 0) return {};
    // Squares of kStep pixels along each line, a little larger for the rims: few enough parts
    // to clip to quickly, small enough that the picture under them is painted again in a few
    // cheap pieces instead of a large one.
    constexpr int kStep = 32;
    constexpr int kRim = 2;
    std::vector<QRect> parts;
    parts.push_back(CellSquare().adjusted(-kRim, -kRim, kRim, kRim));
    for (const QLine& ray : RayLines()) {
        const QPoint step(ray.dx() > 0 ? 1 : -1, ray.dy() > 0 ? 1 : -1);
        const int length = std::abs(ray.dx());
        for (int t = 0; t < length; t += kStep) {
            const QPoint a = ray.p1() + step * t;
            const QPoint b = ray.p1() + step * std::min(t + kStep, length);
            parts.push_back(QRect(a, b).normalized().adjusted(-kRim, -kRim, kRim, kRim));
        }
    }
    QRegion region;
    region.setRects(parts.data(), static_cast<int>(parts.size()));
    return region;
}

void PictureOverlay::SetRuns(const RunPlace& nwse, const RunPlace& swne) {
    nwse_ = nwse;
    swne_ = swne;
    OutlineRuns();
    Refresh();
}

// Each run in a rounded outline around its cells, drawn on screen.
void PictureOverlay::OutlineRuns() {
    runOutlines_.clear();
    for (const auto& [run, nwse, color] : {std::tuple{nwse_, true, QColor(255, 170, 0)},
                                           std::tuple{swne_, false, QColor(255, 80, 255)}}) {
        if (run.length == 0 || boxSize_ <= 0) continue;
        QPainterPath line(Centre(run.a, run.c) / ratio_);
        line.lineTo(Centre(run.a + (nwse ? 1 : -1) * (run.length - 1), run.c + run.length - 1) /
                    ratio_);
        QPainterPathStroker capsule;
        capsule.setWidth(std::max(5.0, boxSize_ * 1.2 + 2) / ratio_);
        capsule.setCapStyle(Qt::RoundCap);
        runOutlines_.push_back({capsule.createStroke(line), color});
    }
}

void PictureOverlay::SetShowRuns(bool show) {
    showRuns_ = show;
    Refresh();
}

void PictureOverlay::SetSuspended(bool suspended) {
    suspended_ = suspended;
    Refresh();
}

void PictureOverlay::Refresh() {
    const bool anything =
        boxSize_ > 0 && (cell_.has_value() || (showRuns_ && nwse_.length + swne_.length > 0));
    const bool show = anything && !suspended_;
    if (show) {
        if (geometry() != picture_->rect()) setGeometry(picture_->rect());
        if (wholeRepaint_) update();
    }
    wholeRepaint_ = true;
    setVisible(show);
}

QPointF PictureOverlay::Centre(double a, double c) const {
    return QPointF(centreX_ + boxSize_ * a + 0.5, centreY_ + boxSize_ * c + 0.5);
}

void PictureOverlay::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // A light line on a dark rim reads on every colour of the picture.
    const QColor rim(0, 0, 0, 200);
    if (showRuns_ && !runOutlines_.isEmpty()) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::NoBrush);
        for (const auto& [outline, color] : runOutlines_) {
            if (!event->region().intersects(outline.boundingRect().toAlignedRect())) continue;
            painter.setPen(QPen(rim, 3.5));
            painter.drawPath(outline);
            painter.setPen(QPen(color, 1.5));
            painter.drawPath(outline);
        }
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    if (cell_) {
        // The rays are exact diagonals: crisp one-pixel lines, white between two dark ones,
        // from the cell to the edge of the picture. The dark ones stand a pixel to either side.
        const QList<QLine> rays = RayLines();
        const QRect cell = CellSquare();
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(rim, 0));
        for (const int dx : {-1, 1}) {
            for (const QLine& ray : rays)
                painter.drawLine(ray.translated(dx, 0));
        }
        painter.drawRect(cell.adjusted(-1, -1, 1, 1));
        painter.drawRect(cell.adjusted(1, 1, -1, -1));
        painter.setPen(QPen(Qt::white, 0));
        painter.drawLines(rays);
        painter.drawRect(cell);
    }
}

// The rays on screen: from the cell's centre to the edge of the picture.
QList<QLine> PictureOverlay::RayLines() const {
    QList<QLine> lines;
    if (!cell_) return lines;
    const QPoint from = (Centre(cell_->x(), cell_->y()) / ratio_).toPoint();
    for (const QPoint& step : directions_) {
        const int reach = std::min(step.x() > 0 ? width() - 1 - from.x() : from.x(),
                                   step.y() > 0 ? height() - 1 - from.y() : from.y());
        if (reach > 0) lines << QLine(from, from + step * reach);
    }
    return lines;
}

// The inspected cell's outline on screen.
QRect PictureOverlay::CellSquare() const {
    if (!cell_) return {};
    const QPoint from = (Centre(cell_->x(), cell_->y()) / ratio_).toPoint();
    const int half = static_cast<int>(std::ceil(std::max(2.0, boxSize_ / 2.0 + 1) / ratio_));
    return QRect(from - QPoint(half, half), from + QPoint(half, half));
}

}  // namespace quorvel
