// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/spiral_tiles.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <memory>
#include <span>
#include <vector>

#include "engine/block_sieve.h"
#include "engine/number_class.h"
#include "engine/number_theory.h"
#include "engine/primelib.h"

namespace quorvel {
namespace {

__extension__ using u128 = unsigned __int128;

std::int64_t LastOf(std::int64_t first, int count) {
    const std::int64_t max = std::numeric_limits<std::int64_t>::max();
    return first > max - (count - 1) ? max : first + (count - 1);
}

// Runs are sieved by 2 and the odd primes below kSieveBound; each odd one comes with
// floor(2^64 / p) for a remainder without dividing. Bounds from 2^8 to 2^10 measured alike
// at 10^18 with 128-cell runs; 2^12 was a tenth slower, 2^16 several times slower.
constexpr std::uint32_t kSieveBound = 1u << 9;

struct SievePrime {
    std::uint32_t prime;
    std::uint64_t reciprocal;

    // n mod p: the estimate of n / p falls short by at most one.
    std::uint32_t Remainder(std::uint64_t n) const {
        const auto q = static_cast<std::uint64_t>((static_cast<u128>(n) * reciprocal) >> 64);
        std::uint64_t r = n - q * prime;
        if (r >= prime) r -= prime;
        return static_cast<std::uint32_t>(r);
    }
};

constexpr int CountOddPrimesBelow(std::uint32_t bound) {
    int count = 0;
    for (std::uint32_t p = 3; p < bound; p += 2) {
        bool prime = true;
        for (std::uint32_t d = 3; d * d <= p && prime; d += 2)
            prime = p % d != 0;
        count += prime;
    }
    return count;
}

constexpr int kSievePrimeCount = CountOddPrimesBelow(kSieveBound);

constexpr auto kSievePrimes = [] {
    std::array<SievePrime, kSievePrimeCount> table{};
    int k = 0;
    for (std::uint32_t p = 3; p < kSieveBound; p += 2) {
        bool prime = true;
        for (std::uint32_t d = 3; d * d <= p && prime; d += 2)
            prime = p % d != 0;
        if (prime) table[k++] = {p, static_cast<std::uint64_t>((u128{1} << 64) / p)};
    }
    return table;
}();

// How far to sieve a run of m numbers: a prime p saves Miller-Rabin on about m / p of them
// against one remainder, which pays up to about 16 m (measured at 10^18).
constexpr std::uint32_t SieveLimit(std::uint32_t m) {
    return std::min(16 * m + 16, kSieveBound);
}

// Classifies runs of cells that hold consecutive numbers: each run is sieved by the small
// primes, one remainder per prime, and the numbers left go to Miller-Rabin in batches.
class RunClassifier {
  public:
    RunClassifier(std::uint64_t start, CellKind* kinds) : start_(start), kinds_(kinds) {}

    // The cells at index, index + step, … (count of them) lie at offsets offset, offset + 1, …
    // along the walk: each becomes Prime or Composite, or is left alone past 2^63 - 1.
    void Run(u128 offset, std::ptrdiff_t index, std::ptrdiff_t step, std::int64_t count) {
        const u128 lowest = start_ + offset;
        if (lowest > kLargestNumber) return;
        count = static_cast<std::int64_t>(
            std::min<u128>(static_cast<u128>(count), kLargestNumber - lowest + 1));
        auto n = static_cast<std::uint64_t>(lowest);
        while (count > 0) {
            const int m = static_cast<int>(std::min<std::int64_t>(count, kChunk));
            Sieve(n, m, index, step);
            n += static_cast<std::uint64_t>(m);
            index += m * step;
            count -= m;
        }
    }

    // Answers the numbers still waiting for Miller-Rabin.
    void Finish() {
        IsPrime64Many(pending_.data(), pendingCount_, prime_.data());
        for (std::size_t i = 0; i < pendingCount_; ++i)
            kinds_[pendingAt_[i]] = prime_[i] ? CellKind::Prime : CellKind::Composite;
        pendingCount_ = 0;
    }

  private:
    static constexpr int kChunk = 256;
    static constexpr std::size_t kPending = 4 * kChunk;

    // The numbers n … n + m - 1 (m <= kChunk, all at most 2^63 - 1).
    void Sieve(std::uint64_t n, int m, std::ptrdiff_t index, std::ptrdiff_t step) {
        const auto size = static_cast<std::uint32_t>(m);
        // One slot past the run takes the marks of primes with no multiple in it.
        std::array<std::uint8_t, kChunk + 1> composite;
        std::fill_n(composite.begin(), m + 1, std::uint8_t{0});
        for (std::uint32_t j = n & 1u; j < size; j += 2)
            composite[j] = 1;
        const std::uint32_t limit = SieveLimit(size);
        const auto end = std::lower_bound(
            kSievePrimes.begin(), kSievePrimes.end(), limit,
            [](const SievePrime& p, std::uint32_t bound) { return p.prime < bound; });
        for (const SievePrime& p : std::span(kSievePrimes.begin(), end)) {
            const std::uint32_t r = p.Remainder(n);
            std::uint32_t j = r == 0 ? 0 : p.prime - r;
            if (p.prime >= size) {
                composite[j < size ? j : size] = 1;
            } else {
                for (; j < size; j += p.prime)
                    composite[j] = 1;
            }
        }
        // The sieve would call 2 and its own primes composite, and 0 and 1 prime.
        if (n < kSieveBound) {
            const std::uint64_t small = std::min<std::uint64_t>(size, kSieveBound - n);
            for (std::uint32_t j = 0; j < small; ++j)
                composite[j] = !IsPrime64(n + j);
        }
        for (std::uint32_t j = 0; j < size; ++j) {
            const std::ptrdiff_t at = index + static_cast<std::ptrdiff_t>(j) * step;
            if (composite[j] != 0) {
                kinds_[at] = CellKind::Composite;
            } else if (n + j < std::uint64_t{limit} * limit) {
                // no prime factor below the limit, and below its square
                kinds_[at] = CellKind::Prime;
            } else {
                pending_[pendingCount_] = n + j;
                pendingAt_[pendingCount_++] = at;
            }
        }
        if (pendingCount_ > kPending - kChunk) Finish();
    }

    std::uint64_t start_;
    CellKind* kinds_;
    std::array<std::uint64_t, kPending> pending_;
    std::array<std::ptrdiff_t, kPending> pendingAt_;
    std::array<bool, kPending> prime_;
    std::size_t pendingCount_ = 0;
};

}  // namespace

namespace {

// Calls run(offset, index, step, count) for the runs of consecutive numbers that the cells
// x0 … x0 + width - 1, y0 … y0 + height - 1 hold: the cells at index, index + step, … (count
// of them, indices row by row in the rectangle) lie at offsets offset, offset + 1, … along the
// walk. Returns false, having stopped, once `cancel` is set; it is looked at once a row or
// column of cells.
template <typename Run>
bool ForEachRunIn(std::int64_t x0, std::int64_t y0, int width, int height,
                  const std::atomic<bool>* cancel, Run&& run) {
    const auto cancelled = [&] {
        return cancel != nullptr && cancel->load(std::memory_order_relaxed);
    };
    if (width <= 0 || height <= 0) return !cancelled();
    // Past ring 2^31 every position is above 2^63 and every cell beyond: the rectangle is cut
    // to the rings inside, where coordinates and their differences stay far from overflow.
    constexpr std::int64_t kReach = std::int64_t{1} << 31;
    const std::int64_t left = std::max(x0, -kReach);
    const std::int64_t right = std::min(LastOf(x0, width), kReach);
    const std::int64_t top = std::max(y0, -kReach);
    const std::int64_t bottom = std::min(LastOf(y0, height), kReach);
    const auto cell = [&](std::int64_t x, std::int64_t y) { return (y - y0) * width + (x - x0); };
    if (left > right || top > bottom) return !cancelled();
    // Offsets along the sides, in 128 bits: a negative column wraps and comes back exact.
    const auto wide = [](std::int64_t v) { return static_cast<u128>(static_cast<Int128>(v)); };
    // Rows above and below the centre, |x| <= |y|: along a row the north side counts down
    // eastwards, the south side up.
    for (std::int64_t y = top; y <= bottom; ++y) {
        if (cancelled()) return false;
        if (y == 0) {
            if (left <= 0 && right >= 0) run(u128{0}, cell(0, 0), std::ptrdiff_t{1}, 1);
            continue;
        }
        const std::int64_t k = y < 0 ? -y : y;
        const std::int64_t a = std::max(left, -k);
        const std::int64_t b = std::min(right, k);
        if (a > b) continue;
        if (y < 0)
            run(NorthSideOffset(wide(k), wide(b)), cell(b, y), std::ptrdiff_t{-1}, b - a + 1);
        else
            run(SouthSideOffset(wide(k), wide(a)), cell(a, y), std::ptrdiff_t{1}, b - a + 1);
    }
    // Columns east and west, |y| < |x|: the east side counts down southwards, the west up.
    for (std::int64_t x = left; x <= right; ++x) {
        if (x == 0) continue;
        const std::int64_t k = x < 0 ? -x : x;
        const std::int64_t a = std::max(top, 1 - k);
        const std::int64_t b = std::min(bottom, k - 1);
        if (a > b) continue;
        if (cancelled()) return false;
        if (x > 0)
            run(EastSideOffset(wide(k), wide(b)), cell(x, b), std::ptrdiff_t{-width}, b - a + 1);
        else
            run(WestSideOffset(wide(k), wide(a)), cell(x, a), std::ptrdiff_t{width}, b - a + 1);
    }
    return !cancelled();
}

}  // namespace

bool ClassifyCells(std::uint64_t start, std::int64_t x0, std::int64_t y0, int width, int height,
                   CellKind* kinds, const std::atomic<bool>* cancel) {
    if (width > 0 && height > 0)
        std::fill(kinds, kinds + static_cast<std::ptrdiff_t>(width) * height, CellKind::Beyond);
    RunClassifier classifier(start, kinds);
    const bool finished =
        ForEachRunIn(x0, y0, width, height, cancel,
                     [&](u128 offset, std::ptrdiff_t index, std::ptrdiff_t step,
                         std::int64_t count) { classifier.Run(offset, index, step, count); });
    if (finished) classifier.Finish();
    return finished;
}

bool ColourCells(std::uint64_t start, ShowMode show, ColorScheme scheme, std::int64_t x0,
                 std::int64_t y0, int width, int height, std::uint8_t* out,
                 const std::atomic<bool>* cancel) {
    if (width <= 0 || height <= 0) return cancel == nullptr || !cancel->load();
    const std::size_t cells = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::fill(out, out + cells, kBeyondCell);
    const std::unique_ptr<NumberClass> numbers = MakeNumberClass(show);
    const bool ostrand = scheme == ColorScheme::Ostrand;
    const bool needPrimes = numbers->NeedsPrimes() || ostrand;
    // Numbers up to 2^31 - 2 are sieved a run at a time, with their factor counts where the
    // colours need them; larger ones are classified for the whole rectangle first.
    const std::int64_t radius = std::max({RadiusOf(x0, y0), RadiusOf(LastOf(x0, width), y0),
                                          RadiusOf(x0, LastOf(y0, height)),
                                          RadiusOf(LastOf(x0, width), LastOf(y0, height))});
    const u128 largest = start + SpiralOffsetWide(radius + 1, radius + 1);
    std::vector<CellKind> kinds;
    if (needPrimes && largest > static_cast<u128>(primelib::kMaxNumber)) {
        kinds.resize(cells);
        if (!ClassifyCells(start, x0, y0, width, height, kinds.data(), cancel)) return false;
    }
    const int colours = ColorCountOf(scheme);
    constexpr std::int64_t kChunk = 512;
    std::array<std::uint64_t, kChunk / 64> primes{};
    std::array<std::uint64_t, kChunk / 64> marks{};
    std::array<std::uint8_t, kChunk> factors{};
    thread_local BlockSieve sieve;
    return ForEachRunIn(
        x0, y0, width, height, cancel,
        [&](u128 offset, std::ptrdiff_t index, std::ptrdiff_t step, std::int64_t count) {
            const u128 lowest = start + offset;
            if (lowest > kLargestNumber) return;
            count = static_cast<std::int64_t>(
                std::min<u128>(static_cast<u128>(count), kLargestNumber - lowest + 1));
            for (std::int64_t k = 0; k < count; k += kChunk) {
                const std::int64_t m = std::min(kChunk, count - k);
                const auto n = static_cast<std::int64_t>(lowest) + k;
                // (Compared so that nothing overflows for a run that ends at 2^63 - 1.)
                const bool sieved = n <= primelib::kMaxNumber - (m - 1);
                if (needPrimes && sieved) {
                    const auto first = static_cast<std::int32_t>(n);
                    const auto last = static_cast<std::int32_t>(n + m - 1);
                    if (ostrand) {
                        sieve.FactorCounts(first, last, factors.data(), primes.data());
                    } else {
                        sieve.Primes(first, last, primes.data());
                    }
                } else if (needPrimes) {
                    primes.fill(0);
                    for (std::int64_t j = 0; j < m; ++j)
                        if (kinds[static_cast<std::size_t>(index + (k + j) * step)] ==
                            CellKind::Prime)
                            primes[static_cast<std::size_t>(j >> 6)] |= std::uint64_t{1}
                                                                        << (j & 63);
                }
                const std::uint64_t* marked = numbers->Mark(n, m, primes.data(), 0, marks.data());
                for (std::int64_t j = 0; j < m; ++j) {
                    const std::ptrdiff_t at = index + (k + j) * step;
                    if (((marked[j >> 6] >> (j & 63)) & 1) == 0) {
                        out[at] = kUnmarkedCell;
                        continue;
                    }
                    const std::int64_t x = x0 + at % width;
                    const std::int64_t y = y0 + at / width;
                    const bool isPrime =
                        ((primes[static_cast<std::size_t>(j >> 6)] >> (j & 63)) & 1) != 0;
                    int c = 0;
                    if (ostrand && !isPrime) {
                        const int factorCount =
                            sieved ? factors[static_cast<std::size_t>(j)]
                                   : Factorize(static_cast<std::uint64_t>(n + j)).count;
                        c = OstrandColor(n + j, false, n + j < 2 ? 0 : factorCount);
                    } else {
                        c = OwnColourOf<std::int64_t>(scheme, colours, x, y, RingOf(x, y), n + j);
                    }
                    out[at] = static_cast<std::uint8_t>(c);
                }
            }
        });
}

}  // namespace quorvel
