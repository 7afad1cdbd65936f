// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/prime_bits_picture.h"
#include "engine/picture_request.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_surface.h"

namespace quorvel {
namespace {

using testing::MemorySurface;

PassInput Primes(std::string start, ColorScheme scheme = ColorScheme::White) {
    PassInput in;
    in.startText = std::move(start);
    in.boxSize = 1;
    in.show = ShowMode::Primes;
    in.colorBy = scheme;
    in.moving = true;
    return in;
}

// Pixel for pixel and figure for figure what the drawing pass leaves on a surface, in every
// scheme it serves: odd and even sides (whose last ring runs partly outside the picture),
// pictures too small for eight pixels at a time, and both ends of the number range. Rows come
// in bands of eight and one at a time.
TEST(PrimeBitsPicture, DrawsWhatThePassDraws) {
    const ColorScheme schemes[] = {ColorScheme::White,        ColorScheme::DiagonalNWSE,
                                   ColorScheme::DiagonalSWNE, ColorScheme::RingNumber,
                                   ColorScheme::Sequence,     ColorScheme::Ostrand};
    for (const int side : {1, 2, 3, 8, 9, 16, 17, 40, 65, 130, 301}) {
        const std::string last = std::to_string(2147483646LL - std::int64_t{side} * side + 1);
        for (const std::string& start :
             {std::string("0"), std::string("1"), std::string("2"), std::string("999983"), last}) {
            const ColorScheme scheme = schemes[(side + start.size()) % std::size(schemes)];
            SCOPED_TRACE("side " + std::to_string(side) + " start " + start + " scheme " +
                         std::to_string(int(scheme)));
            const PassInput in = Primes(start, scheme);
            ASSERT_EQ(ChooseRenderer(RequestOf(in, side, side)), RendererId::PrimeBits);
            MemorySurface surface(side, side);
            SpiralEngine engine;
            const PassResult expected = engine.DrawSpiral(in, surface);
            PrimeBitsPicture picture;
            const PassResult actual = picture.Draw(in, side);
            ASSERT_EQ(actual.outcome, PassOutcome::Drawn);
            EXPECT_EQ(actual.endNumber, expected.endNumber);
            EXPECT_EQ(actual.numberShown, expected.numberShown);
            EXPECT_EQ(actual.smallestPrime, expected.smallestPrime);
            EXPECT_EQ(actual.largestPrime, expected.largestPrime);
            EXPECT_EQ(actual.centreIsPrime, expected.centreIsPrime);

            std::vector<std::uint8_t> all(static_cast<std::size_t>(side) * side);
            std::vector<std::uint8_t> one(static_cast<std::size_t>(side));
            picture.Rows(0, side, all.data());
            const RasterView raster = surface.Raster();
            std::uint32_t colours = 0;
            for (int y = 0; y < side; ++y) {
                picture.Rows(y, 1, one.data());
                for (int x = 0; x < side; ++x) {
                    const std::uint8_t index = all[static_cast<std::size_t>(y) * side + x];
                    ASSERT_EQ(PaletteRgb(index), raster.Read(x, y)) << x << "," << y;
                    ASSERT_EQ(one[static_cast<std::size_t>(x)], index) << x << "," << y;
                    colours |= 1u << index;
                }
            }
            // Exactly the colours it holds, which the file's palette is made of.
            EXPECT_EQ(picture.Colours(), colours);
        }
    }
}

// The refusals are the pass's; a picture stopped at a checkpoint says so.
TEST(PrimeBitsPicture, RefusesAndStopsAsThePassDoes) {
    PrimeBitsPicture picture;
    EXPECT_EQ(picture.Draw(Primes("2147483646"), 3).outcome, PassOutcome::EndNumberTooLarge);
    EXPECT_EQ(picture.Draw(Primes("2147483647"), 3).outcome, PassOutcome::StartNumberTooLarge);

    struct StopAtOnce : PassObserver {
        bool StopRequested() override { return true; }
        void OnProgress(std::int64_t done, std::int64_t total) override {
            last = done;
            of = total;
        }
        std::int64_t last = 0;
        std::int64_t of = 0;
    } stop;
    // More numbers than go between two checkpoints.
    EXPECT_EQ(picture.Draw(Primes("1"), 3000, &stop).outcome, PassOutcome::Stopped);
    EXPECT_GT(stop.last, 0);
    EXPECT_LT(stop.last, stop.of);
}

}  // namespace
}  // namespace quorvel
