#include "mainwindow/spiral_picture.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/image_surface.h"

namespace quorvel {

SpiralPicture::SpiralPicture(ImageSurface& surface, int side, QWidget* parent)
    : QWidget(parent), surface_(surface) {
    setFixedSize(side, side);
    // The picture covers every pixel: nothing underneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SpiralPicture::Refresh() {
    if (repaintPending_) return;
    repaintPending_ = true;
    update();
}

void SpiralPicture::paintEvent(QPaintEvent* event) {
    repaintPending_ = false;
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawImage(area.topLeft(), surface_.Image(), area);
}

void SpiralPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (onRelease_) onRelease_(event->button(), event->position());
    event->accept();
}

}  // namespace quorvel
