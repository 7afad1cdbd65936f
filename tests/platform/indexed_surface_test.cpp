// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/indexed_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/spiral_pass.h"
#include "platform/image_surface.h"
#include "platform/test_pass.h"

namespace quorvel {
namespace {

std::string Describe(const PassInput& in) {
    return "start " + in.startText + " box " + std::to_string(in.boxSize) + " show " +
           std::to_string(int(in.show)) + " scheme " + std::to_string(int(in.colorBy)) +
           (in.squares ? " squares" : " circles") + (in.grid ? " grid" : "");
}

// The one-byte surface draws every picture without numerals exactly as the window's surface
// does, pixel for pixel, with the same statistics and runs: every box size and shape, the grid,
// and the schemes that read the picture back (Cluster) or outline black marks (Ostrand).
TEST(IndexedSurfacePass, DrawsWhatTheWindowDraws) {
    const PassInput cases[] = {
        TestPass("1", 1, ShowMode::Primes, ColorScheme::Cluster),
        TestPass("2147205918", 1, ShowMode::All, ColorScheme::Ostrand),
        TestPass("1", 3, ShowMode::Primes, ColorScheme::Cluster),
        TestPass("1", 3, ShowMode::Random, ColorScheme::Ostrand, true),
        TestPass("1000", 5, ShowMode::All, ColorScheme::Ostrand, true),
        TestPass("1", 7, ShowMode::Squares, ColorScheme::DiagonalNWSE, false, true),
        TestPass("1", 15, ShowMode::Primes, ColorScheme::Ostrand, false, true),
        TestPass("77", 15, ShowMode::Primes, ColorScheme::RingNumber, true, true),
        TestPass("1", 21, ShowMode::Triangular, ColorScheme::Sequence, false, true),
        TestPass("1", 35, ShowMode::Primes, ColorScheme::Cluster, true, true),
        TestPass("1", 75, ShowMode::Primes, ColorScheme::White, false, true),
    };
    for (const auto layout : {IndexedSurface::Layout::Rows, IndexedSurface::Layout::Tiles})
        for (const PassInput& in : cases) {
            SCOPED_TRACE(Describe(in) +
                         (layout == IndexedSurface::Layout::Tiles ? " tiles" : " rows"));
            ImageSurface image(301, 301);
            IndexedSurface indexed(301, 301, layout);
            SpiralEngine a, b;
            const PassResult ra = a.DrawSpiral(in, image);
            const PassResult rb = b.DrawSpiral(in, indexed);
            ASSERT_EQ(ra.outcome, PassOutcome::Drawn);
            EXPECT_EQ(ra.numberShown, rb.numberShown);
            EXPECT_EQ(ra.longest.nwse, rb.longest.nwse);
            EXPECT_EQ(ra.longest.swne, rb.longest.swne);
            const RasterView expected = image.Raster();
            const RasterView actual = indexed.Raster();
            std::uint32_t colours = 0;
            for (int y = 0; y < 301; ++y) {
                for (int x = 0; x < 301; ++x) {
                    ASSERT_EQ(actual.Read(x, y), expected.Read(x, y)) << x << "," << y;
                    colours |= 1u << (actual.ReadIndex(x, y) & 31);
                }
            }
            // What it says it may hold covers what it holds.
            EXPECT_EQ(colours & ~indexed.ColoursDrawn(), 0u);
            // Rows eight at a time, the last five, are the rows one at a time.
            std::vector<std::uint8_t> one(301), eight(8 * 301);
            for (int y = 0; y < 301; y += 8) {
                indexed.CopyRows(y, std::min(8, 301 - y), eight.data());
                for (int i = 0; i < std::min(8, 301 - y); ++i)
                    ASSERT_TRUE(std::equal(eight.begin() + i * 301, eight.begin() + (i + 1) * 301,
                                           indexed.Row(y + i, one.data())))
                        << "row " << y + i;
            }
        }
}

// The inner rings are drawn first, so a big picture holds the smaller picture of the same
// settings in its centre, pixel for pixel. The small pictures here are filled by their cells
// to the edge.
TEST(IndexedSurfacePass, BigPictureCentreIsTheSmallPicture) {
    struct Case {
        PassInput in;
        int small;
        int big;
    };
    const Case cases[] = {
        {TestPass("1", 1, ShowMode::Primes, ColorScheme::Cluster), 527, 2049},
        {TestPass("1000000", 1, ShowMode::Random, ColorScheme::DiagonalSWNE), 301, 1001},
        {TestPass("1", 3, ShowMode::Primes, ColorScheme::Cluster), 525, 2049},
        {TestPass("1", 5, ShowMode::All, ColorScheme::Ostrand, true), 525, 2045},
        {TestPass("1", 15, ShowMode::Primes, ColorScheme::Cluster, false, true), 525, 2049},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Describe(c.in));
        // Pictures of single pixels in tiles, as they are exported.
        const auto layout =
            c.in.boxSize == 1 ? IndexedSurface::Layout::Tiles : IndexedSurface::Layout::Rows;
        IndexedSurface small(c.small, c.small, IndexedSurface::Layout::Rows);
        IndexedSurface big(c.big, c.big, layout);
        SpiralEngine engine;
        const PassResult rs = engine.DrawSpiral(c.in, small);
        const PassResult rb = engine.DrawSpiral(c.in, big);
        ASSERT_EQ(rs.outcome, PassOutcome::Drawn);
        ASSERT_EQ(rb.outcome, PassOutcome::Drawn);
        EXPECT_GT(rb.numberShown, rs.numberShown);
        const int offset = rb.geometry.centreX - rs.geometry.centreX;
        const RasterView s = small.Raster();
        const RasterView b = big.Raster();
        for (int y = 0; y < c.small; ++y) {
            for (int x = 0; x < c.small; ++x)
                ASSERT_EQ(b.ReadIndex(x + offset, y + offset), s.ReadIndex(x, y)) << x << "," << y;
        }
    }
}

// A picture of the whole range holds 2^31 bytes; the painter reaches its far corner, and memory
// nobody drew on costs nothing.
TEST(IndexedSurface, DrawsAtTheFarCornerOfTheLargestPicture) {
    for (const auto layout : {IndexedSurface::Layout::Rows, IndexedSurface::Layout::Tiles}) {
        IndexedSurface surface(46339, 46339, layout);
        ASSERT_FALSE(surface.IsNull());
        surface.SetFillColor(kPalette[10]);
        surface.DrawCircle(46330, 46330, 7, kWhite);
        surface.FillBox(46338, 0, 46400, 3, kPalette[12]);
        surface.Raster().WriteIndex(46338, 46338, 9);
        surface.Refresh();
        std::vector<std::uint8_t> scratch(46339);
        EXPECT_EQ(surface.Row(46330, scratch.data())[46323], 15);
        EXPECT_EQ(surface.Row(46330, scratch.data())[46330], 10);
        EXPECT_EQ(surface.Row(3, scratch.data())[46338], 12);
        EXPECT_EQ(surface.Row(46338, scratch.data())[46338], 9);
        EXPECT_EQ(surface.Row(20000, scratch.data())[20000], 0);
        EXPECT_EQ(surface.ColoursDrawn(),
                  (1u << 0) | (1u << 9) | (1u << 10) | (1u << 12) | (1u << 15));
    }
}

TEST(IndexedSurface, ClearingStartsAPictureOfOneColour) {
    for (const auto layout : {IndexedSurface::Layout::Rows, IndexedSurface::Layout::Tiles}) {
        IndexedSurface surface(99, 70, layout);
        surface.FillBox(0, 0, 3, 3, kWhite);
        surface.Clear(kPalette[3]);
        EXPECT_EQ(surface.ColoursDrawn(), 1u << 3);
        EXPECT_EQ(surface.Background(), kPalette[3]);
        std::vector<std::uint8_t> scratch(99);
        for (int y = 0; y < 70; ++y) {
            const std::uint8_t* row = surface.Row(y, scratch.data());
            EXPECT_EQ(std::count(row, row + 99, 3), 99) << y;
        }
        // A colour outside the palette is drawn black.
        surface.FillBox(0, 0, 98, 69, 0x123456);
        EXPECT_EQ(surface.Raster().Read(70, 65), kBlack);
        surface.Clear(kBlack);
        EXPECT_EQ(surface.Row(69, scratch.data())[98], 0);
    }
}

}  // namespace
}  // namespace quorvel
