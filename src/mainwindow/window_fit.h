// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

namespace quorvel {

// The main window's measures, natural and on the screen at hand, in logical pixels.
struct WindowFitInput {
    QSize panel;            // the control panel, wide and tall enough for both languages
    QSize tightPanel;       // the same with its rows closer together
    int pictureSide = 527;  // the picture in its own pixels
    QSize underPicture;     // the row under the picture (width), and its height with spacing
    QSize underStacked;     // the same with the colour key above the links
    QSize margins;          // around the inside (width: left, right and the gap to the panel)
    int menuHeight = 0;
    int dockWidth = 0;  // a panel docked beside the inside (the inspector), 0 for none
    QSize available;    // the screen without its panels and docks
    QSize frame;        // what the window manager adds around the window
    double devicePixelRatio = 1.0;
    int scrollBarExtent = 16;
};

struct WindowFit {
    // Picture pixels per logical pixel: chosen so that a picture pixel is always a whole
    // number of screen pixels. 1 on a screen at 100 % or 200 %, the screen's pixel ratio where
    // the picture is shown one screen pixel per picture pixel.
    double pictureRatio = 1.0;
    QSize panel;           // the panel's visible part; smaller than its natural size, it scrolls
    QSize window;          // the window's inside, menu bar and docked panel included
    bool compact = false;  // the picture as small as it stays crisp, the key above the links
    bool tight = false;    // the panel's rows closer together
    bool fits = true;      // everything shows at once; otherwise the panel scrolls
};

// Picture pixels per logical pixel at `devicePixelRatio` when there is room: the largest
// whole number of screen pixels per picture pixel that is not larger than the natural size.
double NaturalPictureRatio(double devicePixelRatio);

// The first arrangement that fits the screen whole: the natural one; then the picture at one
// screen pixel per picture pixel with the colour key above the links; then that with the
// panel's rows closer together. On a screen too small for all of them (a small screen at
// 100 %) the panel scrolls inside what the screen leaves, so that every control can still be
// reached.
WindowFit FitWindow(const WindowFitInput& in);

// Where a second window goes, frames included: beside the window at `anchor`, on the side with
// more room, as large as `preferred` or as that room; where neither side has room for
// `least`, `offset` down and to the right of the anchor, so that the first window's title and
// edge stay in sight, and as large as `preferred` or the room there (but `least` at least).
// Always within `screen`, the screen's free area.
QRect PlaceBeside(const QRect& anchor, QSize preferred, QSize least, const QRect& screen,
                  int offset);

}  // namespace quorvel
