// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/cell_cursor_texts.h"

#include "engine/spiral_pass.h"
#include "text/language.h"

namespace quorvel {
namespace {

// A typed text is quoted as far as a message has room for it.
constexpr int kLongestQuote = 40;

QString Quoted(const QString& typed) {
    return typed.size() > kLongestQuote ? typed.left(kLongestQuote) + QChar(0x2026) : typed;
}

}  // namespace

FindNumberTexts FindNumberWords(int language) {
    if (IsGerman(language)) {
        return {QStringLiteral("Zahl &finden…"),
                QStringLiteral("Markiert die Zelle einer Zahl im Bild mit dem Zellcursor; die "
                               "Pfeiltasten bewegen ihn weiter"),
                QStringLiteral("Zahl finden"),
                QStringLiteral("Gesuchte &Zahl:"),
                QStringLiteral("Eine ganze Zahl von 0 bis %1; der Zellcursor geht zu ihrer Zelle "
                               "im Bild")
                    .arg(lngMaxNumber),
                QStringLiteral("Finden"),
                QStringLiteral("Markiert die Zelle der Zahl im Bild mit dem Zellcursor"),
                QStringLiteral("Abbrechen"),
                QStringLiteral("Schließt dieses Fenster, ohne eine Zahl zu suchen")};
    }
    return {QStringLiteral("&Find Number…"),
            QStringLiteral("Marks the cell of a number in the picture with the cell cursor; the "
                           "arrow keys move it on"),
            QStringLiteral("Find number"),
            QStringLiteral("&Number to find:"),
            QStringLiteral("A whole number from 0 to %1; the cell cursor goes to its cell in the "
                           "picture")
                .arg(lngMaxNumber),
            QStringLiteral("Find"),
            QStringLiteral("Marks the number's cell in the picture with the cell cursor"),
            QStringLiteral("Cancel"),
            QStringLiteral("Closes this window without looking for a number")};
}

QString FindProblemText(FindProblem problem, const QString& typed, int language) {
    const bool german = IsGerman(language);
    const QString range = (german ? QStringLiteral("Geben Sie eine ganze Zahl von 0 bis %1 ein.")
                                  : QStringLiteral("Type a whole number from 0 to %1."))
                              .arg(lngMaxNumber);
    QString why;
    switch (problem) {
        case FindProblem::None:
            return {};
        case FindProblem::Empty:
            return range;
        case FindProblem::NotANumber:
            why = (german ? QStringLiteral("„%1“ ist keine ganze Zahl.")
                          : QStringLiteral("“%1” is not a whole number."))
                      .arg(Quoted(typed));
            break;
        case FindProblem::Negative:
            why = german ? QStringLiteral("Die Spirale enthält keine negativen Zahlen.")
                         : QStringLiteral("The spiral holds no negative numbers.");
            break;
        case FindProblem::TooLarge:
            why = (german ? QStringLiteral("%1 ist größer als jede Zahl, die ein Bild enthalten "
                                           "kann.")
                          : QStringLiteral("%1 is larger than any number a picture can hold."))
                      .arg(Quoted(typed));
            break;
    }
    return why + QLatin1Char('\n') + range;
}

QString NotInPictureText(std::int64_t number,
                         std::optional<std::pair<std::int64_t, std::int64_t>> shown, int language) {
    const bool german = IsGerman(language);
    QString text = (german ? QStringLiteral("Das Bild enthält %1 nicht.")
                           : QStringLiteral("The picture does not hold %1."))
                       .arg(number);
    if (shown) {
        text += QLatin1Char('\n') + (german ? QStringLiteral("Es zeigt die Zahlen von %1 bis %2.")
                                            : QStringLiteral("It shows the numbers from %1 to %2."))
                                        .arg(shown->first)
                                        .arg(shown->second);
    }
    return text;
}

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
