// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the drawing pass, measured against primesieve on the same numbers. Machines here are
// shared and noisy, so every figure that matters is a ratio of medians from one run, with the
// repetitions of all benchmarks interleaved.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <map>
#include <optional>
#include <primesieve.hpp>
#include <string>
#include <vector>

#include "engine/bateman_horn.h"
#include "engine/number_theory.h"
#include "engine/primelib.h"
#include "engine/spiral_layout.h"
#include "engine/spiral_pass.h"
#include "mainwindow/frmMain.h"
#include "platform/image_surface.h"

namespace quorvel {
namespace {

constexpr int kSide = 527;
constexpr std::int32_t kCount = kSide * kSide;
constexpr std::int32_t kTopStart = primelib::kMaxNumber - kCount + 1;
// The largest centre number whose 527 x 527 picture at box size 3 (176 cells a side) still
// ends at 2147483646, and the same at box size 15 (35 a side).
constexpr std::int32_t kTopStartBox3 = primelib::kMaxNumber - 176 * 176 + 1;
constexpr std::int32_t kTopStartBox15 = primelib::kMaxNumber - 35 * 35 + 1;

PassInput TopPass(std::int32_t start, int box, ShowMode show, ColorScheme scheme) {
    PassInput in;
    in.startText = std::to_string(start);
    in.boxSize = box;
    in.show = show;
    in.colorBy = scheme;
    return in;
}

void RunPass(benchmark::State& state, const PassInput& in) {
    ImageSurface surface(kSide, kSide);
    SpiralEngine engine;
    for (auto _ : state) {
        const PassResult r = engine.DrawSpiral(in, surface);
        benchmark::DoNotOptimize(r.numberShown);
    }
}

void Pass_box1_primes_top(benchmark::State& state) {
    RunPass(state, TopPass(kTopStart, 1, ShowMode::Primes, ColorScheme::White));
}
void Pass_box1_primes_cluster_top(benchmark::State& state) {
    RunPass(state, TopPass(kTopStart, 1, ShowMode::Primes, ColorScheme::Cluster));
}
void Pass_box1_all_ostrand_top(benchmark::State& state) {
    RunPass(state, TopPass(kTopStart, 1, ShowMode::All, ColorScheme::Ostrand));
}
void Pass_box3_primes_cluster_top(benchmark::State& state) {
    RunPass(state, TopPass(kTopStartBox3, 3, ShowMode::Primes, ColorScheme::Cluster));
}
void Pass_box15_primes_cluster_numerals_top(benchmark::State& state) {
    PassInput in = TopPass(kTopStartBox15, 15, ShowMode::Primes, ColorScheme::Cluster);
    in.numerals = true;
    RunPass(state, in);
}

void Runs_box1_longest_both(benchmark::State& state) {
    ImageSurface surface(kSide, kSide);
    SpiralEngine engine;
    const PassResult r =
        engine.DrawSpiral(TopPass(kTopStart, 1, ShowMode::Primes, ColorScheme::Cluster), surface);
    const CellLattice lattice{r.geometry.cellsPerSide, 1, r.geometry.centreX, r.geometry.centreY};
    for (auto _ : state) {
        const DiagonalRuns runs = LongestDiagonalRuns(surface.Raster(), kBlack, lattice);
        benchmark::DoNotOptimize(runs);
    }
}

void Anchor_primesieve_window_top(benchmark::State& state) {
    std::vector<std::uint32_t> primes;
    for (auto _ : state) {
        primes.clear();
        primesieve::generate_primes(std::uint64_t{kTopStart}, std::uint64_t{primelib::kMaxNumber},
                                    &primes);
        benchmark::DoNotOptimize(primes.data());
    }
}

// The same walk and pixels as the box-size-1 pass, each number tested by trial division.
void Baseline_trial_division_pass_top(benchmark::State& state) {
    ImageSurface surface(kSide, kSide);
    const auto primes = primelib::SmallPrimes();
    const auto isPrime = [&](std::int32_t n) {
        if (n < 2) return false;
        for (std::int32_t p : primes) {
            if (std::int64_t{p} * p > n) break;
            if (n % p == 0) return false;
        }
        return true;
    };
    const int c = kSide / 2;
    for (auto _ : state) {
        surface.Clear(kBlack);
        RasterView raster = surface.Raster();
        if (isPrime(kTopStart)) raster.Write(c, c, kWhite);
        WalkSpiral(kCount, [&](std::int64_t i, int x, int y, int, Corner) {
            if (isPrime(static_cast<std::int32_t>(kTopStart + i)))
                raster.Write(c + x, c + y, kWhite);
            if (i % 1000 == 0) {
                surface.Refresh();
                raster = surface.Raster();  // a refresh may move the pixels
            }
            return true;
        });
        benchmark::DoNotOptimize(raster.bits);
    }
}

// calculate_primes sieves its table once per program; this is that work.
void Startup_calculate_primes(benchmark::State& state) {
    for (auto _ : state) {
        const auto primes = primelib::SievePrimesUpTo(primelib::kSmallPrimeLimit);
        benchmark::DoNotOptimize(primes.data());
    }
}

void Anchor_primesieve_count_to_max(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(primesieve::count_primes(0, std::uint64_t{primelib::kMaxNumber}));
    }
}

// The window around the pass: a user picks box size 1 with "Cluster" and "Calculate longest"
// checked; from the choice to the labels written and the picture on screen.
void Window_redraw_box1_cluster_longest(benchmark::State& state) {
    frmMain window;
    window.Form_Load();
    window.findChild<QAbstractButton*>("chkCalculateLongest")->setChecked(true);
    auto* start = window.findChild<QLineEdit*>("txbStartNumber");
    start->setText(QString::number(kTopStart));
    auto* sizes = window.findChild<QComboBox*>("cboBoxSize");
    auto* picture = window.findChild<QWidget*>("picSpiral");
    QCoreApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        sizes->setCurrentIndex(4);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        sizes->setCurrentIndex(0);
        benchmark::DoNotOptimize(picture->grab());  // the picture as the screen shows it
        state.PauseTiming();
        QCoreApplication::processEvents();  // the rest of the window catches up untimed
        state.ResumeTiming();
    }
    if (window.LastPass().geometry.boxSize != 1 || !window.LastPass().runsMeasured)
        state.SkipWithError("the window did not draw what was asked");
}

// One tick of Spiral In at box size 3 with "Cluster": from the timer's signal to the picture
// on screen.
void Window_moving_step_box3_cluster(benchmark::State& state) {
    frmMain window;
    window.Form_Load();
    window.findChild<QComboBox*>("cboBoxSize")->setCurrentIndex(1);
    window.findChild<QLineEdit*>("txbStartNumber")
        ->setText(QString::number(kTopStartBox3 - 1000000));
    window.findChild<QPushButton*>("cmdSpiralIn")->click();
    auto* clock = window.findChild<QTimer*>("ClkClock");
    auto* picture = window.findChild<QWidget*>("picSpiral");
    clock->stop();  // the benchmark ticks
    QCoreApplication::processEvents();
    for (auto _ : state) {
        QMetaObject::invokeMethod(clock, "timeout");
        benchmark::DoNotOptimize(picture->grab());  // the picture as the screen shows it
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (!window.SpiralMoving()) state.SkipWithError("the spiral stopped moving");
}

// One cell as the explorer inspects it: its number factored, and every ray with its constant
// (computed afresh) and 1000 terms tested. The cell is the NE corner of the outermost full ring
// of a box-1 picture, three rays, on an odd number (even ones are settled at once).
void InspectCell(benchmark::State& state, std::int64_t start) {
    constexpr std::int64_t kRing = (kSide - 1) / 2;
    constexpr std::int64_t kCorner = 4 * kRing * kRing - 2 * kRing + 1;  // its position
    for (auto _ : state) {
        const std::optional<CellRays> cell = RaysOfPosition(kCorner, start);
        const Factorization factors = Factorize(static_cast<std::uint64_t>(cell->number));
        const CellRayReports rays = InspectRays(*cell, 1000);
        benchmark::DoNotOptimize(factors.count);
        benchmark::DoNotOptimize(rays.rays[0].statistics.primes);
    }
}

// Near the top of the range (the picture one below the top one, so that the corner is odd),
// where the discriminants and so the sums for L(1, χ) are largest ...
void Explorer_inspect_cell_1000(benchmark::State& state) {
    InspectCell(state, kTopStart - 1);
}
// ... and from the start number 1.
void Explorer_inspect_cell_1000_start1(benchmark::State& state) {
    InspectCell(state, 1);
}

// Every constant of a cell far out, start 10^18: the cell west of the NE corner of ring 100,
// an odd number with two rays. Their discriminants pass 64 bits, their class numbers come from
// the class group; most of the time goes into χ_D(p) for the 78,498 primes up to 10^6.
void Explorer_constant_1e18(benchmark::State& state) {
    constexpr std::int64_t kRadius = 99;
    constexpr std::int64_t kPosition = 4 * kRadius * kRadius - 2 * kRadius + 2;
    const std::optional<CellRays> cell = RaysOfPosition(kPosition, 1'000'000'000'000'000'000);
    for (auto _ : state) {
        for (int k = 0; k < cell->rayCount; ++k)
            benchmark::DoNotOptimize(
                BatemanHornParts(cell->rays[static_cast<std::size_t>(k)].f).constant);
    }
}

// A pointer move over the box-1 picture at the top of the range with the inspector open: from
// the move to the readout showing the new cell and the lines over the picture moved to it,
// their repaint asked for. The painting itself follows at the screen's pace, once for however
// many moves came in between; Explorer/pointer_move_painted includes it. The inspector's
// measurement waits until the pointer rests, and runs on a thread of its own.
void PointerMoves(benchmark::State& state, bool painted) {
    frmMain window;
    window.Form_Load();
    window.findChild<QLineEdit*>("txbStartNumber")->setText(QString::number(kTopStart));
    window.findChild<QComboBox*>("cboBoxSize")->setCurrentIndex(0);
    window.findChild<QAction*>("actInspector")->trigger();
    auto* picture = window.findChild<QWidget*>("picSpiral");
    auto* readout = window.findChild<QLabel*>("lblPointerReadout");
    QCoreApplication::processEvents();
    int step = 0;
    QString last;
    int changes = 0;
    for (auto _ : state) {
        const QPointF at(100 + (step++ % 50), 200);  // a new cell every time
        QMouseEvent move(QEvent::MouseMove, at, picture->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(picture, &move);
        QCoreApplication::processEvents();  // the readout and the overlay follow
        if (!painted) state.PauseTiming();
        QCoreApplication::processEvents();  // and are painted
        changes += readout->text() != last;
        last = readout->text();
        if (!painted) state.ResumeTiming();
    }
    if (changes < state.iterations() / 2) state.SkipWithError("the readout did not follow");
}

void Explorer_pointer_move(benchmark::State& state) {
    PointerMoves(state, false);
}
void Explorer_pointer_move_painted(benchmark::State& state) {
    PointerMoves(state, true);
}

// Runs `program` with `argument` as a whole process, in a configuration folder of its own.
void RunProcess(benchmark::State& state, const char* argument) {
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    char* argv[] = {const_cast<char*>(QUORVEL_STARTUP_PROBE), const_cast<char*>(argument), nullptr};
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("cannot start the probe");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the probe failed");
            break;
        }
    }
}

// From launching the program to its window on screen with the first picture ...
void Startup_program_to_first_picture(benchmark::State& state) {
    RunProcess(state, "full");
}
// ... and what any Qt program needs to show the same window with a black picture.
void Startup_bare_window(benchmark::State& state) {
    RunProcess(state, "bare");
}

// The benchmarks of big pictures (export_bench.cpp), which run once each.
constexpr const char* kBigGroup = "^(Pass/box1_8192_|Export/)";

BENCHMARK(Pass_box1_primes_top)->Name("Pass/box1_primes_top");
BENCHMARK(Anchor_primesieve_window_top)->Name("Anchor/primesieve_window_top");
BENCHMARK(Baseline_trial_division_pass_top)->Name("Baseline/trial_division_pass_top");
BENCHMARK(Startup_calculate_primes)->Name("Startup/calculate_primes");
BENCHMARK(Anchor_primesieve_count_to_max)->Name("Anchor/primesieve_count_to_max");
BENCHMARK(Pass_box1_primes_cluster_top)->Name("Pass/box1_primes_cluster_top");
BENCHMARK(Pass_box1_all_ostrand_top)->Name("Pass/box1_all_ostrand_top");
BENCHMARK(Pass_box3_primes_cluster_top)->Name("Pass/box3_primes_cluster_top");
BENCHMARK(Pass_box15_primes_cluster_numerals_top)->Name("Pass/box15_primes_cluster_numerals_top");
BENCHMARK(Runs_box1_longest_both)->Name("Runs/box1_longest_both");
BENCHMARK(Window_redraw_box1_cluster_longest)->Name("Window/redraw_box1_cluster_longest");
BENCHMARK(Window_moving_step_box3_cluster)->Name("Window/moving_step_box3_cluster");
BENCHMARK(Explorer_inspect_cell_1000)->Name("Explorer/inspect_cell_1000");
BENCHMARK(Explorer_inspect_cell_1000_start1)->Name("Explorer/inspect_cell_1000_start1");
BENCHMARK(Explorer_constant_1e18)->Name("Explorer/constant_1e18");
BENCHMARK(Explorer_pointer_move)->Name("Explorer/pointer_move");
BENCHMARK(Explorer_pointer_move_painted)->Name("Explorer/pointer_move_painted");
BENCHMARK(Startup_program_to_first_picture)
    ->Name("Startup/program_to_first_picture")
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Startup_bare_window)
    ->Name("Startup/bare_window")
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// Keeps the median of every benchmark (the one time of a benchmark that runs once) and its
// counters, while the console shows the usual table.
class MedianCollector : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (single || (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")) {
                const std::string& name = run.run_name.function_name;
                medians[name] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
                for (const auto& [counter, value] : run.counters)
                    counters[name + ":" + counter] = value;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> medians;   // seconds
    std::map<std::string, double> counters;  // "benchmark:counter"
};

struct Target {
    const char* measured;
    const char* against;
    const char* rule;  // "<=" or ">=" for how many times faster
    double limit;
    const char* plus = nullptr;  // measured against the sum of `against` and this
    // `against` stands for this many times less work than `measured`: the ratio is per unit
    // of work (per cell, per pixel).
    double scale = 1;
};

// Cells of a picture 8192 pixels a side at box size 1, of the window's, and of the whole range.
constexpr double kBigCells = 8192.0 * 8192.0;
constexpr double kWindowCells = double{kCount};
constexpr double kWholeRangeCells = 46339.0 * 46339.0;
constexpr double kLargeViewCells = 1280.0 * 720.0;

// measured / against must stay at or below the limit; for ">=" against / measured at or above.
constexpr Target kTargets[] = {
    {"Pass/box1_primes_top", "Anchor/primesieve_window_top", "<=", 2},
    {"Pass/box1_primes_top", "Baseline/trial_division_pass_top", ">=", 100},
    {"Startup/calculate_primes", "Anchor/primesieve_count_to_max", "<=", 0.05},
    {"Pass/box1_primes_cluster_top", "Anchor/primesieve_window_top", "<=", 3.2},
    {"Pass/box1_all_ostrand_top", "Anchor/primesieve_window_top", "<=", 5},
    {"Pass/box3_primes_cluster_top", "Anchor/primesieve_window_top", "<=", 1.5},
    {"Runs/box1_longest_both", "Pass/box1_primes_cluster_top", "<=", 1},
    // Against a fixed anchor: the pass got faster than the toolkit's fixed part of a redraw
    // (grab, labels, waking the other core), which a ratio to the pass would punish.
    {"Window/redraw_box1_cluster_longest", "Anchor/primesieve_window_top", "<=", 7},
    {"Window/moving_step_box3_cluster", "Pass/box3_primes_cluster_top", "<=", 1.3},
    {"Startup/program_to_first_picture", "Startup/bare_window", "<=", 1.5},
    {"Explorer/inspect_cell_1000", "Pass/box1_primes_top", "<=", 40},
    {"Explorer/inspect_cell_1000_start1", "Pass/box1_primes_top", "<=", 40},
    {"Explorer/constant_1e18", "Pass/box1_primes_top", "<=", 10},
    {"Explorer/pointer_move", "Pass/box1_primes_top", "<=", 0.25},
    // Painted at most once a frame (60 Hz): this much a move costs when every move is painted.
    {"Explorer/pointer_move_painted", "Pass/box1_primes_top", "<=", 1},
    {"Export/png_8192_cluster", "Pass/box1_8192_cluster", "<=", 2},
    {"Export/png_8192_ostrand", "Pass/box1_8192_ostrand", "<=", 2},
    {"Export/png_8192_white", "Pass/box1_8192_white", "<=", 2},
    {"Pass/box1_8192_cluster", "Pass/box1_primes_cluster_top", "<=", 1.2, nullptr,
     kBigCells / kWindowCells},
    {"Export/png_whole_range_cluster", "Export/png_8192_cluster", "<=", 1.3, nullptr,
     kWholeRangeCells / kBigCells},
    {"LargeView/frame_1280x720_1e18", "Baseline/miller_rabin_1280x720_1e18", "<=", 0.35},
    {"LargeView/pan_one_screen_1e18", "LargeView/frame_1280x720_1e18", "<=", 0.6},
    {"LargeView/frame_1280x720_1e18_ring", "Baseline/miller_rabin_1280x720_1e18", "<=", 0.5},
    {"LargeView/frame_1280x720_start1_cluster", "Pass/box1_primes_cluster_top", "<=", 1.5, nullptr,
     kLargeViewCells / kWindowCells},
};

// The whole range at one byte a pixel: its peak memory against 1.1 bytes a pixel + 200 MB.
constexpr const char* kWholeRangeMemory = "Export/png_whole_range_cluster:max_rss_MiB";
constexpr double kWholeRangeMemoryLimitMiB = (1.1 * kWholeRangeCells + 200e6) / (1 << 20);

int PrintRatios(const std::map<std::string, double>& medians,
                const std::map<std::string, double>& counters) {
    int missed = 0;
    std::printf("\nRatios of medians, measured in this run:\n");
    for (const Target& t : kTargets) {
        const auto a = medians.find(t.measured);
        const auto b = medians.find(t.against);
        const auto c = t.plus != nullptr ? medians.find(t.plus) : medians.end();
        if (a == medians.end() || b == medians.end() || (t.plus != nullptr && c == medians.end()))
            continue;
        const double against = (b->second + (t.plus != nullptr ? c->second : 0.0)) * t.scale;
        const bool faster = std::string(t.rule) == ">=";
        const double ratio = faster ? against / a->second : a->second / against;
        const bool met = faster ? ratio >= t.limit : ratio <= t.limit;
        missed += !met;
        std::string name = t.plus != nullptr ? std::string("(") + t.against + " + " + t.plus + ")"
                                             : std::string(t.against);
        if (t.scale != 1) name += " x " + std::to_string(t.scale).substr(0, 6);
        std::printf("  %-34s %s %-34s %9.3f  (target %s %g)  %s\n", t.measured,
                    faster ? "faster than" : "/          ", name.c_str(), ratio, t.rule, t.limit,
                    met ? "ok" : "MISSED");
    }
    if (const auto rss = counters.find(kWholeRangeMemory); rss != counters.end()) {
        const bool met = rss->second <= kWholeRangeMemoryLimitMiB;
        missed += !met;
        std::printf("  %-34s   %-34s %9.0f  (target <= %.0f MiB)  %s\n",
                    "Export/png_whole_range_cluster", "max resident memory, MiB", rss->second,
                    kWholeRangeMemoryLimitMiB, met ? "ok" : "MISSED");
    }
    return missed;
}

}  // namespace
}  // namespace quorvel

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The toolkit gets none of the benchmark's arguments.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    // Defaults for a fair comparison on a noisy machine; any of them can be given on the
    // command line instead.
    std::vector<char*> args(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=9";
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    std::string aggregates = "--benchmark_report_aggregates_only=true";
    std::string minTime = "--benchmark_min_time=0.2";
    for (std::string* flag : {&repetitions, &interleave, &aggregates, &minTime}) {
        const std::string name = flag->substr(0, flag->find('='));
        bool given = false;
        for (int i = 1; i < argc; ++i)
            given |= std::string(argv[i]).rfind(name, 0) == 0;
        if (!given) args.push_back(flag->data());
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;

    quorvel::MedianCollector reporter;
    // The big pictures take seconds each and run once, after the others, unless a filter of
    // the caller's picks what runs.
    const std::string filter = benchmark::GetBenchmarkFilter();
    if (filter.empty() || filter == "." || filter == "all") {
        benchmark::RunSpecifiedBenchmarks(&reporter, std::string("-") + quorvel::kBigGroup);
        benchmark::RunSpecifiedBenchmarks(&reporter, quorvel::kBigGroup);
    } else {
        benchmark::RunSpecifiedBenchmarks(&reporter);
    }
    benchmark::Shutdown();
    const int missed = quorvel::PrintRatios(reporter.medians, reporter.counters);
    std::printf(missed == 0 ? "All targets met.\n" : "%d target(s) missed.\n", missed);
    return missed == 0 ? 0 : 1;
}
