// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/surface.h"

namespace quorvel {

// The cell lattice of a picture: cell centres at (centreX + boxSize·a, centreY + boxSize·c).
struct CellLattice {
    int cellsPerSide = 0;
    int boxSize = 1;
    int centreX = 0;
    int centreY = 0;
};

struct DiagonalRuns {
    int nwse = 0;  // down and to the right
    int swne = 0;  // down and to the left
};

// The longest unbroken runs of marked cells along the diagonals of the finished picture. A
// cell is marked when its centre pixel differs from `background`; a lattice point outside the
// picture is never read and counts as unmarked. The diagonals are those that cross the
// cellsPerSide x cellsPerSide block of cells, followed to the picture's bottom and far edge.
DiagonalRuns LongestDiagonalRuns(const RasterView& raster, Rgb background, const CellLattice& cells,
                                 bool nwse = true, bool swne = true);

// One direction only: true for NW-SE, false for SW-NE.
int LongestDiagonalRun(const RasterView& raster, Rgb background, const CellLattice& cells,
                       bool nwse);

}  // namespace quorvel
