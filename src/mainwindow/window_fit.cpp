// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/window_fit.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

WindowFit FitWindow(const WindowFitInput& in) {
    const auto window = [&](int side, QSize panel) {
        const int left = std::max(side, in.underPicture.width());
        const int height = std::max(side + in.underPicture.height(), panel.height());
        return QSize(in.margins.width() + left + panel.width(),
                     in.menuHeight + in.margins.height() + height);
    };
    const QSize room = in.available - in.frame;
    WindowFit fit;
    fit.panel = in.panel;
    fit.window = window(in.pictureSide, in.panel);
    if (fit.window.width() <= room.width() && fit.window.height() <= room.height()) return fit;

    fit.compact = true;
    fit.pictureRatio = std::max(1.0, in.devicePixelRatio);
    const int side = static_cast<int>(std::ceil(in.pictureSide / fit.pictureRatio));
    const QSize leftColumn(std::max(side, in.underPicture.width()),
                           side + in.underPicture.height());
    // The panel gets what the picture leaves, but never less than a sliver to scroll in.
    const QSize fixed(in.margins.width() + leftColumn.width(), in.menuHeight + in.margins.height());
    const QSize smallest(3 * in.scrollBarExtent,
                         std::max(leftColumn.height(), 3 * in.scrollBarExtent));
    QSize panel = (room - fixed).expandedTo(smallest).boundedTo(in.panel);
    // A panel that scrolls up and down needs room for its scroll bar beside it.
    if (panel.height() < in.panel.height()) {
        panel.setWidth(std::min(in.panel.width() + in.scrollBarExtent,
                                std::max(panel.width(), room.width() - fixed.width())));
    }
    if (panel.width() < in.panel.width()) {
        panel.setHeight(std::min(in.panel.height() + in.scrollBarExtent,
                                 std::max(panel.height(), room.height() - fixed.height())));
    }
    fit.panel = panel;
    fit.window = QSize(fixed.width() + panel.width(),
                       fixed.height() + std::max(leftColumn.height(), panel.height()));
    return fit;
}

QRect PlaceBeside(const QRect& anchor, QSize preferred, QSize least, const QRect& screen,
                  int offset) {
    const QSize size = preferred.boundedTo(screen.size());
    const auto within = [](int at, int length, int low, int high) {
        return std::max(low, std::min(at, high + 1 - length));
    };
    const int right = screen.right() - anchor.right();
    const int left = anchor.left() - screen.left();
    const int room = std::max(right, left);
    if (room >= least.width()) {
        const int width = std::min(size.width(), room);
        // The right side where the whole window fits there.
        const bool onRight = right >= size.width() || right >= left;
        const int x = onRight ? anchor.right() + 1 : anchor.left() - width;
        return {x, within(anchor.top(), size.height(), screen.top(), screen.bottom()), width,
                size.height()};
    }
    // Offset, and smaller where that keeps the first window's title in sight; never smaller
    // than `least`.
    const QPoint at = anchor.topLeft() + QPoint(offset, offset);
    const QSize shown =
        size.boundedTo(QSize(screen.right() + 1 - at.x(), screen.bottom() + 1 - at.y()))
            .expandedTo(least);
    return {within(at.x(), shown.width(), screen.left(), screen.right()),
            within(at.y(), shown.height(), screen.top(), screen.bottom()), shown.width(),
            shown.height()};
}

}  // namespace quorvel
