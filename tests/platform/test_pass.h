// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>

#include "engine/spiral_pass.h"

namespace quorvel {

// A pass as the window's controls would ask for it, with the longest runs measured.
inline PassInput TestPass(std::string start, int box, ShowMode show, ColorScheme scheme,
                          bool squares = false, bool grid = false) {
    PassInput in;
    in.startText = std::move(start);
    in.boxSize = box;
    in.show = show;
    in.colorBy = scheme;
    in.squares = squares;
    in.grid = grid;
    in.calculateLongest = true;
    return in;
}

}  // namespace quorvel
