// SPDX-License-Identifier: GPL-3.0-or-later
// The large view at 10^18: a whole frame of 1280 x 720 cells drawn on the worker threads, a pan
// by half a screen, the frame's cells classified on one thread, and the same numbers tested one
// by one with the bare seven-base Miller-Rabin test and with IsPrime64 on one thread.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/number_theory.h"
#include "engine/spiral_tiles.h"
#include "largeview/large_picture.h"

namespace quorvel {
namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr std::uint64_t kStart = 1'000'000'000'000'000'000u;

// Until every visible cell is drawn: the event loop runs, woken by each tile that arrives.
void WaitForPicture(const LargePicture& picture) {
    while (picture.Rendering())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

struct Picture {
    LargePicture widget;
    explicit Picture(std::uint64_t start = kStart, ColorScheme scheme = ColorScheme::White) {
        widget.resize(kWidth, kHeight);
        widget.SetCellSize(1);
        widget.SetStartNumber(start);
        widget.SetColorScheme(static_cast<int>(scheme));
        widget.SetCentre(0, 0);
        widget.show();
        WaitForPicture(widget);
    }
};

// A whole frame drawn afresh, every tile and whatever they share forgotten first.
void Frame(benchmark::State& state, std::uint64_t start, ColorScheme scheme) {
    Picture picture(start, scheme);
    if (picture.widget.width() != kWidth || picture.widget.height() != kHeight)
        state.SkipWithError("the picture did not get its size");
    for (auto _ : state) {
        state.PauseTiming();
        picture.widget.ForgetTiles();
        state.ResumeTiming();
        picture.widget.setProperty("startNumber", QVariant::fromValue<qulonglong>(start));
        WaitForPicture(picture.widget);
    }
}

void LargeView_frame_1280x720_1e18(benchmark::State& state) {
    Frame(state, kStart, ColorScheme::White);
}

// The same in ring colours: every prime found, then coloured from its cell.
void LargeView_frame_1280x720_1e18_ring(benchmark::State& state) {
    Frame(state, kStart, ColorScheme::RingNumber);
}

// Cluster around the centre of the spiral of 1: the window's pass walks the rings out to the
// frame's corners, and the tiles take their cells from it.
void LargeView_frame_1280x720_start1_cluster(benchmark::State& state) {
    Frame(state, 1, ColorScheme::Cluster);
}

void LargeView_pan_one_screen_1e18(benchmark::State& state) {
    Picture picture;
    for (auto _ : state) {
        state.PauseTiming();
        picture.widget.ForgetTiles();
        picture.widget.SetCentreX(0);
        WaitForPicture(picture.widget);
        state.ResumeTiming();
        picture.widget.setProperty("centreX", QVariant::fromValue<qlonglong>(kWidth / 2));
        WaitForPicture(picture.widget);
    }
}

void Baseline_miller_rabin_1280x720_1e18(benchmark::State& state) {
    std::vector<std::uint64_t> numbers;
    numbers.reserve(std::size_t{kWidth} * kHeight);
    for (int y = -kHeight / 2; y < kHeight / 2; ++y)
        for (int x = -kWidth / 2; x < kWidth / 2; ++x)
            numbers.push_back(*NumberOfCell(kStart, x, y));
    for (auto _ : state) {
        int primes = 0;
        for (const std::uint64_t n : numbers)
            primes += MillerRabin64(n);
        benchmark::DoNotOptimize(primes);
    }
}

// The frame's cells classified on one thread in 128 x 128 pieces, as the workers take them,
// and the same cells with IsPrime64 one by one: what the classification costs without threads.
void LargeView_classify_one_thread_1280x720_1e18(benchmark::State& state) {
    constexpr int kSide = 128;
    std::vector<CellKind> kinds(kSide * kSide);
    for (auto _ : state) {
        for (int y = -kHeight / 2; y < kHeight / 2; y += kSide) {
            for (int x = -kWidth / 2; x < kWidth / 2; x += kSide) {
                ClassifyCells(kStart, x, y, kSide, std::min(kSide, kHeight / 2 - y), kinds.data());
                benchmark::DoNotOptimize(kinds.data());
            }
        }
    }
}

void Baseline_is_prime64_1280x720_1e18(benchmark::State& state) {
    for (auto _ : state) {
        int primes = 0;
        for (int y = -kHeight / 2; y < kHeight / 2; ++y)
            for (int x = -kWidth / 2; x < kWidth / 2; ++x)
                primes += IsPrime64(*NumberOfCell(kStart, x, y));
        benchmark::DoNotOptimize(primes);
    }
}

}  // namespace
}  // namespace quorvel

BENCHMARK(quorvel::LargeView_frame_1280x720_1e18)
    ->Name("LargeView/frame_1280x720_1e18")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(quorvel::LargeView_frame_1280x720_1e18_ring)
    ->Name("LargeView/frame_1280x720_1e18_ring")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(quorvel::LargeView_frame_1280x720_start1_cluster)
    ->Name("LargeView/frame_1280x720_start1_cluster")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(quorvel::LargeView_pan_one_screen_1e18)
    ->Name("LargeView/pan_one_screen_1e18")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(quorvel::Baseline_miller_rabin_1280x720_1e18)
    ->Name("Baseline/miller_rabin_1280x720_1e18")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(quorvel::LargeView_classify_one_thread_1280x720_1e18)
    ->Name("LargeView/classify_one_thread_1280x720_1e18")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(quorvel::Baseline_is_prime64_1280x720_1e18)
    ->Name("Baseline/is_prime64_1280x720_1e18")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
