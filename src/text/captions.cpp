// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/captions.h"

#include <array>

#include "engine/color_schemes.h"

namespace quorvel {
namespace {

// Words inside a caption are lower-cased in every language but German.
QString Lowered(Word word, int language) {
    const QString text = WordOf(word, language);
    return IsGerman(language) ? text : text.toLower();
}

}  // namespace

std::vector<Caption> LanguageDependentCaptions(int language) {
    const auto w = [language](Word word) { return WordOf(word, language); };
    // The two-line label carries its colon on the line that ends it.
    QString shown1 = w(Word::NumberShown);
    QString shown2 = w(Word::NumberShown2);
    (shown2.isEmpty() ? shown1 : shown2) += QLatin1Char(':');
    return {
        {"lblUse", w(Word::Use) + ":"},
        {"optCircles", Lowered(Word::Circles, language)},
        {"optSquares", Lowered(Word::Squares, language)},
        {"lblSizeInPixels", w(Word::Size) + " (" + Lowered(Word::InPixels, language) + "):"},
        {"lblColorBy", w(Word::ColorBy) + ":"},
        {"lblShow", w(Word::Show) + ":"},
        {"lblStartNumber", w(Word::StartNumber) + ":"},
        {"lblEndNumber", w(Word::EndNumber) + ":"},
        {"lblNumberofNumbers", w(Word::NumberOfNumbers) + ":"},
        {"lblLongestNWSE", w(Word::LongestNWSE) + ":"},
        {"lblLongestSWNE", w(Word::LongestSWNE) + ":"},
        {"lblSmallestPrime", w(Word::SmallestPrime) + ":"},
        {"lblLargestPrime", w(Word::LargestPrime) + ":"},
        {"lblNumberShown", shown1},
        {"lblNumberShown2", shown2},
        {"cmdDraw", w(Word::DrawSpiral)},
        {"cmdSpiralIn", w(Word::SpiralIn)},
        {"cmdSpiralOut", w(Word::SpiralOut)},
        {"cmdHelp", w(Word::Help)},
        {"cmdQuit", w(Word::Quit)},
        {"cmdResumeButton", w(Word::Resume)},
        {"chkGrid", w(Word::Grid)},
        {"chkNumerals", w(Word::Numerals)},
        {"chkCentralNumberPrime", w(Word::CentralNumberPrime)},
        {"chkCalculateLongest", w(Word::CalculateLongest)},
        {"lblOnlineDocumentation", w(Word::OnlineDocumentation)},
    };
}

std::vector<Caption> LanguageDependentToolTips(int language) {
    if (IsGerman(language)) {
        return {
            {"txbStartNumber", QStringLiteral("Die Zahl in der Mitte der Spirale; die "
                                              "Eingabetaste zeichnet sie")},
            {"vsbStartNumber", QStringLiteral("Die Anfangszahl um eins höher oder niedriger, "
                                              "sofort gezeichnet")},
            {"cmdDraw", QStringLiteral("Zeichnet die Spirale mit diesen Einstellungen neu")},
            {"cmdStopCalc", QStringLiteral("Bricht das Zeichnen ab")},
            {"cboClockTicks", QStringLiteral("Wie viele Bilder die bewegte Spirale je Sekunde "
                                             "zeigt")},
            {"optCircles", QStringLiteral("Jede markierte Zahl als Kreis")},
            {"optSquares", QStringLiteral("Jede markierte Zahl als Quadrat; Nachbarn "
                                          "berühren sich")},
            {"cboBoxSize", QStringLiteral("Die Seitenlänge einer Zelle in Pixeln: Kleinere "
                                          "Zellen zeigen mehr Zahlen")},
            {"cboShow", QStringLiteral("Welche Zahlen markiert werden")},
            {"chkGrid", QStringLiteral("Schwache Punkte in den unmarkierten Zellen und Marken "
                                       "an den Ecken der Ringe, ab Zellgröße 15")},
            {"chkNumerals", QStringLiteral("Schreibt in jede markierte Zelle ihre Zahl, ab "
                                           "Zellgröße 15")},
            {"chkCentralNumberPrime", QStringLiteral("Die Pfeile und die bewegte Spirale "
                                                     "springen von Primzahl zu Primzahl")},
            {"chkCalculateLongest", QStringLiteral("Misst bei jedem Bild die längsten "
                                                   "diagonalen Folgen markierter Zellen")},
            {"cmdSpiralIn", QStringLiteral("Erhöht die Anfangszahl Bild für Bild: Das Muster "
                                           "fließt nach innen")},
            {"cmdSpiralOut", QStringLiteral("Senkt die Anfangszahl Bild für Bild: Das Muster "
                                            "fließt nach außen")},
            {"cmdStopButton", QStringLiteral("Beendet die bewegte Spirale")},
            {"cmdPauseButton", QStringLiteral("Hält die bewegte Spirale an")},
            {"cmdResumeButton", QStringLiteral("Lässt die angehaltene Spirale weiterlaufen")},
            {"cboLanguage", QStringLiteral("Die Sprache des Fensters und des Handbuchs")},
            {"cmdHelp", QStringLiteral("Eine kurze Erklärung mit einer kleinen Beispielspirale "
                                       "(F1)")},
            {"cmdQuit", QStringLiteral("Merkt sich die Einstellungen und beendet das Programm "
                                       "(Strg+Q)")},
        };
    }
    return {
        {"txbStartNumber", QStringLiteral("The number at the centre of the spiral; Enter draws "
                                          "it")},
        {"vsbStartNumber", QStringLiteral("One up or down from the start number, drawn at "
                                          "once")},
        {"cmdDraw", QStringLiteral("Draws the spiral again with these settings")},
        {"cmdStopCalc", QStringLiteral("Stops the drawing")},
        {"cboClockTicks", QStringLiteral("How many pictures the moving spiral shows a second")},
        {"optCircles", QStringLiteral("Each marked number as a circle")},
        {"optSquares", QStringLiteral("Each marked number as a square; neighbours touch")},
        {"cboBoxSize", QStringLiteral("The side of one cell in pixels: smaller cells show more "
                                      "numbers")},
        {"cboShow", QStringLiteral("Which numbers are marked")},
        {"chkGrid", QStringLiteral("Faint dots in the unmarked cells and marks at the rings' "
                                   "corners, from cell size 15")},
        {"chkNumerals", QStringLiteral("Writes each marked cell's number into it, from cell size "
                                       "15")},
        {"chkCentralNumberPrime", QStringLiteral("The arrows and the moving spiral jump from "
                                                 "prime to prime")},
        {"chkCalculateLongest", QStringLiteral("Measures the longest diagonal runs of marked "
                                               "cells with every picture")},
        {"cmdSpiralIn", QStringLiteral("Raises the start number picture by picture: the "
                                       "pattern flows inwards")},
        {"cmdSpiralOut", QStringLiteral("Lowers the start number picture by picture: the "
                                        "pattern flows outwards")},
        {"cmdStopButton", QStringLiteral("Ends the moving spiral")},
        {"cmdPauseButton", QStringLiteral("Holds the moving spiral still")},
        {"cmdResumeButton", QStringLiteral("Lets the paused spiral move on")},
        {"cboLanguage", QStringLiteral("The language of the window and of the manual")},
        {"cmdHelp", QStringLiteral("A short explanation beside a small example spiral (F1)")},
        {"cmdQuit", QStringLiteral("Keeps the settings for the next start and ends the program "
                                   "(Ctrl+Q)")},
    };
}

std::vector<Caption> MenuStatusTips(int language) {
    if (IsGerman(language)) {
        return {
            {"actSavePicture", QStringLiteral("Speichert das Bild, wie es zu sehen ist, als "
                                              "PNG-Datei")},
            {"actCopyPicture", QStringLiteral("Kopiert das Bild, wie es zu sehen ist, in die "
                                              "Zwischenablage")},
            {"actExportPicture", QStringLiteral("Zeichnet das Bild in beliebiger Größe oder als "
                                                "Dichtekarte in eine PNG-Datei")},
            {"actQuit", QStringLiteral("Merkt sich die Einstellungen und beendet das Programm")},
            {"actHelp", QStringLiteral("Eine kurze Erklärung mit einer kleinen Beispielspirale")},
            {"actUserManual", QStringLiteral("Öffnet das Benutzerhandbuch")},
            {"actAboutQuorvel", QStringLiteral("Version, Copyright und Lizenz von Quorvel")},
            {"actAboutQt", QStringLiteral("Version und Lizenz des Qt-Toolkits, mit dem Quorvel "
                                          "gebaut ist")},
        };
    }
    return {
        {"actSavePicture", QStringLiteral("Saves the picture as it is on screen in a PNG file")},
        {"actCopyPicture", QStringLiteral("Copies the picture as it is on screen to the "
                                          "clipboard")},
        {"actExportPicture", QStringLiteral("Draws the picture at any size, or as a density map, "
                                            "into a PNG file")},
        {"actQuit", QStringLiteral("Keeps the settings for the next start and ends the program")},
        {"actHelp", QStringLiteral("A short explanation beside a small example spiral")},
        {"actUserManual", QStringLiteral("Opens the user manual")},
        {"actAboutQuorvel", QStringLiteral("Version, copyright and licence of Quorvel")},
        {"actAboutQt", QStringLiteral("Version and licence of the Qt toolkit Quorvel is built "
                                      "with")},
    };
}

std::vector<ListItem> LanguageItems(int language) {
    return {{WordOf(Word::English, language), intEnglish},
            {WordOf(Word::German, language), intGerman}};
}

std::vector<ListItem> ColorByItems(int language) {
    constexpr std::array kSchemes = {Word::Cluster,    Word::DiagonalNWSE,  Word::DiagonalSWNE,
                                     Word::RingNumber, Word::SequenceColor, Word::OstrandColor};
    std::vector<ListItem> items;
    for (std::size_t i = 0; i < kSchemes.size(); ++i)
        items.push_back({WordOf(kSchemes[i], language), kColorSchemeItemData[i]});
    items.push_back({WordOf(Word::None, language) + " (" + Lowered(Word::White, language) + ")",
                     kColorSchemeItemData[kSchemes.size()]});
    return items;
}

std::vector<ListItem> ShowItems(int language) {
    std::vector<ListItem> items;
    for (const Word word : {Word::PrimeNumbers, Word::RandomNumbers, Word::SquareNumbers,
                            Word::TriangularNumbers, Word::AllNumbers})
        items.push_back({WordOf(word, language), 0});
    return items;
}

QString CalculatingText(int language) {
    return WordOf(Word::Calculating, language) + " ...";
}

QString MessageText(Message message, int language) {
    const bool german = IsGerman(language);
    switch (message) {
        case Message::StartNumberTooLarge:
            return german ? QStringLiteral(
                                "Die Startzahl muss kleiner als 2^31 - 2 = 2147483646 sein.")
                          : QStringLiteral("Start number must be <= 2^31 - 2 = 2147483646.");
        case Message::EndNumberTooLarge:
            return german
                       ? QStringLiteral("Die Endzahl würde 2^31 - 2 = 2147483646 übersteigen.")
                       : QStringLiteral("End number would be greater than 2^31 - 2 = 2147483646.");
        case Message::TriangularStartTooLarge:
            return german ? QStringLiteral("Bei Dreieckzahlen ist die Startzahl zu gross.")
                          : QStringLiteral("For triangular numbers the start number is too large.");
    }
    return {};
}

SaveImageTexts SaveTexts(int language) {
    if (IsGerman(language)) {
        return {QStringLiteral("Moechten Sie dieses Bild speichern?"),
                QStringLiteral("Bild speichern?"),
                QStringLiteral("Bild speichern als"),
                QStringLiteral("PNG-Grafikdatei (*.png)"),
                QStringLiteral("Bild speichern"),
                QStringLiteral("Das Bild ist im folgende PNG-Datei gespeichert worden:"),
                QStringLiteral("Fehler!  Das Image ist stattdessen ") +
                    QStringLiteral("in der folgende BMP-Datei gespeichert:"),
                QStringLiteral(
                    "Fehler!  Das Bild konnte nicht in der folgenden Datei gespeichert werden:")};
    }
    return {QStringLiteral("Do you wish to save this image?"),
            QStringLiteral("Save image?"),
            QStringLiteral("Save image as"),
            QStringLiteral("PNG graphics file (*.png)"),
            QStringLiteral("Save image"),
            QStringLiteral("The image has been saved in the PNG file"),
            QStringLiteral("Save error.  The image has been saved instead in the BMP file"),
            QStringLiteral("Save error.  The image could not be saved in the file")};
}

AboutTexts AboutQuorvel(int language) {
    const QString version = QStringLiteral("Quorvel " QUORVEL_VERSION);
    if (IsGerman(language)) {
        return {QStringLiteral("Ueber Quorvel"),
                version + QStringLiteral("\n\nDie Ulam-Zahlenspirale erkunden.\n\n") +
                    QString::fromUtf8("Copyright © 2026 Tarnwick\n") +
                    QStringLiteral("Lizenz: GNU General Public License, Version 3 oder spaeter\n"
                                   "(GPL-3.0-or-later). Quorvel wird ohne jede Gewaehrleistung\n"
                                   "bereitgestellt.")};
    }
    return {QStringLiteral("About Quorvel"),
            version + QStringLiteral("\n\nExplore the Ulam number spiral.\n\n") +
                QString::fromUtf8("Copyright © 2026 Tarnwick\n") +
                QStringLiteral("Licensed under the GNU General Public License, version 3 or later\n"
                               "(GPL-3.0-or-later). Quorvel comes with absolutely no warranty.")};
}

QString RefusalMessage(PassOutcome outcome, int language) {
    switch (outcome) {
        case PassOutcome::StartNumberTooLarge:
            return MessageText(Message::StartNumberTooLarge, language);
        case PassOutcome::EndNumberTooLarge:
            return MessageText(Message::EndNumberTooLarge, language);
        case PassOutcome::TriangularStartTooLarge:
            return MessageText(Message::TriangularStartTooLarge, language);
        case PassOutcome::Drawn:
        case PassOutcome::Stopped:
        case PassOutcome::AlreadyRunning:
            break;
    }
    return {};
}

}  // namespace quorvel
