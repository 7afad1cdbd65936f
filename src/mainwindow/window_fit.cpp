// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/window_fit.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

double NaturalPictureRatio(double devicePixelRatio) {
    if (devicePixelRatio <= 1.0) return 1.0;
    return devicePixelRatio / std::floor(devicePixelRatio + 1e-9);
}

WindowFit FitWindow(const WindowFitInput& in) {
    const QSize room = in.available - in.frame;
    const double compactRatio = std::max(1.0, in.devicePixelRatio);
    struct Arrangement {
        double ratio;
        QSize panel;
        QSize under;
        bool compact;
        bool tight;
    };
    const Arrangement arrangements[] = {
        {NaturalPictureRatio(in.devicePixelRatio), in.panel, in.underPicture, false, false},
        {compactRatio, in.panel, in.underStacked, true, false},
        {compactRatio, in.tightPanel, in.underStacked, true, true}};
    WindowFit fit;
    QSize leftColumn;
    for (const Arrangement& a : arrangements) {
        const int side = static_cast<int>(std::ceil(in.pictureSide / a.ratio - 1e-9));
        leftColumn = QSize(std::max(side, a.under.width()), side + a.under.height());
        fit.pictureRatio = a.ratio;
        fit.panel = a.panel;
        fit.compact = a.compact;
        fit.tight = a.tight;
        fit.window = QSize(
            in.margins.width() + leftColumn.width() + a.panel.width() + in.dockWidth,
            in.menuHeight + in.margins.height() + std::max(leftColumn.height(), a.panel.height()));
        if (fit.window.width() <= room.width() && fit.window.height() <= room.height()) return fit;
    }

    // The last arrangement, its panel scrolling in what the picture leaves, but never less
    // than a sliver to scroll in.
    fit.fits = false;
    const QSize natural = fit.panel;
    const QSize fixed(in.margins.width() + leftColumn.width() + in.dockWidth,
                      in.menuHeight + in.margins.height());
    const QSize smallest(3 * in.scrollBarExtent,
                         std::max(leftColumn.height(), 3 * in.scrollBarExtent));
    QSize panel = (room - fixed).expandedTo(smallest).boundedTo(natural);
    // A panel that scrolls up and down needs room for its scroll bar beside it.
    if (panel.height() < natural.height()) {
        panel.setWidth(std::min(natural.width() + in.scrollBarExtent,
                                std::max(panel.width(), room.width() - fixed.width())));
    }
    if (panel.width() < natural.width()) {
        panel.setHeight(std::min(natural.height() + in.scrollBarExtent,
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
