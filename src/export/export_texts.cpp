// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/export_texts.h"

#include <QStringList>
#include <algorithm>
#include <iterator>

#include "text/captions.h"

namespace quorvel {

ExportTexts ExportWords(int language) {
    if (IsGerman(language)) {
        return {QStringLiteral("Bild exportieren"),
                QStringLiteral("Bild:"),
                QStringLiteral("Seitenlaenge (Pixel):"),
                QStringLiteral("Dichtekarte: ein Pixel je Block von Zellen"),
                QStringLiteral("Block (Zellen je Seite):"),
                QStringLiteral("Datei:"),
                QStringLiteral("Durchsuchen…"),
                QStringLiteral("Exportieren"),
                QStringLiteral("Abbrechen"),
                QStringLiteral("Das Bild wird gezeichnet und gespeichert …"),
                QStringLiteral("Bitte waehlen Sie eine Datei, in die das Bild gespeichert wird."),
                QStringLiteral("Ziffern passen nur in Bilder bis 8192 Pixel Seitenlaenge."),
                QStringLiteral("Es wird bereits ein Bild exportiert. Bitte warten Sie, bis es "
                               "fertig ist, oder brechen Sie es ab."),
                QStringLiteral("Die folgende Datei gibt es schon. Soll sie ersetzt werden?"),
                QStringLiteral("Bild exportieren"),
                QStringLiteral("Das Bild ist in der folgenden PNG-Datei gespeichert worden:"),
                QStringLiteral(
                    "Fehler!  Das Bild konnte nicht in der folgenden Datei gespeichert werden:")};
    }
    return {QStringLiteral("Export Picture"),
            QStringLiteral("Picture:"),
            QStringLiteral("Side (pixels):"),
            QStringLiteral("Density map: one pixel for a block of cells"),
            QStringLiteral("Block (cells a side):"),
            QStringLiteral("File:"),
            QStringLiteral("Browse…"),
            QStringLiteral("Export"),
            QStringLiteral("Cancel"),
            QStringLiteral("Drawing and saving the picture …"),
            QStringLiteral("Please choose the file to save the picture in."),
            QStringLiteral("Numerals fit only pictures of up to 8192 pixels a side."),
            QStringLiteral("A picture is being exported already. Please wait until it is done, "
                           "or cancel it."),
            QStringLiteral("The following file exists already. Do you want to replace it?"),
            QStringLiteral("Export picture"),
            QStringLiteral("The picture has been saved in the PNG file"),
            QStringLiteral("Save error.  The picture could not be saved in the file")};
}

std::vector<Caption> ExportToolTips(int language) {
    if (IsGerman(language)) {
        return {
            {"spnExportSide", QStringLiteral("Die Seitenlänge des Bildes in Pixeln: Bei der "
                                             "Zellgröße des Fensters zeigt ein größeres Bild mehr "
                                             "von der Spirale")},
            {"chkExportDensity", QStringLiteral("Jedes Pixel zeigt, welcher Anteil der Zahlen "
                                                "eines Blocks markiert ist: je heller, desto "
                                                "mehr")},
            {"spnExportDensity", QStringLiteral("Wie viele Zellen je Seite ein Pixel der "
                                                "Dichtekarte zusammenfasst")},
            {"txbExportFile", QStringLiteral("Die PNG-Datei, die geschrieben wird; ein Name ohne "
                                             "Ordner kommt in Ihren Home-Ordner")},
            {"cmdExportBrowse", QStringLiteral("Die Datei in einem Dateidialog wählen")},
            {"cmdExportStart", QStringLiteral("Prüft die Einstellungen und zeichnet das Bild, "
                                              "während das Fenster weiter bedienbar bleibt")},
            {"cmdExportCancel", QStringLiteral("Schließt den Dialog, ohne zu exportieren")},
        };
    }
    return {
        {"spnExportSide", QStringLiteral("The picture's side in pixels: at the window's cell "
                                         "size, a larger picture shows more of the spiral")},
        {"chkExportDensity", QStringLiteral("Each pixel shows which share of the numbers of a "
                                            "block is marked: the brighter, the more")},
        {"spnExportDensity", QStringLiteral("How many cells a side one pixel of the density map "
                                            "stands for")},
        {"txbExportFile", QStringLiteral("The PNG file to write; a name without a folder goes "
                                         "into your home folder")},
        {"cmdExportBrowse", QStringLiteral("Choose the file in a file dialog")},
        {"cmdExportStart", QStringLiteral("Checks the settings and draws the picture while the "
                                          "window goes on")},
        {"cmdExportCancel", QStringLiteral("Closes the dialog without exporting")},
    };
}

QString ExportSettingsLine(const PassInput& input, int language) {
    const bool german = IsGerman(language);
    const std::vector<ListItem> shows = ShowItems(language);
    const std::vector<ListItem> schemes = ColorByItems(language);
    const auto show = static_cast<std::size_t>(input.show);
    const auto scheme = static_cast<std::size_t>(input.colorBy);
    QStringList parts;
    parts << (german ? QStringLiteral("Anfangszahl %1") : QStringLiteral("start %1"))
                 .arg(QString::fromStdString(input.startText));
    parts << (german ? QStringLiteral("Groesse %1") : QStringLiteral("box size %1"))
                 .arg(input.boxSize);
    if (show < shows.size()) parts << shows[show].text;
    if (scheme < schemes.size()) parts << schemes[scheme].text;
    // Lower case inside the line, as in the window's captions, but for German nouns.
    const QString shape = WordOf(input.squares ? Word::Squares : Word::Circles, language);
    parts << (german ? shape : shape.toLower());
    // The grid and numerals as they are drawn: grid marks need cells of 15 pixels and
    // unmarked cells, numerals cells wider than 7 pixels.
    if (input.grid && input.boxSize >= 15 && input.show != ShowMode::All)
        parts << WordOf(Word::Grid, language);
    if (input.numerals && input.boxSize > 7) parts << WordOf(Word::Numerals, language);
    return parts.join(QStringLiteral(", "));
}

QString DensitySettingsLine(const PassInput& input, int language) {
    const std::vector<ListItem> shows = ShowItems(language);
    const auto show = static_cast<std::size_t>(input.show);
    QString line =
        (IsGerman(language) ? QStringLiteral("Anfangszahl %1") : QStringLiteral("start %1"))
            .arg(QString::fromStdString(input.startText));
    if (show < shows.size()) line += QStringLiteral(", ") + shows[show].text;
    return line;
}

QString ProposedExportName(const PassInput& input, int side, int density) {
    // Named as --show and --color are, in words.
    static const char* const kShows[] = {"primes", "random", "squares", "triangular", "all"};
    static const char* const kSchemes[] = {"cluster",  "nwse",    "swne", "ring",
                                           "sequence", "ostrand", "white"};
    const auto show = static_cast<std::size_t>(input.show);
    const auto scheme = static_cast<std::size_t>(input.colorBy);
    QString start = QString::fromStdString(input.startText).trimmed();
    if (start.isEmpty()) start = QStringLiteral("1");
    QString name = density > 0
                       ? QStringLiteral("density-%1-%2-block%3").arg(start).arg(side).arg(density)
                       : QStringLiteral("spiral-%1-%2").arg(start).arg(side);
    if (density == 0 && scheme < std::size(kSchemes))
        name += QLatin1Char('-') + QLatin1String(kSchemes[scheme]);
    if ((density > 0 || input.show != ShowMode::Primes) && show < std::size(kShows))
        name += QLatin1Char('-') + QLatin1String(kShows[show]);
    return name + QStringLiteral(".png");
}

QString ExportCostLine(std::int64_t numbers, std::int64_t bytes, int language) {
    const double mib = static_cast<double>(bytes) / (1024.0 * 1024.0);
    const QString memory =
        mib >= 1024 ? QString::number(mib / 1024, 'f', 1) + QStringLiteral(" GiB")
                    : QString::number(std::max(mib, 0.1), 'f', 1) + QStringLiteral(" MiB");
    return (IsGerman(language) ? QStringLiteral("%1 Zahlen, %2 Arbeitsspeicher")
                               : QStringLiteral("%1 numbers, %2 of memory"))
        .arg(numbers)
        .arg(memory);
}

QString ExportSizeAndTime(int side, double seconds, int language) {
    return (IsGerman(language) ? QStringLiteral("%1 × %1 Pixel in %2 s")
                               : QStringLiteral("%1 × %1 pixels in %2 s"))
        .arg(side)
        .arg(seconds, 0, 'f', 1);
}

}  // namespace quorvel
