// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/spiral_tiles.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <span>

#include "engine/number_theory.h"

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

bool ClassifyCells(std::uint64_t start, std::int64_t x0, std::int64_t y0, int width, int height,
                   CellKind* kinds, const std::atomic<bool>* cancel) {
    if (width <= 0 || height <= 0) return cancel == nullptr || !cancel->load();
    std::fill(kinds, kinds + static_cast<std::ptrdiff_t>(width) * height, CellKind::Beyond);
    // Past ring 2^31 every position is above 2^63 and every cell beyond: the rectangle is cut
    // to the rings inside, where coordinates and their differences stay far from overflow.
    constexpr std::int64_t kReach = std::int64_t{1} << 31;
    const std::int64_t xLast = LastOf(x0, width);
    const std::int64_t yLast = LastOf(y0, height);
    const std::int64_t left = std::max(x0, -kReach);
    const std::int64_t right = std::min(xLast, kReach);
    const std::int64_t top = std::max(y0, -kReach);
    const std::int64_t bottom = std::min(yLast, kReach);
    RunClassifier classifier(start, kinds);
    const auto cell = [&](std::int64_t x, std::int64_t y) { return (y - y0) * width + (x - x0); };
    const auto cancelled = [&] {
        return cancel != nullptr && cancel->load(std::memory_order_relaxed);
    };
    if (left > right || top > bottom) return !cancelled();
    // Offsets along the sides, in 128 bits: a negative column wraps and comes back exact.
    const auto wide = [](std::int64_t v) { return static_cast<u128>(static_cast<Int128>(v)); };
    // Rows above and below the centre, |x| <= |y|: along a row the north side counts down
    // eastwards, the south side up.
    for (std::int64_t y = top; y <= bottom; ++y) {
        if (cancelled()) return false;
        if (y == 0) {
            if (left <= 0 && right >= 0) classifier.Run(0, cell(0, 0), 1, 1);
            continue;
        }
        const std::int64_t k = y < 0 ? -y : y;
        const std::int64_t a = std::max(left, -k);
        const std::int64_t b = std::min(right, k);
        if (a > b) continue;
        if (y < 0)
            classifier.Run(NorthSideOffset(wide(k), wide(b)), cell(b, y), -1, b - a + 1);
        else
            classifier.Run(SouthSideOffset(wide(k), wide(a)), cell(a, y), 1, b - a + 1);
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
            classifier.Run(EastSideOffset(wide(k), wide(b)), cell(x, b), -width, b - a + 1);
        else
            classifier.Run(WestSideOffset(wide(k), wide(a)), cell(x, a), width, b - a + 1);
    }
    classifier.Finish();
    return !cancelled();
}

}  // namespace quorvel
