// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/help_texts.h"

#include "text/language.h"

namespace quorvel {

QString HelpText(int language, const QString& manualAddress, const QString& coloursAddress) {
    const QString lineBreak = QStringLiteral("\n");
    if (IsGerman(language)) {
        return QStringLiteral(
                   "Die Zahlen sind, beginnend mit der Zahl 1 (oder groesser), in einer ") +
               QStringLiteral(
                   "Spirale angeordnet, wie im Bild rechts angezeigt.  Die Primzahlen ") +
               QStringLiteral(
                   "sind markiert (in diesem Fall mit Kaestchen).  Die Primzahlen haben die ") +
               QStringLiteral("Tendenz auf gerade Linien (diagonal) zu fallen.  ") +
               QStringLiteral(
                   "Anstelle von Primzahlen koennen Zufallszahlen, alle Zahlen oder nur ") +
               QStringLiteral(
                   "die Quadratzahlen angezeigt werden.  Indem sie auswaerts oder einwaerts ") +
               QStringLiteral(
                   "wandern, formen sie eine sich bewegende Spirale.  Eine ausfuehrliche ") +
               QStringLiteral("Erlaeuterung dieses Programms erhalten Sie unter der ") +
               QStringLiteral("Webadresse ") + manualAddress + QStringLiteral(" ") +
               QStringLiteral(
                   "(Sie koennen diesen Text auswaehlen und in das Adressfenster Ihres ") +
               QStringLiteral("Browsers kopieren).") + lineBreak + lineBreak +
               QStringLiteral("Die Primzahlen koennen in unterschiedlicher Weise ") +
               QStringLiteral(
                   "gefaerbt werden.  In einigen Farbmustern wiederholen sich die Farben ") +
               QStringLiteral(
                   "nach fuenf oder sechs Farben (in diesem Fall werden sie unten in der ") +
               QStringLiteral(
                   "Reihenfolge angezeigt).  Die Farbmuster erklaeren sich in der Regel ") +
               QStringLiteral("selbst, mit einer Ausnahme:") + lineBreak +
               QStringLiteral("(i) Die Ringzahl bezeichnet die Nummer ") +
               QStringLiteral(
                   "des Rings, in den die Primzahl hineinfaellt, wobei die zentrale Zahl ") +
               QStringLiteral(
                   "(hier die 1) den Ring mit der Nummer 1 bezeichnet, die naechsten 8 ") +
               QStringLiteral("Zahlen (hier 2-9) bilden den Ring 2, und so weiter.") + lineBreak +
               QStringLiteral("(ii) Die ") +
               QStringLiteral(
                   "Reihenfolge der Farben zeigt die Position der Zahl in der Folge der ") +
               QStringLiteral("Zahlen an, so hat jede 5.Zahl dieselbe Farbe.") + lineBreak +
               QStringLiteral("(iii) Jeder Zahl ist ") +
               QStringLiteral("eine eindeutig definierte Ostrandfarbe zugeordnet; das ") +
               QStringLiteral("Ostrand-Farbschema wird erklaert unter der Adresse ") +
               coloursAddress + QStringLiteral(".");
    }
    return QStringLiteral(
               "Starting with a number (1 or higher) the numbers are arranged in a spiral as in "
               "the image at right. ") +
           QStringLiteral(
               "The prime numbers are marked (here with blue boxes).  The primes tend to fall in "
               "straight lines ") +
           QStringLiteral("on the diagonals.  Instead of primes, random numbers, ") +
           QStringLiteral(
               "all numbers, or only square numbers, can be shown.  Spiralling in or out "
               "produces ") +
           QStringLiteral("a moving spiral.  For a full explanation of this program please ") +
           QStringLiteral("see ") + manualAddress + QStringLiteral(" (you can select this text ") +
           QStringLiteral("and paste it into your browser).") + lineBreak + lineBreak +
           QStringLiteral("The primes can be colored in various ways.  ") +
           QStringLiteral(
               "In some color schemes the colors repeat after five or six colors (in which case "
               "they ") +
           QStringLiteral("are shown at the bottom in order).  ") +
           QStringLiteral("The color schemes are mostly self-explanatory, except that:") +
           lineBreak +
           QStringLiteral("(i) Ring number is the number of the ring in which the prime occurs, ") +
           QStringLiteral(
               "where the central number (here 1) is ring 1, the next 8 numbers (here 2 to 9) ") +
           QStringLiteral("form ring 2, and so on.") + lineBreak +
           QStringLiteral(
               "(ii) Sequence colors show the position of the number in the number sequence, ") +
           QStringLiteral("so every 5th number has the same color.") + lineBreak +
           QStringLiteral("(iii) Ostrand color is the color of the number as explained ") +
           QStringLiteral("at ") + coloursAddress + QStringLiteral(".");
}

}  // namespace quorvel
