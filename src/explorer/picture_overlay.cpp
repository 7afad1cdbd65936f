#include "explorer/picture_overlay.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <algorithm>

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
    Refresh();
}

void PictureOverlay::SetCells(int boxSize, int centreX, int centreY) {
    boxSize_ = boxSize;
    centreX_ = centreX;
    centreY_ = centreY;
    Refresh();
}

void PictureOverlay::SetRays(std::optional<QPoint> cell, const QList<QPoint>& directions) {
    if (cell == cell_ && directions == directions_) return;
    cell_ = cell;
    directions_ = directions;
    Refresh();
}

void PictureOverlay::SetRuns(const RunPlace& nwse, const RunPlace& swne) {
    nwse_ = nwse;
    swne_ = swne;
    Refresh();
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
        setGeometry(picture_->rect());
        raise();
        update();
    }
    setVisible(show);
}

QPointF PictureOverlay::Centre(double a, double c) const {
    return QPointF(centreX_ + boxSize_ * a + 0.5, centreY_ + boxSize_ * c + 0.5);
}

void PictureOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn in picture pixels, whatever size the picture is shown at.
    const double scale = 1.0 / ratio_;
    painter.scale(scale, scale);
    const double box = boxSize_;
    // A light line on a dark rim reads on every colour of the picture.
    const auto stroke = [&](const QPainterPath& path, const QColor& color) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0, 0, 0, 200), 3.5));
        painter.drawPath(path);
        painter.setPen(QPen(color, 1.5));
        painter.drawPath(path);
    };
    if (showRuns_) {
        for (const auto& [run, nwse, color] : {std::tuple{nwse_, true, QColor(255, 170, 0)},
                                               std::tuple{swne_, false, QColor(255, 80, 255)}}) {
            if (run.length == 0) continue;
            QPainterPath line(Centre(run.a, run.c));
            line.lineTo(Centre(run.a + (nwse ? 1 : -1) * (run.length - 1), run.c + run.length - 1));
            QPainterPathStroker capsule;
            capsule.setWidth(std::max(5.0, box * 1.2 + 2));
            capsule.setCapStyle(Qt::RoundCap);
            stroke(capsule.createStroke(line), color);
        }
    }
    if (cell_) {
        const QPointF from = Centre(cell_->x(), cell_->y());
        const double reach = 2.0 * (width() + height()) * ratio_;
        QPainterPath rays;
        for (const QPoint& step : directions_) {
            rays.moveTo(from);
            rays.lineTo(from + QPointF(step) * reach);
        }
        const double half = std::max(2.0, box / 2 + 1);
        rays.addRect(QRectF(from - QPointF(half, half), from + QPointF(half, half)));
        stroke(rays, QColor(255, 255, 255));
    }
}

}  // namespace quorvel
