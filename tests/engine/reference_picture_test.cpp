// SPDX-License-Identifier: GPL-3.0-or-later
#include "reference_picture.h"

#include <gtest/gtest.h>

#include "engine/prime_bits_picture.h"
#include "engine/spiral_tiles.h"
#include "memory_surface.h"

namespace quorvel {
namespace {

using testing::DrawReference;
using testing::ExpectSameStatistics;
using testing::MemorySurface;
using testing::ReferenceResult;
using testing::SamePixels;

// The drawing pass on a plain 32-bit surface draws every picture of the table as the plain
// rules do, cell by cell.
TEST(ReferencePicture, ThePassDrawsWhatTheRulesDraw) {
    for (const PictureRequest& r : testing::ReferenceTable()) {
        SCOPED_TRACE(testing::Describe(r));
        MemorySurface expected(r.width, r.height);
        const ReferenceResult want = DrawReference(r, expected);
        MemorySurface actual(r.width, r.height);
        SpiralEngine engine;
        const PassResult got = engine.DrawSpiral(testing::InputOf(r), actual);
        ExpectSameStatistics(want, got);
        if (want.outcome == PassOutcome::Drawn) {
            ASSERT_TRUE(SamePixels(expected, actual));
        }
    }
}

// The pictures made from a bit a number: every request of the table the chooser gives them.
TEST(ReferencePicture, PrimeBitsDrawWhatTheRulesDraw) {
    int served = 0;
    for (const PictureRequest& r : testing::ReferenceTable()) {
        if (ChooseRenderer(r) != RendererId::PrimeBits) continue;
        ++served;
        SCOPED_TRACE(testing::Describe(r));
        MemorySurface expected(r.width, r.height);
        const ReferenceResult want = DrawReference(r, expected);
        PrimeBitsPicture bits;
        const PassResult got = bits.Draw(testing::InputOf(r), r.width);
        ExpectSameStatistics(want, got);
        std::vector<std::uint8_t> row(static_cast<std::size_t>(r.width));
        for (int y = 0; y < r.height; ++y) {
            bits.Rows(y, 1, row.data());
            for (int x = 0; x < r.width; ++x)
                ASSERT_EQ(PaletteRgb(row[static_cast<std::size_t>(x)]), expected.ReadPixel(x, y))
                    << "pixel " << x << "," << y;
        }
    }
    EXPECT_EQ(served, kColorSchemeCount - 1);  // primes at box size 1, but for Cluster
}

// The large view's cells at one pixel a cell are the window's pixels at box size 1, wherever
// the colour of a cell follows from the cell alone; far out, up to and past 2^63 - 1, each
// cell is what the rules make of its own number.
TEST(ReferencePicture, TheCellsOfTheViewAreWhatTheRulesDraw) {
    constexpr int kSide = 61;
    constexpr int kHalf = kSide / 2;
    for (int scheme = 0; scheme < kColorSchemeCount; ++scheme) {
        for (int show = 0; show < kShowModeCount; ++show) {
            PictureRequest r;
            r.width = r.height = kSide;
            r.show = static_cast<ShowMode>(show);
            r.scheme = static_cast<ColorScheme>(scheme);
            r.wholePlane = true;
            r.start =
                (scheme + show) % 3 == 0 ? 2147483646 - kSide * kSide + 1 : (scheme + show) % 3;
            if (ChooseRenderer(r) != RendererId::Cells) continue;
            SCOPED_TRACE(testing::Describe(r));
            PictureRequest window = r;
            window.wholePlane = false;
            MemorySurface expected(kSide, kSide);
            DrawReference(window, expected);
            std::vector<std::uint8_t> cells(kSide * kSide);
            ASSERT_TRUE(
                ColourCells(r.start, r.show, r.scheme, -kHalf, -kHalf, kSide, kSide, cells.data()));
            for (int y = 0; y < kSide; ++y)
                for (int x = 0; x < kSide; ++x)
                    ASSERT_EQ(PaletteRgb(cells[static_cast<std::size_t>(y * kSide + x)]),
                              expected.ReadPixel(x, y))
                        << "cell " << x - kHalf << "," << y - kHalf;

            // Far out: a square astride the north side near 10^18, and two where the numbers
            // pass 2^63 - 1, one with runs that end on it.
            struct Far {
                std::uint64_t start;
                std::int64_t x0, y0;
            };
            for (const Far far :
                 {Far{1'000'000'000'000'000'000, -3, -500'000'007}, Far{1, kMaxCellRadius - 5, -4},
                  Far{kLargestNumber - 40, -6, -6}}) {
                constexpr int kFar = 12;
                std::vector<std::uint8_t> got(kFar * kFar);
                ASSERT_TRUE(ColourCells(far.start, r.show, r.scheme, far.x0, far.y0, kFar, kFar,
                                        got.data()));
                RandomSource unused;
                for (int i = 0; i < kFar * kFar; ++i) {
                    const std::int64_t x = far.x0 + i % kFar;
                    const std::int64_t y = far.y0 + i / kFar;
                    const std::optional<std::uint64_t> n = NumberOfCell(far.start, x, y);
                    int want = kBeyondCell;
                    if (n) {
                        const auto number = static_cast<std::int64_t>(*n);
                        const bool isPrime = IsPrime64(*n);
                        want = testing::ReferenceMarks(r.show, number, isPrime, unused)
                                   ? testing::ReferenceOwnColour(r.scheme, number, isPrime, x, y)
                                   : kUnmarkedCell;
                    }
                    ASSERT_EQ(got[static_cast<std::size_t>(i)], want) << "cell " << x << "," << y;
                }
            }
        }
    }
}

}  // namespace
}  // namespace quorvel
