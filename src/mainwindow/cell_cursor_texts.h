// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel {

// The words of the picture's keyboard cell cursor, in English and German.

// What the picture is and which keys it takes, for screen readers.
QString PictureDescription(int language);

}  // namespace quorvel
