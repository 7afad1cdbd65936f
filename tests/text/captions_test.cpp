// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QStringList>

#include "text/captions.h"

namespace quorvel {
namespace {

QStringList Rendered(const std::vector<Caption>& captions) {
    QStringList lines;
    for (const Caption& c : captions)
        lines << QString::fromLatin1(c.control) + "=" + c.text;
    return lines;
}

QStringList Rendered(const std::vector<ListItem>& items) {
    QStringList lines;
    for (const ListItem& item : items)
        lines << item.text + "=" + QString::number(item.data);
    return lines;
}

TEST(Captions, EveryCaptionInBothLanguages) {
    EXPECT_EQ(Rendered(LanguageDependentCaptions(intEnglish)),
              QStringList({"lblUse=Use:",
                           "optCircles=circles",
                           "optSquares=squares",
                           "lblSizeInPixels=Size (in pixels):",
                           "lblColorBy=Color by:",
                           "lblShow=Show:",
                           "lblStartNumber=Start number:",
                           "lblEndNumber=End number:",
                           "lblNumberofNumbers=Number of numbers:",
                           "lblLongestNWSE=Longest NW-SE:",
                           "lblLongestSWNE=Longest SW-NE:",
                           "lblSmallestPrime=Smallest prime:",
                           "lblLargestPrime=Largest prime:",
                           "lblNumberShown=Number shown:",
                           "lblNumberShown2=",
                           "cmdDraw=Draw Spiral",
                           "cmdSpiralIn=Spiral In",
                           "cmdSpiralOut=Spiral Out",
                           "cmdHelp=Help",
                           "cmdQuit=Quit",
                           "cmdResumeButton=Resume",
                           "chkGrid=Grid",
                           "chkNumerals=Numerals",
                           "chkCentralNumberPrime=Show only for central number prime",
                           "chkCalculateLongest=Calculate longest NW-SE, SW-NE",
                           "lblOnlineDocumentation=Online documentation"}));
    EXPECT_EQ(Rendered(LanguageDependentCaptions(intGerman)),
              QStringList({"lblUse=Darstellung:",
                           "optCircles=Kreise",
                           "optSquares=Quadrate",
                           "lblSizeInPixels=Groesse (in Pixeln):",
                           "lblColorBy=Faerben nach:",
                           "lblShow=Anzeigen:",
                           "lblStartNumber=Anfangszahl:",
                           "lblEndNumber=Endzahl:",
                           "lblNumberofNumbers=Anzahl der Zahlen:",
                           "lblLongestNWSE=Laengste NW-SO:",
                           "lblLongestSWNE=Laengste SW-NO:",
                           "lblSmallestPrime=Kleinste Primzahl:",
                           "lblLargestPrime=Groesste Primzahl:",
                           "lblNumberShown=Anzahl der sicht-",
                           "lblNumberShown2=baren Zahlen:",
                           "cmdDraw=Spirale zeichnen",
                           "cmdSpiralIn=Spirale nach Innen",
                           "cmdSpiralOut=Spirale nach Aussen",
                           "cmdHelp=Hilfe",
                           "cmdQuit=Beenden",
                           "cmdResumeButton=Weiter",
                           "chkGrid=Gitternetz",
                           "chkNumerals=Ziffern",
                           "chkCentralNumberPrime=Anzeige nur, wenn Zentrumszahl prim",
                           "chkCalculateLongest=Laengste NW-SO/SW-NO kalkulieren",
                           "lblOnlineDocumentation=Online-Dokumentation"}));
    // Any other language index reads as English.
    EXPECT_EQ(Rendered(LanguageDependentCaptions(2)),
              Rendered(LanguageDependentCaptions(intEnglish)));
}

TEST(Captions, ListsInBothLanguages) {
    EXPECT_EQ(Rendered(LanguageItems(intEnglish)), QStringList({"English=0", "German=1"}));
    EXPECT_EQ(Rendered(LanguageItems(intGerman)), QStringList({"Englisch=0", "Deutsch=1"}));
    EXPECT_EQ(Rendered(ColorByItems(intEnglish)),
              QStringList({"Cluster=6", "Diagonal NW-SE=6", "Diagonal SW-NE=6", "Ring number=6",
                           "Sequence color=5", "Ostrand color=0", "None (white)=0"}));
    EXPECT_EQ(Rendered(ColorByItems(intGerman)),
              QStringList({"Gruppe=6", "Diagonal NW-SO=6", "Diagonal SW-NO=6", "Ringzahl=6",
                           "Farbreihenfolge=5", "Ostrandfarbe=0", "Keine (Weiss)=0"}));
    EXPECT_EQ(Rendered(ShowItems(intEnglish)),
              QStringList({"Prime numbers=0", "Random numbers=0", "Square numbers=0",
                           "Triangular numbers=0", "All numbers=0"}));
    EXPECT_EQ(Rendered(ShowItems(intGerman)),
              QStringList({"Primzahlen=0", "Zufallszahlen=0", "Quadratzahlen=0", "Dreieckzahlen=0",
                           "Alle Zahlen=0"}));
}

TEST(Captions, WordsAndMessages) {
    EXPECT_EQ(CalculatingText(intEnglish), "Calculating ...");
    EXPECT_EQ(CalculatingText(intGerman), "Rechnen ...");
    const std::pair<Word, const char*> words[] = {
        {Word::Error, "Error/Fehler"},
        {Word::Stop, "Stop/Halt"},
        {Word::SpirallingIn, "Spiralling in/Spiralbewegung nach Innen"},
        {Word::SpirallingOut, "Spiralling out/Spiralbewegung nach Aussen"},
        {Word::Help, "Help/Hilfe"},
        {Word::Close, "Close/Schliessen"},
    };
    for (const auto& [word, both] : words)
        EXPECT_EQ(WordOf(word, intEnglish) + "/" + WordOf(word, intGerman), both);
    EXPECT_EQ(MessageText(Message::StartNumberTooLarge, intGerman),
              "Die Startzahl muss kleiner als 2^31 - 2 = 2147483646 sein.");
    EXPECT_EQ(MessageText(Message::EndNumberTooLarge, intGerman),
              QString::fromUtf8("Die Endzahl würde 2^31 - 2 = 2147483646 übersteigen."));
    EXPECT_EQ(MessageText(Message::TriangularStartTooLarge, intGerman),
              "Bei Dreieckzahlen ist die Startzahl zu gross.");
    // Each refusal of a pass has its message; other outcomes have none.
    EXPECT_EQ(RefusalMessage(PassOutcome::EndNumberTooLarge, intEnglish),
              "End number would be greater than 2^31 - 2 = 2147483646.");
    EXPECT_EQ(RefusalMessage(PassOutcome::TriangularStartTooLarge, intGerman),
              MessageText(Message::TriangularStartTooLarge, intGerman));
    EXPECT_EQ(RefusalMessage(PassOutcome::StartNumberTooLarge, intEnglish),
              MessageText(Message::StartNumberTooLarge, intEnglish));
    for (const PassOutcome none :
         {PassOutcome::Drawn, PassOutcome::Stopped, PassOutcome::AlreadyRunning})
        EXPECT_EQ(RefusalMessage(none, intEnglish), "");
}

}  // namespace
}  // namespace quorvel
