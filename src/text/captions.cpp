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
