// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>

#include "engine/picture_request.h"
#include "engine/spiral_pass.h"

namespace quorvel {
namespace {

PictureRequest Window(int box, ShowMode show, ColorScheme scheme) {
    PictureRequest r;
    r.width = r.height = 527;
    r.cellSize = box;
    r.show = show;
    r.scheme = scheme;
    return r;
}

PictureRequest View(std::uint64_t start, int cell, std::int64_t centreX, ShowMode show,
                    ColorScheme scheme) {
    PictureRequest r;
    r.start = start;
    r.width = 1280;
    r.height = 720;
    r.cellSize = cell;
    r.centreX = centreX;
    r.show = show;
    r.scheme = scheme;
    r.wholePlane = true;
    return r;
}

// One place chooses who draws a picture; each request goes to the renderer made for it.
TEST(PictureRequest, EachRequestGoesToTheRendererThatServesIt) {
    struct Case {
        const char* what;
        PictureRequest request;
        RendererId renderer;
    };
    PictureRequest density = Window(1, ShowMode::Primes, ColorScheme::Cluster);
    density.density = 11;
    PictureRequest runs = Window(1, ShowMode::Primes, ColorScheme::White);
    runs.runs = true;
    PictureRequest wide = Window(1, ShowMode::Primes, ColorScheme::White);
    wide.width = 600;
    PictureRequest edge = View(0, 1, 0, ShowMode::Primes, ColorScheme::Cluster);
    edge.width = edge.height = 2 * kWalkRadius + 1;
    PictureRequest past = edge;
    past.width += 2;
    const Case cases[] = {
        {"density map", density, RendererId::Density},
        {"white primes, box 1", Window(1, ShowMode::Primes, ColorScheme::White),
         RendererId::PrimeBits},
        {"Ostrand primes, box 1", Window(1, ShowMode::Primes, ColorScheme::Ostrand),
         RendererId::PrimeBits},
        {"with the runs", runs, RendererId::Pass},
        {"not square", wide, RendererId::Pass},
        {"Cluster", Window(1, ShowMode::Primes, ColorScheme::Cluster), RendererId::Pass},
        {"box 3", Window(3, ShowMode::Primes, ColorScheme::White), RendererId::Pass},
        {"random numbers", Window(1, ShowMode::Random, ColorScheme::White), RendererId::Pass},
        {"view, ring",
         View(1'000'000'000'000'000'000, 1, 0, ShowMode::Primes, ColorScheme::RingNumber),
         RendererId::Cells},
        {"view, all numbers in Ostrand colours", View(1, 4, 0, ShowMode::All, ColorScheme::Ostrand),
         RendererId::Cells},
        {"view, Cluster at the centre", View(1, 1, 0, ShowMode::Primes, ColorScheme::Cluster),
         RendererId::WalkedCells},
        {"view, random numbers", View(1, 2, 100, ShowMode::Random, ColorScheme::White),
         RendererId::WalkedCells},
        {"view, Cluster out of reach", View(1, 1, 5000, ShowMode::Primes, ColorScheme::Cluster),
         RendererId::None},
        {"view, random numbers past 2^31",
         View(2'147'000'000, 1, 0, ShowMode::Random, ColorScheme::White), RendererId::None},
        {"view, the farthest walk", edge, RendererId::WalkedCells},
        {"view, a cell past it", past, RendererId::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseRenderer(c.request), c.renderer) << c.what;

    std::set<RendererId> ids;
    for (const Renderer& r : Renderers())
        EXPECT_TRUE(ids.insert(r.id).second) << r.name;
}

// The window's controls and an export's settings become the request the renderers read.
TEST(PictureRequest, TheWindowsInputBecomesARequest) {
    PassInput in;
    in.startText = " 0041 ";
    in.boxSize = 7;
    in.show = ShowMode::Squares;
    in.colorBy = ColorScheme::Sequence;
    in.squares = in.grid = in.numerals = in.calculateLongest = true;
    const PictureRequest r = RequestOf(in, 527, 500);
    EXPECT_EQ(r.start, 41u);
    EXPECT_EQ(r.cellSize, 7);
    EXPECT_EQ(r.width, 527);
    EXPECT_EQ(r.height, 500);
    EXPECT_TRUE(r.Centred());
    EXPECT_TRUE(r.squares && r.grid && r.numerals && r.runs);
    EXPECT_FALSE(r.wholePlane);
    EXPECT_EQ(RequestOf(in, 100, 100, 9).cellSize, 1);  // a density map's cells are its own
}

}  // namespace
}  // namespace quorvel
