// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/block_sieve.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <initializer_list>

#include "engine/primelib.h"

namespace quorvel {

using primelib::kMaxNumber;
using primelib::kPrimesBelow64;
using primelib::kSmallPrimeLimit;

namespace {

// A segment's bytes, indexed by byte of the whole stretch: seg[i] is byte i - from of the
// segment. (A pointer moved back by `from` would point before the array, which C++ forbids.)
struct SegmentBytes {
    std::uint8_t* data;
    std::uint32_t from;
    std::uint8_t& operator[](std::uint32_t i) const { return data[i - from]; }
};

__extension__ using Wide = unsigned __int128;

// n / d for 32-bit n and d >= 2 by one multiplication: floor(2^64 / d) + 1 is exact enough for
// every 32-bit numerator, and the division it replaces would be the costliest step of setting
// up a prime for a stretch.
struct Reciprocal {
    std::uint64_t factor = 0;
    explicit Reciprocal(std::uint32_t d) : factor(~std::uint64_t{0} / d + 1) {}
    Reciprocal() = default;
    std::uint32_t Divide(std::uint32_t n) const {
        return static_cast<std::uint32_t>((static_cast<Wide>(factor) * n) >> 64);
    }
};

// ---- Prime bits ----------------------------------------------------------------------------
//
// Only numbers coprime to 30 can be prime above 5, eight in every 30: the sieve keeps them as
// one byte per 30 numbers (bit j for residue kResidues[j]), which makes a picture's numbers fit
// the first-level cache in one piece and skips the multiples of 2, 3 and 5 altogether.

constexpr std::array<std::uint32_t, 8> kResidues = {1, 7, 11, 13, 17, 19, 23, 29};
// From residue j to the next coprime multiplier.
constexpr std::array<std::uint32_t, 8> kGaps = {6, 4, 2, 4, 2, 4, 6, 2};
// The multiples of 7, 11, 13 and 17 repeat every 7·11·13·17 bytes, those of 19, 23 and 29 every
// 19·23·29: a segment starts as the two patterns combined.
constexpr std::uint32_t kPresievePeriod = 7 * 11 * 13 * 17;
constexpr std::uint32_t kPresievePeriod2 = 19 * 23 * 29;
constexpr std::int32_t kFirstCrossedPrime = 31;
// Bytes sieved at once: 983,040 numbers, within the first-level cache.
constexpr std::uint32_t kSegmentBytes = 32 * 1024;

struct SievingPrime {
    Reciprocal reciprocal;
    std::uint32_t p = 0;
    std::uint32_t quotient = 0;  // p / 30
    std::uint32_t residue = 0;   // index of p mod 30 in kResidues
};

struct WheelTables {
    std::array<std::uint8_t, 30> residueIndex{};  // 0xFF for residues sharing a factor with 30
    // The smallest coprime residue >= r: how far it is, and its index.
    std::array<std::uint8_t, 30> toCoprime{};
    std::array<std::uint8_t, 30> coprimeIndex{};
    // For a prime of residue index a and a multiplier of residue index j: the byte's bit to
    // clear, and how many bytes further the next multiple lies beyond quotient · gap.
    std::array<std::array<std::uint8_t, 8>, 8> keepMask{};
    std::array<std::array<std::uint8_t, 8>, 8> extraBytes{};
    // The 30 bits of a byte as numbers 0 … 29.
    std::array<std::uint32_t, 256> expand{};
    std::vector<std::uint8_t> presieve;
    std::vector<std::uint8_t> presieve2;
    std::vector<SievingPrime> primes;  // from kFirstCrossedPrime up
};

const WheelTables& TheWheelTables() {
    static const WheelTables tables = [] {
        WheelTables t;
        t.residueIndex.fill(0xFF);
        for (std::uint32_t j = 0; j < 8; ++j)
            t.residueIndex[kResidues[j]] = static_cast<std::uint8_t>(j);
        for (std::uint32_t r = 0; r < 30; ++r) {
            std::uint32_t s = r;
            while (s < 30 && t.residueIndex[s] == 0xFF)
                ++s;
            // Past 29 the next coprime residue is 31, index 0.
            t.toCoprime[r] = static_cast<std::uint8_t>(s - r + (s == 30 ? 1 : 0));
            t.coprimeIndex[r] = s == 30 ? 0 : t.residueIndex[s];
        }
        for (std::uint32_t a = 0; a < 8; ++a) {
            const std::uint32_t r = kResidues[a];
            for (std::uint32_t j = 0; j < 8; ++j) {
                const std::uint32_t bit = t.residueIndex[r * kResidues[j] % 30];
                t.keepMask[a][j] = static_cast<std::uint8_t>(~(1u << bit));
                t.extraBytes[a][j] = static_cast<std::uint8_t>(r * (kResidues[j] + kGaps[j]) / 30 -
                                                               r * kResidues[j] / 30);
            }
        }
        for (std::uint32_t byte = 0; byte < 256; ++byte) {
            for (std::uint32_t j = 0; j < 8; ++j) {
                if (byte >> j & 1) t.expand[byte] |= 1u << kResidues[j];
            }
        }
        const auto presieve = [](std::uint32_t period,
                                 std::initializer_list<std::uint32_t> primes) {
            std::vector<std::uint8_t> pattern(period);
            for (std::uint32_t i = 0; i < period; ++i) {
                std::uint8_t byte = 0;
                for (std::uint32_t j = 0; j < 8; ++j) {
                    const std::uint32_t n = 30 * i + kResidues[j];
                    bool crossed = false;
                    for (std::uint32_t p : primes)
                        crossed = crossed || n % p == 0;
                    if (!crossed) byte = static_cast<std::uint8_t>(byte | 1u << j);
                }
                pattern[i] = byte;
            }
            return pattern;
        };
        t.presieve = presieve(kPresievePeriod, {7, 11, 13, 17});
        t.presieve2 = presieve(kPresievePeriod2, {19, 23, 29});
        for (std::int32_t p : primelib::SmallPrimes()) {
            if (p < kFirstCrossedPrime) continue;
            SievingPrime s;
            s.reciprocal = Reciprocal(static_cast<std::uint32_t>(p));
            s.p = static_cast<std::uint32_t>(p);
            s.quotient = s.p / 30;
            s.residue = t.residueIndex[s.p % 30];
            t.primes.push_back(s);
        }
        return t;
    }();
    return tables;
}

// Appends bits to `out` one word at a time.
struct BitWriter {
    std::uint64_t* out;
    std::uint64_t pending = 0;
    int filled = 0;

    // Appends the low `count` (<= 30) bits of v; v has no bits above them.
    void Push(std::uint64_t v, int count) {
        pending |= v << filled;
        filled += count;
        if (filled >= 64) {
            *out++ = pending;
            filled -= 64;
            pending = v >> (count - filled);
        }
    }
    void Finish() {
        if (filled > 0) *out++ = pending;
    }
};

// ---- Factor counts -------------------------------------------------------------------------
//
// Every prime power p^k dividing n adds about 4·log2(p) to a running sum (rounded to an
// integer, L(p)), and p itself one to the count of distinct primes. Both share a 16-bit word:
// count in the high byte, sum in the low byte. The sum reaches at most 4·31 plus the rounding
// error, well below 256.
constexpr std::uint16_t kCountOne = 0x100;

// Whatever of n the small primes do not explain is one prime above kSmallPrimeLimit (two
// would exceed kMaxNumber), so it is there exactly when the sum falls short of 4·log2(n) by
// its size, 4·log2(46349) > 62. Each of the at most 19 odd prime-power terms is rounded by at
// most 0.5 (powers of 2 are exact), and floor(log2 n) costs at most 4 more: without a large
// prime the shortfall is at most 9.5, with one it is at least 62 - 9.5 - 4 = 48.5.
constexpr int kLargePrimeShortfall = 29;

std::uint16_t ScaledLog(std::uint32_t p) {
    return static_cast<std::uint16_t>(std::lround(4.0 * std::log2(static_cast<double>(p))));
}

// The primes up to 13 with their counts repeat every 2·3·5·7·11·13 numbers, and the powers
// 4 … 64 and 9 … 81 every 2^6·3^4: a stretch starts as the sum of such patterns, so the
// densest additions cost next to nothing.
constexpr std::uint32_t kPrimePeriod = 30030;
constexpr std::uint32_t kPowerPeriod = 64 * 81;

// A prime or prime power that the sieve adds one by one.
struct FactorStep {
    std::uint32_t step = 0;
    std::uint16_t amount = 0;
    Reciprocal reciprocal;
};

// Numbers of a factor stretch summed at once, 32 KiB of sums.
constexpr std::int64_t kFactorSegment = 16 * 1024;
// Steps below this are added segment by segment while the segment is in the first-level cache;
// the rarer ones go over the whole stretch at once.
constexpr std::uint32_t kDenseStepLimit = 4 * 1024;
// Numbers of one stretch: its sums and flags stay in the second-level cache.
constexpr std::int32_t kFactorSweep = 1 << 19;

struct FactorTables {
    std::vector<std::uint16_t> primePattern;
    std::vector<std::uint16_t> powerPattern;
    std::vector<FactorStep> steps;              // ascending
    std::vector<std::uint64_t> smallPrimeBits;  // 0 … kSmallPrimeLimit
};

const FactorTables& TheFactorTables() {
    static const FactorTables tables = [] {
        FactorTables t;
        constexpr std::array<std::uint32_t, 6> kPatternPrimes = {2, 3, 5, 7, 11, 13};
        t.primePattern.resize(kPrimePeriod);
        for (std::uint32_t r = 0; r < kPrimePeriod; ++r) {
            std::uint16_t word = 0;
            for (std::uint32_t p : kPatternPrimes) {
                if (r % p == 0) word = static_cast<std::uint16_t>(word + kCountOne + ScaledLog(p));
            }
            t.primePattern[r] = word;
        }
        t.powerPattern.resize(kPowerPeriod);
        for (std::uint32_t r = 0; r < kPowerPeriod; ++r) {
            std::uint16_t word = 0;
            for (std::uint32_t power = 4; power <= 64; power *= 2) {
                if (r % power == 0) word = static_cast<std::uint16_t>(word + ScaledLog(2));
            }
            for (std::uint32_t power = 9; power <= 81; power *= 3) {
                if (r % power == 0) word = static_cast<std::uint16_t>(word + ScaledLog(3));
            }
            t.powerPattern[r] = word;
        }
        const auto add = [&](std::uint64_t step, std::uint16_t amount) {
            if (step > static_cast<std::uint64_t>(kMaxNumber)) return;
            FactorStep s;
            s.step = static_cast<std::uint32_t>(step);
            s.amount = amount;
            s.reciprocal = Reciprocal(s.step);
            t.steps.push_back(s);
        };
        for (std::int32_t prime : primelib::SmallPrimes()) {
            const auto p = static_cast<std::uint64_t>(prime);
            const std::uint16_t log = ScaledLog(static_cast<std::uint32_t>(p));
            if (p > 13) add(p, static_cast<std::uint16_t>(kCountOne + log));
            std::uint64_t power = p * p;
            if (p == 2) power = 128;
            if (p == 3) power = 243;
            for (; power <= static_cast<std::uint64_t>(kMaxNumber); power *= p)
                add(power, log);
        }
        std::sort(t.steps.begin(), t.steps.end(),
                  [](const FactorStep& a, const FactorStep& b) { return a.step < b.step; });
        t.smallPrimeBits.assign(kSmallPrimeLimit / 64 + 1, 0);
        for (std::int32_t p : primelib::SmallPrimes()) {
            t.smallPrimeBits[static_cast<std::size_t>(p) / 64] |= std::uint64_t{1} << (p % 64);
        }
        return t;
    }();
    return tables;
}

// The smallest multiple of `s` that is >= max(from, s.step), as an offset from `from`.
std::uint32_t FirstOffset(const FactorStep& s, std::uint32_t from) {
    const std::uint32_t start = std::max(from, s.step);
    const std::uint64_t multiple = std::uint64_t{s.reciprocal.Divide(start + s.step - 1)} * s.step;
    return static_cast<std::uint32_t>(multiple - from);
}

bool IsStretch(std::int32_t first, std::int32_t last) {
    return 0 <= first && first <= last && last <= kMaxNumber;
}

}  // namespace

void BlockSieve::Primes(std::int32_t first, std::int32_t last, std::uint64_t* bits) {
    if (!IsStretch(first, last)) return;
    const WheelTables& t = TheWheelTables();
    const auto base = static_cast<std::uint32_t>(first - first % 30);
    const auto skip = static_cast<int>(first % 30);  // numbers of the first byte before `first`
    const std::uint32_t bytes = (static_cast<std::uint32_t>(last) - base) / 30 + 1;

    // Where every prime up to sqrt(last) first crosses off: its smallest multiple p·m >= base
    // with m >= p and m coprime to 30.
    std::size_t active = 0;
    while (active < t.primes.size() && std::uint64_t{t.primes[active].p} * t.primes[active].p <=
                                           static_cast<std::uint64_t>(last))
        ++active;
    next_.resize(active);
    wheelIndex_.resize(active);
    for (std::size_t k = 0; k < active; ++k) {
        const SievingPrime& s = t.primes[k];
        const std::uint32_t m0 = std::max(s.p, s.reciprocal.Divide(base + s.p - 1));
        const std::uint32_t m = m0 + t.toCoprime[m0 % 30];
        next_[k] = static_cast<std::uint32_t>((std::uint64_t{s.p} * m - base) / 30);
        wheelIndex_[k] = t.coprimeIndex[m0 % 30];
    }

    segment_.resize(std::min(bytes, kSegmentBytes));
    BitWriter writer{bits};
    const std::uint64_t wanted = static_cast<std::uint64_t>(last - first) + 1;
    for (std::uint32_t from = 0; from < bytes; from += kSegmentBytes) {
        const std::uint32_t to = std::min(bytes, from + kSegmentBytes);
        const SegmentBytes seg{segment_.data(), from};  // indexed by byte of the stretch
        std::uint32_t a = (base / 30 + from) % kPresievePeriod;
        std::uint32_t b = (base / 30 + from) % kPresievePeriod2;
        for (std::uint32_t i = from; i < to;) {
            const std::uint32_t n = std::min({to - i, kPresievePeriod - a, kPresievePeriod2 - b});
            const std::uint8_t* __restrict x = t.presieve.data() + a;
            const std::uint8_t* __restrict y = t.presieve2.data() + b;
            std::uint8_t* __restrict out = &seg[i];
            for (std::uint32_t k = 0; k < n; ++k)
                out[k] = x[k] & y[k];
            i += n;
            a = a + n == kPresievePeriod ? 0 : a + n;
            b = b + n == kPresievePeriod2 ? 0 : b + n;
        }
        // Primes below the segment's length cross off each residue class of their multipliers
        // in turn, a plain strided loop; the next multiple is then the nearest class's. Larger
        // ones, with few multiples here, walk the wheel instead.
        const std::uint32_t denseLimit = to - from;
        std::size_t k = 0;
        for (; k < active && t.primes[k].p < denseLimit; ++k) {
            const SievingPrime& s = t.primes[k];
            const auto& keep = t.keepMask[s.residue];
            const auto& extra = t.extraBytes[s.residue];
            std::uint32_t i = next_[k];
            std::uint32_t j = wheelIndex_[k];
            std::uint32_t nearest = ~std::uint32_t{0};
            std::uint32_t nearestIndex = 0;
            // Locals, since byte stores could alias anything the compiler would reload.
            const std::uint32_t p = s.p;
            const std::uint32_t quotient = s.quotient;
            for (int c = 0; c < 8; ++c) {
                const std::uint8_t mask = keep[j];
                std::uint32_t x = i;
                for (; x < to; x += p)
                    seg[x] &= mask;
                if (x < nearest) {
                    nearest = x;
                    nearestIndex = j;
                }
                i += quotient * kGaps[j] + extra[j];
                j = (j + 1) & 7;
            }
            next_[k] = nearest;
            wheelIndex_[k] = static_cast<std::uint8_t>(nearestIndex);
        }
        for (; k < active; ++k) {
            const SievingPrime& s = t.primes[k];
            const auto& keep = t.keepMask[s.residue];
            const auto& extra = t.extraBytes[s.residue];
            const std::uint32_t quotient = s.quotient;
            std::uint32_t i = next_[k];
            std::uint32_t j = wheelIndex_[k];
            while (i < to) {
                seg[i] &= keep[j];
                i += quotient * kGaps[j] + extra[j];
                j = (j + 1) & 7;
            }
            next_[k] = i;
            wheelIndex_[k] = static_cast<std::uint8_t>(j);
        }
        // Out to one bit per number; the first byte may start before `first`, the last run past
        // `last`. The bytes between take the short way, two at a time.
        std::uint32_t i = from;
        const std::uint32_t plainEnd = to == bytes ? to - 1 : to;
        if (i == 0 && i < plainEnd) {
            writer.Push(t.expand[seg[0]] >> skip, 30 - skip);
            ++i;
        }
        {
            std::uint64_t* out = writer.out;
            std::uint64_t pending = writer.pending;
            int filled = writer.filled;
            for (; i + 1 < plainEnd; i += 2) {
                const std::uint64_t v = t.expand[seg[i]] | std::uint64_t{t.expand[seg[i + 1]]}
                                                               << 30;
                pending |= v << filled;
                filled += 60;
                if (filled >= 64) {
                    *out++ = pending;
                    filled -= 64;
                    pending = v >> (60 - filled);
                }
            }
            writer.out = out;
            writer.pending = pending;
            writer.filled = filled;
        }
        for (; i < plainEnd; ++i)
            writer.Push(t.expand[seg[i]], 30);
        if (to == bytes) {
            // The stretch's last byte, which may also be its first.
            std::uint64_t v = t.expand[seg[to - 1]];
            std::uint64_t before = 0;  // bits written for the earlier bytes
            if (bytes == 1) {
                v >>= skip;
            } else {
                before = std::uint64_t{30} * (bytes - 1) - static_cast<std::uint64_t>(skip);
            }
            const auto rest = static_cast<int>(wanted - before);
            writer.Push(v & ((std::uint64_t{1} << rest) - 1), rest);
        }
    }
    writer.Finish();

    // The wheel took 2, 3 and 5 for composites, the patterns 7 … 29, and 1 for a prime.
    for (std::int64_t n = first; n <= std::min<std::int64_t>(last, 63); ++n) {
        const auto k = static_cast<std::size_t>(n - first);
        const std::uint64_t prime = (kPrimesBelow64 >> n) & 1;
        bits[k / 64] = (bits[k / 64] & ~(std::uint64_t{1} << (k % 64))) | prime << (k % 64);
    }
}

void BlockSieve::FactorCounts(std::int32_t first, std::int32_t last, std::uint8_t* counts,
                              std::uint64_t* bits) {
    if (!IsStretch(first, last)) return;
    for (std::int64_t from = first; from <= last; from += kFactorSweep) {
        const auto to =
            static_cast<std::int32_t>(std::min<std::int64_t>(last, from + kFactorSweep - 1));
        const std::int64_t offset = from - first;
        FactorSweep(static_cast<std::int32_t>(from), to, counts + offset, bits + offset / 64);
    }
}

void BlockSieve::FactorSweep(std::int32_t first, std::int32_t last, std::uint8_t* counts,
                             std::uint64_t* bits) {
    const FactorTables& t = TheFactorTables();
    const auto length = static_cast<std::size_t>(last - first + 1);
    const auto from = static_cast<std::uint32_t>(first);
    factorSums_.resize(length);
    std::uint16_t* const sums = factorSums_.data();

    std::size_t active = 0;
    while (active < t.steps.size() && t.steps[active].step <= static_cast<std::uint32_t>(last))
        ++active;
    std::size_t dense = 0;
    while (dense < active && t.steps[dense].step < kDenseStepLimit)
        ++dense;
    next_.resize(active);
    for (std::size_t k = 0; k < active; ++k)
        next_[k] = FirstOffset(t.steps[k], from);

    for (std::size_t segFirst = 0; segFirst < length;
         segFirst += static_cast<std::size_t>(kFactorSegment)) {
        const std::size_t segEnd =
            std::min(length, segFirst + static_cast<std::size_t>(kFactorSegment));
        std::size_t a = (from + segFirst) % kPrimePeriod;
        std::size_t b = (from + segFirst) % kPowerPeriod;
        for (std::size_t i = segFirst; i < segEnd;) {
            const std::size_t n = std::min({segEnd - i, kPrimePeriod - a, kPowerPeriod - b});
            const std::uint16_t* __restrict primeWords = t.primePattern.data() + a;
            const std::uint16_t* __restrict powerWords = t.powerPattern.data() + b;
            std::uint16_t* __restrict out = sums + i;
            for (std::size_t k = 0; k < n; ++k)
                out[k] = static_cast<std::uint16_t>(primeWords[k] + powerWords[k]);
            i += n;
            a = a + n == kPrimePeriod ? 0 : a + n;
            b = b + n == kPowerPeriod ? 0 : b + n;
        }
        for (std::size_t k = 0; k < dense; ++k) {
            const std::uint32_t step = t.steps[k].step;
            const std::uint16_t amount = t.steps[k].amount;
            std::size_t i = next_[k];
            for (; i < segEnd; i += step)
                sums[i] = static_cast<std::uint16_t>(sums[i] + amount);
            next_[k] = static_cast<std::uint32_t>(i);
        }
    }
    for (std::size_t k = dense; k < active; ++k) {
        const std::uint32_t step = t.steps[k].step;
        const std::uint16_t amount = t.steps[k].amount;
        for (std::size_t i = next_[k]; i < length; i += step)
            sums[i] = static_cast<std::uint16_t>(sums[i] + amount);
    }

    const std::size_t words =
        static_cast<std::size_t>(BlockSieve::WordsFor(static_cast<std::int64_t>(length)));
    std::fill(bits, bits + words, 0);
    std::size_t i = 0;
    // Up to kSmallPrimeLimit every prime factor is a sieving prime: the count is complete, and
    // the primes are looked up.
    for (; i < length && first + static_cast<std::int64_t>(i) <= kSmallPrimeLimit; ++i) {
        const auto n = static_cast<std::uint32_t>(first + static_cast<std::int64_t>(i));
        counts[i] = n < 2 ? 0 : static_cast<std::uint8_t>(sums[i] >> 8);
        bits[i / 64] |= (t.smallPrimeBits[n / 64] >> (n % 64) & 1) << (i % 64);
    }
    // Above it a number is prime when it has no small prime factor. The loops below are kept
    // simple enough for the compiler to vectorise in 16-bit lanes: 4·floor(log2 n) only changes
    // at a power of 2, and the prime flags go through a byte array that is then packed eight at
    // a time.
    noSmallFactor_.resize(length + 8);
    const std::size_t firstLarge = i;
    while (i < length) {
        const auto n = static_cast<std::uint32_t>(first + static_cast<std::int64_t>(i));
        const int log2 = std::bit_width(n) - 1;
        const std::size_t end = std::min<std::size_t>(
            length, static_cast<std::size_t>((std::int64_t{2} << log2) - first));
        const auto full = static_cast<std::uint16_t>(4 * log2 - kLargePrimeShortfall);
        const std::uint16_t* __restrict in = sums;
        std::uint8_t* __restrict out = counts;
        std::uint8_t* __restrict noSmallFactor = noSmallFactor_.data();
        for (; i < end; ++i) {
            const std::uint16_t word = in[i];
            const auto count = static_cast<std::uint16_t>(word >> 8);
            const std::uint16_t large = (word & 0xFF) < full ? 1 : 0;
            out[i] = static_cast<std::uint8_t>(count + large);
            noSmallFactor[i] = count == 0 ? 1 : 0;
        }
    }
    std::size_t k = firstLarge;
    for (; k < length && k % 64 != 0; ++k)
        bits[k / 64] |= std::uint64_t{noSmallFactor_[k]} << (k % 64);
    // Eight 0/1 bytes to eight bits at a time, the first byte becoming the lowest bit; the
    // flags past the end are cleared so that the last word needs no care.
    std::fill(noSmallFactor_.begin() + static_cast<std::ptrdiff_t>(length), noSmallFactor_.end(),
              0);
    for (; k < length; k += 64) {
        std::uint64_t word = 0;
        const std::uint8_t* flags = noSmallFactor_.data() + k;
        const std::size_t groups = std::min<std::size_t>(8, (length - k + 7) / 8);
        for (std::size_t g = 0; g < groups; ++g) {
            std::uint64_t bytes = 0;
            std::memcpy(&bytes, flags + 8 * g, 8);
            word |= ((bytes * 0x0102040810204080ull) >> 56) << (8 * g);
        }
        bits[k / 64] = word;
    }
}

}  // namespace quorvel
