// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/density_map.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

// Worked out once from the formula in the header; kept as numbers so that every build and every
// machine paints the same colours.
const std::array<Rgb, 256> kDensityRamp = {
    0x0E0821, 0x0F0822, 0x100924, 0x110925, 0x120926, 0x130928, 0x140A29, 0x150A2A, 0x160A2C,
    0x170A2D, 0x180B2E, 0x190B30, 0x1A0B31, 0x1C0B32, 0x1D0B34, 0x1E0C35, 0x1F0C36, 0x200C38,
    0x220C39, 0x230C3A, 0x240C3B, 0x260C3D, 0x270C3E, 0x280D3F, 0x2A0D40, 0x2B0D41, 0x2C0D43,
    0x2E0D44, 0x2F0D45, 0x310D46, 0x320D47, 0x330D48, 0x350D49, 0x360D4A, 0x380D4B, 0x390D4C,
    0x3B0D4D, 0x3C0D4E, 0x3E0D4F, 0x3F0D50, 0x410D51, 0x430C52, 0x440C53, 0x460C54, 0x470C55,
    0x490C55, 0x4B0C56, 0x4C0C57, 0x4E0C58, 0x4F0B58, 0x510B59, 0x530B5A, 0x540B5A, 0x560A5B,
    0x580A5C, 0x590A5C, 0x5B0A5D, 0x5D095D, 0x5F095E, 0x60095E, 0x62095F, 0x64085F, 0x650860,
    0x670860, 0x690760, 0x6B0761, 0x6C0761, 0x6E0761, 0x700662, 0x720662, 0x730662, 0x750562,
    0x770562, 0x790563, 0x7A0563, 0x7C0463, 0x7E0463, 0x800463, 0x810463, 0x830363, 0x850363,
    0x870363, 0x890363, 0x8A0363, 0x8C0363, 0x8E0363, 0x900363, 0x910363, 0x930362, 0x950362,
    0x960362, 0x980362, 0x9A0362, 0x9C0461, 0x9D0461, 0x9F0461, 0xA10560, 0xA20560, 0xA40660,
    0xA6075F, 0xA7075F, 0xA9085F, 0xAB095E, 0xAC0A5E, 0xAE0B5D, 0xB00C5D, 0xB10E5C, 0xB30F5C,
    0xB4105B, 0xB6115B, 0xB8125A, 0xB9135A, 0xBB1559, 0xBC1659, 0xBE1758, 0xBF1957, 0xC11A57,
    0xC21B56, 0xC41D55, 0xC51E55, 0xC61F54, 0xC82153, 0xC92253, 0xCB2352, 0xCC2551, 0xCD2650,
    0xCF2850, 0xD0294F, 0xD12B4E, 0xD32C4D, 0xD42E4D, 0xD52F4C, 0xD6314B, 0xD7324A, 0xD93449,
    0xDA3648, 0xDB3748, 0xDC3947, 0xDD3A46, 0xDE3C45, 0xDF3E44, 0xE03F43, 0xE24143, 0xE34242,
    0xE44441, 0xE54640, 0xE5473F, 0xE6493E, 0xE74B3E, 0xE84C3D, 0xE94E3C, 0xEA503B, 0xEB523A,
    0xEC533A, 0xEC5539, 0xED5738, 0xEE5837, 0xEF5A37, 0xEF5C36, 0xF05E35, 0xF15F35, 0xF16134,
    0xF26334, 0xF36533, 0xF36633, 0xF46832, 0xF46A32, 0xF56C32, 0xF56E32, 0xF66F31, 0xF67131,
    0xF77331, 0xF77531, 0xF87631, 0xF87832, 0xF97A32, 0xF97C32, 0xF97E33, 0xFA7F33, 0xFA8134,
    0xFA8334, 0xFA8535, 0xFB8736, 0xFB8836, 0xFB8A37, 0xFB8C38, 0xFB8E39, 0xFC8F3B, 0xFC913C,
    0xFC933D, 0xFC953E, 0xFC9640, 0xFC9841, 0xFC9A43, 0xFC9C44, 0xFC9D46, 0xFC9F47, 0xFCA149,
    0xFCA34B, 0xFCA44C, 0xFCA64E, 0xFCA850, 0xFCA952, 0xFCAB54, 0xFCAD56, 0xFCAF58, 0xFCB05A,
    0xFCB25C, 0xFCB45E, 0xFCB560, 0xFCB762, 0xFCB864, 0xFCBA67, 0xFBBC69, 0xFBBD6B, 0xFBBF6D,
    0xFBC16F, 0xFBC272, 0xFBC474, 0xFBC576, 0xFBC779, 0xFAC87B, 0xFACA7D, 0xFACB80, 0xFACD82,
    0xFACF85, 0xFAD087, 0xFAD18A, 0xFAD38C, 0xFAD48E, 0xFAD691, 0xF9D793, 0xF9D996, 0xF9DA98,
    0xF9DC9B, 0xF9DD9D, 0xF9DEA0, 0xF9E0A2, 0xF9E1A5, 0xF9E3A8, 0xF9E4AA, 0xF9E5AD, 0xFAE7AF,
    0xFAE8B2, 0xFAE9B4, 0xFAEAB7, 0xFAECB9, 0xFAEDBC, 0xFAEEBF, 0xFBEFC1, 0xFBF1C4, 0xFBF2C6,
    0xFCF3C9, 0xFCF4CB, 0xFCF5CE, 0xFDF7D0,
};

namespace {

// Numbers between two checkpoints: a map's walk is cheap per number.
constexpr std::int64_t kCheckpointEvery = std::int64_t{1} << 20;

// How many of bits from … from + count - 1 are set, for 1 <= count <= 64: a block's piece of
// a run, a dozen numbers, say. At most two words, no loop.
inline int CountSetBitsUpTo64(const std::uint64_t* bits, std::int64_t from, int count) {
    const std::uint64_t* word = bits + (from >> 6);
    const int shift = static_cast<int>(from & 63);
    std::uint64_t stretch = word[0] >> shift;
    if (shift + count > 64) stretch |= word[1] << (64 - shift);
    if (count < 64) stretch &= (std::uint64_t{1} << count) - 1;
    return BitsSet(stretch);
}

// How many of bits from … from + count - 1 are set.
std::int64_t CountBits(const std::uint64_t* bits, std::int64_t from, std::int64_t count) {
    if (count <= 0) return 0;
    if (count <= 64) return CountSetBitsUpTo64(bits, from, static_cast<int>(count));
    return CountSetBits(bits, from, count);
}

// Calls visit(pixel, k, length) for the pieces of a run from its cell `from` on that lie in one
// block of b × b cells each: cells k … k + length - 1, in the map's pixel `pixel` (of `side` a
// row). Along a run the cells stay in one block until the column (or row) crosses a multiple
// of b, and each block after the first is the next pixel along.
template <typename Visit>
void ForEachBlockPiece(const SpiralRun& run, int from, std::int64_t centreX, std::int64_t centreY,
                       int b, int side, Visit&& visit) {
    const std::int64_t column = centreX + run.x + std::int64_t{from} * run.dx;
    const std::int64_t row = centreY + run.y + std::int64_t{from} * run.dy;
    const bool across = run.dx != 0;
    const int step = across ? run.dx : run.dy;
    const std::int64_t along = across ? column : row;
    const std::int64_t pixelStep = across ? step : std::int64_t{step} * side;
    std::int64_t pixel = row / b * side + column / b;
    std::int64_t inBlock = step > 0 ? b - along % b : along % b + 1;
    for (int k = from; k < run.length; inBlock = b, pixel += pixelStep) {
        const int length = static_cast<int>(std::min<std::int64_t>(inBlock, run.length - k));
        visit(pixel, k, length);
        k += length;
    }
}

}  // namespace

PassOutcome DensityMap::Validate(const PassInput& input, int side, int block, PassResult& result) {
    const std::string_view trimmed = TrimSpaces(input.startText);
    result.startText = trimmed.empty() ? std::string_view("1") : trimmed;
    if (StartNumberTooLarge(result.startText)) return PassOutcome::StartNumberTooLarge;
    side = std::max(side, 1);
    block = std::clamp(block, 1, kLargestDensityBlock);
    const std::int64_t cellsPerSide = std::int64_t{side} * block;
    const std::int32_t start = result.startNumber = StartNumberValue(result.startText);
    PassGeometry& g = result.geometry;
    g.boxSize = 1;
    g.cellsPerSide = static_cast<int>(std::min<std::int64_t>(cellsPerSide, INT32_MAX));
    g.centreX = static_cast<int>((cellsPerSide - 1) / 2);
    g.centreY = static_cast<int>(cellsPerSide / 2);

    // Every pixel inside the outermost ring shows a whole block of numbers of the range.
    const std::int64_t inner = std::int64_t{std::max(side - 2, 0)} * block;
    const std::int64_t available = std::int64_t{lngMaxNumber} - start + 1;
    if (inner * inner > available) return PassOutcome::EndNumberTooLarge;
    const std::int64_t count = std::min(cellsPerSide * cellsPerSide, available);
    g.numberOfNumbers = static_cast<std::int32_t>(count);
    result.endNumber = static_cast<std::int32_t>(start + count - 1);
    if (result.endNumber > LargestShownNumber(input.show)) {
        return PassOutcome::TriangularStartTooLarge;
    }
    return PassOutcome::Drawn;
}

PassOutcome DensityMap::Check(const PassInput& input, int side, int block) {
    PassResult result;
    return Validate(input, side, block, result);
}

PassResult DensityMap::Draw(const PassInput& input, int side, int block, PassObserver* observer) {
    PassResult result;
    result.outcome = Validate(input, side, block, result);
    if (IsRefusal(result.outcome)) return result;
    side_ = std::max(side, 1);
    block_ = std::clamp(block, 1, kLargestDensityBlock);
    const PassGeometry& g = result.geometry;
    const std::int64_t cellsPerSide = std::int64_t{side_} * block_;
    const std::int64_t cells = cellsPerSide * cellsPerSide;
    const std::int64_t count = g.numberOfNumbers;

    if (observer != nullptr) observer->OnDrawingStarts(result);
    counts8_.clear();
    counts16_.clear();
    counts32_.clear();
    missing_.clear();
    const auto pixels = static_cast<std::size_t>(side_) * static_cast<std::size_t>(side_);
    const std::int64_t most = std::int64_t{block_} * block_;
    bool finished = false;
    if (most <= UINT8_MAX) {
        counts8_.assign(pixels, 0);
        finished = Walk(input, observer, result, counts8_);
    } else if (most <= UINT16_MAX) {
        counts16_.assign(pixels, 0);
        finished = Walk(input, observer, result, counts16_);
    } else {
        counts32_.assign(pixels, 0);
        finished = Walk(input, observer, result, counts32_);
    }
    if (observer != nullptr) observer->OnWalkFinished();
    result.outcome = finished ? PassOutcome::Drawn : PassOutcome::Stopped;
    if (!finished) return result;
    fullLevels_.resize(static_cast<std::size_t>(most) + 1);
    for (std::int64_t m = 0; m <= most; ++m)
        fullLevels_[static_cast<std::size_t>(m)] = static_cast<std::uint8_t>(DensityLevel(m, most));

    // Blocks of the outermost ring that reach past the range: their missing cells.
    if (cells > count) {
        WalkSpiralRuns(cells, 0, [&](const SpiralRun& run) {
            if (run.Last() < count) return true;
            const int from = static_cast<int>(std::max<std::int64_t>(count - run.first, 0));
            ForEachBlockPiece(run, from, g.centreX, g.centreY, block_, side_,
                              [&](std::int64_t pixel, int, int length) {
                                  missing_[pixel] += static_cast<std::uint32_t>(length);
                              });
            return true;
        });
    }
    return result;
}

template <typename Count>
bool DensityMap::Walk(const PassInput& input, PassObserver* observer, PassResult& result,
                      std::vector<Count>& counts) {
    const PassGeometry& g = result.geometry;
    const std::int32_t start = result.startNumber;
    const std::int64_t count = g.numberOfNumbers;
    const std::int32_t end = result.endNumber;
    const int b = block_;
    const std::unique_ptr<NumberClass> numbers = MakeNumberClass(input.show);
    numbers->Restart(start);
    const NumberClass::Marks kind = numbers->Kind();
    // The smallest and largest marked primes: where every prime is marked, the first and last
    // prime of the range at the end; else looked at among the marked numbers on the way.
    const bool notePrimes = numbers->MayMarkPrimes() && !numbers->MarksEveryPrime();
    primes_.Prepare(start, end, false);
    marks_.resize(PrimeWindow::kBlockSize / 64 + 1);

    PrimeBlock sieved;  // the block BlockOf() gave last, valid until it is called again
    // How many of the numbers n … n + length - 1 are marked, in walk order (random numbers
    // draw one value per odd number, as the drawing pass does).
    const auto marked = [&](std::int32_t n, int length) -> std::int64_t {
        if (kind == NumberClass::Marks::Every) return length;
        // Most pieces lie in the block of the piece before.
        if (kind == NumberClass::Marks::Primes && n >= sieved.first &&
            n + length - 1 <= sieved.last && length <= 64)
            return CountSetBitsUpTo64(sieved.bits, n - sieved.first, length);
        if (!numbers->NeedsPrimes() && !notePrimes)
            return numbers->Count(n, length, nullptr, 0, marks_.data());
        std::int64_t found = 0;
        for (int k = 0; k < length;) {
            const std::int32_t m = n + k;
            const PrimeBlock pb = sieved = primes_.BlockOf(m);
            const int chunk =
                static_cast<int>(std::min<std::int64_t>(length - k, std::int64_t{pb.last} - m + 1));
            const std::int64_t at = m - pb.first;
            if (kind == NumberClass::Marks::Primes) {
                found += CountBits(pb.bits, at, chunk);
            } else {
                ForEachSetBit(numbers->Mark(m, chunk, pb.bits, at, marks_.data()), at, chunk,
                              [&](std::int64_t j) {
                                  ++found;
                                  if (!pb.Test(at + j)) return;
                                  const auto prime = static_cast<std::int32_t>(m + j);
                                  if (result.smallestPrime == 0) result.smallestPrime = prime;
                                  result.largestPrime = prime;
                              });
            }
            k += chunk;
        }
        return found;
    };
    // (Counted in a local: a write to the counts, bytes maybe, could be any memory.)
    std::int64_t shown = 0;
    const auto add = [&](std::int64_t pixel, std::int64_t n) {
        shown += n;
        counts[static_cast<std::size_t>(pixel)] += static_cast<Count>(n);
    };

    add(std::int64_t{g.centreY} / b * side_ + g.centreX / b, marked(start, 1));
    const bool finished = WalkSpiralRuns(count, kCheckpointEvery, [&](const SpiralRun& run) {
        const auto n0 = static_cast<std::int32_t>(start + run.first);
        ForEachBlockPiece(
            run, 0, g.centreX, g.centreY, b, side_,
            [&](std::int64_t pixel, int k, int length) { add(pixel, marked(n0 + k, length)); });
        if (run.Last() % kCheckpointEvery != 0 || observer == nullptr) return true;
        observer->OnProgress(run.Last() + 1, count);
        return !observer->StopRequested();
    });
    result.numberShown = static_cast<std::int32_t>(shown);

    result.centreIsPrime = start != 0 && primes_.IsPrime(start);
    if (finished && numbers->MarksEveryPrime()) {
        // Every prime of the range is marked: the first and the last of them.
        for (std::int32_t n = start; n <= end; ++n) {
            if (n != 0 && primes_.IsPrime(n)) {
                result.smallestPrime = n;
                break;
            }
        }
        for (std::int32_t n = end; n >= start && result.smallestPrime != 0; --n) {
            if (primes_.IsPrime(n)) {
                result.largestPrime = n;
                break;
            }
        }
    }
    return finished;
}

std::uint32_t DensityMap::CountAt(std::int64_t pixel) const {
    const auto i = static_cast<std::size_t>(pixel);
    if (!counts8_.empty()) return counts8_[i];
    if (!counts16_.empty()) return counts16_[i];
    return counts32_.empty() ? 0 : counts32_[i];
}

int DensityLevel(std::int64_t marked, std::int64_t numbers) {
    const double share = static_cast<double>(marked) / static_cast<double>(numbers);
    return static_cast<int>(std::lround(255.0 * std::sqrt(share)));
}

void DensityMap::LevelsOfRow(int y, std::uint8_t* out) const {
    const std::int64_t full = std::int64_t{block_} * block_;
    const bool edgeRow = y == 0 || y == side_ - 1;
    for (int x = 0; x < side_; ++x) {
        const std::int64_t pixel = std::int64_t{y} * side_ + x;
        const std::uint32_t m = CountAt(pixel);
        std::int64_t numbers = full;
        if (!missing_.empty() && (edgeRow || x == 0 || x == side_ - 1)) {
            if (const auto it = missing_.find(pixel); it != missing_.end()) numbers -= it->second;
        }
        out[x] = numbers == full ? fullLevels_[m]
                 : numbers <= 0  ? 0
                                 : static_cast<std::uint8_t>(DensityLevel(m, numbers));
    }
}

}  // namespace quorvel
