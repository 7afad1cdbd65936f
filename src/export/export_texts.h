// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "engine/spiral_pass.h"
#include "text/captions.h"

namespace quorvel {

// The export's words, in English and German.
struct ExportTexts {
    QString title;     // the dialog's title
    QString settings;  // caption of the picture's settings
    QString side;      // caption of the side in pixels
    QString density;   // the density switch
    QString block;     // caption of the block size
    QString file;      // caption of the file name
    QString browse;    // the button that opens the file dialog
    QString start;     // the button that starts the export
    QString cancel;    // the dialog's Cancel
    QString progress;  // the progress dialog's text
    QString noFile;    // no file name given
    QString numerals;  // numerals on a picture too large for them
    QString running;   // a second export asked for while one runs
    QString replace;   // the file exists: followed by a line break and its name
    QString reportTitle;
    QString saved;     // followed by a line break, the path, and the size and time
    QString notSaved;  // followed by a line break, the path, and the reason
};
ExportTexts ExportWords(int language);

// The tips of the dialog's controls, by objectName.
std::vector<Caption> ExportToolTips(int language);

// What the picture shows, in a line: "start 41, box size 1, Prime numbers, Cluster, circles".
QString ExportSettingsLine(const PassInput& input, int language);

// What a density map shows, which uses only the start and the kind of number.
QString DensitySettingsLine(const PassInput& input, int language);

// A file name that says what is drawn: "spiral-1-46339-cluster.png", or for a density map
// "density-1-4213-block11-primes.png".
QString ProposedExportName(const PassInput& input, int side, int density);

// Before exporting: how many numbers the picture covers and the memory it takes, e.g.
// "2147117569 numbers, 2.0 GiB of memory".
QString ExportCostLine(std::int64_t numbers, std::int64_t bytes, int language);

// "8192 × 8192 pixels in 12.3 s"
QString ExportSizeAndTime(int side, double seconds, int language);

}  // namespace quorvel
