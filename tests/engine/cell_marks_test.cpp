// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <utility>

#include "engine/cell_marks.h"
#include "memory_surface.h"

namespace quorvel {
namespace {

using testing::MemorySurface;

MarkStyle Style(int box, bool squares, ColorScheme scheme = ColorScheme::Cluster,
                ShowMode show = ShowMode::Primes) {
    MarkStyle s;
    s.boxSize = box;
    s.radius = RadiusForBox(box);
    s.squares = squares;
    s.scheme = scheme;
    s.show = show;
    return s;
}

TEST(CellMarks, BoxSizeOneIsOnePixel) {
    MemorySurface surface(20, 20);
    MarkStyle style = Style(1, true);
    style.numerals = true;
    DrawMarkedCell(surface, surface.Raster(), style, 5, 6, 12, 7);
    EXPECT_TRUE(surface.calls.empty());
    EXPECT_EQ(surface.ReadPixel(5, 6), 0xFF0000u);
    EXPECT_EQ(surface.ReadPixel(6, 6), kBlack);
    // Outside the picture: nothing drawn, and only (5, 6) lit.
    for (const auto& [x, y] : {std::pair{25, -1}, {-1, 6}, {5, 20}, {20, 6}}) {
        DrawMarkedCell(surface, surface.Raster(), style, x, y, 12, 7);
    }
    EXPECT_TRUE(surface.calls.empty());
    int lit = 0;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x)
            lit += surface.ReadPixel(x, y) != kBlack;
    }
    EXPECT_EQ(lit, 1);
}

TEST(CellMarks, SquaresTouchAndBlackOstrandSquaresGetOutlines) {
    MemorySurface surface(100, 100);
    DrawMarkedCell(surface, surface.Raster(), Style(15, true), 50, 50, 10, 3);
    ASSERT_EQ(surface.calls.size(), 1u);
    const auto& fill = surface.calls[0];
    EXPECT_EQ(fill.what, "fill");
    EXPECT_EQ((std::vector{fill.x, fill.y, fill.x2, fill.y2}), (std::vector{43, 43, 57, 57}));
    EXPECT_EQ(fill.color, 0x00FF00u);

    struct Case {
        int box;
        ShowMode show;
        std::string expected;
    };
    for (const Case& c : {Case{3, ShowMode::Primes, "box"}, Case{15, ShowMode::Random, "box"},
                          Case{15, ShowMode::All, "fill"}}) {
        MemorySurface s(100, 100);
        DrawMarkedCell(s, s.Raster(), Style(c.box, true, ColorScheme::Ostrand, c.show), 50, 50, 0,
                       13);
        ASSERT_EQ(s.calls.size(), 1u);
        EXPECT_EQ(s.calls[0].what, c.expected) << c.box;
        EXPECT_EQ(s.calls[0].color, c.expected == "box" ? kWhite : kBlack);
    }
}

TEST(CellMarks, CirclesAndTheirOutlines) {
    struct Case {
        int box;
        ColorScheme scheme;
        int c;
        Rgb outline;
    };
    for (const Case& c :
         {Case{15, ColorScheme::Cluster, 9, 0x0000FF}, Case{75, ColorScheme::Ostrand, 12, 0xFF0000},
          Case{5, ColorScheme::Ostrand, 0, kWhite},  // circles: from size 5
          Case{3, ColorScheme::Ostrand, 0, kBlack}, Case{3, ColorScheme::White, 15, kWhite}}) {
        MemorySurface s(200, 200);
        DrawMarkedCell(s, s.Raster(), Style(c.box, false, c.scheme, ShowMode::All), 100, 100, c.c,
                       5);
        ASSERT_EQ(s.calls.size(), 1u);
        EXPECT_EQ(s.calls[0].what, "circle");
        EXPECT_EQ(s.calls[0].x2, RadiusForBox(c.box));
        EXPECT_EQ(s.calls[0].color, c.outline) << c.box;
        EXPECT_EQ(s.calls[0].fill, PaletteRgb(c.c));
    }
}

TEST(CellMarks, NumeralsWhereTheyFit) {
    struct Case {
        int box;
        std::int32_t n;
        bool drawn;
    };
    for (const Case& c : {Case{7, 1, false},
                          {15, 99, true},
                          {15, 100, false},
                          {21, 999, true},
                          {21, 1000, false},
                          {35, 99999, true},
                          {35, 100000, false},
                          {75, 2147483646, true}}) {
        for (bool squares : {false, true}) {
            MemorySurface s(300, 300);
            MarkStyle style = Style(c.box, squares);
            style.numerals = true;
            DrawMarkedCell(s, s.Raster(), style, 150, 150, 9, c.n);
            EXPECT_EQ(s.CountCalls("text"), c.drawn ? 1 : 0) << c.box << " " << c.n;
            if (!c.drawn) continue;
            const auto& text = s.calls.back();
            EXPECT_EQ(text.text, std::to_string(c.n));
            EXPECT_EQ(text.points, 8);
            EXPECT_EQ(text.color, kWhite);  // on light blue
            const int h = (c.box - 1) / 2;
            const int length = static_cast<int>(text.text.size());
            EXPECT_EQ(text.x, squares ? 150 - h - 1 : 150 - 4 - 2 * length);
            EXPECT_EQ(text.y, squares ? 150 - h : 150 - 5);
            EXPECT_EQ(s.ReadPixel(150, 150), 0x0000FFu);
        }
    }
    // Without the check box, no numerals.
    MemorySurface s(100, 100);
    DrawMarkedCell(s, s.Raster(), Style(35, true), 50, 50, 9, 5);
    EXPECT_EQ(s.CountCalls("text"), 0);
}

TEST(CellMarks, NumeralContrast) {
    const Rgb expected[16] = {kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite,
                              kWhite, kWhite, kBlack, kBlack, kWhite, kBlack, kBlack, kBlack};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(NumeralTextColor(kPalette[i]), expected[i]) << i;
}

TEST(CellMarks, GridMarksTraceTheRing) {
    MarkStyle style = Style(15, false);
    style.grid = true;
    struct Line {
        int x1, y1, x2, y2;
        bool operator==(const Line&) const = default;
    };
    const auto linesFor = [&](Corner corner) {
        MemorySurface s(100, 100);
        DrawGridMark(s, s.Raster(), style, 50, 50, corner);
        std::vector<Line> lines;
        for (const auto& c : s.calls) {
            EXPECT_EQ(c.color, kWhite);
            lines.push_back({c.x, c.y, c.x2, c.y2});
        }
        return lines;
    };
    EXPECT_EQ(linesFor(Corner::NE), (std::vector<Line>{{45, 50, 49, 50}, {50, 51, 50, 55}}));
    EXPECT_EQ(linesFor(Corner::NW), (std::vector<Line>{{51, 50, 55, 50}, {50, 51, 50, 55}}));
    EXPECT_EQ(linesFor(Corner::SW), (std::vector<Line>{{51, 50, 55, 50}, {50, 45, 50, 49}}));
    EXPECT_EQ(linesFor(Corner::SE), (std::vector<Line>{{45, 50, 49, 50}, {50, 49, 50, 45}}));
    EXPECT_TRUE(linesFor(Corner::None).empty());

    MemorySurface dot(100, 100);
    DrawGridMark(dot, dot.Raster(), style, 50, 50, Corner::None);
    EXPECT_EQ(dot.ReadPixel(51, 50), kWhite);
    EXPECT_EQ(dot.ReadPixel(50, 50), kBlack);

    // Nothing below box size 15, without the grid, or with every number marked.
    MarkStyle small = style;
    small.boxSize = 7;
    MarkStyle gridOff = style;
    gridOff.grid = false;
    MarkStyle all = style;
    all.show = ShowMode::All;
    for (const MarkStyle& off : {small, gridOff, all}) {
        MemorySurface s(100, 100);
        DrawGridMark(s, s.Raster(), off, 50, 50, Corner::None);
        DrawGridMark(s, s.Raster(), off, 50, 50, Corner::NE);
        EXPECT_TRUE(s.calls.empty());
        EXPECT_EQ(s.ReadPixel(51, 50), kBlack);
    }
}

TEST(CellMarks, CentreGridMark) {
    MemorySurface s(10, 10);
    MarkStyle style = Style(7, false);
    MarkCentreOnGrid(s.Raster(), style, 5, 5);
    EXPECT_EQ(s.ReadPixel(6, 5), kBlack);
    style.grid = true;
    MarkCentreOnGrid(s.Raster(), style, 5, 5);
    EXPECT_EQ(s.ReadPixel(6, 5), kWhite);
}

}  // namespace
}  // namespace quorvel
