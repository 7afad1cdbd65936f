// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/cell_cursor_texts.h"

#include "engine/spiral_pass.h"
#include "text/translation.h"

namespace quorvel {
namespace {

// A typed text is quoted as far as a message has room for it.
constexpr int kLongestQuote = 40;

QString Quoted(const QString& typed) {
    return typed.size() > kLongestQuote ? typed.left(kLongestQuote) + QChar(0x2026) : typed;
}

}  // namespace

FindNumberTexts FindNumberWords(int language) {
    const TextsIn texts(language);
    return {texts.translate("MainWindow", "&Find Number…"),
            texts.translate("MainWindow",
                            "Marks the cell of a number in the picture with the cell cursor; the "
                            "arrow keys move it on"),
            texts.translate("MainWindow", "Find number"),
            texts.translate("MainWindow", "&Number to find:"),
            texts
                .translate("MainWindow",
                           "A whole number from 0 to %1; the cell cursor goes to its cell in the "
                           "picture")
                .arg(lngMaxNumber),
            texts.translate("MainWindow", "Find"),
            texts.translate("MainWindow",
                            "Marks the number's cell in the picture with the cell cursor"),
            texts.translate("MainWindow", "Cancel"),
            texts.translate("MainWindow", "Closes this window without looking for a number")};
}

QString FindProblemText(FindProblem problem, const QString& typed, int language) {
    const TextsIn texts(language);
    const QString range =
        (texts.translate("MainWindow", "Type a whole number from 0 to %1.")).arg(lngMaxNumber);
    QString why;
    switch (problem) {
        case FindProblem::None:
            return {};
        case FindProblem::Empty:
            return range;
        case FindProblem::NotANumber:
            why = (texts.translate("MainWindow", "“%1” is not a whole number.")).arg(Quoted(typed));
            break;
        case FindProblem::Negative:
            why = texts.translate("MainWindow", "The spiral holds no negative numbers.");
            break;
        case FindProblem::TooLarge:
            why =
                (texts.translate("MainWindow", "%1 is larger than any number a picture can hold."))
                    .arg(Quoted(typed));
            break;
    }
    return why + QLatin1Char('\n') + range;
}

QString NotInPictureText(std::int64_t number,
                         std::optional<std::pair<std::int64_t, std::int64_t>> shown, int language) {
    const TextsIn texts(language);
    QString text = (texts.translate("MainWindow", "The picture does not hold %1.")).arg(number);
    if (shown) {
        text += QLatin1Char('\n') +
                (texts.translate("MainWindow", "It shows the numbers from %1 to %2."))
                    .arg(shown->first)
                    .arg(shown->second);
    }
    return text;
}

QString PictureDescription(int language) {
    return TextsIn(language).translate(
        "MainWindow",
        "The number spiral. The arrow keys move the cell cursor (ten cells "
        "with Ctrl, Home: to the centre), Enter names its number.");
}

}  // namespace quorvel
