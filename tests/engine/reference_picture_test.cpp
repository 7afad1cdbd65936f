// SPDX-License-Identifier: GPL-3.0-or-later
#include "reference_picture.h"

#include <gtest/gtest.h>

#include "engine/prime_bits_picture.h"
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
        if (want.outcome == PassOutcome::Drawn) ASSERT_TRUE(SamePixels(expected, actual));
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

}  // namespace
}  // namespace quorvel
