// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>

#include "engine/run_places.h"
#include "memory_surface.h"

namespace quorvel {
namespace {

using testing::MemorySurface;

// Where a run is said to lie, it must be there: as long as the longest run measured, every cell
// of it marked, the cells just before and after it not.
TEST(RunPlaces, TheLongestRunIsWhereItIsSaid) {
    for (const auto& [side, box, density] :
         {std::tuple{101, 1, 0.5}, std::tuple{527, 15, 0.6}, std::tuple{64, 3, 0.9},
          std::tuple{40, 5, 0.0}, std::tuple{30, 1, 1.0}}) {
        MemorySurface surface(side, side);
        surface.Clear(kBlack);
        const int k = std::max(1, (side + box / 2) / box);
        const CellLattice cells{k, box, side / 2, side / 2};
        std::mt19937 random(static_cast<unsigned>(side * 7 + box));
        std::bernoulli_distribution mark(density);
        const RasterView raster = surface.Raster();
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                if (mark(random)) raster.Write(x, y, 0xFFFFFF);
        const DiagonalRuns measured = LongestDiagonalRuns(raster, kBlack, cells);
        for (const bool nwse : {true, false}) {
            const RunPlace place = LongestRunPlace(raster, kBlack, cells, nwse);
            EXPECT_EQ(place.length, nwse ? measured.nwse : measured.swne) << side << " " << box;
            const auto markedAt = [&](int i) {
                const int x = cells.centreX + box * (place.a + (nwse ? i : -i));
                const int y = cells.centreY + box * (place.c + i);
                return raster.Contains(x, y) && raster.Read(x, y) != kBlack;
            };
            if (place.length == 0) continue;
            for (int i = 0; i < place.length; ++i)
                EXPECT_TRUE(markedAt(i)) << i;
            EXPECT_FALSE(markedAt(-1));
            EXPECT_FALSE(markedAt(place.length));
            // Told the length, the search stops at the same run.
            const RunPlace known = LongestRunPlace(raster, kBlack, cells, nwse, place.length);
            EXPECT_EQ(std::tie(known.a, known.c, known.length),
                      std::tie(place.a, place.c, place.length));
        }
    }
}

}  // namespace
}  // namespace quorvel
