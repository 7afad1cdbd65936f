// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/export_texts.h"

#include <QStringList>
#include <algorithm>
#include <iterator>

#include "text/captions.h"
#include "text/translation.h"

namespace quorvel {

ExportTexts ExportWords(int language) {
    const TextsIn texts(language);
    return {
        texts.translate("Export", "Export Picture"),
        texts.translate("Export", "Picture:"),
        texts.translate("Export", "Side (pixels):"),
        texts.translate("Export", "Density map: one pixel for a block of cells"),
        texts.translate("Export", "Block (cells a side):"),
        texts.translate("Export", "File:"),
        texts.translate("Export", "Browse…"),
        texts.translate("Export", "Export"),
        texts.translate("Export", "Cancel"),
        texts.translate("Export", "Drawing and saving the picture …"),
        texts.translate("Export", "Please choose the file to save the picture in."),
        texts.translate("Export", "Numerals fit only pictures of up to 8192 pixels a side."),
        texts.translate("Export",
                        "A picture is being exported already. Please wait until it is done, "
                        "or cancel it."),
        texts.translate("Export", "The following file exists already. Do you want to replace it?"),
        texts.translate("Export", "Export picture"),
        texts.translate("Export", "The picture has been saved in the PNG file"),
        texts.translate("Export", "Save error.  The picture could not be saved in the file")};
}

std::vector<Caption> ExportToolTips(int language) {
    const TextsIn texts(language);
    return {
        {"spnExportSide", texts.translate("Export",
                                          "The picture's side in pixels: at the window's cell "
                                          "size, a larger picture shows more of the spiral")},
        {"chkExportDensity", texts.translate("Export",
                                             "Each pixel shows which share of the numbers of a "
                                             "block is marked: the brighter, the more")},
        {"spnExportDensity", texts.translate("Export",
                                             "How many cells a side one pixel of the density map "
                                             "stands for")},
        {"txbExportFile", texts.translate("Export",
                                          "The PNG file to write; a name without a folder goes "
                                          "into your home folder")},
        {"cmdExportBrowse", texts.translate("Export", "Choose the file in a file dialog")},
        {"cmdExportStart", texts.translate("Export",
                                           "Checks the settings and draws the picture while the "
                                           "window goes on")},
        {"cmdExportCancel", texts.translate("Export", "Closes the dialog without exporting")},
    };
}

QString ExportSettingsLine(const PassInput& input, int language) {
    const TextsIn texts(language);
    const std::vector<ListItem> shows = ShowItems(language);
    const std::vector<ListItem> schemes = ColorByItems(language);
    const auto show = static_cast<std::size_t>(input.show);
    const auto scheme = static_cast<std::size_t>(input.colorBy);
    QStringList parts;
    parts << (texts.translate("Export", "start %1")).arg(QString::fromStdString(input.startText));
    parts << (texts.translate("Export", "box size %1")).arg(input.boxSize);
    if (show < shows.size()) parts << shows[show].text;
    if (scheme < schemes.size()) parts << schemes[scheme].text;
    parts << Lowered(input.squares ? Word::Squares : Word::Circles, language);
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
    QString line = (TextsIn(language).translate("Export", "start %1"))
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
    return (TextsIn(language).translate("Export", "%1 numbers, %2 of memory"))
        .arg(numbers)
        .arg(memory);
}

QString ExportSizeAndTime(int side, double seconds, int language) {
    return (TextsIn(language).translate("Export", "%1 × %1 pixels in %2 s"))
        .arg(side)
        .arg(seconds, 0, 'f', 1);
}

}  // namespace quorvel
