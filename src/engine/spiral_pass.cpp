#include "engine/spiral_pass.h"

#include <algorithm>
#include <cmath>

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

}  // namespace

bool StartNumberTooLarge(std::string_view text) {
    constexpr std::string_view kLargest = "2147483646";
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

std::string_view RefusalMessage(PassOutcome outcome, int language) {
    const bool german = language == 1;
    switch (outcome) {
        case PassOutcome::StartNumberTooLarge:
            return german ? "Die Startzahl muss kleiner als 2^31 - 2 = 2147483646 sein."
                          : "Start number must be <= 2^31 - 2 = 2147483646.";
        case PassOutcome::EndNumberTooLarge:
            return german ? "Die Endzahl würde 2^31 - 2 = 2147483646 übersteigen."
                          : "End number would be greater than 2^31 - 2 = 2147483646.";
        case PassOutcome::TriangularStartTooLarge:
            return german ? "Bei Dreieckzahlen ist die Startzahl zu gross."
                          : "For triangular numbers the start number is too large.";
        case PassOutcome::Drawn:
        case PassOutcome::Stopped:
            break;
    }
    return {};
}

PassResult SpiralEngine::DrawSpiral(const PassInput& input, Surface& surface,
                                    PassObserver* observer) {
    PassResult result;
    const std::string_view trimmed = TrimSpaces(input.startText);
    result.startText = trimmed.empty() ? std::string_view("1") : trimmed;
    if (StartNumberTooLarge(result.startText)) {
        result.outcome = PassOutcome::StartNumberTooLarge;
        flags_.blnSpiralDrawn = false;
        return result;
    }

    const PassGeometry& g = result.geometry =
        ComputeGeometry(surface.Width(), surface.Height(), input.boxSize);
    const std::int32_t start = result.startNumber = StartNumberValue(result.startText);
    const std::int64_t count = g.numberOfNumbers;
    if (lngMaxNumber - count + 1 < start) {
        result.outcome = PassOutcome::EndNumberTooLarge;
        flags_.blnSpiralDrawn = false;
        flags_.blnEndNumberRefused = true;
        return result;
    }
    if (input.show == ShowMode::Triangular && lngMaxNumber / 8 - count + 1 < start) {
        result.outcome = PassOutcome::TriangularStartTooLarge;
        flags_.blnSpiralDrawn = false;
        return result;
    }
    result.endNumber = static_cast<std::int32_t>(start + count - 1);

    if (observer != nullptr) observer->OnDrawingStarts(result);
    if (!input.moving && g.boxSize <= 5) DrawCalculatingBanner(surface, g, input.calculatingText);

    flags_.blnEndNumberRefused = false;
    flags_.blnSpiralDrawn = true;
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
    result.centreIsPrime = start != 0 && primes_.IsPrime(start);
    return result;
}

bool SpiralEngine::Walk(const PassInput& input, Surface& surface, PassObserver* observer,
                        PassResult& result) {
    const PassGeometry& g = result.geometry;
    const MarkStyle style{g.boxSize,     g.radius,       input.squares, input.show,
                          input.colorBy, input.numerals, input.grid};
    const ColorRule rule{input.colorBy, input.show, g.boxSize};
    const std::int32_t start = result.startNumber;
    const int b = g.boxSize;
    RasterView raster = surface.Raster();
    ColorMemory memory;
    bool isPrime = false;

    if (IsNumberShown(start, input.show, primes_, random_, isPrime)) {
        result.numberShown = 1;
        const CellPlace centre{start, true, isPrime, 0, 0, 1, g.centreX, g.centreY};
        const int c = ChooseCellColor(rule, centre, memory, raster, primes_);
        DrawMarkedCell(surface, raster, style, g.centreX, g.centreY, c, start);
        if (isPrime) result.smallestPrime = result.largestPrime = start;
        memory.lastClusterColor = intPrimeColor;
    } else {
        if (b >= 7) MarkCentreOnGrid(raster, style, g.centreX, g.centreY);
        memory.lastClusterColor = rule.ColorCount() + intPrimeColor - 1;
    }

    return WalkSpiral(g.numberOfNumbers,
                      [&](std::int64_t i, int x, int y, int ring, Corner corner) {
                          const auto n = static_cast<std::int32_t>(start + i);
                          const int px = g.centreX + b * x;
                          const int py = g.centreY + b * y;
                          if (IsNumberShown(n, input.show, primes_, random_, isPrime)) {
                              ++result.numberShown;
                              const CellPlace cell{n, false, isPrime, x, y, ring, px, py};
                              const int c = ChooseCellColor(rule, cell, memory, raster, primes_);
                              DrawMarkedCell(surface, raster, style, px, py, c, n);
                              if (isPrime) {
                                  memory.lastPrime = n;
                                  memory.lastPrimeColor = c;
                                  if (result.smallestPrime == 0) result.smallestPrime = n;
                                  result.largestPrime = n;  // numbers only grow along the walk
                              }
                          } else {
                              DrawGridMark(surface, raster, style, px, py, corner);
                          }
                          // Box size 1 takes long enough to show progress and to let the Stop
                          // button work.
                          if (b == 1 && i % 1000 == 0) {
                              surface.Refresh();
                              const bool stop = observer != nullptr && observer->StopRequested();
                              raster = surface.Raster();
                              if (stop) return false;
                          }
                          return true;
                      });
}

}  // namespace quorvel
