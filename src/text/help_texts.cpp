// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/help_texts.h"

#include "text/translation.h"

namespace quorvel {

QString HelpText(int language, const QString& manualAddress, const QString& coloursAddress) {
    return TextsIn(language)
        .translate(
            "Help",
            "Starting with a number (1 or higher) the numbers are arranged in a spiral as in "
            "the image at right. The prime numbers are marked (here with blue boxes).  The "
            "primes tend to fall in straight lines on the diagonals.  Instead of primes, "
            "random numbers, all numbers, or only square numbers, can be shown.  Spiralling "
            "in or out produces a moving spiral.  For a full explanation of this program "
            "please see %1 (you can select this text and paste it into your browser).\n"
            "\n"
            "The primes can be colored in various ways.  In some color schemes the colors "
            "repeat after five or six colors (in which case they are shown at the bottom in "
            "order).  The color schemes are mostly self-explanatory, except that:\n"
            "(i) Ring number is the number of the ring in which the prime occurs, where the "
            "central number (here 1) is ring 1, the next 8 numbers (here 2 to 9) form ring "
            "2, and so on.\n"
            "(ii) Sequence colors show the position of the number in the number sequence, so "
            "every 5th number has the same color.\n"
            "(iii) Ostrand color is the color of the number as explained at %2.")
        .arg(manualAddress, coloursAddress);
}

}  // namespace quorvel
