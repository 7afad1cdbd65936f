// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/spiral_pass.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <optional>
#include <type_traits>
#include <vector>

#include "engine/cell_marks.h"
#include "engine/prime_feed.h"
#include "engine/thread_pool.h"
#include "engine/work_share.h"

namespace quorvel {
namespace {

using Marks = NumberClass::Marks;

void DrawCalculatingBanner(Surface& surface, const PassGeometry& g, std::string_view text) {
    surface.FillBox(g.centreX - 60, g.centreY + 130, g.centreX + 70, g.centreY + 174, kBlack);
    // At box size 1 the Stop button covers the banner instead of the text.
    if (g.boxSize >= 3) {
        surface.DrawText(g.centreX - 50, g.centreY + 140, text, kBannerPoints, kYellow);
    }
    surface.Refresh();
}

// Beyond this many pixels a copy of a 32-bit picture at one byte a pixel would cost more memory
// than it saves time.
constexpr std::int64_t kLargestByteCopy = std::int64_t{8192} * 8192;
// Passes at other box sizes keep a grid this small for the next one at box size 1: getting
// the memory back from the system costs a page fault every 4 KiB, and its cache lines are cold.
constexpr std::size_t kKeptGridBytes = std::size_t{4} << 20;

// Pictures of this many numbers share their sieving and writing out with another core ...
constexpr std::int64_t kShareFrom = 1 << 16;
// ... and from this many on are worth sieving threads of their own: from about 2048 pixels a
// side at box size 1, far beyond what a window shows.
constexpr std::int32_t kFeedFrom = 1 << 22;

// Marks the engine busy for the life of a pass, whichever way the pass ends.
class RunningGuard {
  public:
    explicit RunningGuard(bool& running) : running_(running) { running_ = true; }
    ~RunningGuard() { running_ = false; }
    RunningGuard(const RunningGuard&) = delete;
    RunningGuard& operator=(const RunningGuard&) = delete;

  private:
    bool& running_;
};

}  // namespace

namespace {

// lngMaxNumber in decimal, for comparing start-number texts without converting them.
constexpr std::array<char, 10> kMaxNumberDigits = [] {
    static_assert(lngMaxNumber >= 1'000'000'000, "ten digits");
    std::array<char, 10> digits{};
    std::int32_t rest = lngMaxNumber;
    for (std::size_t i = digits.size(); i-- > 0; rest /= 10)
        digits[i] = static_cast<char>('0' + rest % 10);
    return digits;
}();

}  // namespace

bool StartNumberTooLarge(std::string_view text) {
    constexpr std::string_view kLargest(kMaxNumberDigits.data(), kMaxNumberDigits.size());
    return text.size() > kLargest.size() || (text.size() == kLargest.size() && text > kLargest);
}

std::int32_t StartNumberValue(std::string_view text) {
    std::int64_t value = 0;
    for (const char ch : text) {
        if (ch == ' ') continue;
        if (ch < '0' || ch > '9') break;
        value = std::min<std::int64_t>(value * 10 + (ch - '0'), INT32_MAX);
    }
    return static_cast<std::int32_t>(value);
}

std::string_view TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string_view WithoutLeadingZeros(std::string_view text) {
    std::size_t zeros = 0;
    while (zeros + 1 < text.size() && text[zeros] == '0')
        ++zeros;
    return text.substr(zeros);
}

PassGeometry ComputeGeometry(int surfaceWidth, int surfaceHeight, int boxSize) {
    PassGeometry g;
    g.boxSize = std::max(boxSize, 1);
    g.radius = RadiusForBox(g.boxSize);
    g.centreX = std::max(surfaceWidth, 0) / 2;
    g.centreY = std::max(surfaceHeight, 0) / 2;
    // A surface narrower than one cell still shows the central cell.
    const auto cells = RoundHalfEven(static_cast<double>(surfaceHeight) / g.boxSize);
    g.cellsPerSide = static_cast<int>(std::clamp<std::int64_t>(cells, 1, 46340));
    g.numberOfNumbers = g.cellsPerSide * g.cellsPerSide;
    return g;
}

PassResult SpiralEngine::DrawSpiral(const PassInput& input, Surface& surface,
                                    PassObserver* observer) {
    // Observer hooks let input through, which may ask this engine for another picture; a
    // second pass inside the first would clear and redraw the surface under the outer walk.
    if (running_) {
        PassResult refused;
        refused.outcome = PassOutcome::AlreadyRunning;
        return refused;
    }
    const RunningGuard guard(running_);
    return Draw(input, surface, observer);
}

namespace {

// The checks before anything is drawn: the refusal, or Drawn. Fills in the result's start
// text, and unless the start number is refused its geometry, start and end number.
PassOutcome Validate(const PassInput& input, int width, int height, PassResult& result) {
    const std::string_view trimmed = TrimSpaces(input.startText);
    result.startText = trimmed.empty() ? std::string_view("1") : trimmed;
    if (StartNumberTooLarge(result.startText)) return PassOutcome::StartNumberTooLarge;

    const PassGeometry& g = result.geometry = ComputeGeometry(width, height, input.boxSize);
    const std::int32_t start = result.startNumber = StartNumberValue(result.startText);
    const std::int64_t count = g.numberOfNumbers;
    if (lngMaxNumber - count + 1 < start) return PassOutcome::EndNumberTooLarge;
    if (LargestShownNumber(input.show) - count + 1 < start) {
        return PassOutcome::TriangularStartTooLarge;
    }
    result.endNumber = static_cast<std::int32_t>(start + count - 1);
    return PassOutcome::Drawn;
}

}  // namespace

PassOutcome CheckPass(const PassInput& input, int width, int height) {
    PassResult result;
    return Validate(input, width, height, result);
}

PassResult PlanPass(const PassInput& input, int width, int height) {
    PassResult result;
    result.outcome = Validate(input, width, height, result);
    return result;
}

PassResult SpiralEngine::Draw(const PassInput& input, Surface& surface, PassObserver* observer) {
    PassResult result;
    result.outcome = Validate(input, surface.Width(), surface.Height(), result);
    if (IsRefusal(result.outcome)) {
        flags_.blnSpiralDrawn = false;
        if (result.outcome == PassOutcome::EndNumberTooLarge) flags_.blnEndNumberRefused = true;
        return result;
    }
    const PassGeometry& g = result.geometry;
    const std::int32_t start = result.startNumber;

    // The flags describe this pass before the window's hooks look at them.
    flags_.blnEndNumberRefused = false;
    flags_.blnSpiralDrawn = true;
    if (observer != nullptr) observer->OnDrawingStarts(result);
    if (!input.moving && g.boxSize <= 5) DrawCalculatingBanner(surface, g, input.calculatingText);

    // Big enough a picture shares its work with another core, which takes a while to wake.
    // (Big pictures have cores of their own sieving ahead.)
    if (g.numberOfNumbers >= kShareFrom && g.numberOfNumbers < kFeedFrom) WorkShare::WakeHelper();
    // At box size 1 the walk keeps the colours one byte a pixel and writes every pixel of a
    // 32-bit picture from them (see CellWalker): at the end, and first when a window may show
    // the picture. Such a picture needs no fill.
    const bool rewritten = g.boxSize == 1 &&
                           std::int64_t{surface.Width()} * surface.Height() <= kLargestByteCopy &&
                           surface.ClearForOverwrite(kBlack);
    if (!rewritten) surface.Clear(kBlack);
    if (numbers_ == nullptr || numbers_->Mode() != input.show)
        numbers_ = MakeNumberClass(input.show);
    numbers_->Restart(start);
    const bool everyNumber = numbers_->Kind() == NumberClass::Marks::Every;
    // "All numbers" in Ostrand colours at box size 1 takes each number's colour as it comes:
    // they are made wherever the numbers are sieved, on two cores.
    const bool ostrand = input.colorBy == ColorScheme::Ostrand;
    primes_.Prepare(start, result.endNumber, ostrand,
                    ostrand && everyNumber && g.boxSize == 1 ? OstrandColours : nullptr);
    const bool finished = Walk(input, surface, observer, result, rewritten);
    surface.Refresh();
    result.outcome = finished ? PassOutcome::Drawn : PassOutcome::Stopped;
    result.runsMeasured = finished && input.calculateLongest;
    return result;
}

namespace {

// Which of four palette indices (in the bytes of `probes`, lowest first, each below 16) are
// cycle colours: the top bit of each such byte, the four compared at once.
inline std::uint32_t CycleColourHits(std::uint32_t probes, int colorCount) {
    constexpr std::uint32_t kOnes = 0x01010101u;
    // A byte's top bit comes on when it reaches the first cycle colour, and when it reaches the
    // first one past the cycle; no byte carries into the next.
    const std::uint32_t reached = probes + (0x80u - intColorOffset) * kOnes;
    const std::uint32_t past =
        probes + (0x80u - static_cast<std::uint32_t>(intColorOffset + colorCount)) * kOnes;
    return reached & ~past & (0x80u * kOnes);
}

// The first of the four that is a cycle colour, given their hits (any byte's when none is).
inline int FirstHit(std::uint32_t probes, std::uint32_t hits) {
    return static_cast<int>((probes >> (std::countr_zero(hits | 0x80000000u) - 7)) & 0xFFu);
}

// The first of the four that is a cycle colour, or -1.
inline int FirstCycleColour(std::uint32_t probes, int colorCount) {
    const std::uint32_t hits = CycleColourHits(probes, colorCount);
    return hits == 0 ? -1 : FirstHit(probes, hits);
}

// Ostrand colours of the numbers that are not prime, by their count of distinct prime factors.
constexpr std::array<std::uint8_t, 256> kOstrandByFactors = [] {
    std::array<std::uint8_t, 256> colours{};
    for (int f = 0; f < 256; ++f)
        colours[static_cast<std::size_t>(f)] = static_cast<std::uint8_t>(OstrandColor(4, false, f));
    return colours;
}();

// Sets the `count` pixels of a byte surface from (x, y) on in steps of (dx, dy), one of them 0
// and the other ±1, all inside the picture, to the Ostrand colours of the factor counts
// values[0], values[1], …; adds each colour written to `drawn`.
void WriteIndexLine(const RasterView& raster, int x, int y, int dx, int dy, int count,
                    const std::uint8_t* values, std::uint32_t& drawn) {
    std::uint32_t seen = 0;
    const auto line = [&](std::uint8_t* out, std::ptrdiff_t step, const std::uint8_t* from, int n) {
        for (int i = 0; i < n; ++i) {
            const std::uint8_t c = kOstrandByFactors[from[i]];
            out[i * step] = c;
            seen |= 1u << c;
        }
    };
    if (raster.tilesAcross == 0) {
        line(raster.indices + raster.Offset(x, y), dx + dy * raster.stride, values, count);
    } else {
        // Blocks of 8 x 8 inside tiles: straight on to the edge of each block.
        const std::ptrdiff_t step = dx + dy * 8;
        for (int j = 0; j < count;) {
            const int cx = x + j * dx;
            const int cy = y + j * dy;
            const int inBlock = dx > 0   ? 8 - (cx & 7)
                                : dx < 0 ? (cx & 7) + 1
                                : dy > 0 ? 8 - (cy & 7)
                                         : (cy & 7) + 1;
            const int n = std::min(inBlock, count - j);
            line(raster.indices + raster.IndexOffset(cx, cy), step, values + j, n);
            j += n;
        }
    }
    drawn |= seen;
}

// Everything one walk works with. The loop over the cells is specialised per show mode and
// colour scheme, so that classifying and colouring a cell compile down to a few instructions.
class CellWalker {
  public:
    CellWalker(const PassInput& input, Surface& surface, PassObserver* observer,
               PrimeWindow& primes, NumberClass& numbers, std::uint64_t* marks, PassResult& result,
               IndexGrid& cells, TiledIndices& tiles, PrimeFeed* feed, bool unwritten)
        : surface_(surface),
          observer_(observer),
          primes_(primes),
          numbers_(numbers),
          marks_(marks),
          result_(result),
          g_(result.geometry),
          style_{g_.boxSize,    g_.radius,      input.squares, input.show,
                 input.colorBy, input.numerals, input.grid},
          rule_{input.colorBy, input.show, g_.boxSize},
          gridMarks_(g_.boxSize >= 15 && input.grid && input.show != ShowMode::All),
          raster_(surface.Raster()),
          cells_(cells),
          tiles_(tiles),
          feed_(feed),
          unwritten_(unwritten) {
        // Box size 1 on a 32-bit picture: the pass keeps the colours one byte a pixel, where
        // the neighbours "Cluster" reads stay in the cache and a ring's columns cost a quarter
        // of the cache lines, and writes them out row by row at the end, and now and then for
        // the screen. "Cluster" reads its neighbours at fixed distances: rows. With every
        // number marked: tiles, where a ring's columns cost no more than its rows. A byte
        // surface is worked on as it is.
        const bool bytesPay = g_.boxSize == 1 && raster_.bits != nullptr &&
                              raster_.indices == nullptr &&
                              std::int64_t{raster_.width} * raster_.height <= kLargestByteCopy;
        inTiles_ =
            bytesPay && numbers.Kind() == Marks::Every && rule_.scheme != ColorScheme::Cluster;
        inRows_ = bytesPay && !inTiles_;
        onBytes_ = g_.boxSize == 1 && raster_.indices != nullptr;
        if (inRows_) {
            cells_.Reset(raster_.width, raster_.height);
            // Where each side's probes lie from a cell, in bytes.
            for (int side = 0; side < 4; ++side)
                for (int i = 0; i < 4; ++i)
                    rowProbes_[side][i] = kClusterProbesInWalk[side][i][0] +
                                          kClusterProbesInWalk[side][i][1] * cells_.Stride();
        }
        if (inTiles_) {
            tiles_.Reset(raster_.width, raster_.height);
        } else {
            tiles_.Release();
        }
        // Box size 3: marks written straight into the pixels. With every mark a stamp of one
        // colour, "Cluster" reads a neighbour's colour from its cell instead of its pixels.
        stamped_ = g_.boxSize == 3 && surface.SmallMarksMayBeStamped();
        cellColours_ = stamped_ && rule_.scheme == ColorScheme::Cluster;
        if (cellColours_) {
            cellsOrigin_ = g_.cellsPerSide / 2;
            cells_.Reset(2 * cellsOrigin_ + 1, 2 * cellsOrigin_ + 1);
        }
        if (!inRows_ && !cellColours_) cells_.Release(kKeptGridBytes);
        lastFlush_ = std::chrono::steady_clock::now();
    }

    template <Marks kMarks>
    bool Walk() {
        switch (rule_.scheme) {
            case ColorScheme::Cluster:
                return WalkAs<kMarks, ColorScheme::Cluster>();
            case ColorScheme::DiagonalNWSE:
                return WalkAs<kMarks, ColorScheme::DiagonalNWSE>();
            case ColorScheme::DiagonalSWNE:
                return WalkAs<kMarks, ColorScheme::DiagonalSWNE>();
            case ColorScheme::RingNumber:
                return WalkAs<kMarks, ColorScheme::RingNumber>();
            case ColorScheme::Sequence:
                return WalkAs<kMarks, ColorScheme::Sequence>();
            case ColorScheme::Ostrand:
                return WalkAs<kMarks, ColorScheme::Ostrand>();
            case ColorScheme::White:
                break;
        }
        // White, and any list position the program does not know, which draws white too.
        return WalkAs<kMarks, ColorScheme::White>();
    }

    // After the walk: writes out the colours kept one byte a pixel, and with `runs` measures
    // the longest diagonal runs. Where every pixel is among those bytes the runs are measured
    // there, a quarter of the memory, while the other core writes the picture out; else on
    // the picture once it is written.
    void Finish(DiagonalRuns* runs) {
        const RasterView raster = surface_.Raster();
        const bool fromBytes = runs != nullptr && inRows_ && raster.bits != nullptr &&
                               cells_.Width() == raster.width && cells_.Height() == raster.height;
        if (inRows_ || inTiles_) Flush(true, fromBytes ? runs : nullptr);
        if (runs != nullptr && !fromBytes) {
            *runs = LongestDiagonalRuns(surface_.Raster(), surface_.Background(), Lattice());
        }
    }

  private:
    // The walk with the kind of marks (the primes, every number, or others the class finds) and
    // the colour scheme fixed at compile time, so that the classification and the colour of a
    // cell come down to a few instructions each.
    template <Marks kMarks, ColorScheme kScheme>
    bool WalkAs() {
        const std::int32_t start = result_.startNumber;
        bool isPrime = false;
        const bool shown = MarkOfCentre(start, isPrime);
        result_.centreIsPrime = isPrime;
        if (shown) {
            result_.numberShown = 1;
            const CellPlace centre{start, true, isPrime, 0, 0, 1, g_.centreX, g_.centreY};
            const int c = ChooseCellColor(rule_, centre, memory_, raster_, primes_);
            Put(0, 0, g_.centreX, g_.centreY, c, start);
            if (isPrime) result_.smallestPrime = result_.largestPrime = start;
            memory_.lastClusterColor = intPrimeColor;
        } else {
            if (g_.boxSize >= 7) MarkCentreOnGrid(raster_, style_, g_.centreX, g_.centreY);
            memory_.lastClusterColor = rule_.ColorCount() + intPrimeColor - 1;
        }

        // Long passes show progress and let the Stop button work; the observer says which.
        const std::int64_t checkpoint = observer_ != nullptr
                                            ? observer_->CheckpointEvery(g_.boxSize)
                                            : (g_.boxSize == 1 ? 1000 : 0);
        // The next checkpoint, counted on rather than divided out for every run.
        std::int64_t next = checkpoint;
        return WalkSpiralRuns(g_.numberOfNumbers, checkpoint, [&](const SpiralRun& run) {
            WalkRun<kMarks, kScheme>(run, static_cast<std::int32_t>(start + run.first));
            if (checkpoint <= 0 || run.Last() != next) return true;
            next += checkpoint;
            return Checkpoint(run.Last() + 1);
        });
    }

    // The cells of one run: n, n + 1, … Their primality comes as bits from the window's sieve,
    // their marks as bits from the kind of number; without grid marks to draw, only the marked
    // cells are visited. The count stays in a local, where no pixel write can be suspected of
    // changing it.
    template <Marks kMarks, ColorScheme kScheme>
    void WalkRun(const SpiralRun& run, const std::int32_t n) {
        const int b = g_.boxSize;
        const int stepX = b * run.dx;
        const int stepY = b * run.dy;
        const int px0 = g_.centreX + b * run.x;
        const int py0 = g_.centreY + b * run.y;
        const bool gridMarks = gridMarks_;
        side_ = static_cast<int>(run.Side());
        // Every number of the run in colours straight from the sieve's factor counts, into
        // the bytes kept beside the surface or into a byte surface's own.
        const int pxEnd = px0 + (run.length - 1) * stepX;
        const int pyEnd = py0 + (run.length - 1) * stepY;
        const bool ostrandLine =
            kMarks == Marks::Every && kScheme == ColorScheme::Ostrand && b == 1 &&
            (inTiles_ ? tiles_.Contains(px0, py0) && tiles_.Contains(pxEnd, pyEnd)
                      : raster_.indices != nullptr && raster_.Contains(px0, py0) &&
                            raster_.Contains(pxEnd, pyEnd));
        std::int32_t shown = 0;
        for (int k = 0; k < run.length;) {
            const std::int32_t m = n + k;
            const PrimeBlock block = feed_ != nullptr ? feed_->BlockOf(m) : primes_.BlockOf(m);
            const std::int64_t offset = m - block.first;
            const int chunk = std::min(run.length - k, block.last - m + 1);
            if (ostrandLine && block.factorCounts != nullptr) {
                OstrandLine(block, offset, chunk, m, px0 + k * stepX, py0 + k * stepY, run.dx,
                            run.dy);
                shown += chunk;
            } else if (kScheme == ColorScheme::White && kMarks == Marks::Primes && inRows_ &&
                       cells_.Contains(px0 + k * stepX, py0 + k * stepY) &&
                       cells_.Contains(px0 + (k + chunk - 1) * stepX,
                                       py0 + (k + chunk - 1) * stepY)) {
                std::uint8_t* const at = cells_.At(px0 + k * stepX, py0 + k * stepY);
                const std::ptrdiff_t step = stepX + stepY * cells_.Stride();
                shown += WhiteLine(block, offset, chunk, m,
                                   [&](std::int64_t j) -> std::uint8_t& { return at[j * step]; });
            } else if (kScheme == ColorScheme::Cluster && kMarks == Marks::Primes && inRows_ &&
                       cells_.Contains(px0 + k * stepX, py0 + k * stepY) &&
                       cells_.Contains(px0 + (k + chunk - 1) * stepX,
                                       py0 + (k + chunk - 1) * stepY)) {
                std::uint8_t* const at = cells_.At(px0 + k * stepX, py0 + k * stepY);
                const std::ptrdiff_t step = stepX + stepY * cells_.Stride();
                const std::ptrdiff_t* const probe = rowProbes_[side_];
                shown += ClusterLine(block, offset, chunk, m, run.ring, [&](std::int64_t j) {
                    std::uint8_t* const cell = at + j * step;
                    return CellAndProbes{cell, std::uint32_t{cell[probe[0]]} |
                                                   std::uint32_t{cell[probe[1]]} << 8 |
                                                   std::uint32_t{cell[probe[2]]} << 16 |
                                                   std::uint32_t{cell[probe[3]]} << 24};
                });
            } else if (kScheme == ColorScheme::Cluster && kMarks == Marks::Primes && onBytes_ &&
                       InsideBy2(px0 + k * stepX, py0 + k * stepY) &&
                       InsideBy2(px0 + (k + chunk - 1) * stepX, py0 + (k + chunk - 1) * stepY)) {
                const int x = px0 + k * stepX;
                const int y = py0 + k * stepY;
                const int dx = run.dx;
                const int dy = run.dy;
                const auto& probes = kClusterProbesInWalk[side_];
                constexpr int kAhead = 256;         // cells: about a dozen primes
                const RasterView raster = raster_;  // a local copy no byte written can change
                std::uint32_t drawn = 0;
                // A byte's place is a part for its row plus one for its column; along the line
                // one of the two stays the same for the cell and each of its probes.
                const bool down = dx == 0;
                const auto along = [&](int v) {
                    return down ? raster.RowPart(v) : raster.ColumnPart(v);
                };
                const int across = down ? x : y;
                const std::ptrdiff_t fixed = down ? raster.ColumnPart(x) : raster.RowPart(y);
                std::ptrdiff_t probeFixed[4];
                int probeAlong[4];
                for (int i = 0; i < 4; ++i) {
                    const int a = down ? probes[i][0] : probes[i][1];
                    probeFixed[i] =
                        down ? raster.ColumnPart(across + a) : raster.RowPart(across + a);
                    probeAlong[i] = down ? probes[i][1] : probes[i][0];
                }
                const int step = down ? dy : dx;
                const int start = down ? y : x;
                const int limit = (down ? raster.height : raster.width) - 3;
                shown += ClusterLine(
                    block, offset, chunk, m, run.ring,
                    [&](std::int64_t j) {
                        const int c = start + static_cast<int>(j) * step;
                        // The pixels here and inwards were last touched a ring ago: far away
                        // in memory on a big picture, in lines no prefetcher guesses. Ask for
                        // those some primes on.
                        const int a = std::clamp(c + kAhead * step, 2, limit);
                        __builtin_prefetch(raster.indices + fixed + along(a), 1);
                        __builtin_prefetch(raster.indices + probeFixed[2] +
                                           along(a + probeAlong[2]));
                        __builtin_prefetch(raster.indices + probeFixed[3] +
                                           along(a + probeAlong[3]));
                        std::uint32_t found = 0;
                        for (int i = 0; i < 4; ++i)
                            found |=
                                std::uint32_t{
                                    raster.indices[probeFixed[i] + along(c + probeAlong[i])]}
                                << (8 * i);
                        return CellAndProbes{raster.indices + fixed + along(c), found};
                    },
                    &drawn,
                    [&](std::int64_t j, std::int32_t number) {
                        // A byte outside the palette is no colour: read as the pixels have it.
                        const int c = static_cast<int>(j) + k;
                        const CellPlace cell{number,
                                             false,
                                             true,
                                             run.x + c * run.dx,
                                             run.y + c * run.dy,
                                             run.ring,
                                             px0 + c * stepX,
                                             py0 + c * stepY};
                        return ClusterColorFound(
                            FindClusterColorInWalk(raster_, cell, rule_.ColorCount()), rule_, cell,
                            memory_);
                    });
                if (raster_.drawn != nullptr) *raster_.drawn |= drawn;
            } else if (kScheme == ColorScheme::White && kMarks == Marks::Primes && onBytes_ &&
                       raster_.Contains(px0 + k * stepX, py0 + k * stepY) &&
                       raster_.Contains(px0 + (k + chunk - 1) * stepX,
                                        py0 + (k + chunk - 1) * stepY)) {
                const int x = px0 + k * stepX;
                const int y = py0 + k * stepY;
                const int dx = run.dx;
                const int dy = run.dy;
                const int found =
                    WhiteLine(block, offset, chunk, m, [&](std::int64_t j) -> std::uint8_t& {
                        const auto i = static_cast<int>(j);
                        return raster_.indices[raster_.IndexOffset(x + i * dx, y + i * dy)];
                    });
                shown += found;
                if (found > 0 && raster_.drawn != nullptr) *raster_.drawn |= 1u << kBrightWhite;
            } else if (kMarks == Marks::Primes && !gridMarks) {
                ForEachSetBit(block.bits, offset, chunk, [&](std::int64_t j) {
                    const int c = k + static_cast<int>(j);
                    ++shown;
                    Mark<kScheme>(n + c, true, run, c, px0 + c * stepX, py0 + c * stepY, 1);
                });
            } else if (kMarks == Marks::Some && !gridMarks) {
                // Only the marked numbers, as the class finds them.
                const std::uint64_t* marked = numbers_.Mark(m, chunk, block.bits, offset, marks_);
                ForEachSetBit(marked, offset, chunk, [&](std::int64_t j) {
                    const int c = k + static_cast<int>(j);
                    ++shown;
                    MarkWithFactors<kScheme>(block, offset + j, run, c, px0 + c * stepX,
                                             py0 + c * stepY);
                });
            } else {
                const std::uint64_t* marked =
                    kMarks == Marks::Every ? nullptr
                                           : numbers_.Mark(m, chunk, block.bits, offset, marks_);
                int px = px0 + k * stepX;
                int py = py0 + k * stepY;
                for (int j = 0; j < chunk; ++j, px += stepX, py += stepY) {
                    const std::int64_t at = offset + j;
                    if (kMarks == Marks::Every || ((marked[at >> 6] >> (at & 63)) & 1) != 0) {
                        ++shown;
                        MarkWithFactors<kScheme>(block, at, run, k + j, px, py);
                    } else if (gridMarks) {
                        const Corner corner =
                            k + j == run.length - 1 ? run.lastCorner : Corner::None;
                        DrawGridMark(surface_, raster_, style_, px, py, corner);
                    }
                }
            }
            k += chunk;
        }
        result_.numberShown += shown;
    }

    // Mark() for the number at `at` of the block, cell k of the run: its primality from the
    // block, and for Ostrand colours its factor count, which the block has at hand.
    template <ColorScheme kScheme>
    void MarkWithFactors(const PrimeBlock& block, std::int64_t at, const SpiralRun& run, int k,
                         int px, int py) {
        const int factors = kScheme == ColorScheme::Ostrand && block.factorCounts != nullptr
                                ? block.factorCounts[at]
                                : -1;
        Mark<kScheme>(static_cast<std::int32_t>(block.first + at), block.Test(at), run, k, px, py,
                      factors);
    }

    // Colours and draws a marked cell other than the centre and keeps the prime statistics.
    // `factors` is n's count of distinct prime factors where known, else -1.
    template <ColorScheme kScheme>
    void Mark(std::int32_t n, bool isPrime, const SpiralRun& run, int k, int px, int py,
              int factors) {
        int c = 0;
        const CellPlace cell{n,        false, isPrime, run.x + k * run.dx, run.y + k * run.dy,
                             run.ring, px,    py};
        if (kScheme == ColorScheme::Ostrand && factors >= 0) {
            c = OstrandColor(n, isPrime, factors);
        } else if (kScheme == ColorScheme::Cluster && (inRows_ || cellColours_ || onBytes_)) {
            c = ClusterColorFound(NeighbourColour(cell), rule_, cell, memory_);
        } else {
            const ColorRule rule{kScheme, rule_.show, rule_.boxSize};
            c = ChooseCellColor(rule, cell, memory_, raster_, primes_);
        }
        Put(cell.x, cell.y, px, py, c, n);
        if (isPrime) {
            memory_.lastPrime = n;
            memory_.lastPrimeColor = c;
            if (result_.smallestPrime == 0) result_.smallestPrime = n;
            result_.largestPrime = n;  // numbers only grow along the walk
        }
    }

    // "White" at box size 1: the primes among `count` numbers from m on, all inside the
    // picture, as white bytes; byteOf(j) is the byte of number m + j. Returns how many there
    // were.
    template <typename ByteOf>
    int WhiteLine(const PrimeBlock& block, std::int64_t offset, int count, std::int32_t m,
                  ByteOf&& byteOf) {
        int primes = 0;
        std::int64_t first = -1;
        std::int64_t last = -1;
        ForEachSetBit(block.bits, offset, count, [&](std::int64_t j) {
            byteOf(j) = static_cast<std::uint8_t>(kBrightWhite);
            if (first < 0) first = j;
            last = j;
            ++primes;
        });
        if (primes > 0) {
            const auto largest = static_cast<std::int32_t>(m + last);
            memory_.lastPrime = largest;
            memory_.lastPrimeColor = kBrightWhite;
            if (result_.smallestPrime == 0)
                result_.smallestPrime = static_cast<std::int32_t>(m + first);
            result_.largestPrime = largest;
        }
        return primes;
    }

    // A cell's byte and its four neighbours' bytes, lowest first, in the order
    // kClusterProbesInWalk has them.
    struct CellAndProbes {
        std::uint8_t* cell;
        std::uint32_t probes;
    };

    // "Cluster" at box size 1 on bytes: the primes among `count` numbers from m on, on ring
    // `ring`, where look(j) gives number m + j's byte and its neighbours'. Each prime reads its
    // four neighbours in one go, as NeighbourColour does, and only a prime that finds none goes
    // through the rules for a new colour. Where neighbours may hold bytes outside the palette
    // (`drawn` given), unusual(j, n) colours such a prime instead; each colour written is
    // added to `drawn`. Returns how many primes there were.
    template <typename Look, typename Unusual = std::nullptr_t>
    int ClusterLine(const PrimeBlock& block, std::int64_t offset, int count, std::int32_t m,
                    int ring, Look&& look, std::uint32_t* drawn = nullptr,
                    Unusual&& unusual = nullptr) {
        // The colour memory is kept in locals: every byte written could otherwise change it
        // as far as the compiler knows, and it would be read back from memory each time.
        const int colours = colourCount_;
        if (ring != colourRing_) {
            colourRing_ = ring;
            ringColour_ = RingColor(ring, colours);
        }
        const int ringColour = ringColour_;
        const bool twins = rule_.show == ShowMode::Primes;
        int primes = 0;
        std::int32_t first = 0;
        std::int32_t n = memory_.lastPrime;
        int lastColour = memory_.lastPrimeColor;
        int lastCluster = memory_.lastClusterColor;
        std::uint32_t seen = 0;
        // The memory as the locals have it, for the rules that read and change it themselves.
        const auto store = [&] {
            memory_.lastPrime = n;
            memory_.lastPrimeColor = lastColour;
            memory_.lastClusterColor = lastCluster;
        };
        ForEachSetBit(block.bits, offset, count, [&](std::int64_t j) {
            const CellAndProbes at = look(j);
            const auto number = static_cast<std::int32_t>(m + j);
            int c = -1;
            if constexpr (!std::is_same_v<std::decay_t<Unusual>, std::nullptr_t>) {
                if ((at.probes & 0xF0F0F0F0u) != 0) {
                    store();
                    c = unusual(j, number);
                    lastCluster = memory_.lastClusterColor;
                }
            }
            if (c < 0) {
                // Whether a neighbour has a colour is a toss-up from prime to prime: the
                // colour is chosen without a branch. With none, ClusterColorFound's common
                // rules: a twin takes the colour of the prime before it, any other prime its
                // ring's.
                // (Masks: the compiler turns a conditional expression here into branches.)
                const std::uint32_t hits = CycleColourHits(at.probes, colours);
                const int found = -static_cast<int>(hits != 0);
                const int twin = -static_cast<int>(twins & (number - 2 == n));
                const int fallback = (lastColour & twin) | (ringColour & ~twin);
                c = (FirstHit(at.probes, hits) & found) | (fallback & ~found);
                if (number <= 5 && hits == 0) {
                    // The smallest primes have rules of their own, which read the memory as
                    // the prime before left it.
                    store();
                    CellPlace place;
                    place.number = number;
                    place.isPrime = true;
                    place.ring = ring;
                    c = ClusterColorFound(-1, rule_, place, memory_);
                    lastCluster = memory_.lastClusterColor;
                } else {
                    const int fromRing = ~found & ~twin;
                    lastCluster = (ringColour & fromRing) | (lastCluster & ~fromRing);
                }
            }
            *at.cell = static_cast<std::uint8_t>(c);
            seen |= 1u << c;
            n = number;
            lastColour = c;
            if (primes++ == 0) first = n;
        });
        store();
        if (primes > 0) {
            if (result_.smallestPrime == 0) result_.smallestPrime = first;
            result_.largestPrime = n;
        }
        if (drawn != nullptr) *drawn |= seen;
        return primes;
    }

    // Whether the central number is marked; `isPrime` gets whether it is prime.
    bool MarkOfCentre(std::int32_t start, bool& isPrime) {
        isPrime = start != 0 && primes_.IsPrime(start);
        const std::uint64_t prime = isPrime ? 1 : 0;
        std::uint64_t mark = 0;
        return (numbers_.Mark(start, 1, &prime, 0, &mark)[0] & 1) != 0;
    }

    // (x, y) and every pixel up to two away lie in the picture.
    bool InsideBy2(int x, int y) const {
        return x >= 2 && y >= 2 && x + 2 < raster_.width && y + 2 < raster_.height;
    }

    // The Ostrand colours of `count` numbers from m on, all marked, into the picture's bytes
    // from (x, y) on in steps of (dx, dy), all inside the picture.
    void OstrandLine(const PrimeBlock& block, std::int64_t offset, int count, std::int32_t m, int x,
                     int y, int dx, int dy) {
        const std::uint8_t* factors = block.factorCounts + offset;
        if (inTiles_ && block.colours != nullptr) {
            // The colours came with the numbers, made where they were sieved: copied along the
            // line, the primes among them only counted.
            tiles_.CopyLine(x, y, dx, dy, count, block.colours + offset);
            const SetBits primes = SummariseSetBits(block.bits, offset, count);
            if (primes.first >= 0) {
                const auto last = static_cast<std::int32_t>(m + primes.last);
                memory_.lastPrime = last;
                memory_.lastPrimeColor = block.colours[offset + primes.last];
                if (result_.smallestPrime == 0)
                    result_.smallestPrime = static_cast<std::int32_t>(m + primes.first);
                result_.largestPrime = last;
            }
            return;
        }
        if (inTiles_) {
            tiles_.WriteLine(x, y, dx, dy, count, factors, kOstrandByFactors.data());
        } else {
            std::uint32_t drawn = 0;
            WriteIndexLine(raster_, x, y, dx, dy, count, factors, drawn);
            if (raster_.drawn != nullptr) *raster_.drawn |= drawn;
        }
        ForEachSetBit(block.bits, offset, count, [&](std::int64_t i) {
            const int j = static_cast<int>(i);
            const std::int32_t n = m + j;
            const int c = OstrandColor(n, true, 1);
            if (inTiles_) {
                tiles_.At(x + j * dx, y + j * dy) = static_cast<std::uint8_t>(c);
            } else {
                raster_.WriteIndex(x + j * dx, y + j * dy, c);
            }
            memory_.lastPrime = n;
            memory_.lastPrimeColor = c;
            if (result_.smallestPrime == 0) result_.smallestPrime = n;
            result_.largestPrime = n;
        });
    }

    // What FindClusterColor answers for a cell of the walk, read from the bytes the pass keeps.
    int NeighbourColour(const CellPlace& cell) const {
        const int count = rule_.ColorCount();
        if (inRows_ || onBytes_) {
            // Box size 1, as FindClusterColorInWalk: the four probes that can find a colour,
            // which depend on the side of its ring the cell lies on, the side the walk follows.
            const auto& probes = kClusterProbesInWalk[side_];
            const int x = cell.pixelX;
            const int y = cell.pixelY;
            std::uint32_t found = 0;
            if (onBytes_) {
                for (int i = 0; i < 4; ++i) {
                    const int px = x + probes[i][0];
                    const int py = y + probes[i][1];
                    if (raster_.Contains(px, py))
                        found |= std::uint32_t{raster_.indices[raster_.IndexOffset(px, py)]}
                                 << (8 * i);
                }
                // Bytes outside the palette are no colour at all.
                if ((found & 0xF0F0F0F0u) != 0) return FindClusterColorInWalk(raster_, cell, count);
            } else if (cells_.Contains(x, y)) {
                // Up to two pixels outside the picture the border reads as background.
                const std::uint8_t* at = cells_.At(x, y);
                const std::ptrdiff_t stride = cells_.Stride();
                for (int i = 0; i < 4; ++i)
                    found |= std::uint32_t{at[probes[i][0] + probes[i][1] * stride]} << (8 * i);
            } else {
                for (int i = 0; i < 4; ++i) {
                    const int px = x + probes[i][0];
                    const int py = y + probes[i][1];
                    if (cells_.Contains(px, py))
                        found |= std::uint32_t{*cells_.At(px, py)} << (8 * i);
                }
            }
            return FirstCycleColour(found, count);
        }
        // Box size 3: the probes of the diagonal neighbours and of the cells two away all lie
        // in those cells' marks, and every mark is one colour, so the first probe that finds
        // any mark finds each of them. Near the picture's edge a mark may be cut off, which
        // changes which probe finds it: there the pixels are read.
        constexpr int kReach = 2 * 3 + 1;
        if (cell.pixelX < kReach || cell.pixelY < kReach || cell.pixelX + kReach >= raster_.width ||
            cell.pixelY + kReach >= raster_.height) {
            return FindClusterColor(raster_, cell.pixelX, cell.pixelY, g_.boxSize, count);
        }
        // NE, SW, SE, NW, then two away E, W, S, N, as FindClusterColor probes them.
        static constexpr int kNeighbours[2][4][2] = {{{1, -1}, {-1, 1}, {1, 1}, {-1, -1}},
                                                     {{2, 0}, {-2, 0}, {0, 2}, {0, -2}}};
        const std::uint8_t* at = cells_.At(cell.x + cellsOrigin_, cell.y + cellsOrigin_);
        const std::ptrdiff_t stride = cells_.Stride();
        for (const auto& stage : kNeighbours) {
            std::uint32_t found = 0;
            for (int i = 0; i < 4; ++i)
                found |= std::uint32_t{at[stage[i][0] + stage[i][1] * stride]} << (8 * i);
            const int colour = FirstCycleColour(found, count);
            if (colour >= 0) return colour;
        }
        return -1;
    }

    // Draws the mark of the walk's cell (x, y), centre pixel (px, py), in colour c.
    void Put(int x, int y, int px, int py, int c, std::int32_t n) {
        const auto index = static_cast<std::uint8_t>(c);
        if (inRows_) {
            if (cells_.Contains(px, py)) *cells_.At(px, py) = index;
            return;
        }
        if (inTiles_) {
            if (tiles_.Contains(px, py)) tiles_.At(px, py) = index;
            return;
        }
        if (cellColours_) *cells_.At(x + cellsOrigin_, y + cellsOrigin_) = index;
        if (!stamped_ || !StampSmallMark(raster_, style_, px, py, c)) {
            DrawMarkedCell(surface_, raster_, style_, px, py, c, n);
        }
    }

    CellLattice Lattice() const { return {g_.cellsPerSide, g_.boxSize, g_.centreX, g_.centreY}; }

    // Writes the colours kept one byte a pixel into the surface. The last time, at the end of
    // the walk, it leaves the bytes zero again for the next picture; with `runs` it measures
    // the longest runs in the bytes (kept in rows, covering the picture) first, beside the
    // writing out.
    void Flush(bool last = false, DiagonalRuns* runs = nullptr) {
        const RasterView raster = surface_.Raster();
        lastFlush_ = std::chrono::steady_clock::now();
        unwritten_ = false;
        if (raster.bits == nullptr) return;
        const int width = std::min(raster.width, inRows_ ? cells_.Width() : tiles_.Width());
        const int height = std::min(raster.height, inRows_ ? cells_.Height() : tiles_.Height());
        if (width <= 0) return;
        const bool whole = inRows_ ? width == cells_.Width() && height == cells_.Height()
                                   : width == tiles_.Width() && height == tiles_.Height();
        const bool clear = last && whole;
        // The runs, where asked for, on the other core; the writing out on this one, in bands
        // of rows, whole rows of tiles each, shared with the other core when it is free.
        const auto measureRuns = [this, runs] {
            RasterView bytes;
            bytes.indices = cells_.At(0, 0);
            bytes.stride = static_cast<int>(cells_.Stride());
            bytes.width = cells_.Width();
            bytes.height = cells_.Height();
            *runs = LongestDiagonalRuns(bytes, surface_.Background(), Lattice());
        };
        WorkAhead runsAhead;
        if (runs != nullptr) runsAhead.Start(measureRuns);
        constexpr int kBands = 8;
        const int band = ((height + kBands - 1) / kBands + 7) / 8 * 8;
        WorkShare::Run(kBands, [&](int piece) {
            const int first = std::min(height, piece * band);
            const int end = std::min(height, first + band);
            std::vector<std::uint8_t> row(inTiles_ ? static_cast<std::size_t>(tiles_.Width()) : 0);
            for (int y = first; y < end; ++y) {
                const std::uint8_t* indices = nullptr;
                if (inRows_) {
                    indices = cells_.At(0, y);
                } else {
                    tiles_.CopyRow(y, row.data());
                    indices = row.data();
                }
                ExpandIndices(indices, raster.bits + raster.Offset(0, y),
                              static_cast<std::size_t>(width));
                if (clear && inRows_ && runs == nullptr) cells_.ClearRow(y);
            }
            if (clear && inTiles_) tiles_.ClearRows(first, end);
        });
        // The runs read every row: the bytes are cleared once they are done.
        if (runs != nullptr) {
            // Measured here where the other core ran out of memory for it.
            if (!runsAhead.Finish()) measureRuns();
            if (clear && inRows_) {
                for (int y = 0; y < height; ++y)
                    cells_.ClearRow(y);
            }
        }
        if (clear && inRows_) cells_.MarkZero();
        if (clear && inTiles_) tiles_.MarkZero();
    }

    // Shows the picture so far, reports how far the walk got and lets pending input through;
    // false when Stop was pressed.
    bool Checkpoint(std::int64_t done) {
        // A screen shows a new picture every 16 ms or so; writing the colours out more often
        // would only slow the walk down. The first time is due once the picture may be seen.
        if ((inRows_ || inTiles_) &&
            (std::chrono::steady_clock::now() - lastFlush_ >= kFlushEvery ||
             (unwritten_ && observer_ != nullptr && observer_->PictureMayBeShown())))
            Flush();
        surface_.Refresh();
        if (observer_ != nullptr) observer_->OnProgress(done, g_.numberOfNumbers);
        const bool stop = observer_ != nullptr && observer_->StopRequested();
        raster_ = surface_.Raster();
        return !stop;
    }

    Surface& surface_;
    PassObserver* observer_;
    PrimeWindow& primes_;
    NumberClass& numbers_;
    std::uint64_t* marks_;  // room for a block's marks
    PassResult& result_;
    const PassGeometry& g_;
    const MarkStyle style_;
    const ColorRule rule_;
    const bool gridMarks_;
    RasterView raster_;
    ColorMemory memory_;
    IndexGrid& cells_;
    TiledIndices& tiles_;
    PrimeFeed* feed_;  // where the walk's blocks come from on big pictures; else primes_
    bool unwritten_;   // box size 1: the picture holds none of this pass's pixels yet
    const int colourCount_ = rule_.ColorCount();
    int colourRing_ = -1;  // the ring whose colour ringColour_ is
    int ringColour_ = 0;
    std::ptrdiff_t rowProbes_[4][4] = {};  // inRows_: kClusterProbesInWalk as offsets in cells_
    bool inRows_ = false;   // box size 1: the picture's colours in cells_, one byte a pixel
    bool inTiles_ = false;  // box size 1: the same in tiles_
    bool onBytes_ = false;  // box size 1 on a surface of one byte a pixel
    bool stamped_ = false;
    bool cellColours_ = false;  // box size 3: each cell's colour in cells_
    int cellsOrigin_ = 0;       // cell (0, 0) in cells_
    int side_ = 0;              // the side of its ring the run being walked lies on
    std::chrono::steady_clock::time_point lastFlush_;

    static constexpr std::chrono::milliseconds kFlushEvery{15};
};

}  // namespace

bool SpiralEngine::Walk(const PassInput& input, Surface& surface, PassObserver* observer,
                        PassResult& result, bool unwritten) {
    // A big picture has its numbers sieved on the other cores while it is drawn; sieving with
    // factor counts takes longer than drawing, so the walk's own core helps out too.
    std::optional<PrimeFeed> feed;
    const int threads = ThreadPool::Shared().Threads();
    if (result.geometry.numberOfNumbers >= kFeedFrom && threads > 1) {
        feed.emplace(result.startNumber, result.endNumber, input.colorBy == ColorScheme::Ostrand,
                     std::min(threads, 4));
    }
    marks_.resize(PrimeWindow::kBlockSize / 64 + 1);
    CellWalker walker(input, surface, observer, primes_, *numbers_, marks_.data(), result, cells_,
                      tiles_, feed ? &*feed : nullptr, unwritten);
    const bool finished = [&] {
        switch (numbers_->Kind()) {
            case Marks::Primes:
                return walker.Walk<Marks::Primes>();
            case Marks::Every:
                return walker.Walk<Marks::Every>();
            case Marks::Some:
                break;
        }
        return walker.Walk<Marks::Some>();
    }();
    if (observer != nullptr) observer->OnWalkFinished();
    const bool measure = finished && input.calculateLongest && result.numberShown > 0;
    if (measure && observer != nullptr) observer->OnMeasuringRuns();
    walker.Finish(measure ? &result.longest : nullptr);
    return finished;
}

}  // namespace quorvel
