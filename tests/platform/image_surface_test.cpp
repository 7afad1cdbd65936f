// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <optional>

#include "engine/cell_marks.h"
#include "engine/spiral_pass.h"
#include "platform/image_surface.h"

namespace quorvel {
namespace {

PassInput Input(std::string start, int box) {
    PassInput in;
    in.startText = std::move(start);
    in.boxSize = box;
    return in;
}

struct Bounds {
    int left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    bool Empty() const { return left > right; }
};

// Where pixels of `color` lie.
Bounds BoundsOf(ImageSurface& surface, Rgb color) {
    Bounds b;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            if (surface.ReadPixel(x, y) != color) continue;
            b.left = std::min(b.left, x);
            b.right = std::max(b.right, x);
            b.top = std::min(b.top, y);
            b.bottom = std::max(b.bottom, y);
        }
    }
    return b;
}

TEST(ImageSurface, EveryPaletteColourReadsBackExactly) {
    ImageSurface surface(40, 40);
    for (int i = 0; i < 16; ++i) {
        surface.SetPixel(i, 0, kPalette[i]);
        surface.FillBox(i, 2, i, 4, kPalette[i]);
        surface.SetFillColor(kPalette[i]);
        surface.DrawCircle(2 + 2 * i, 20, 1, kPalette[i]);
    }
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(PaletteIndexOf(surface.ReadPixel(i, 0)), i);
        EXPECT_EQ(PaletteIndexOf(surface.ReadPixel(i, 3)), i);
        EXPECT_EQ(PaletteIndexOf(surface.ReadPixel(2 + 2 * i, 20)), i);
    }
    EXPECT_EQ(surface.Image().format(), QImage::Format_RGB32);
    EXPECT_EQ(surface.Image().pixel(5, 0), 0xFF800080u);
}

TEST(ImageSurface, BoxesIncludeBothCorners) {
    ImageSurface surface(30, 30);
    surface.FillBox(10, 12, 14, 16, kPalette[12]);
    const Bounds fill = BoundsOf(surface, kPalette[12]);
    EXPECT_EQ((std::vector{fill.left, fill.top, fill.right, fill.bottom}),
              (std::vector{10, 12, 14, 16}));

    surface.Clear(kBlack);
    surface.SetFillColor(kPalette[1]);
    surface.DrawBox(3, 3, 9, 9, kWhite);
    const Bounds outline = BoundsOf(surface, kWhite);
    EXPECT_EQ((std::vector{outline.left, outline.top, outline.right, outline.bottom}),
              (std::vector{3, 3, 9, 9}));
    EXPECT_EQ(surface.ReadPixel(3, 6), kWhite);
    EXPECT_EQ(surface.ReadPixel(9, 6), kWhite);
    EXPECT_EQ(surface.ReadPixel(6, 6), kPalette[1]);
    EXPECT_EQ(surface.ReadPixel(4, 4), kPalette[1]);
}

TEST(ImageSurface, CirclesFitTheirCellAndColourTheCentre) {
    for (int box : {3, 5, 7, 15, 21, 35, 75}) {
        const int r = RadiusForBox(box);
        ImageSurface surface(200, 200);
        surface.SetFillColor(kPalette[10]);
        surface.DrawCircle(100, 100, r, kPalette[10]);
        const Bounds disc = BoundsOf(surface, kPalette[10]);
        EXPECT_EQ((std::vector{disc.left, disc.top, disc.right, disc.bottom}),
                  (std::vector{100 - r, 100 - r, 100 + r, 100 + r}))
            << box;
        EXPECT_EQ(surface.ReadPixel(100, 100), kPalette[10]);

        // A white ring around a black disc: the centre stays black.
        surface.Clear(kBlack);
        surface.SetFillColor(kBlack);
        surface.DrawCircle(100, 100, r, kWhite);
        EXPECT_EQ(surface.ReadPixel(100 - r, 100), kWhite) << box;
        EXPECT_EQ(surface.ReadPixel(100, 100), kBlack) << box;
    }
}

TEST(ImageSurface, EverythingClipsAtTheEdges) {
    ImageSurface surface(20, 20);
    surface.SetPixel(-1, 5, kWhite);
    surface.SetPixel(20, 5, kWhite);
    surface.SetPixel(5, 20, kWhite);
    EXPECT_EQ(surface.ReadPixel(-1, 5), kNoColor);
    EXPECT_EQ(surface.ReadPixel(5, 20), kNoColor);
    surface.FillBox(-50, -50, 2, 2, kPalette[9]);
    surface.SetFillColor(kPalette[9]);
    surface.DrawCircle(19, 19, 36, kPalette[9]);
    surface.DrawLine(-100.5, 3.0, 100.0, 3.0, kWhite);
    surface.DrawText(15, 15, "2147483646", 8, kWhite);
    EXPECT_EQ(surface.ReadPixel(0, 0), kPalette[9]);
    EXPECT_EQ(surface.ReadPixel(19, 19), kPalette[9]);
    EXPECT_EQ(surface.ReadPixel(0, 3), kWhite);
    EXPECT_EQ(surface.ReadPixel(19, 3), kWhite);
    ImageSurface tiny(0, -3);  // at least one pixel
    EXPECT_EQ(tiny.Width(), 1);
    EXPECT_EQ(tiny.Height(), 1);
}

TEST(ImageSurface, TextStartsAtItsTopLeftCorner) {
    ImageSurface surface(100, 60);
    surface.DrawText(20, 10, "88", 8, kWhite);
    const Bounds small = BoundsOf(surface, kWhite);
    ASSERT_FALSE(small.Empty());
    EXPECT_GE(small.left, 20);
    EXPECT_LE(small.left, 22);
    EXPECT_GE(small.top, 10);
    EXPECT_LE(small.bottom, 10 + 13);
    EXPECT_LE(small.right - small.left + 1, 16);  // two digits of about seven pixels

    surface.DrawText(20, 30, "Calculating ...", 14, kYellow);
    const Bounds banner = BoundsOf(surface, kYellow);
    ASSERT_FALSE(banner.Empty());
    EXPECT_GE(banner.top, 30);
    EXPECT_GT(banner.bottom - banner.top, small.bottom - small.top);
}

TEST(ImageSurface, PixelAccessSurvivesACopyOfThePicture) {
    ImageSurface surface(10, 10);
    surface.FillBox(0, 0, 9, 9, kPalette[4]);  // leaves a painter open
    const QImage copy = surface.Image();       // shares the pixels
    const RasterView raster = surface.Raster();
    raster.Write(1, 1, kWhite);
    surface.FillBox(5, 5, 6, 6, kPalette[2]);
    EXPECT_EQ(copy.pixel(1, 1), 0xFF800000u);
    EXPECT_EQ(copy.pixel(5, 5), 0xFF800000u);
    EXPECT_EQ(surface.ReadPixel(1, 1), kWhite);
    EXPECT_EQ(surface.ReadPixel(5, 5), kPalette[2]);
}

TEST(ImageSurface, RefreshCallsTheHandlerAndClearSetsTheBackground) {
    ImageSurface surface(5, 5);
    int refreshes = 0;
    surface.SetRefreshHandler([&] { ++refreshes; });
    surface.Refresh();
    surface.Refresh();
    EXPECT_EQ(refreshes, 2);
    surface.Clear(kPalette[3]);
    EXPECT_EQ(surface.Background(), kPalette[3]);
    EXPECT_EQ(surface.ReadPixel(4, 4), kPalette[3]);
}

// At box size 1 the runs are measured on the bytes the pass keeps, beside writing the picture
// out: they must be the runs of the picture as written.
TEST(ImageSurfacePass, BoxOneRunsAreThoseOfThePicture) {
    for (const ShowMode show : {ShowMode::Primes, ShowMode::Random, ShowMode::Squares,
                                ShowMode::Triangular, ShowMode::All}) {
        for (const ColorScheme scheme : {ColorScheme::Cluster, ColorScheme::White}) {
            for (const char* start : {"1", "200000001"}) {
                PassInput in = Input(start, 1);
                in.show = show;
                in.colorBy = scheme;
                in.calculateLongest = true;
                ImageSurface surface(301, 301);
                SpiralEngine engine;
                const PassResult r = engine.DrawSpiral(in, surface);
                const PassGeometry& g = r.geometry;
                const DiagonalRuns seen = LongestDiagonalRuns(
                    surface.Raster(), kBlack, {g.cellsPerSide, 1, g.centreX, g.centreY});
                SCOPED_TRACE(::testing::Message()
                             << int(show) << " " << int(scheme) << " " << start);
                ASSERT_TRUE(r.runsMeasured);
                EXPECT_EQ(r.longest.nwse, seen.nwse);
                EXPECT_EQ(r.longest.swne, seen.swne);
            }
        }
    }
}

// Centre pixels carry the mark's colour whatever is drawn around them, so the diagonal runs do
// not depend on numerals or grid marks.
TEST(ImageSurfacePass, NumeralsAndGridKeepCentrePixelsAndRuns) {
    for (int box : {15, 21, 35, 75}) {
        for (bool squares : {false, true}) {
            std::optional<DiagonalRuns> plain;
            for (int extras = 0; extras < 4; ++extras) {
                PassInput in = Input("1", box);
                in.squares = squares;
                in.numerals = extras & 1;
                in.grid = extras & 2;
                in.calculateLongest = true;
                ImageSurface surface(527, 527);
                SpiralEngine engine;
                const PassResult r = engine.DrawSpiral(in, surface);
                if (!plain) plain = r.longest;
                EXPECT_EQ(r.longest.nwse, plain->nwse) << box << " extras " << extras;
                EXPECT_EQ(r.longest.swne, plain->swne) << box << " extras " << extras;
            }
            EXPECT_GT(plain->nwse, 1);
        }
    }
    // Every cell marked, white, with numerals: both runs are the side of the block.
    PassInput all = Input("1", 35);
    all.show = ShowMode::All;
    all.colorBy = ColorScheme::White;
    all.numerals = true;
    all.calculateLongest = true;
    ImageSurface surface(527, 527);
    SpiralEngine engine;
    const PassResult r = engine.DrawSpiral(all, surface);
    EXPECT_EQ(r.longest.nwse, 15);
    EXPECT_EQ(r.longest.swne, 15);
    EXPECT_EQ(surface.ReadPixel(263, 263), kWhite);  // "1" printed over the centre
}

TEST(ImageSurfacePass, BlackOstrandMarksAreOutlinedAndDoNotCount) {
    // 13 is 1 mod 12: black with a white outline at box size 15.
    PassInput in = Input("13", 75);
    in.colorBy = ColorScheme::Ostrand;
    in.calculateLongest = true;
    ImageSurface surface(75, 75);
    SpiralEngine engine;
    const PassResult r = engine.DrawSpiral(in, surface);
    EXPECT_EQ(r.numberShown, 1);
    EXPECT_EQ(surface.ReadPixel(37, 37), kBlack);
    EXPECT_EQ(surface.ReadPixel(37 - 36, 37), kWhite);
    EXPECT_EQ(r.longest.nwse, 0);
    EXPECT_EQ(r.longest.swne, 0);
}

}  // namespace
}  // namespace quorvel
