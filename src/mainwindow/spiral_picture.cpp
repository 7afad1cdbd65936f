// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/spiral_picture.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <utility>

#include "platform/image_surface.h"

namespace quorvel {

SpiralPicture::SpiralPicture(ImageSurface& surface, int side, QWidget* parent)
    : QWidget(parent), surface_(surface), side_(side) {
    setFixedSize(side, side);
    // The picture covers every pixel: nothing underneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SpiralPicture::Refresh() {
    if (repaintPending_) return;
    repaintPending_ = true;
    update();
}

void SpiralPicture::SetDisplayRatio(double ratio) {
    ratio_ = ratio > 1.0 ? ratio : 1.0;
    const int shown = static_cast<int>(std::ceil(side_ / ratio_));
    setFixedSize(shown, shown);
    update();
}

void SpiralPicture::paintEvent(QPaintEvent* event) {
    repaintPending_ = false;
    {
        QPainter painter(this);
        const QRect area = event->rect();
        if (ratio_ == 1.0) {
            // Only what needs it: lines moved over the picture repaint a few slivers.
            const QRegion& region = event->region();
            if (region.rectCount() > 1 && region.rectCount() < 512) {
                for (const QRect& part : region)
                    painter.drawImage(part.topLeft(), surface_.Image(), part);
            } else {
                painter.drawImage(area.topLeft(), surface_.Image(), area);
            }
        } else {
            // One picture pixel to one screen pixel; what the rounded-up widget has beyond
            // the picture stays black.
            painter.fillRect(area, Qt::black);
            painter.drawImage(QRectF(0, 0, side_ / ratio_, side_ / ratio_), surface_.Image());
        }
    }
    if (afterPaint_) std::exchange(afterPaint_, nullptr)();
}

void SpiralPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (onRelease_) onRelease_(event->button(), ToPicture(event->position()));
    event->accept();
}

}  // namespace quorvel

namespace quorvel {

void SpiralPicture::mouseMoveEvent(QMouseEvent* event) {
    if (onHover_) onHover_(ToPicture(event->position()));
    QWidget::mouseMoveEvent(event);
}

void SpiralPicture::leaveEvent(QEvent* event) {
    if (onLeave_) onLeave_();
    QWidget::leaveEvent(event);
}

}  // namespace quorvel
