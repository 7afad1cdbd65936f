// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>

namespace quorvel {

// Where the windows stood when the program last ended: the main window's place, the large
// view's place and size, and whether the inspector was open. Kept in a file of their own
// beside the settings file, which keeps its nine lines.
struct WindowPlaces {
    std::optional<QPoint> main;      // the main window's top left, frame included
    std::optional<QRect> largeView;  // the large view: frame's top left, inside size
    bool inspectorOpen = false;

    bool operator==(const WindowPlaces&) const = default;
};

// Lines "main=X,Y", "largeView=X,Y,W,H", "inspector=0|1", each ended by LF.
QByteArray FormatWindowPlaces(const WindowPlaces& places);
// What of those lines can be read; anything else in the file is passed over.
WindowPlaces ParseWindowPlaces(const QByteArray& content);

WindowPlaces ReadWindowPlaces(const QString& path);
bool WriteWindowPlaces(const QString& path, const WindowPlaces& places);

// A remembered place comes back only where the window, its frame included, lies wholly on one
// of today's screens (their available rectangles): screens change between runs.
bool FitsAScreen(const QRect& framed, const QList<QRect>& screens);
// The available rectangles of today's screens.
QList<QRect> AvailableScreens();

}  // namespace quorvel
