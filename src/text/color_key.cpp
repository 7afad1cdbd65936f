// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/color_key.h"

#include <QStringList>
#include <array>

#include "text/language.h"

namespace quorvel {
namespace {

enum Scheme { kCluster, kDiagonalNWSE, kDiagonalSWNE, kRing, kSequence, kOstrand, kWhite };

// The colour cycle from light blue on, as the swatches show it.
QString CycleColorName(int swatch, bool german) {
    static constexpr std::array<const char*, 6> kEnglish = {
        "Light blue", "Light green", "Light cyan", "Light red", "Light magenta", "Yellow"};
    static constexpr std::array<const char*, 6> kGerman = {"Hellblau", "Hellgruen",   "Helltuerkis",
                                                           "Hellrot",  "Hellmagenta", "Gelb"};
    return QString::fromUtf8((german ? kGerman : kEnglish)[static_cast<std::size_t>(swatch)]);
}

// "a, a + step, a + 2·step, …"
QString Progression(int first, int step) {
    return QStringLiteral("%1, %2, %3, …").arg(first).arg(first + step).arg(first + 2 * step);
}

}  // namespace

QString ColorKeyCaption(int scheme, int language) {
    const bool german = IsGerman(language);
    switch (scheme) {
        case kDiagonalNWSE:
            return german ? QStringLiteral("NW-SO-Diagonalen:")
                          : QStringLiteral("NW-SE diagonals:");
        case kDiagonalSWNE:
            return german ? QStringLiteral("SW-NO-Diagonalen:")
                          : QStringLiteral("SW-NE diagonals:");
        case kRing:
            return german ? QStringLiteral("Ringe:") : QStringLiteral("Rings:");
        case kSequence:
            return german ? QStringLiteral("Zahlen:") : QStringLiteral("Numbers:");
        default:
            return {};
    }
}

QString SwatchToolTip(int scheme, int swatch, int language) {
    const bool german = IsGerman(language);
    const int cycle = scheme == kSequence ? 5 : 6;
    if (ColorKeyCaption(scheme, language).isEmpty() || swatch < 0 || swatch >= cycle) return {};
    const QString color = CycleColorName(swatch, german);
    switch (scheme) {
        case kDiagonalNWSE:
        case kDiagonalSWNE: {
            // A diagonal's colour is its distance from the one through the centre, modulo 6.
            const bool nwse = scheme == kDiagonalNWSE;
            const QString index = nwse ? QStringLiteral("|x − y|") : QStringLiteral("|x + y|");
            return german
                       ? QStringLiteral(
                             "%1: die %2-Diagonalen mit %3 = %4\n"
                             "(x Spalten oestlich, y Zeilen suedlich der Mitte)")
                             .arg(color, nwse ? QStringLiteral("NW-SO") : QStringLiteral("SW-NO"),
                                  index, Progression(swatch, 6))
                       : QStringLiteral(
                             "%1: the %2 diagonals where %3 = %4\n"
                             "(x columns east, y rows south of the centre)")
                             .arg(color, nwse ? QStringLiteral("NW-SE") : QStringLiteral("SW-NE"),
                                  index, Progression(swatch, 6));
        }
        case kRing:
            return german ? QStringLiteral("%1: die Ringe %2 (die Mitte ist Ring 1)")
                                .arg(color, Progression(swatch + 1, 6))
                          : QStringLiteral("%1: rings %2 (the centre is ring 1)")
                                .arg(color, Progression(swatch + 1, 6));
        case kSequence:
            return german ? QStringLiteral("%1: die Zahlen %2 (Rest %3 bei Division durch 5)")
                                .arg(color, Progression(swatch + 1, 5))
                                .arg((swatch + 1) % 5)
                          : QStringLiteral("%1: the numbers %2 (remainder %3 when divided by 5)")
                                .arg(color, Progression(swatch + 1, 5))
                                .arg((swatch + 1) % 5);
        default:
            return {};
    }
}

QString SchemeToolTip(int scheme, int language) {
    const bool german = IsGerman(language);
    switch (scheme) {
        case kCluster:
            return german
                       ? QStringLiteral(
                             "Gruppe: Eine markierte Zahl uebernimmt die Farbe eines markierten\n"
                             "diagonalen Nachbarn oder einer markierten Zelle zwei Schritte\n"
                             "entfernt in gerader Linie. Ohne solche beginnt sie eine neue Gruppe\n"
                             "in der Farbe ihres Rings; eine Primzahl direkt nach einer\n"
                             "Primzahl (Abstand 2) setzt deren Gruppe fort.")
                       : QStringLiteral(
                             "Cluster: a marked number takes the colour of a marked diagonal\n"
                             "neighbour, or of a marked cell two steps away in a straight line.\n"
                             "Without either it starts a new cluster in the colour of its ring;\n"
                             "a prime right after a prime (a twin, 2 apart) carries on its "
                             "cluster.");
        case kDiagonalNWSE:
        case kDiagonalSWNE:
            return german ? QStringLiteral(
                                "Jede Diagonale hat eine Farbe; sechs Farben wechseln sich\n"
                                "ab. Der Farbschluessel unter dem Bild sagt, welche.")
                          : QStringLiteral(
                                "Each diagonal has one colour, six colours in turn.\n"
                                "The key under the picture tells which is which.");
        case kRing:
            return german ? QStringLiteral(
                                "Jeder Ring um die Mitte hat eine Farbe; sechs Farben\n"
                                "wechseln sich ab. Der Farbschluessel unter dem Bild sagt, welche.")
                          : QStringLiteral(
                                "Each ring around the centre has one colour, six colours\n"
                                "in turn. The key under the picture tells which is which.");
        case kSequence:
            return german ? QStringLiteral(
                                "Die Farbe folgt der Zahl: fuenf Farben im Wechsel, 1, 2, 3, …\n"
                                "Der Farbschluessel unter dem Bild sagt, welche.")
                          : QStringLiteral(
                                "The colour follows the number: five colours in turn, 1, 2, 3, …\n"
                                "The key under the picture tells which is which.");
        case kOstrand:
            return german ? QStringLiteral(
                                "Ostrandfarbe: Primzahlen nach ihrem Rest bei Division durch 12:\n"
                                "  Rest 5 (und die 2) hellrot, Rest 7 (und die 3) hellgruen,\n"
                                "  Rest 11 hellblau, Rest 1 schwarz.\n"
                                "Andere Zahlen nach der Anzahl ihrer verschiedenen Primteiler:\n"
                                "  1 hellrot, 2 hellgruen, 3 gelb, 4 hellblau, 5 hellmagenta,\n"
                                "  6 helltuerkis, 7 weiss; keiner (0 und 1) schwarz.\n"
                                "Schwarze Zellen erhalten einen weissen Rand, wo sie gross genug "
                                "sind.")
                          : QStringLiteral(
                                "Ostrand color: primes by their remainder when divided by 12:\n"
                                "  remainder 5 (and 2) light red, 7 (and 3) light green,\n"
                                "  11 light blue, 1 black.\n"
                                "Other numbers by how many different primes divide them:\n"
                                "  1 light red, 2 light green, 3 yellow, 4 light blue, 5 light "
                                "magenta,\n"
                                "  6 light cyan, 7 white; none (0 and 1) black.\n"
                                "Black cells get a white outline where they are large enough.");
        case kWhite:
            return german ? QStringLiteral("Keine (Weiss): Jede markierte Zahl ist weiss.")
                          : QStringLiteral("None (white): every marked number is white.");
        default:
            return {};
    }
}

}  // namespace quorvel
