// SPDX-License-Identifier: GPL-3.0-or-later
// Big pictures: the pass at 8192 x 8192 on the one-byte surface, the same picture written as a
// PNG file, and the whole number range in one picture as a process of its own. They take
// seconds, so each runs once, after the others (see kBigGroup in spiral_bench.cpp).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <memory>
#include <string>

#include "platform/indexed_surface.h"
#include "platform/picture_export.h"

namespace quorvel {
namespace {

constexpr int kBigSide = 8192;

PassInput FromOne(ShowMode show, ColorScheme scheme) {
    PassInput in;
    in.startText = "1";
    in.boxSize = 1;
    in.show = show;
    in.colorBy = scheme;
    in.moving = true;  // as the export draws: no banner
    return in;
}

// The pass alone on the surface the export draws on (in tiles at box size 1), timed as the
// window's passes are: the surface already in memory, holding an older picture the pass clears.
void RunBigPass(benchmark::State& state, const PassInput& in) {
    for (auto _ : state) {
        state.PauseTiming();
        auto surface =
            std::make_unique<IndexedSurface>(kBigSide, kBigSide, IndexedSurface::Layout::Tiles);
        surface->Clear(kWhite);
        SpiralEngine engine;
        state.ResumeTiming();
        const PassResult r = engine.DrawSpiral(in, *surface);
        if (r.outcome != PassOutcome::Drawn) state.SkipWithError("not drawn");
        state.PauseTiming();
        surface.reset();
        state.ResumeTiming();
    }
}

void RunBigExport(benchmark::State& state, const PassInput& in) {
    QTemporaryDir dir;
    ExportSettings settings;
    settings.pass = in;
    settings.side = kBigSide;
    for (auto _ : state) {
        const ExportResult r = ExportPicture(settings, dir.filePath("big.png"));
        if (r.status != ExportStatus::Written) state.SkipWithError("not written");
    }
}

void Pass_box1_8192_cluster(benchmark::State& state) {
    RunBigPass(state, FromOne(ShowMode::Primes, ColorScheme::Cluster));
}
void Pass_box1_8192_ostrand(benchmark::State& state) {
    RunBigPass(state, FromOne(ShowMode::All, ColorScheme::Ostrand));
}
void Pass_box1_8192_white(benchmark::State& state) {
    RunBigPass(state, FromOne(ShowMode::Primes, ColorScheme::White));
}
void Export_png_8192_cluster(benchmark::State& state) {
    RunBigExport(state, FromOne(ShowMode::Primes, ColorScheme::Cluster));
}
void Export_png_8192_ostrand(benchmark::State& state) {
    RunBigExport(state, FromOne(ShowMode::All, ColorScheme::Ostrand));
}
void Export_png_8192_white(benchmark::State& state) {
    RunBigExport(state, FromOne(ShowMode::Primes, ColorScheme::White));
}

// Every number from 1 to 2147302921, Cluster, as the renderer makes it; its peak memory is
// kept as a counter.
void Export_png_whole_range_cluster(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string out = dir.filePath("whole.png").toStdString();
    const std::string side = std::to_string(kLargestPictureSide);
    const char* argv[] = {QUORVEL_SPIRAL_RENDER, "--out", out.c_str(), "--box", "1", "--size",
                          side.c_str(),          nullptr};
    // Its statistics would only clutter the table.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], &quiet, nullptr, const_cast<char**>(argv), environ) != 0) {
            state.SkipWithError("cannot start spiral-render");
            break;
        }
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("spiral-render failed");
            break;
        }
        state.counters["max_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    }
    posix_spawn_file_actions_destroy(&quiet);
}

// One run each, timed by the clock on the wall (the export works on more than one thread): the
// pictures of 8192² as the mean of three, which evens out a busy moment of the machine; the
// whole range once.
void Once(benchmark::internal::Benchmark* b) {
    b->Iterations(3)->Repetitions(1)->Unit(benchmark::kMillisecond)->UseRealTime();
}
void OnceOnly(benchmark::internal::Benchmark* b) {
    b->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(Pass_box1_8192_cluster)->Name("Pass/box1_8192_cluster")->Apply(Once);
BENCHMARK(Pass_box1_8192_ostrand)->Name("Pass/box1_8192_ostrand")->Apply(Once);
BENCHMARK(Pass_box1_8192_white)->Name("Pass/box1_8192_white")->Apply(Once);
BENCHMARK(Export_png_8192_cluster)->Name("Export/png_8192_cluster")->Apply(Once);
BENCHMARK(Export_png_8192_ostrand)->Name("Export/png_8192_ostrand")->Apply(Once);
BENCHMARK(Export_png_8192_white)->Name("Export/png_8192_white")->Apply(Once);
BENCHMARK(Export_png_whole_range_cluster)->Name("Export/png_whole_range_cluster")->Apply(OnceOnly);

}  // namespace
}  // namespace quorvel
