// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/picture_texts.h"

namespace quorvel {

PictureTexts TextsForPicture(const PassInput& input, int density) {
    const std::string_view trimmed = TrimSpaces(input.startText);
    const std::string_view start = trimmed.empty() ? "1" : WithoutLeadingZeros(trimmed);
    const bool cells = density <= 0;
    PictureTexts texts;
    texts.software = QStringLiteral("Quorvel " QUORVEL_VERSION);
    texts.description =
        QStringLiteral("start=%1 box=%2 show=%3 color=%4 shape=%5 grid=%6 numerals=%7 density=%8")
            .arg(QString::fromLatin1(start.data(), static_cast<qsizetype>(start.size())))
            .arg(cells ? input.boxSize : 1)
            .arg(static_cast<int>(input.show))
            .arg(static_cast<int>(input.colorBy))
            .arg(input.squares ? QStringLiteral("squares") : QStringLiteral("circles"))
            .arg(cells && input.grid ? 1 : 0)
            .arg(cells && input.numerals ? 1 : 0)
            .arg(cells ? 0 : density);
    return texts;
}

void SetPictureTexts(QImage& image, const PictureTexts& texts) {
    image.setText(QStringLiteral("Software"), texts.software);
    image.setText(QStringLiteral("Description"), texts.description);
}

}  // namespace quorvel
