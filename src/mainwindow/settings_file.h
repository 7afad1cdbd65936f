// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "mainwindow/list_positions.h"
#include "text/language.h"

namespace quorvel {

// The shape of the cells as the file writes it.
inline constexpr int intShapeCircles = 1;  // anything else is squares
inline constexpr int intShapeSquares = 0;
// A check box as the file writes it.
inline constexpr int intChecked = 1;  // anything else is not
inline constexpr int intUnchecked = 0;

// The user's choices, as positions in the window's lists: kept between runs, and while the
// program runs the window's own record of them.
struct Settings {
    int language = intEnglish;
    int shape = intShapeCircles;
    int boxSize = BoxSizePosition(15);  // positions in the size, scheme, show and clock-rate lists
    int colorBy = PositionOf(ColorScheme::Cluster);
    int show = PositionOf(ShowMode::Primes);
    int clockTicks = ClockRatePosition(4);
    QString startText = QStringLiteral("1");  // the start-number box as it was
    int grid = intUnchecked;
    int numerals = intChecked;
    int centralNumberPrime = intUnchecked;
    int calculateLongest = intUnchecked;

    bool operator==(const Settings&) const = default;
};

inline constexpr int intSettingsVersion = 1;
// A settings file is a few dozen bytes; anything much larger is not one of ours.
inline constexpr qsizetype kMaxSettingsFileSize = 64 * 1024;

// The nine lines of the file, each ended by CR LF: version, language, shape, the four list
// positions, the start text in double quotes, and the four check boxes.
QByteArray FormatSettings(const Settings& settings);

// The values of a settings file, or nothing when it is not a complete file of this version.
// Commas and line ends alike end a value, spaces around values are skipped, the start text
// may be quoted; the twelve values come strictly in order. Values the window has no place
// for are mended: another language reads as English, a list position past the end of its
// list as that list's default. A start text with anything but digits in it damages the file.
std::optional<Settings> ParseSettings(const QByteArray& content);

// The choices a start begins with, from those a file keeps: sizes 1, 3 and 5 (which take a
// moment to draw) give way to 7, a position before a list's first is its first, the shape and
// the check boxes are 1 or 0 as the window shows them, and stepping from prime to prime stays
// chosen only from a prime start number.
Settings StartingSettings(const Settings& saved);

// Where the settings file of this user lives: the file name in the folder under the user's
// configuration folder (the home folder when there is none). Creates missing folders on the
// way; when that fails, reading and writing the file will fail and fall back quietly.
QString DataFilePath(const QString& fileName, const QString& folderName);

// The file's settings, or the defaults when it is missing, unreadable, too large, damaged or
// not a regular file (a pipe there is never waited on).
Settings ReadSettingsFile(const QString& path);

// Replaces the file as a whole: a failure at any point leaves the previous file as it was.
// Only a regular file (or none) is replaced: a pipe or device there is left alone. Returns
// false on failure, which the program leaves unreported.
bool WriteSettingsFile(const QString& path, const Settings& settings);

}  // namespace quorvel
