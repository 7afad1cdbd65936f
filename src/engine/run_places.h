// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/diagonal_runs.h"

namespace quorvel {

// Where a longest diagonal run lies: its first (top) cell, `a` columns east and `c` rows south of
// the centre, and how many cells it has. NW-SE runs go down to the right from there, SW-NE runs
// down to the left. Length 0 when nothing is marked.
struct RunPlace {
    int a = 0;
    int c = 0;
    int length = 0;
};

// The first of the longest runs (diagonals taken from the west or the east corner on, each
// from the top), on the diagonals LongestDiagonalRuns reads and with its reading of a cell.
// Where the longest length is known already (the pass measured it), the search ends at the
// first run of that length.
RunPlace LongestRunPlace(const RasterView& raster, Rgb background, const CellLattice& cells,
                         bool nwse, int knownLength = 0);

}  // namespace quorvel
