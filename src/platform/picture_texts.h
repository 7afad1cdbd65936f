// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

#include "engine/spiral_pass.h"

namespace quorvel {

// The two texts every PNG picture of the program carries, so that it can be made again.
struct PictureTexts {
    // "Quorvel <version>"
    QString software;
    // "start=S box=B show=M color=C shape=circles|squares grid=0|1 numerals=0|1 density=K":
    // the start number without spaces or leading zeros, the box size, the show and colour list
    // positions; density is 0 for a picture of cells, else the block size K of a density map,
    // for which box, grid and numerals are always 1, 0, 0 (it draws no cells).
    QString description;
};

PictureTexts TextsForPicture(const PassInput& input, int density = 0);

// Puts the texts into `image`, under the keywords "Software" and "Description", where Qt's PNG
// writer (and WritePng) takes them from.
void SetPictureTexts(QImage& image, const PictureTexts& texts);

}  // namespace quorvel
