// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/captions.h"

#include <array>

#include "engine/color_schemes.h"
#include "text/translation.h"

namespace quorvel {
namespace {

// clang-format off
constexpr CaptionSource kToolTips[] = {
    {"txbStartNumber", QT_TRANSLATE_NOOP("MainWindow", "The number at the centre of the spiral; Enter draws it")},
    {"vsbStartNumber", QT_TRANSLATE_NOOP("MainWindow", "One up or down from the start number, drawn at once")},
    {"cmdDraw", QT_TRANSLATE_NOOP("MainWindow", "Draws the spiral again with these settings")},
    {"cmdStopCalc", QT_TRANSLATE_NOOP("MainWindow", "Stops the drawing")},
    {"cboClockTicks", QT_TRANSLATE_NOOP("MainWindow", "How many pictures the moving spiral shows a second")},
    {"optCircles", QT_TRANSLATE_NOOP("MainWindow", "Each marked number as a circle")},
    {"optSquares", QT_TRANSLATE_NOOP("MainWindow", "Each marked number as a square; neighbours touch")},
    {"cboBoxSize", QT_TRANSLATE_NOOP("MainWindow", "The side of one cell in pixels: smaller cells show more numbers")},
    {"cboShow", QT_TRANSLATE_NOOP("MainWindow", "Which numbers are marked")},
    {"chkGrid", QT_TRANSLATE_NOOP("MainWindow", "Faint dots in the unmarked cells and marks at the rings' corners, from cell size 15")},
    {"chkNumerals", QT_TRANSLATE_NOOP("MainWindow", "Writes each marked cell's number into it, from cell size 15")},
    {"chkCentralNumberPrime", QT_TRANSLATE_NOOP("MainWindow", "The arrows and the moving spiral jump from prime to prime")},
    {"chkCalculateLongest", QT_TRANSLATE_NOOP("MainWindow", "Measures the longest diagonal runs of marked cells with every picture")},
    {"cmdSpiralIn", QT_TRANSLATE_NOOP("MainWindow", "Raises the start number picture by picture: the pattern flows inwards")},
    {"cmdSpiralOut", QT_TRANSLATE_NOOP("MainWindow", "Lowers the start number picture by picture: the pattern flows outwards")},
    {"cmdStopButton", QT_TRANSLATE_NOOP("MainWindow", "Ends the moving spiral")},
    {"cmdPauseButton", QT_TRANSLATE_NOOP("MainWindow", "Holds the moving spiral still")},
    {"cmdResumeButton", QT_TRANSLATE_NOOP("MainWindow", "Lets the paused spiral move on")},
    {"cboLanguage", QT_TRANSLATE_NOOP("MainWindow", "The language of the window and of the manual")},
    {"cmdHelp", QT_TRANSLATE_NOOP("MainWindow", "A short explanation beside a small example spiral (F1)")},
    {"cmdQuit", QT_TRANSLATE_NOOP("MainWindow", "Keeps the settings for the next start and ends the program (Ctrl+Q)")},
};

constexpr CaptionSource kMenuStatusTips[] = {
    {"actSavePicture", QT_TRANSLATE_NOOP("MainWindow", "Saves the picture as it is on screen in a PNG file")},
    {"actCopyPicture", QT_TRANSLATE_NOOP("MainWindow", "Copies the picture as it is on screen to the clipboard")},
    {"actExportPicture", QT_TRANSLATE_NOOP("MainWindow", "Draws the picture at any size, or as a density map, into a PNG file")},
    {"actQuit", QT_TRANSLATE_NOOP("MainWindow", "Keeps the settings for the next start and ends the program")},
    {"actHelp", QT_TRANSLATE_NOOP("MainWindow", "A short explanation beside a small example spiral")},
    {"actUserManual", QT_TRANSLATE_NOOP("MainWindow", "Opens the user manual")},
    {"actAboutQuorvel", QT_TRANSLATE_NOOP("MainWindow", "Version, copyright and licence of Quorvel")},
    {"actAboutQt", QT_TRANSLATE_NOOP("MainWindow", "Version and licence of the Qt toolkit Quorvel is built with")},
};
// clang-format on

}  // namespace

QString Lowered(Word word, int language) {
    const QString text = WordOf(word, language);
    return IsGerman(language) ? text : text.toLower();
}

std::vector<Caption> CaptionsIn(int language, const char* context,
                                std::span<const CaptionSource> sources) {
    const TextsIn texts(language);
    std::vector<Caption> captions;
    captions.reserve(sources.size());
    for (const CaptionSource& source : sources)
        captions.push_back({source.control, texts.translate(context, source.english)});
    return captions;
}

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
    return CaptionsIn(language, "MainWindow", kToolTips);
}

std::vector<Caption> MenuStatusTips(int language) {
    return CaptionsIn(language, "MainWindow", kMenuStatusTips);
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
    const TextsIn texts(language);
    switch (message) {
        case Message::StartNumberTooLarge:
            return texts.translate("MainWindow", "Start number must be <= 2^31 - 2 = 2147483646.");
        case Message::EndNumberTooLarge:
            return texts.translate("MainWindow",
                                   "End number would be greater than 2^31 - 2 = 2147483646.");
        case Message::TriangularStartTooLarge:
            return texts.translate("MainWindow",
                                   "For triangular numbers the start number is too large.");
    }
    return {};
}

SaveImageTexts SaveTexts(int language) {
    const TextsIn texts(language);
    return {texts.translate("MainWindow", "Do you wish to save this image?"),
            texts.translate("MainWindow", "Save image?"),
            texts.translate("MainWindow", "Save image as"),
            texts.translate("MainWindow", "PNG graphics file (*.png)"),
            texts.translate("MainWindow", "Save image"),
            texts.translate("MainWindow", "The image has been saved in the PNG file"),
            texts.translate("MainWindow",
                            "Save error.  The image has been saved instead in the BMP file"),
            texts.translate("MainWindow", "Save error.  The image could not be saved in the file")};
}

AboutTexts AboutQuorvel(int language) {
    const TextsIn texts(language);
    return {texts.translate("MainWindow", "About Quorvel"),
            texts
                .translate("MainWindow",
                           "%1\n\nExplore the Ulam number spiral.\n\n"
                           "Copyright © 2026 Tarnwick\n"
                           "Licensed under the GNU General Public License, version 3 or later\n"
                           "(GPL-3.0-or-later). Quorvel comes with absolutely no warranty.")
                .arg(QStringLiteral("Quorvel " QUORVEL_VERSION))};
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
