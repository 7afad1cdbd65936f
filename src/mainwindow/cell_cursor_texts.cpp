// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/cell_cursor_texts.h"

#include "text/language.h"

namespace quorvel {

QString PictureDescription(int language) {
    return IsGerman(language)
               ? QStringLiteral(
                     "Die Zahlenspirale. Die Pfeiltasten bewegen den Zellcursor (mit "
                     "Strg zehn Zellen weit, Pos1: zur Mitte), die Eingabetaste nennt "
                     "seine Zahl.")
               : QStringLiteral(
                     "The number spiral. The arrow keys move the cell cursor (ten cells "
                     "with Ctrl, Home: to the centre), Enter names its number.");
}

}  // namespace quorvel
