// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <utility>

namespace quorvel {

// The words of the picture's keyboard cell cursor and of Find Number, in English and German.
// Numbers are plain digits, as in the labels.

struct FindNumberTexts {
    QString menu;     // the View menu's entry
    QString menuTip;  // its status tip
    QString title;    // the dialog's and its messages' title
    QString prompt;
    QString boxTip;
    QString find;
    QString findTip;
    QString cancel;
    QString cancelTip;
};
FindNumberTexts FindNumberWords(int language);

// Why a typed text names no number a picture can hold.
enum class FindProblem { None, Empty, NotANumber, Negative, TooLarge };
QString FindProblemText(FindProblem problem, const QString& typed, int language);

// The number is not in the picture on screen, which shows `first` … `last` (none: no picture).
QString NotInPictureText(std::int64_t number,
                         std::optional<std::pair<std::int64_t, std::int64_t>> shown, int language);

// What the picture is and which keys it takes, for screen readers.
QString PictureDescription(int language);

}  // namespace quorvel
