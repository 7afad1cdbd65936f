// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <variant>
#include <vector>

#include "text/captions.h"

namespace quorvel {

// The largest start number of the large view. Its cells go on to 2^63 - 1 (kLargestNumber),
// and so does Go to.
inline constexpr std::uint64_t kLargeViewMaxNumber = 1'000'000'000'000'000'000u;

// The large view's words, in English and German.
struct LargeViewTexts {
    QString title;     // the window's title
    QString menu;      // the View menu's entry
    QString start;     // caption of the start-number box
    QString goTo;      // caption of the go-to box
    QString startTip;  // the boxes' tips
    QString goToTip;
    QString cellSize;   // "cell size %1" in the status bar
    QString beyond;     // the readout over a cell whose number would pass 2^63 - 1
    QString rendering;  // shown while tiles are still being drawn
    QString show;       // captions of the lists of kinds of number and of colours
    QString colorBy;
    QString clusterOutOfReach;  // why an entry is greyed here
    QString randomOutOfReach;
    QString sharedDigits;  // "…" in the cells stands for these leading digits: "%1…"
    QString menuTip;       // the View menu entry's status tip
};
LargeViewTexts LargeViewWords(int language);

// The tips of the view's boxes and lists, by objectName.
std::vector<Caption> LargeViewToolTips(int language);

// What a number typed into one of the boxes is: the number, or the message that says why not.
// Surrounding blanks are forgiven; anything but the digits 0-9 in between is not.
struct EntryError {
    QString message;
};
using EntryResult = std::variant<std::uint64_t, EntryError>;

// A start number: 0 … 10^18.
EntryResult CheckStartEntry(const QString& text, int language);
// A number to go to in the spiral of start S: S … 2^63 - 1, every number a cell of it holds.
EntryResult CheckGoToEntry(const QString& text, std::uint64_t start, int language);

}  // namespace quorvel
