// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "engine/spiral_layout.h"
#include "engine/spiral_pass.h"
#include "memory_surface.h"

namespace quorvel {
namespace {

using testing::MemorySurface;

PassInput Input(std::string start, int box, ShowMode show = ShowMode::Primes,
                ColorScheme scheme = ColorScheme::Cluster) {
    PassInput in;
    in.startText = std::move(start);
    in.boxSize = box;
    in.show = show;
    in.colorBy = scheme;
    return in;
}

// The picture as rows of palette indices in hex, '.' for black.
std::vector<std::string> Picture(MemorySurface& surface) {
    std::vector<std::string> rows;
    for (int y = 0; y < surface.Height(); ++y) {
        std::string row;
        for (int x = 0; x < surface.Width(); ++x) {
            const int index = PaletteIndexOf(surface.ReadPixel(x, y));
            row += index <= 0 ? '.' : "0123456789ABCDEF"[index];
        }
        rows.push_back(row);
    }
    return rows;
}

struct SchemePicture {
    ColorScheme scheme;
    std::vector<std::string> rows;
};

class BoxOnePictures : public ::testing::TestWithParam<SchemePicture> {};

std::string SchemeName(const ::testing::TestParamInfo<SchemePicture>& info) {
    constexpr const char* kNames[] = {"Cluster",  "DiagonalNWSE", "DiagonalSWNE", "RingNumber",
                                      "Sequence", "Ostrand",      "White"};
    return kNames[static_cast<int>(info.param.scheme)];
}

// 1 … 49 on a 7 x 7 surface, one pixel a number. The primes sit at
//   37 36 35 34 33 32 31
//   38 17 16 15 14 13 30
//   39 18  5  4  3 12 29
//   40 19  6  1  2 11 28
//   41 20  7  8  9 10 27
//   42 21 22 23 24 25 26
//   43 44 45 46 47 48 49
TEST_P(BoxOnePictures, ExactPixels) {
    MemorySurface surface(7, 7);
    SpiralEngine engine;
    const PassResult result =
        engine.DrawSpiral(Input("1", 1, ShowMode::Primes, GetParam().scheme), surface);
    EXPECT_EQ(result.outcome, PassOutcome::Drawn);
    EXPECT_EQ(Picture(surface), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    EverySchemeFromOne, BoxOnePictures,
    ::testing::Values(
        // 2 starts with light blue; every later prime finds a drawn neighbour in light green.
        SchemePicture{
            ColorScheme::Cluster,
            {"A.....A", ".A...A.", "..A.A.A", ".A..9A.", "A.A....", "...A...", "A...A.."}},
        SchemePicture{
            ColorScheme::DiagonalNWSE,
            {"9.....9", ".9...D.", "..9.B.D", ".B..AB.", "D.B....", "...B...", "9...B.."}},
        SchemePicture{
            ColorScheme::DiagonalSWNE,
            {"9.....9", ".D...9.", "..B.9.B", ".B..AB.", "B.9....", "...B...", "9...D.."}},
        SchemePicture{
            ColorScheme::RingNumber,
            {"C.....C", ".B...B.", "..A.A.C", ".B..AB.", "C.A....", "...B...", "C...C.."}},
        SchemePicture{
            ColorScheme::Sequence,
            {"A.....9", ".A...B.", "..D.B.C", ".C..A9.", "9.A....", "...B...", "B...A.."}},
        // 13 and 37 are 1 mod 12: black, so invisible at this size.
        SchemePicture{
            ColorScheme::Ostrand,
            {"......A", ".C.....", "..C.A.C", ".A..C9.", "C.A....", "...9...", "A...9.."}},
        SchemePicture{
            ColorScheme::White,
            {"F.....F", ".F...F.", "..F.F.F", ".F..FF.", "F.F....", "...F...", "F...F.."}}),
    SchemeName);

TEST(SpiralPass, StatisticsOfTheDefaultPicture) {
    MemorySurface surface(527, 527);
    SpiralEngine engine;
    const PassResult r = engine.DrawSpiral(Input("1", 15), surface);
    EXPECT_EQ(r.outcome, PassOutcome::Drawn);
    EXPECT_EQ(r.geometry.cellsPerSide, 35);
    EXPECT_EQ(r.geometry.radius, 7);
    EXPECT_EQ(r.geometry.centreX, 263);
    EXPECT_EQ(r.endNumber, 1225);
    EXPECT_EQ(r.geometry.numberOfNumbers, 1225);
    EXPECT_EQ(r.numberShown, 200);  // the primes up to 1225
    EXPECT_EQ(r.smallestPrime, 2);
    EXPECT_EQ(r.largestPrime, 1223);
    EXPECT_FALSE(r.centreIsPrime);
    EXPECT_FALSE(r.runsMeasured);
    EXPECT_TRUE(engine.Flags().blnSpiralDrawn);
    // 1 is no prime: 2 is the first cell drawn, east of the centre.
    EXPECT_EQ(surface.calls[1].what, "circle");
    EXPECT_EQ(surface.calls[1].x, 263 + 15);
    EXPECT_EQ(surface.calls[1].y, 263);
}

TEST(SpiralPass, GeometryPerBoxSize) {
    struct Case {
        int box, cells;
    };
    for (const Case c :
         {Case{1, 527}, {3, 176}, {5, 105}, {7, 75}, {15, 35}, {21, 25}, {35, 15}, {75, 7}}) {
        const PassGeometry g = ComputeGeometry(527, 527, c.box);
        EXPECT_EQ(g.cellsPerSide, c.cells) << c.box;
        EXPECT_EQ(g.numberOfNumbers, c.cells * c.cells);
    }
    // Half-way rounds to even; a surface smaller than a cell still has its central cell.
    EXPECT_EQ(ComputeGeometry(45, 45, 6).cellsPerSide, 8);  // 7.5
    EXPECT_EQ(ComputeGeometry(39, 39, 6).cellsPerSide, 6);  // 6.5
    EXPECT_EQ(ComputeGeometry(1, 1, 75).cellsPerSide, 1);
    EXPECT_EQ(ComputeGeometry(0, 0, 0).boxSize, 1);
}

TEST(SpiralPass, EvenSideLeansNorthEast) {
    // 4 x 4 cells around the centre pixel (2, 2): columns -1 … 2, rows -2 … 1.
    SpiralEngine engine;
    MemorySurface all(5, 4);
    const PassResult r = engine.DrawSpiral(Input("1", 1, ShowMode::All, ColorScheme::White), all);
    EXPECT_EQ(r.endNumber, 16);
    EXPECT_EQ(Picture(all), (std::vector<std::string>{".FFFF", ".FFFF", ".FFFF", ".FFFF"}));
    // The squares 1, 4, 9 and 16; the last number, 16, lies at (-1, -2).
    MemorySurface squares(5, 4);
    engine.DrawSpiral(Input("1", 1, ShowMode::Squares, ColorScheme::White), squares);
    EXPECT_EQ(Picture(squares), (std::vector<std::string>{".F...", "..F..", "..F..", "...F."}));
}

TEST(SpiralPass, StartTextIsTrimmedAndMayBeEmpty) {
    MemorySurface surface(15, 15);
    SpiralEngine engine;
    EXPECT_EQ(engine.DrawSpiral(Input("  ", 15), surface).startText, "1");
    const PassResult r = engine.DrawSpiral(Input(" 41 ", 15), surface);
    EXPECT_EQ(r.startText, "41");
    EXPECT_EQ(r.startNumber, 41);
    EXPECT_TRUE(r.centreIsPrime);
    EXPECT_EQ(r.smallestPrime, 41);
    EXPECT_EQ(r.numberShown, 1);
    EXPECT_EQ(engine.DrawSpiral(Input("0", 15), surface).endNumber, 0);
}

TEST(SpiralPass, RefusalsKeepThePictureAndSetTheFlags) {
    MemorySurface surface(527, 527);
    SpiralEngine engine;
    const std::int32_t count = 35 * 35;
    const std::string highest = std::to_string(lngMaxNumber - count + 1);
    PassResult r = engine.DrawSpiral(Input(highest, 15), surface);
    EXPECT_EQ(r.outcome, PassOutcome::Drawn);
    EXPECT_EQ(r.endNumber, lngMaxNumber);
    const std::size_t callsBefore = surface.calls.size();
    const std::vector<std::string> before = Picture(surface);

    r = engine.DrawSpiral(Input(std::to_string(lngMaxNumber - count + 2), 15), surface);
    EXPECT_EQ(r.outcome, PassOutcome::EndNumberTooLarge);
    EXPECT_FALSE(engine.Flags().blnSpiralDrawn);
    EXPECT_TRUE(engine.Flags().blnEndNumberRefused);

    // The triangular refusal leaves the end-number flag as it was.
    const std::string triangularTooHigh = std::to_string(268435456 - count + 1);
    r = engine.DrawSpiral(Input(triangularTooHigh, 15, ShowMode::Triangular), surface);
    EXPECT_EQ(r.outcome, PassOutcome::TriangularStartTooLarge);
    EXPECT_TRUE(engine.Flags().blnEndNumberRefused);

    for (const char* text : {"2147483647", "99999999999", "000000000001"}) {
        r = engine.DrawSpiral(Input(text, 15), surface);
        EXPECT_EQ(r.outcome, PassOutcome::StartNumberTooLarge) << text;
    }
    EXPECT_EQ(surface.calls.size(), callsBefore);
    EXPECT_EQ(Picture(surface), before);

    // A pass that draws clears the refusal.
    r = engine.DrawSpiral(Input(std::to_string(268435455 - count + 1), 15, ShowMode::Triangular),
                          surface);
    EXPECT_EQ(r.outcome, PassOutcome::Drawn);
    EXPECT_EQ(r.endNumber, 268435455);
    EXPECT_TRUE(engine.Flags().blnSpiralDrawn);
    EXPECT_FALSE(engine.Flags().blnEndNumberRefused);
}

TEST(SpiralPass, StartNumberText) {
    EXPECT_FALSE(StartNumberTooLarge("2147483646"));
    EXPECT_TRUE(StartNumberTooLarge("2147483647"));
    EXPECT_TRUE(StartNumberTooLarge("10000000000"));
    EXPECT_FALSE(StartNumberTooLarge("999999999"));
    EXPECT_FALSE(StartNumberTooLarge(""));
    EXPECT_EQ(StartNumberValue("2147483646"), 2147483646);
    EXPECT_EQ(StartNumberValue("007"), 7);
    EXPECT_EQ(StartNumberValue("1 2 3"), 123);
    EXPECT_EQ(StartNumberValue("12ab3"), 12);
    EXPECT_EQ(StartNumberValue("x"), 0);
    EXPECT_EQ(StartNumberValue("99999999999999999999"), INT32_MAX);
    EXPECT_EQ(TrimSpaces("  5 "), "5");
    EXPECT_EQ(TrimSpaces("   "), "");
    EXPECT_EQ(TrimSpaces(""), "");
    EXPECT_EQ(TrimSpaces("\t5 6\t "), "\t5 6\t");  // spaces only: the box holds no tabs
}

// Records the hooks in order and can ask for a stop.
class Recorder : public PassObserver {
  public:
    void OnDrawingStarts(const PassResult& r) override {
        log.push_back("start " + std::to_string(r.endNumber));
    }
    bool StopRequested() override {
        ++polls;
        return polls == stopAt;
    }
    void OnWalkFinished() override { log.push_back("walked"); }
    void OnMeasuringRuns() override { log.push_back("runs"); }

    std::vector<std::string> log;
    int polls = 0;
    int stopAt = -1;
};

TEST(SpiralPass, BoxSizeOneRefreshesAndPollsEveryThousandNumbers) {
    MemorySurface surface(101, 101);
    SpiralEngine engine;
    Recorder recorder;
    PassInput in = Input("1", 1);
    in.calculateLongest = true;
    const PassResult r = engine.DrawSpiral(in, surface, &recorder);
    EXPECT_EQ(r.outcome, PassOutcome::Drawn);
    EXPECT_EQ(recorder.polls, 10);             // i = 1000 … 10000 of 10201
    EXPECT_EQ(surface.refreshes, 1 + 10 + 1);  // banner, progress, end
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"start 10201", "walked", "runs"}));
    EXPECT_TRUE(r.runsMeasured);
    EXPECT_GT(r.longest.nwse, 0);
    // Only the banner's black box: no text at box size 1.
    EXPECT_EQ(surface.CountCalls("text"), 0);
    EXPECT_EQ(surface.CountCalls("fill"), 1);
}

TEST(SpiralPass, StopKeepsThePartialPicture) {
    MemorySurface surface(101, 101);
    SpiralEngine engine;
    Recorder recorder;
    recorder.stopAt = 3;
    PassInput in = Input("1", 1, ShowMode::All, ColorScheme::White);
    in.calculateLongest = true;
    const PassResult r = engine.DrawSpiral(in, surface, &recorder);
    EXPECT_EQ(r.outcome, PassOutcome::Stopped);
    EXPECT_EQ(r.numberShown, 3001);  // the centre and i = 1 … 3000
    EXPECT_FALSE(r.runsMeasured);
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"start 10201", "walked"}));
    EXPECT_FALSE(r.centreIsPrime);
    EXPECT_TRUE(engine.Flags().blnSpiralDrawn);
    EXPECT_EQ(surface.ReadPixel(0, 0), kBlack);  // the outer rings were never reached
    EXPECT_EQ(surface.ReadPixel(50, 50), kWhite);
}

// The same picture whatever the engine drew before: a pass that a hook's exception ended
// halfway, and one at another box size.
TEST(SpiralPass, NothingOfAnEarlierPassStays) {
    struct ThrowsHalfway : PassObserver {
        int polls = 0;
        bool StopRequested() override {
            if (++polls == 5) throw std::runtime_error("hook");
            return false;
        }
    } thrower;
    const PassInput cluster = Input("1", 1, ShowMode::Primes, ColorScheme::Cluster);
    MemorySurface expected(101, 101);
    SpiralEngine().DrawSpiral(cluster, expected);
    SpiralEngine engine;
    MemorySurface surface(101, 101);
    EXPECT_THROW(engine.DrawSpiral(cluster, surface, &thrower), std::runtime_error);
    engine.DrawSpiral(Input("1", 15, ShowMode::Primes, ColorScheme::Cluster), surface);
    engine.DrawSpiral(cluster, surface);
    EXPECT_EQ(Picture(surface), Picture(expected));
}

TEST(SpiralPass, BannerOnlyForSlowInteractivePasses) {
    const auto textCalls = [](int box, bool moving) {
        MemorySurface surface(527, 527);
        SpiralEngine engine;
        PassInput in = Input("1", box);
        in.moving = moving;
        in.calculatingText = "Rechnen ...";
        engine.DrawSpiral(in, surface);
        std::vector<MemorySurface::Call> texts;
        for (const auto& c : surface.calls) {
            if (c.what == "text") texts.push_back(c);
        }
        return texts;
    };
    const auto banner = textCalls(3, false);
    ASSERT_EQ(banner.size(), 1u);
    EXPECT_EQ(banner[0].text, "Rechnen ...");
    EXPECT_EQ(banner[0].x, 263 - 50);
    EXPECT_EQ(banner[0].y, 263 + 140);
    EXPECT_EQ(banner[0].points, 14);
    EXPECT_EQ(banner[0].color, kYellow);
    EXPECT_EQ(textCalls(5, false).size(), 1u);
    EXPECT_TRUE(textCalls(5, true).empty());
    EXPECT_TRUE(textCalls(7, false).empty());
}

TEST(SpiralPass, RunsOfAFullPictureAndOfNone) {
    MemorySurface surface(75, 75);
    SpiralEngine engine;
    Recorder recorder;
    PassInput in = Input("1", 5, ShowMode::All, ColorScheme::White);
    in.calculateLongest = true;
    in.grid = true;
    PassResult r = engine.DrawSpiral(in, surface, &recorder);
    EXPECT_EQ(r.longest.nwse, 15);
    EXPECT_EQ(r.longest.swne, 15);

    // Squares far out: none in view, so nothing to measure and no prime statistics.
    in = Input("1000001", 15, ShowMode::Squares);
    in.calculateLongest = true;
    recorder.log.clear();
    r = engine.DrawSpiral(in, surface, &recorder);
    EXPECT_EQ(r.numberShown, 0);
    EXPECT_TRUE(r.runsMeasured);
    EXPECT_EQ(r.longest.nwse, 0);
    EXPECT_EQ(r.longest.swne, 0);
    EXPECT_EQ(r.smallestPrime, 0);
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"start 1000025", "walked"}));
}

TEST(SpiralPass, RandomPictureDependsOnlyOnTheCentre) {
    const PassInput random1000 = Input("1000", 1, ShowMode::Random, ColorScheme::White);
    SpiralEngine engine;
    MemorySurface first(61, 61);
    engine.DrawSpiral(random1000, first);
    // Passes in between that draw random numbers from another centre, or none at all.
    MemorySurface between(61, 61);
    engine.DrawSpiral(Input("77", 1, ShowMode::Random, ColorScheme::White), between);
    engine.DrawSpiral(Input("5000", 3, ShowMode::All, ColorScheme::Ostrand), between);
    MemorySurface again(61, 61);
    engine.DrawSpiral(random1000, again);
    EXPECT_EQ(Picture(again), Picture(first));
    // A fresh engine knows nothing of those passes and agrees.
    SpiralEngine fresh;
    MemorySurface elsewhere(61, 61);
    fresh.DrawSpiral(random1000, elsewhere);
    EXPECT_EQ(Picture(elsewhere), Picture(first));

    MemorySurface other(61, 61);
    engine.DrawSpiral(Input("1001", 1, ShowMode::Random, ColorScheme::White), other);
    EXPECT_NE(Picture(other), Picture(first));
}

TEST(SpiralPass, RandomMarksFollowTheRule) {
    // 0 … 3720, one pixel a number: never 0, 1, 2 or an even number; always 3, whose chance
    // 2 / (ln 3 + 0.5) exceeds 1; about as many marks as primes.
    constexpr int kSide = 61;
    MemorySurface surface(kSide, kSide);
    SpiralEngine engine;
    const PassResult r =
        engine.DrawSpiral(Input("0", 1, ShowMode::Random, ColorScheme::White), surface);
    ASSERT_EQ(r.outcome, PassOutcome::Drawn);
    const int c = kSide / 2;
    int marked = surface.ReadPixel(c, c) == kWhite ? 1 : 0;
    EXPECT_EQ(marked, 0) << "0 is marked";
    WalkSpiral(r.geometry.numberOfNumbers, [&](std::int64_t n, int x, int y, int, Corner) {
        const bool isMarked = surface.ReadPixel(c + x, c + y) == kWhite;
        marked += isMarked;
        if (n <= 2 || n % 2 == 0) {
            EXPECT_FALSE(isMarked) << n;
        }
        if (n == 3) {
            EXPECT_TRUE(isMarked);
        }
        return true;
    });
    EXPECT_EQ(r.numberShown, marked);
    EXPECT_NEAR(marked, 518, 518 / 10);  // 518 primes up to 3720
}

TEST(SpiralPass, UnmarkedCentreOnTheGrid) {
    for (int box : {5, 7, 15}) {
        MemorySurface surface(105, 105);
        SpiralEngine engine;
        PassInput in = Input("1", box);
        in.grid = true;
        engine.DrawSpiral(in, surface);
        EXPECT_EQ(surface.ReadPixel(53, 52), box >= 7 ? kWhite : kBlack) << box;
    }
}

TEST(SpiralPass, OstrandWithAllNumbersUsesFactorCounts) {
    // Primes by their remainder mod 12, other numbers by their count of distinct prime factors.
    struct Case {
        std::int32_t n;
        int color;
    };
    for (const Case c : {Case{1, 0},          // no prime factor
                         {2, 12},             // prime, 2 mod 12
                         {3, 10},             // prime, 3 mod 12
                         {13, 0},             // prime, 1 mod 12
                         {1000037, 12},       // prime, 5 mod 12
                         {1000003, 10},       // prime, 7 mod 12
                         {2147483579, 9},     // prime, 11 mod 12
                         {2147483629, 0},     // prime, 1 mod 12
                         {1024, 12},          // 2^10
                         {2147117569, 12},    // 46337²
                         {510512, 10},        // 2^4 · 31907
                         {2147483578, 10},    // 2 · 1073741789
                         {510511, 14},        // 19 · 97 · 277
                         {510516, 9},         // 2² · 3³ · 29 · 163
                         {2310, 13},          // 2 · 3 · 5 · 7 · 11
                         {30030, 11},         // 2 · 3 · … · 13
                         {510510, 15},        // 2 · 3 · … · 17
                         {9699690, 0},        // 2 · 3 · … · 19: eight
                         {2007835830, 0}}) {  // 2 · 3³ · 5 · … · 23: nine
        // n at the centre, and n east of the centre, where the walk colours it.
        for (const auto& [start, x] : {std::pair{c.n, 1}, std::pair{c.n - 1, 2}}) {
            if (start < 0) continue;
            MemorySurface surface(3, 3);
            SpiralEngine engine;
            const PassResult r = engine.DrawSpiral(
                Input(std::to_string(start), 1, ShowMode::All, ColorScheme::Ostrand), surface);
            ASSERT_EQ(r.outcome, PassOutcome::Drawn) << start;
            EXPECT_EQ(PaletteIndexOf(surface.ReadPixel(x, 1)), c.color)
                << c.n << (x == 1 ? " at the centre" : " in the walk");
        }
    }
}

// Starts a pass on the same engine from inside the outer pass's stop poll, as a click on the
// draw button would while the window lets input through.
class NestedStarter : public PassObserver {
  public:
    NestedStarter(SpiralEngine& engine, MemorySurface& surface)
        : engine_(engine), surface_(surface) {}

    bool StopRequested() override {
        const PassFlags flagsBefore = engine_.Flags();
        const std::size_t callsBefore = surface_.calls.size();
        const PassResult nested = engine_.DrawSpiral(
            Input("101", 1, ShowMode::All, ColorScheme::White), surface_, &nestedHooks);
        outcomes.push_back(nested.outcome);
        nestedWasEmpty &= nested.endNumber == 0 && nested.numberShown == 0 &&
                          nested.geometry.numberOfNumbers == 0;
        flagsKept &= engine_.Flags().blnSpiralDrawn == flagsBefore.blnSpiralDrawn &&
                     engine_.Flags().blnEndNumberRefused == flagsBefore.blnEndNumberRefused;
        surfaceUntouched &= surface_.calls.size() == callsBefore;
        return false;
    }

    std::vector<PassOutcome> outcomes;
    bool nestedWasEmpty = true;
    bool flagsKept = true;
    bool surfaceUntouched = true;
    Recorder nestedHooks;

  private:
    SpiralEngine& engine_;
    MemorySurface& surface_;
};

TEST(SpiralPass, PassInsideARunningPassIsRefused) {
    PassInput in = Input("1", 1);
    in.calculateLongest = true;
    MemorySurface undisturbed(101, 101);
    SpiralEngine quiet;
    const PassResult expected = quiet.DrawSpiral(in, undisturbed);

    MemorySurface surface(101, 101);
    SpiralEngine engine;
    NestedStarter starter(engine, surface);
    const PassResult r = engine.DrawSpiral(in, surface, &starter);
    EXPECT_EQ(starter.outcomes, std::vector<PassOutcome>(10, PassOutcome::AlreadyRunning));
    EXPECT_FALSE(IsRefusal(PassOutcome::AlreadyRunning));
    EXPECT_TRUE(starter.nestedWasEmpty);
    EXPECT_TRUE(starter.flagsKept);
    EXPECT_TRUE(starter.surfaceUntouched);
    EXPECT_TRUE(starter.nestedHooks.log.empty());
    EXPECT_EQ(starter.nestedHooks.polls, 0);

    EXPECT_EQ(r.outcome, PassOutcome::Drawn);
    EXPECT_EQ(r.numberShown, expected.numberShown);
    EXPECT_EQ(r.smallestPrime, expected.smallestPrime);
    EXPECT_EQ(r.largestPrime, expected.largestPrime);
    EXPECT_EQ(r.longest.nwse, expected.longest.nwse);
    EXPECT_EQ(r.longest.swne, expected.longest.swne);
    EXPECT_EQ(Picture(surface), Picture(undisturbed));

    // Once the outer pass is over, the engine draws again.
    EXPECT_EQ(engine.DrawSpiral(Input("101", 1), surface).outcome, PassOutcome::Drawn);
}

// Throws from a hook: the window's code may fail in there.
class Thrower : public PassObserver {
  public:
    void OnDrawingStarts(const PassResult&) override { throw std::runtime_error("hook"); }
};

TEST(SpiralPass, AnEscapingExceptionEndsThePass) {
    MemorySurface surface(15, 15);
    SpiralEngine engine;
    Thrower thrower;
    EXPECT_THROW(engine.DrawSpiral(Input("1", 1), surface, &thrower), std::runtime_error);
    EXPECT_EQ(engine.DrawSpiral(Input("1", 1), surface).outcome, PassOutcome::Drawn);
}

// Keeps the engine's flags as OnDrawingStarts finds them.
class FlagReader : public PassObserver {
  public:
    explicit FlagReader(const SpiralEngine& engine) : engine_(engine) {}
    void OnDrawingStarts(const PassResult&) override { seen.push_back(engine_.Flags()); }
    std::vector<PassFlags> seen;

  private:
    const SpiralEngine& engine_;
};

TEST(SpiralPass, HooksSeeTheFlagsOfTheirOwnPass) {
    MemorySurface surface(527, 527);
    SpiralEngine engine;
    FlagReader reader(engine);
    // Refused for its end number: no hook, and the flags say so afterwards.
    PassResult r = engine.DrawSpiral(Input("2147483000", 15), surface, &reader);
    ASSERT_EQ(r.outcome, PassOutcome::EndNumberTooLarge);
    EXPECT_TRUE(reader.seen.empty());
    // The next pass draws: its hook already sees it as drawn and not refused.
    r = engine.DrawSpiral(Input("1", 15), surface, &reader);
    ASSERT_EQ(r.outcome, PassOutcome::Drawn);
    ASSERT_EQ(reader.seen.size(), 1u);
    EXPECT_TRUE(reader.seen[0].blnSpiralDrawn);
    EXPECT_FALSE(reader.seen[0].blnEndNumberRefused);
}

}  // namespace
}  // namespace quorvel
