// SPDX-License-Identifier: GPL-3.0-or-later
// The pass's short cuts against the long way round: marks stamped into the pixels against the
// painter's, colours kept one byte a pixel against pixels written one by one.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/cell_marks.h"
#include "engine/index_grid.h"
#include "engine/spiral_pass.h"
#include "platform/image_surface.h"
#include "platform/indexed_surface.h"
#include "platform/test_pass.h"

namespace quorvel {
namespace {

// Another surface's pixels, with every mark left to its painter.
class PainterOnly final : public Surface {
  public:
    explicit PainterOnly(Surface& inner) : inner_(inner) {}
    int Width() const override { return inner_.Width(); }
    int Height() const override { return inner_.Height(); }
    Rgb Background() const override { return inner_.Background(); }
    void Clear(Rgb background) override { inner_.Clear(background); }
    RasterView Raster() override { return inner_.Raster(); }
    void DrawLine(double x1, double y1, double x2, double y2, Rgb color) override {
        inner_.DrawLine(x1, y1, x2, y2, color);
    }
    void FillBox(int x1, int y1, int x2, int y2, Rgb color) override {
        inner_.FillBox(x1, y1, x2, y2, color);
    }
    void SetFillColor(Rgb color) override { inner_.SetFillColor(color); }
    void DrawBox(int x1, int y1, int x2, int y2, Rgb outline) override {
        inner_.DrawBox(x1, y1, x2, y2, outline);
    }
    void DrawCircle(int x, int y, int radius, Rgb outline) override {
        inner_.DrawCircle(x, y, radius, outline);
    }
    void DrawText(int x, int y, std::string_view text, int points, Rgb color) override {
        inner_.DrawText(x, y, text, points, color);
    }
    void Refresh() override { inner_.Refresh(); }

  private:
    Surface& inner_;
};

std::vector<Rgb> Pixels(Surface& surface) {
    std::vector<Rgb> pixels;
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x)
            pixels.push_back(surface.ReadPixel(x, y));
    return pixels;
}

std::unique_ptr<Surface> MakeSurface(int kind, int width, int height) {
    if (kind == 0) return std::make_unique<ImageSurface>(width, height);
    return std::make_unique<IndexedSurface>(
        width, height, kind == 1 ? IndexedSurface::Layout::Rows : IndexedSurface::Layout::Tiles);
}

// Every colour, both shapes, the schemes that outline black marks, inside the picture and cut
// off at each edge: the stamp covers exactly the painter's pixels, in the same colours.
TEST(StampedMarks, MatchThePainterPixelForPixel) {
    const int places[][2] = {{10, 10}, {0, 0}, {-1, 5}, {5, -1}, {19, 7}, {7, 20}, {20, 20}};
    for (int kind = 0; kind < 3; ++kind)
        for (const bool squares : {false, true})
            for (const ShowMode show : {ShowMode::Primes, ShowMode::All})
                for (const ColorScheme scheme : {ColorScheme::Cluster, ColorScheme::Ostrand})
                    for (int c = 0; c < 16; ++c) {
                        SCOPED_TRACE("surface " + std::to_string(kind) + " colour " +
                                     std::to_string(c) + (squares ? " squares" : " circles") +
                                     " show " + std::to_string(int(show)) + " scheme " +
                                     std::to_string(int(scheme)));
                        const MarkStyle style{3, RadiusForBox(3), squares, show, scheme};
                        auto painted = MakeSurface(kind, 21, 21);
                        auto stamped = MakeSurface(kind, 21, 21);
                        ASSERT_TRUE(stamped->SmallMarksMayBeStamped());
                        bool allStamped = true;
                        for (const auto& at : places) {
                            DrawMarkedShape(*painted, painted->Raster(), style, at[0], at[1], c, 7);
                            allStamped &= StampSmallMark(stamped->Raster(), style, at[0], at[1], c);
                        }
                        painted->Refresh();
                        // Only the black square with its white outline is left to the painter.
                        const bool outlined = squares && scheme == ColorScheme::Ostrand && c == 0 &&
                                              show != ShowMode::All;
                        EXPECT_EQ(allStamped, !outlined);
                        if (allStamped) {
                            EXPECT_EQ(Pixels(*stamped), Pixels(*painted));
                        }
                    }
    // Other box sizes are the painter's.
    ImageSurface surface(21, 21);
    EXPECT_FALSE(StampSmallMark(surface.Raster(), MarkStyle{5, 2}, 10, 10, 9));
}

// Stops the walk at its n-th checkpoint.
class StopAt final : public PassObserver {
  public:
    explicit StopAt(int n) : n_(n) {}
    bool StopRequested() override { return ++polls_ == n_; }

  private:
    int n_;
    int polls_ = 0;
};

// Whole passes on the window's surface, where box size 3 stamps its marks and box size 1 keeps
// its colours one byte a pixel, against the same passes drawn mark by mark: the same pixels
// and statistics. Sizes whose cells spill over the edge, pictures wider than high, and a pass
// stopped halfway, whose partial picture must be on the surface.
TEST(StampedMarks, PassesDrawWhatThePainterDraws) {
    struct Case {
        PassInput in;
        int width;
        int height;
        int stopAt = 0;
    };
    const Case cases[] = {
        {TestPass("1", 3, ShowMode::Primes, ColorScheme::Cluster), 300, 300},
        {TestPass("1", 3, ShowMode::Primes, ColorScheme::Cluster, true), 301, 257},
        {TestPass("2147452225", 3, ShowMode::Primes, ColorScheme::Cluster), 527, 527},
        {TestPass("1", 3, ShowMode::Random, ColorScheme::Cluster), 200, 160},
        {TestPass("5000", 3, ShowMode::All, ColorScheme::Cluster, true), 120, 121},
        {TestPass("1", 3, ShowMode::Primes, ColorScheme::Ostrand, true), 150, 150},
        {TestPass("1", 3, ShowMode::All, ColorScheme::Ostrand), 150, 150},
        {TestPass("1", 1, ShowMode::Primes, ColorScheme::Cluster), 300, 300},
        {TestPass("1", 1, ShowMode::Primes, ColorScheme::Cluster), 240, 180},
        {TestPass("7", 1, ShowMode::All, ColorScheme::Cluster), 180, 240},
        {TestPass("1", 1, ShowMode::All, ColorScheme::Ostrand), 240, 181},
        {TestPass("2147205918", 1, ShowMode::All, ColorScheme::Ostrand), 527, 527},
        {TestPass("1", 1, ShowMode::All, ColorScheme::Sequence), 101, 100},
        {TestPass("1", 1, ShowMode::Primes, ColorScheme::White), 241, 180},
        {TestPass("2147205918", 1, ShowMode::Primes, ColorScheme::White), 527, 527},
        {TestPass("1", 1, ShowMode::Primes, ColorScheme::Cluster), 200, 200, 7},
        {TestPass("1", 1, ShowMode::All, ColorScheme::Ostrand), 200, 200, 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("start " + c.in.startText + " box " + std::to_string(c.in.boxSize) + " show " +
                     std::to_string(int(c.in.show)) + " scheme " +
                     std::to_string(int(c.in.colorBy)) + (c.in.squares ? " squares " : " ") +
                     std::to_string(c.width) + "x" + std::to_string(c.height));
        ImageSurface fast(c.width, c.height);
        // One byte a pixel, written mark by mark, through the painter.
        IndexedSurface slowPixels(c.width, c.height);
        PainterOnly slow(slowPixels);
        SpiralEngine a, b;
        StopAt stopA(c.stopAt), stopB(c.stopAt);
        const PassResult ra = a.DrawSpiral(c.in, fast, c.stopAt > 0 ? &stopA : nullptr);
        const PassResult rb = b.DrawSpiral(c.in, slow, c.stopAt > 0 ? &stopB : nullptr);
        ASSERT_EQ(ra.outcome, c.stopAt > 0 ? PassOutcome::Stopped : PassOutcome::Drawn);
        EXPECT_EQ(rb.outcome, ra.outcome);
        EXPECT_EQ(ra.numberShown, rb.numberShown);
        EXPECT_EQ(ra.smallestPrime, rb.smallestPrime);
        EXPECT_EQ(ra.largestPrime, rb.largestPrime);
        EXPECT_EQ(ra.longest.nwse, rb.longest.nwse);
        EXPECT_EQ(ra.longest.swne, rb.longest.swne);
        EXPECT_EQ(Pixels(fast), Pixels(slowPixels));
    }
}

// One engine drawing picture after picture on one surface, box size 1 and 3, rows and tiles,
// a picture stopped half-way among them: each is the picture a fresh engine draws. The bytes
// one picture kept must not show in the next.
TEST(PassAfterPass, EachPictureAsIfDrawnFirst) {
    const PassInput sequence[] = {
        TestPass("1", 1, ShowMode::Primes, ColorScheme::Cluster),
        TestPass("1000", 1, ShowMode::Primes, ColorScheme::White),
        TestPass("1", 1, ShowMode::All, ColorScheme::Ostrand),
        TestPass("7", 1, ShowMode::Squares, ColorScheme::RingNumber),
        TestPass("1", 3, ShowMode::Primes, ColorScheme::Cluster),
        TestPass("500", 1, ShowMode::Primes, ColorScheme::Cluster),
    };
    // Stops the walk at its first checkpoint.
    struct Stopper final : PassObserver {
        bool StopRequested() override { return true; }
    } stopper;
    ImageSurface surface(301, 301);
    SpiralEngine engine;
    for (int round = 0; round < 2; ++round)
        for (const PassInput& in : sequence) {
            // The second time round, a stopped picture comes before each.
            if (round == 1) engine.DrawSpiral(sequence[0], surface, &stopper);
            const PassResult r = engine.DrawSpiral(in, surface);
            ImageSurface fresh(301, 301);
            SpiralEngine first;
            const PassResult f = first.DrawSpiral(in, fresh);
            ASSERT_EQ(r.numberShown, f.numberShown) << in.startText;
            ASSERT_EQ(Pixels(surface), Pixels(fresh)) << in.startText << " box " << in.boxSize;
        }
}

// A box-size-1 pass leaves the old picture unwritten until a look at it is due: whenever the
// picture may be seen, it holds this pass's cells so far and black, never the picture before.
TEST(PassAfterPass, PictureSeenMidwayHoldsNothingOlder) {
    ImageSurface surface(301, 301);
    SpiralEngine engine;
    const PassInput next = TestPass("1", 1, ShowMode::Primes, ColorScheme::Cluster);
    ImageSurface finished(301, 301);
    SpiralEngine().DrawSpiral(next, finished);
    const std::vector<Rgb> final = Pixels(finished);
    // Shown from the third checkpoint on; every look compares the picture with the final one.
    struct Looker final : PassObserver {
        Looker(ImageSurface& s, const std::vector<Rgb>& f) : surface(s), final(f) {}
        bool PictureMayBeShown() override { return ++checkpoints >= 3; }
        bool StopRequested() override {
            if (checkpoints < 3) return false;
            const std::vector<Rgb> now = Pixels(surface);
            for (std::size_t i = 0; i < now.size(); ++i)
                older += now[i] != final[i] && now[i] != kBlack;
            ++looks;
            return false;
        }
        ImageSurface& surface;
        const std::vector<Rgb>& final;
        int checkpoints = 0;
        int looks = 0;
        std::size_t older = 0;
    } looker(surface, final);
    for (const ColorScheme before : {ColorScheme::Sequence, ColorScheme::Ostrand}) {
        engine.DrawSpiral(TestPass("1", 1, ShowMode::All, before), surface);
        looker.checkpoints = looker.looks = 0;
        EXPECT_EQ(engine.DrawSpiral(next, surface, &looker).outcome, PassOutcome::Drawn);
        EXPECT_GT(looker.looks, 10);
        EXPECT_EQ(looker.older, 0u);
        EXPECT_EQ(Pixels(surface), final);
    }
}

// The shuffled and the permuted expansions agree with the portable one on every index, at
// every length and alignment; an index outside the palette is black.
TEST(ExpandIndices, WideAndPortableAgree) {
    std::vector<std::uint8_t> indices(600);
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    std::vector<std::uint32_t> portable(600), wide(600, 1);
    ExpandIndicesPortable(indices.data(), portable.data(), indices.size());
    for (std::size_t i = 0; i < indices.size(); ++i)
        ASSERT_EQ(portable[i], 0xFF000000u | PaletteRgb(indices[i])) << i;
    using Expand = bool (*)(const std::uint8_t*, std::uint32_t*, std::size_t);
    int run = 0;
    for (const Expand expand : {ExpandIndicesShuffled, ExpandIndicesPermuted}) {
        if (!expand(indices.data(), wide.data(), 0)) continue;  // not on this processor
        ++run;
        for (const std::size_t from : {0u, 1u, 3u, 16u})
            for (const std::size_t count : {0u, 1u, 15u, 16u, 17u, 33u, 583u}) {
                std::fill(wide.begin(), wide.end(), 1u);
                ASSERT_TRUE(expand(indices.data() + from, wide.data(), count));
                for (std::size_t i = 0; i < count; ++i)
                    ASSERT_EQ(wide[i], portable[from + i]) << from << "+" << i;
                EXPECT_EQ(wide[count], 1u);  // nothing past the end
            }
    }
    if (run == 0) GTEST_SKIP() << "no byte shuffles on this processor";
}

}  // namespace
}  // namespace quorvel
