// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/dictionary.h"

#include <cstddef>
#include <iterator>

namespace quorvel {
namespace {

struct Entry {
    Word word;
    const char* english;
    const char* german;
};

// clang-format off
constexpr Entry kEntries[] = {
    {Word::Use, "Use", "Darstellung"},
    {Word::Circles, "Circles", "Kreise"},
    {Word::Squares, "Squares", "Quadrate"},
    {Word::Size, "Size", "Groesse"},
    {Word::InPixels, "in pixels", "in Pixeln"},
    {Word::ColorBy, "Color by", "Faerben nach"},
    {Word::Show, "Show", "Anzeigen"},
    {Word::StartNumber, "Start number", "Anfangszahl"},
    {Word::EndNumber, "End number", "Endzahl"},
    {Word::NumberOfNumbers, "Number of numbers", "Anzahl der Zahlen"},
    {Word::LongestNWSE, "Longest NW-SE", "Laengste NW-SO"},
    {Word::LongestSWNE, "Longest SW-NE", "Laengste SW-NO"},
    {Word::SmallestPrime, "Smallest prime", "Kleinste Primzahl"},
    {Word::LargestPrime, "Largest prime", "Groesste Primzahl"},
    {Word::NumberShown, "Number shown", "Anzahl der sicht-"},
    {Word::NumberShown2, "", "baren Zahlen"},
    {Word::DrawSpiral, "Draw Spiral", "Spirale zeichnen"},
    {Word::SpiralIn, "Spiral In", "Spirale nach Innen"},
    {Word::SpiralOut, "Spiral Out", "Spirale nach Aussen"},
    {Word::Help, "Help", "Hilfe"},
    {Word::Quit, "Quit", "Beenden"},
    {Word::Resume, "Resume", "Weiter"},
    {Word::Grid, "Grid", "Gitternetz"},
    {Word::Numerals, "Numerals", "Ziffern"},
    {Word::CentralNumberPrime, "Show only for central number prime",
     "Anzeige nur, wenn Zentrumszahl prim"},
    {Word::CalculateLongest, "Calculate longest NW-SE, SW-NE", "Laengste NW-SO/SW-NO kalkulieren"},
    {Word::OnlineDocumentation, "Online documentation", "Online-Dokumentation"},
    {Word::English, "English", "Englisch"},
    {Word::German, "German", "Deutsch"},
    {Word::Cluster, "Cluster", "Gruppe"},
    {Word::DiagonalNWSE, "Diagonal NW-SE", "Diagonal NW-SO"},
    {Word::DiagonalSWNE, "Diagonal SW-NE", "Diagonal SW-NO"},
    {Word::RingNumber, "Ring number", "Ringzahl"},
    {Word::SequenceColor, "Sequence color", "Farbreihenfolge"},
    {Word::OstrandColor, "Ostrand color", "Ostrandfarbe"},
    {Word::None, "None", "Keine"},
    {Word::White, "White", "Weiss"},
    {Word::PrimeNumbers, "Prime numbers", "Primzahlen"},
    {Word::RandomNumbers, "Random numbers", "Zufallszahlen"},
    {Word::SquareNumbers, "Square numbers", "Quadratzahlen"},
    {Word::TriangularNumbers, "Triangular numbers", "Dreieckzahlen"},
    {Word::AllNumbers, "All numbers", "Alle Zahlen"},
    {Word::Calculating, "Calculating", "Rechnen"},
    {Word::Error, "Error", "Fehler"},
    {Word::Stop, "Stop", "Halt"},
    {Word::SpirallingIn, "Spiralling in", "Spiralbewegung nach Innen"},
    {Word::SpirallingOut, "Spiralling out", "Spiralbewegung nach Aussen"},
    {Word::Close, "Close", "Schliessen"},
    {Word::FileMenu, "&File", "&Datei"},
    {Word::ViewMenu, "&View", "&Ansicht"},
    {Word::HelpMenu, "&Help", "&Hilfe"},
    {Word::SavePicture, "&Save Picture…", "Bild &speichern…"},
    {Word::CopyPicture, "&Copy Picture", "Bild &kopieren"},
    {Word::ExportPicture, "&Export Picture…", "Bild &exportieren…"},
    {Word::QuitProgram, "&Quit", "&Beenden"},
    {Word::HelpWindow, "&Help", "&Hilfe"},
    {Word::UserManual, "User &Manual", "&Benutzerhandbuch"},
    {Word::AboutQuorvel, "&About Quorvel", "&Ueber Quorvel"},
    {Word::AboutQt, "About &Qt", "Ueber &Qt"},
    {Word::LegendTitle, "Colour key", "Farbschluessel"},
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
    return QString::fromUtf8(IsGerman(language) ? entry.german : entry.english);
}

}  // namespace quorvel
