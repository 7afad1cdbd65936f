// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/spiral_pass.h"

#include <algorithm>
#include <array>

#include "engine/cell_marks.h"

namespace quorvel {
namespace {

void DrawCalculatingBanner(Surface& surface, const PassGeometry& g, std::string_view text) {
    surface.FillBox(g.centreX - 60, g.centreY + 130, g.centreX + 70, g.centreY + 174, kBlack);
    // At box size 1 the Stop button covers the banner instead of the text.
    if (g.boxSize >= 3) {
        surface.DrawText(g.centreX - 50, g.centreY + 140, text, kBannerPoints, kYellow);
    }
    surface.Refresh();
}

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
    if (input.show == ShowMode::Triangular && kLargestTriangularCandidate - count + 1 < start) {
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

    surface.Clear(kBlack);
    random_.Restart(-start);
    primes_.Prepare(start, result.endNumber, input.colorBy == ColorScheme::Ostrand);
    const bool finished = Walk(input, surface, observer, result);
    if (observer != nullptr) observer->OnWalkFinished();
    surface.Refresh();
    result.outcome = finished ? PassOutcome::Drawn : PassOutcome::Stopped;

    if (finished && input.calculateLongest) {
        result.runsMeasured = true;
        if (result.numberShown > 0) {
            if (observer != nullptr) observer->OnMeasuringRuns();
            const CellLattice lattice{g.cellsPerSide, g.boxSize, g.centreX, g.centreY};
            result.longest = LongestDiagonalRuns(surface.Raster(), surface.Background(), lattice);
        }
    }
    return result;
}

namespace {

// Everything one walk works with. The loop over the cells is specialised per show mode and
// colour scheme, so that classifying and colouring a cell compile down to a few instructions.
class CellWalker {
  public:
    CellWalker(const PassInput& input, Surface& surface, PassObserver* observer,
               PrimeWindow& primes, RandomSource& random, PassResult& result)
        : surface_(surface),
          observer_(observer),
          primes_(primes),
          random_(random),
          result_(result),
          g_(result.geometry),
          style_{g_.boxSize,    g_.radius,      input.squares, input.show,
                 input.colorBy, input.numerals, input.grid},
          rule_{input.colorBy, input.show, g_.boxSize},
          gridMarks_(g_.boxSize >= 15 && input.grid && input.show != ShowMode::All),
          raster_(surface.Raster()) {}

    template <ShowMode kMode>
    bool Walk() {
        switch (rule_.scheme) {
            case ColorScheme::Cluster:
                return WalkAs<kMode, ColorScheme::Cluster>();
            case ColorScheme::DiagonalNWSE:
                return WalkAs<kMode, ColorScheme::DiagonalNWSE>();
            case ColorScheme::DiagonalSWNE:
                return WalkAs<kMode, ColorScheme::DiagonalSWNE>();
            case ColorScheme::RingNumber:
                return WalkAs<kMode, ColorScheme::RingNumber>();
            case ColorScheme::Sequence:
                return WalkAs<kMode, ColorScheme::Sequence>();
            case ColorScheme::Ostrand:
                return WalkAs<kMode, ColorScheme::Ostrand>();
            case ColorScheme::White:
                break;
        }
        // White, and any list position the program does not know, which draws white too.
        return WalkAs<kMode, ColorScheme::White>();
    }

  private:
    // The walk with the show mode and the colour scheme fixed at compile time, so that the
    // classification and the colour of a cell come down to a few instructions each.
    template <ShowMode kMode, ColorScheme kScheme>
    bool WalkAs() {
        const std::int32_t start = result_.startNumber;
        bool isPrime = false;
        const bool shown = IsNumberShown(start, kMode, primes_, random_, isPrime);
        result_.centreIsPrime = isPrime;
        if (shown) {
            result_.numberShown = 1;
            const CellPlace centre{start, true, isPrime, 0, 0, 1, g_.centreX, g_.centreY};
            const int c = ChooseCellColor(rule_, centre, memory_, raster_, primes_);
            DrawMarkedCell(surface_, raster_, style_, g_.centreX, g_.centreY, c, start);
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
        return WalkSpiralRuns(g_.numberOfNumbers, checkpoint, [&](const SpiralRun& run) {
            WalkRun<kMode, kScheme>(run, static_cast<std::int32_t>(start + run.first));
            return checkpoint <= 0 || run.Last() % checkpoint != 0 || Checkpoint(run.Last() + 1);
        });
    }

    // The cells of one run: n, n + 1, … Their primality comes as bits from the window's sieve;
    // without grid marks to draw, "Prime numbers" visits only the set bits. The count stays in
    // a local, where no pixel write can be suspected of changing it.
    template <ShowMode kMode, ColorScheme kScheme>
    void WalkRun(const SpiralRun& run, const std::int32_t n) {
        const int b = g_.boxSize;
        const int stepX = b * run.dx;
        const int stepY = b * run.dy;
        const int px0 = g_.centreX + b * run.x;
        const int py0 = g_.centreY + b * run.y;
        const bool gridMarks = gridMarks_;
        std::int32_t shown = 0;
        for (int k = 0; k < run.length;) {
            const std::int32_t m = n + k;
            const PrimeBlock block = primes_.BlockOf(m);
            const std::int64_t offset = m - block.first;
            const int chunk = std::min(run.length - k, block.last - m + 1);
            if (kMode == ShowMode::Primes && !gridMarks) {
                ForEachSetBit(block.bits, offset, chunk, [&](std::int64_t j) {
                    const int c = k + static_cast<int>(j);
                    ++shown;
                    Mark<kScheme>(n + c, true, run, c, px0 + c * stepX, py0 + c * stepY, 1);
                });
            } else {
                int px = px0 + k * stepX;
                int py = py0 + k * stepY;
                for (int j = 0; j < chunk; ++j, px += stepX, py += stepY) {
                    const bool isPrime = block.Test(offset + j);
                    if (IsShownKnowingPrimality(m + j, isPrime, kMode, random_)) {
                        ++shown;
                        // Ostrand colours need the factor count, which the block has at hand.
                        const int factors =
                            kScheme == ColorScheme::Ostrand && block.factorCounts != nullptr
                                ? block.factorCounts[offset + j]
                                : -1;
                        Mark<kScheme>(m + j, isPrime, run, k + j, px, py, factors);
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

    // Colours and draws a marked cell other than the centre and keeps the prime statistics.
    // `factors` is n's count of distinct prime factors where known, else -1.
    template <ColorScheme kScheme>
    void Mark(std::int32_t n, bool isPrime, const SpiralRun& run, int k, int px, int py,
              int factors) {
        int c = 0;
        if (kScheme == ColorScheme::Ostrand && factors >= 0) {
            c = OstrandColor(n, isPrime, factors);
        } else {
            const CellPlace cell{n,        false, isPrime, run.x + k * run.dx, run.y + k * run.dy,
                                 run.ring, px,    py};
            const ColorRule rule{kScheme, rule_.show, rule_.boxSize};
            c = ChooseCellColor(rule, cell, memory_, raster_, primes_);
        }
        DrawMarkedCell(surface_, raster_, style_, px, py, c, n);
        if (isPrime) {
            memory_.lastPrime = n;
            memory_.lastPrimeColor = c;
            if (result_.smallestPrime == 0) result_.smallestPrime = n;
            result_.largestPrime = n;  // numbers only grow along the walk
        }
    }

    // Shows the picture so far, reports how far the walk got and lets pending input through;
    // false when Stop was pressed.
    bool Checkpoint(std::int64_t done) {
        surface_.Refresh();
        if (observer_ != nullptr) observer_->OnProgress(done, g_.numberOfNumbers);
        const bool stop = observer_ != nullptr && observer_->StopRequested();
        raster_ = surface_.Raster();
        return !stop;
    }

    Surface& surface_;
    PassObserver* observer_;
    PrimeWindow& primes_;
    RandomSource& random_;
    PassResult& result_;
    const PassGeometry& g_;
    const MarkStyle style_;
    const ColorRule rule_;
    const bool gridMarks_;
    RasterView raster_;
    ColorMemory memory_;
};

}  // namespace

bool SpiralEngine::Walk(const PassInput& input, Surface& surface, PassObserver* observer,
                        PassResult& result) {
    CellWalker walker(input, surface, observer, primes_, random_, result);
    switch (input.show) {
        case ShowMode::Primes:
            return walker.Walk<ShowMode::Primes>();
        case ShowMode::Random:
            return walker.Walk<ShowMode::Random>();
        case ShowMode::Squares:
            return walker.Walk<ShowMode::Squares>();
        case ShowMode::Triangular:
            return walker.Walk<ShowMode::Triangular>();
        case ShowMode::All:
            break;
    }
    // "All numbers", and any list position the program does not know, which marks nothing.
    return input.show == ShowMode::All ? walker.Walk<ShowMode::All>()
                                       : walker.Walk<static_cast<ShowMode>(-1)>();
}

}  // namespace quorvel
