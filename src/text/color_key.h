// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel {

// What the colours of each scheme stand for, in words: the caption of the key under the
// picture and the tip of each of its swatches for the schemes that cycle through colours, and
// the tip of the colour list for every scheme (the only explanation of the schemes without a
// key). `scheme` is the position in the colour list, `swatch` 0 … 5 the swatch from the left.

// The key's caption; empty for a scheme without a key.
QString ColorKeyCaption(int scheme, int language);
// What the swatch's colour stands for; empty where the scheme has no such swatch.
QString SwatchToolTip(int scheme, int swatch, int language);
// How the scheme colours the marked numbers.
QString SchemeToolTip(int scheme, int language);

}  // namespace quorvel
