// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/dictionary.h"

#include <cstddef>
#include <iterator>

#include "text/translation.h"

namespace quorvel {
namespace {

struct Entry {
    Word word;
    const char* english;  // the other languages come from their catalogues, context "Words"
    int line = 0;         // of a text that may take two lines: 1 the first, 2 the second
};

// clang-format off
constexpr Entry kEntries[] = {
    {Word::Use, QT_TRANSLATE_NOOP("Words", "Use")},
    {Word::Circles, QT_TRANSLATE_NOOP("Words", "Circles")},
    {Word::Squares, QT_TRANSLATE_NOOP("Words", "Squares")},
    {Word::Size, QT_TRANSLATE_NOOP("Words", "Size")},
    {Word::InPixels, QT_TRANSLATE_NOOP("Words", "in pixels")},
    {Word::ColorBy, QT_TRANSLATE_NOOP("Words", "Color by")},
    {Word::Show, QT_TRANSLATE_NOOP("Words", "Show")},
    {Word::StartNumber, QT_TRANSLATE_NOOP("Words", "Start number")},
    {Word::EndNumber, QT_TRANSLATE_NOOP("Words", "End number")},
    {Word::NumberOfNumbers, QT_TRANSLATE_NOOP("Words", "Number of numbers")},
    {Word::LongestNWSE, QT_TRANSLATE_NOOP("Words", "Longest NW-SE")},
    {Word::LongestSWNE, QT_TRANSLATE_NOOP("Words", "Longest SW-NE")},
    {Word::SmallestPrime, QT_TRANSLATE_NOOP("Words", "Smallest prime")},
    {Word::LargestPrime, QT_TRANSLATE_NOOP("Words", "Largest prime")},
    {Word::NumberShown, QT_TRANSLATE_NOOP("Words", "Number shown"), 1},
    {Word::NumberShown2, QT_TRANSLATE_NOOP("Words", "Number shown"), 2},
    {Word::DrawSpiral, QT_TRANSLATE_NOOP("Words", "Draw Spiral")},
    {Word::SpiralIn, QT_TRANSLATE_NOOP("Words", "Spiral In")},
    {Word::SpiralOut, QT_TRANSLATE_NOOP("Words", "Spiral Out")},
    {Word::Help, QT_TRANSLATE_NOOP("Words", "Help")},
    {Word::Quit, QT_TRANSLATE_NOOP("Words", "Quit")},
    {Word::Resume, QT_TRANSLATE_NOOP("Words", "Resume")},
    {Word::Grid, QT_TRANSLATE_NOOP("Words", "Grid")},
    {Word::Numerals, QT_TRANSLATE_NOOP("Words", "Numerals")},
    {Word::CentralNumberPrime, QT_TRANSLATE_NOOP("Words", "Show only for central number prime")},
    {Word::CalculateLongest, QT_TRANSLATE_NOOP("Words", "Calculate longest NW-SE, SW-NE")},
    {Word::OnlineDocumentation, QT_TRANSLATE_NOOP("Words", "Online documentation")},
    {Word::English, QT_TRANSLATE_NOOP("Words", "English")},
    {Word::German, QT_TRANSLATE_NOOP("Words", "German")},
    {Word::Cluster, QT_TRANSLATE_NOOP("Words", "Cluster")},
    {Word::DiagonalNWSE, QT_TRANSLATE_NOOP("Words", "Diagonal NW-SE")},
    {Word::DiagonalSWNE, QT_TRANSLATE_NOOP("Words", "Diagonal SW-NE")},
    {Word::RingNumber, QT_TRANSLATE_NOOP("Words", "Ring number")},
    {Word::SequenceColor, QT_TRANSLATE_NOOP("Words", "Sequence color")},
    {Word::OstrandColor, QT_TRANSLATE_NOOP("Words", "Ostrand color")},
    {Word::None, QT_TRANSLATE_NOOP("Words", "None")},
    {Word::White, QT_TRANSLATE_NOOP("Words", "White")},
    {Word::PrimeNumbers, QT_TRANSLATE_NOOP("Words", "Prime numbers")},
    {Word::RandomNumbers, QT_TRANSLATE_NOOP("Words", "Random numbers")},
    {Word::SquareNumbers, QT_TRANSLATE_NOOP("Words", "Square numbers")},
    {Word::TriangularNumbers, QT_TRANSLATE_NOOP("Words", "Triangular numbers")},
    {Word::AllNumbers, QT_TRANSLATE_NOOP("Words", "All numbers")},
    {Word::Calculating, QT_TRANSLATE_NOOP("Words", "Calculating")},
    {Word::Error, QT_TRANSLATE_NOOP("Words", "Error")},
    {Word::Stop, QT_TRANSLATE_NOOP("Words", "Stop")},
    {Word::SpirallingIn, QT_TRANSLATE_NOOP("Words", "Spiralling in")},
    {Word::SpirallingOut, QT_TRANSLATE_NOOP("Words", "Spiralling out")},
    {Word::Close, QT_TRANSLATE_NOOP("Words", "Close")},
    {Word::FileMenu, QT_TRANSLATE_NOOP("Words", "&File")},
    {Word::ViewMenu, QT_TRANSLATE_NOOP("Words", "&View")},
    {Word::HelpMenu, QT_TRANSLATE_NOOP("Words", "&Help")},
    {Word::SavePicture, QT_TRANSLATE_NOOP("Words", "&Save Picture…")},
    {Word::CopyPicture, QT_TRANSLATE_NOOP("Words", "&Copy Picture")},
    {Word::ExportPicture, QT_TRANSLATE_NOOP("Words", "&Export Picture…")},
    {Word::QuitProgram, QT_TRANSLATE_NOOP("Words", "&Quit")},
    {Word::HelpWindow, QT_TRANSLATE_NOOP("Words", "&Help")},
    {Word::UserManual, QT_TRANSLATE_NOOP("Words", "User &Manual")},
    {Word::AboutQuorvel, QT_TRANSLATE_NOOP("Words", "&About Quorvel")},
    {Word::AboutQt, QT_TRANSLATE_NOOP("Words", "About &Qt")},
    {Word::LegendTitle, QT_TRANSLATE_NOOP("Words", "Colour key")},
};
// clang-format on

// One entry per word, in the order of the enumeration, so that a word indexes its entry.
static_assert(std::size(kEntries) == static_cast<std::size_t>(Word::LegendTitle) + 1);
static_assert([] {
    for (std::size_t i = 0; i < std::size(kEntries); ++i)
        if (static_cast<std::size_t>(kEntries[i].word) != i) return false;
    return true;
}());

}  // namespace

QString WordOf(Word word, int language) {
    const Entry& entry = kEntries[static_cast<std::size_t>(word)];
    const QString text = TextsIn(language).translate("Words", entry.english);
    if (entry.line == 0) return text;
    // A caption that a language breaks over two lines: its first or second line, the
    // second empty where it takes one.
    const qsizetype lineBreak = text.indexOf(QLatin1Char('\n'));
    if (lineBreak < 0) return entry.line == 1 ? text : QString();
    return entry.line == 1 ? text.left(lineBreak) : text.mid(lineBreak + 1);
}

}  // namespace quorvel
