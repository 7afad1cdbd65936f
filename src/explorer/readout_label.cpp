// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/readout_label.h"

#include <QPainter>

namespace quorvel {

void ReadoutLabel::paintEvent(QPaintEvent*) {
    if (text().isEmpty()) return;
    if (laidOut_.text() != text()) {
        laidOut_.setText(text());
        laidOut_.setTextFormat(Qt::PlainText);
        laidOut_.prepare(QTransform(), font());
    }
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect area = contentsRect();
    const qreal top = area.top() + (area.height() - laidOut_.size().height()) / 2;
    painter.drawStaticText(QPointF(area.left() + margin(), top), laidOut_);
}

}  // namespace quorvel
