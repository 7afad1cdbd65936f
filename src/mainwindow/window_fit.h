// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

namespace quorvel {

// The main window's measures, natural and on the screen at hand, in logical pixels.
struct WindowFitInput {
    QSize panel;            // the control panel, wide and tall enough for both languages
    int pictureSide = 527;  // the picture in its own pixels
    QSize underPicture;     // the row under the picture (width), and its height with spacing
    QSize margins;          // around the inside (width: left, right and the gap to the panel)
    int menuHeight = 0;
    QSize available;  // the screen without its panels and docks
    QSize frame;      // what the window manager adds around the window
    double devicePixelRatio = 1.0;
    int scrollBarExtent = 16;
};

struct WindowFit {
    // Picture pixels per logical pixel: 1 normally, the screen's pixel ratio where the
    // picture is shown one screen pixel per picture pixel to save room.
    double pictureRatio = 1.0;
    QSize panel;   // the panel's visible part; smaller than its natural size, it scrolls
    QSize window;  // the window's inside, menu bar included
    bool compact = false;
};

// Where the whole window fits the screen it keeps its natural size. Where it does not, the
// picture shrinks to one screen pixel per picture pixel (crisp, on a scaled screen) and the
// panel scrolls inside what the screen leaves, so that every control can still be reached.
WindowFit FitWindow(const WindowFitInput& in);

// Where a second window goes, frames included: beside the window at `anchor`, on the side with
// more room, as large as `preferred` or as that room; where neither side has room for
// `least`, `offset` down and to the right of the anchor, so that the first window's title and
// edge stay in sight, and as large as `preferred` or the room there (but `least` at least).
// Always within `screen`, the screen's free area.
QRect PlaceBeside(const QRect& anchor, QSize preferred, QSize least, const QRect& screen,
                  int offset);

}  // namespace quorvel
