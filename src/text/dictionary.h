// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "text/language.h"

namespace quorvel {

// The entries of the word dictionary: every language-dependent caption, list item and title
// is taken from here.
enum class Word {
    // Captions of the main window.
    Use,
    Circles,
    Squares,
    Size,
    InPixels,
    ColorBy,
    Show,
    StartNumber,
    EndNumber,
    NumberOfNumbers,
    LongestNWSE,
    LongestSWNE,
    SmallestPrime,
    LargestPrime,
    NumberShown,   // first line of the two-line label
    NumberShown2,  // second line: empty in English
    DrawSpiral,
    SpiralIn,
    SpiralOut,
    Help,
    Quit,
    Resume,
    Grid,
    Numerals,
    CentralNumberPrime,
    CalculateLongest,
    OnlineDocumentation,
    // List items.
    English,
    German,
    Cluster,
    DiagonalNWSE,
    DiagonalSWNE,
    RingNumber,
    SequenceColor,
    OstrandColor,
    None,
    White,
    PrimeNumbers,
    RandomNumbers,
    SquareNumbers,
    TriangularNumbers,
    AllNumbers,
    // Read by the drawing pass, the moving spiral, the messages and the help window.
    Calculating,
    Error,
    Stop,
    SpirallingIn,
    SpirallingOut,
    Close,
    // The menu bar; "&" marks the letter that opens or chooses the entry with Alt.
    FileMenu,
    ViewMenu,
    HelpMenu,
    SavePicture,
    CopyPicture,
    ExportPicture,
    QuitProgram,
    HelpWindow,
    UserManual,
    AboutQuorvel,
    AboutQt,
    LegendTitle,  // the name of the colour key, for screen readers
};

// The entry's text in `language`. German words are written with ae, oe, ue and ss.
QString WordOf(Word word, int language);

}  // namespace quorvel
