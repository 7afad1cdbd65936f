// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "engine/diagonal_runs.h"
#include "memory_surface.h"

namespace quorvel {
namespace {

using testing::MemorySurface;

// The runs as diagonal walks: from every cell of the west column and the top row (NW-SE), or
// of the top row and the east column (SW-NE), one cell down and across at a time, until the
// next point lies past the bottom or the far edge. Points outside the picture are unmarked.
int WalkedRun(const RasterView& raster, Rgb background, const CellLattice& cells, bool nwse) {
    const int k = cells.cellsPerSide, half = k / 2, b = cells.boxSize;
    const int cx = cells.centreX, cy = cells.centreY;
    int best = 0;
    for (int i = 0; i < k; ++i) {
        for (int side = 0; side < 2; ++side) {
            if (i == 0 && side == 1) continue;
            int x, y;
            if (nwse) {
                x = side == 0 ? cx - half * b : cx - (half - i) * b;
                y = side == 0 ? cy - (half - i) * b : cy - half * b;
            } else {
                x = side == 0 ? cx + (half - i) * b : cx + half * b;
                y = side == 0 ? cy - half * b : cy - (half - i) * b;
            }
            int run = 0;
            while (true) {
                const Rgb color = raster.Read(x, y);
                if (color != kNoColor && color != background) {
                    ++run;
                } else {
                    best = std::max(best, run);
                    run = 0;
                }
                x += nwse ? b : -b;
                y += b;
                if (y >= raster.height || (nwse ? x >= raster.width : x < 0)) break;
            }
            best = std::max(best, run);
        }
    }
    return best;
}

// Marks cell centres at random, with the given density, plus stray pixels between them.
void Scatter(MemorySurface& surface, const CellLattice& cells, double density, unsigned seq) {
    std::mt19937 random(seq);
    std::bernoulli_distribution mark(density);
    const RasterView raster = surface.Raster();
    const int span = cells.cellsPerSide;
    for (int c = -span; c <= span; ++c) {
        for (int a = -span; a <= span; ++a) {
            if (mark(random)) {
                raster.Write(cells.centreX + a * cells.boxSize, cells.centreY + c * cells.boxSize,
                             kPalette[1 + random() % 15]);
            }
        }
    }
    if (cells.boxSize > 1) {
        for (int i = 0; i < 200; ++i) {
            raster.Write(int(random() % unsigned(raster.width)),
                         int(random() % unsigned(raster.height)), kWhite);
        }
    }
}

TEST(DiagonalRuns, RowSweepAgreesWithDiagonalWalks) {
    struct Case {
        int size, box;
    };
    // Odd and even numbers of cells, lattices that overhang the picture, tiny pictures.
    for (const Case c : {Case{527, 1},
                         {527, 3},
                         {527, 5},
                         {527, 15},
                         {527, 75},
                         {40, 1},
                         {41, 3},
                         {64, 21},
                         {9, 3},
                         {1, 1},
                         {2, 3},
                         {120, 35}}) {
        const int k = std::max(1, static_cast<int>(std::nearbyint(double(c.size) / c.box)));
        const CellLattice cells{k, c.box, c.size / 2, c.size / 2};
        for (double density : {0.05, 0.5, 0.9, 1.0}) {
            SCOPED_TRACE(::testing::Message()
                         << "size " << c.size << " box " << c.box << " density " << density);
            MemorySurface surface(c.size, c.size);
            Scatter(surface, cells, density, unsigned(c.size * 100 + c.box));
            const RasterView raster = surface.Raster();
            const DiagonalRuns runs = LongestDiagonalRuns(raster, kBlack, cells);
            EXPECT_EQ(runs.nwse, WalkedRun(raster, kBlack, cells, true));
            EXPECT_EQ(runs.swne, WalkedRun(raster, kBlack, cells, false));
            EXPECT_EQ(LongestDiagonalRun(raster, kBlack, cells, true), runs.nwse);
            EXPECT_EQ(LongestDiagonalRun(raster, kBlack, cells, false), runs.swne);
            // The same picture as palette indices, row after row.
            std::vector<std::uint8_t> indices(std::size_t(c.size) * std::size_t(c.size));
            for (int y = 0; y < c.size; ++y) {
                for (int x = 0; x < c.size; ++x)
                    indices[std::size_t(y) * std::size_t(c.size) + std::size_t(x)] =
                        std::uint8_t(PaletteIndexOf(raster.Read(x, y)));
            }
            RasterView indexed;
            indexed.indices = indices.data();
            indexed.stride = indexed.width = indexed.height = c.size;
            const DiagonalRuns fromIndices = LongestDiagonalRuns(indexed, kBlack, cells);
            EXPECT_EQ(fromIndices.nwse, runs.nwse);
            EXPECT_EQ(fromIndices.swne, runs.swne);
            // And in tiles of 64 x 64, the bytes past the picture in its last tiles not black.
            RasterView tiled;
            tiled.tilesAcross = (c.size + 63) / 64;
            std::vector<std::uint8_t> tiles(
                std::size_t(tiled.tilesAcross) * tiled.tilesAcross * 4096, 9);
            tiled.indices = tiles.data();
            tiled.width = tiled.height = c.size;
            for (int y = 0; y < c.size; ++y) {
                for (int x = 0; x < c.size; ++x)
                    tiles[std::size_t(tiled.IndexOffset(x, y))] =
                        indices[std::size_t(y) * std::size_t(c.size) + std::size_t(x)];
            }
            const DiagonalRuns fromTiles = LongestDiagonalRuns(tiled, kBlack, cells);
            EXPECT_EQ(fromTiles.nwse, runs.nwse);
            EXPECT_EQ(fromTiles.swne, runs.swne);
        }
    }
}

TEST(DiagonalRuns, SingleMarkAndFullBlock) {
    MemorySurface surface(75, 75);
    const CellLattice cells{15, 5, 37, 37};
    const RasterView raster = surface.Raster();
    raster.Write(37 + 10, 37 - 15, kPalette[9]);
    EXPECT_EQ(LongestDiagonalRuns(raster, kBlack, cells).nwse, 1);
    EXPECT_EQ(LongestDiagonalRuns(raster, kBlack, cells).swne, 1);
    for (int c = -7; c <= 7; ++c) {
        for (int a = -7; a <= 7; ++a)
            raster.Write(37 + 5 * a, 37 + 5 * c, kWhite);
    }
    const DiagonalRuns full = LongestDiagonalRuns(raster, kBlack, cells);
    EXPECT_EQ(full.nwse, 15);
    EXPECT_EQ(full.swne, 15);
    // Only centre pixels count: a mark drawn in the background colour is no mark.
    raster.Write(37, 37, kBlack);
    EXPECT_EQ(LongestDiagonalRuns(raster, kBlack, cells).nwse, 14);
}

// A picture of more rows than 16 bits count has its runs counted in 32, the same way: here a
// column two pixels wide, all marked.
TEST(DiagonalRuns, PictureTallerThan16BitsCount) {
    MemorySurface surface(2, 40000);
    const RasterView raster = surface.Raster();
    for (int y = 0; y < 40000; ++y) {
        raster.Write(0, y, kWhite);
        raster.Write(1, y, kWhite);
    }
    const DiagonalRuns runs = LongestDiagonalRuns(raster, kBlack, CellLattice{3, 1, 1, 20000});
    EXPECT_EQ(runs.nwse, 2);
    EXPECT_EQ(runs.swne, 2);
}

// Runs are first counted in bytes: runs of 254 to 257 cells, on their own and beside a
// shorter one, come out whole.
TEST(DiagonalRuns, RunsAroundWhatAByteCounts) {
    for (const int length : {254, 255, 256, 257}) {
        SCOPED_TRACE(length);
        MemorySurface surface(301, 301);
        const RasterView raster = surface.Raster();
        for (int i = 0; i < length; ++i) {
            raster.Write(20 + i, 10 + i, kWhite);   // NW-SE
            raster.Write(280 - i, 10 + i, kWhite);  // SW-NE
        }
        for (int i = 0; i < 7; ++i)
            raster.Write(5 + i, 200 + i, kWhite);
        const DiagonalRuns runs =
            LongestDiagonalRuns(raster, kBlack, CellLattice{301, 1, 150, 150});
        EXPECT_EQ(runs.nwse, length);
        EXPECT_EQ(runs.swne, length);
    }
}

TEST(DiagonalRuns, NothingToMeasure) {
    MemorySurface surface(10, 10);
    EXPECT_EQ(LongestDiagonalRuns(surface.Raster(), kBlack, CellLattice{10, 1, 5, 5}).nwse, 0);
    EXPECT_EQ(LongestDiagonalRuns(surface.Raster(), kBlack, CellLattice{0, 1, 5, 5}).swne, 0);
    EXPECT_EQ(LongestDiagonalRuns(RasterView{}, kBlack, CellLattice{10, 1, 5, 5}).swne, 0);
}

}  // namespace
}  // namespace quorvel
