// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/density_map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/spiral_layout.h"
#include "memory_surface.h"

namespace quorvel {
namespace {

PassInput Input(std::string start, ShowMode show) {
    PassInput in;
    in.startText = std::move(start);
    in.boxSize = 1;
    in.show = show;
    in.colorBy = ColorScheme::White;
    return in;
}

// Marked numbers per block, cell by cell: every number classified on its own, in walk order
// (random numbers draw their values in that order), its cell's block found from its place.
std::vector<int> CountsCellByCell(std::int32_t start, ShowMode show, int side, int block) {
    const std::int64_t cells = std::int64_t{side} * block;
    const std::int64_t centreX = (cells - 1) / 2;
    const std::int64_t centreY = cells / 2;
    const std::int64_t count = std::min<std::int64_t>(cells * cells, lngMaxNumber - start + 1);
    PrimeWindow primes;
    primes.Prepare(start, static_cast<std::int32_t>(start + count - 1), false);
    RandomSource random;
    random.Restart(-start);
    std::vector<int> counts(std::size_t(side) * side, 0);
    const auto add = [&](std::int64_t i, int x, int y) {
        bool isPrime = false;
        if (IsNumberShown(static_cast<std::int32_t>(start + i), show, primes, random, isPrime)) {
            ++counts[std::size_t((centreY + y) / block * side + (centreX + x) / block)];
        }
        return true;
    };
    add(0, 0, 0);
    WalkSpiral(count, [&](std::int64_t i, int x, int y, int, Corner) { return add(i, x, y); });
    return counts;
}

// The map counts exactly the marks a cell picture would have, block by block, for every show
// mode, odd and even numbers of cells a side, small and large blocks, and maps that reach past
// the number range; its statistics are those of the drawing pass over the same numbers.
TEST(DensityMap, CountsWhatTheCellPictureMarks) {
    struct Case {
        const char* start;
        int side;
        int block;
    };
    // (Blocks of 70 cells a side: pieces of runs longer than a word of bits; 1200 x 1200
    // cells: more numbers than the sieve holds at once.)
    const Case cases[] = {{"1", 9, 3},           {"0", 10, 2}, {"97", 7, 5},
                          {"2147482946", 15, 2}, {"1", 8, 70}, {"1000003", 20, 60}};
    for (const Case& c : cases) {
        for (int show = 0; show < kShowModeCount; ++show) {
            if (show == int(ShowMode::Triangular) && std::string(c.start).size() > 5) continue;
            SCOPED_TRACE(std::string(c.start) + " show " + std::to_string(show) + " side " +
                         std::to_string(c.side) + " block " + std::to_string(c.block));
            const PassInput in = Input(c.start, static_cast<ShowMode>(show));
            DensityMap map;
            const PassResult r = map.Draw(in, c.side, c.block);
            ASSERT_EQ(r.outcome, PassOutcome::Drawn);
            const std::vector<int> expected =
                CountsCellByCell(r.startNumber, in.show, c.side, c.block);
            std::vector<std::uint8_t> levels(std::size_t(c.side));
            int shown = 0;
            for (int y = 0; y < c.side; ++y) {
                map.LevelsOfRow(y, levels.data());
                for (int x = 0; x < c.side; ++x) {
                    const int marked = expected[std::size_t(y * c.side + x)];
                    shown += marked;
                    if (r.endNumber == lngMaxNumber) continue;  // blocks may be partial
                    const double all = c.block * c.block;
                    EXPECT_EQ(levels[std::size_t(x)], std::lround(255 * std::sqrt(marked / all)))
                        << x << "," << y;
                }
            }
            EXPECT_EQ(r.numberShown, shown);

            const int cells = c.side * c.block;
            if (cells % 2 == 0 || r.endNumber == lngMaxNumber) continue;
            // An odd number of cells a side: the pass's own picture has the same cells.
            testing::MemorySurface surface(cells, cells);
            SpiralEngine engine;
            const PassResult pass = engine.DrawSpiral(in, surface);
            EXPECT_EQ(r.endNumber, pass.endNumber);
            EXPECT_EQ(r.geometry.numberOfNumbers, pass.geometry.numberOfNumbers);
            EXPECT_EQ(r.numberShown, pass.numberShown);
            EXPECT_EQ(r.smallestPrime, pass.smallestPrime);
            EXPECT_EQ(r.largestPrime, pass.largestPrime);
            EXPECT_EQ(r.centreIsPrime, pass.centreIsPrime);
        }
    }
}

// All numbers fill every block; where the map reaches past 2147483646 a block counts only the
// numbers it has, and one without any is dark.
TEST(DensityMap, LevelsAreSharesOfTheNumbersABlockHolds) {
    DensityMap map;
    const PassResult r = map.Draw(Input("2147483546", ShowMode::All), 7, 2);
    ASSERT_EQ(r.outcome, PassOutcome::Drawn);
    EXPECT_EQ(r.endNumber, lngMaxNumber);
    EXPECT_EQ(r.geometry.numberOfNumbers, 101);
    EXPECT_EQ(r.numberShown, 101);
    std::vector<std::uint8_t> row(7);
    int dark = 0;
    for (int y = 0; y < 7; ++y) {
        map.LevelsOfRow(y, row.data());
        for (int x = 0; x < 7; ++x) {
            const bool inner = x > 0 && x < 6 && y > 0 && y < 6;
            if (inner) {
                EXPECT_EQ(row[std::size_t(x)], 255) << x << "," << y;
            }
            EXPECT_TRUE(row[std::size_t(x)] == 0 || row[std::size_t(x)] == 255);
            dark += row[std::size_t(x)] == 0;
        }
    }
    // 101 numbers fill the 10 x 10 cells of the inner pixels and one cell beyond.
    EXPECT_EQ(dark, 24 - 1);
    EXPECT_EQ(kDensityRamp[0] & 0xFFFFFF, 0x0E0821u);  // near black
    EXPECT_GT(kDensityRamp[255] & 0xFF, 0xC0u);        // pale: every channel bright
}

TEST(DensityMap, RefusesWhatThePassRefuses) {
    struct Case {
        const char* start;
        ShowMode show;
        int side;
        int block;
        PassOutcome outcome;
    };
    const Case cases[] = {
        {"2147483647", ShowMode::Primes, 9, 2, PassOutcome::StartNumberTooLarge},
        // The whole range at 11 cells a pixel: the outermost ring reaches past it.
        {"1", ShowMode::Primes, 4213, 11, PassOutcome::Drawn},
        {"1", ShowMode::Primes, 4215, 11, PassOutcome::EndNumberTooLarge},
        {"0", ShowMode::All, 23172, 2, PassOutcome::Drawn},
        {"2147483547", ShowMode::Primes, 7, 2, PassOutcome::Drawn},  // 10² inner cells
        {"2147483548", ShowMode::Primes, 7, 2, PassOutcome::EndNumberTooLarge},
        {"268435455", ShowMode::Triangular, 3, 2, PassOutcome::TriangularStartTooLarge},
        {"268435420", ShowMode::Triangular, 3, 2, PassOutcome::Drawn},  // 36 numbers
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " side " + std::to_string(c.side));
        EXPECT_EQ(DensityMap::Check(Input(c.start, c.show), c.side, c.block), c.outcome);
    }
    DensityMap map;
    EXPECT_EQ(map.Draw(Input("2147483548", ShowMode::Primes), 7, 2).outcome,
              PassOutcome::EndNumberTooLarge);
}

class StopAtOnce final : public PassObserver {
  public:
    void OnProgress(std::int64_t done, std::int64_t total) override {
        reports.push_back(double(done) / double(total));
    }
    bool StopRequested() override { return true; }
    std::vector<double> reports;
};

TEST(DensityMap, StopsAtTheFirstCheckpoint) {
    StopAtOnce observer;
    DensityMap map;
    const PassResult r = map.Draw(Input("1", ShowMode::Primes), 600, 2, &observer);
    EXPECT_EQ(r.outcome, PassOutcome::Stopped);
    ASSERT_EQ(observer.reports.size(), 1u);
    EXPECT_GT(observer.reports[0], 0.5);  // 2^20 of 1200² numbers
    EXPECT_LT(observer.reports[0], 1.0);
}

}  // namespace
}  // namespace quorvel
