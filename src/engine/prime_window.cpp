// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/prime_window.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>

namespace quorvel {

using primelib::kMaxNumber;
using primelib::kPrimesBelow64;
using primelib::kSmallPrimeLimit;

namespace {

// The primes up to 13 repeat their pattern every 2·3·5·7·11·13 numbers. Blocks start as a
// copy of that pattern, so the most frequent crossings-off cost nothing.
constexpr std::array<std::int32_t, 6> kWheelPrimes = {2, 3, 5, 7, 11, 13};
constexpr std::int32_t kWheel = 30030;

// Factor sieving adds, for each prime power p^k dividing n, about 4·log2(p) to a running sum
// (rounded to an integer, L(p)), and one to the count of distinct primes for k = 1. Both share a
// 16-bit word: count in the high byte, sum in the low byte. The sum reaches at most 4·31 plus
// the rounding error, well below 256.
constexpr std::uint16_t kCountOne = 0x100;

std::uint16_t ScaledLog(std::int32_t p) {
    return static_cast<std::uint16_t>(std::lround(4.0 * std::log2(static_cast<double>(p))));
}

// Whatever of n the small primes do not explain is one prime above kSmallPrimeLimit (two
// would exceed kMaxNumber), so it is there exactly when the sum falls short of 4·log2(n) by
// its size, 4·log2(46349) > 62. Each of the at most 19 odd prime-power terms is rounded by at
// most 0.5 (powers of 2 are exact), and floor(log2 n) costs at most 4 more: without a large
// prime the shortfall is at most 9.5, with one it is at least 62 - 9.5 - 4 = 48.5.
constexpr int kLargePrimeShortfall = 29;

// L(p) for every small prime, worked out once.
const std::vector<std::uint16_t>& ScaledLogs() {
    static const std::vector<std::uint16_t> logs = [] {
        std::vector<std::uint16_t> l;
        for (std::int32_t p : primelib::SmallPrimes())
            l.push_back(ScaledLog(p));
        return l;
    }();
    return logs;
}

constexpr std::size_t kWheelWords = (kWheel + 63) / 64 + 2;

struct Wheel {
    // Bit r set unless r is divisible by a wheel prime; the pattern runs on past kWheel, so
    // that 64 bits can be read from any starting residue.
    std::array<std::uint64_t, kWheelWords> candidates{};
    std::array<std::uint16_t, kWheel> factorWord{};  // count and sum of the wheel primes
};

const Wheel& TheWheel() {
    static const Wheel wheel = [] {
        Wheel w;
        std::array<std::uint16_t, kWheelPrimes.size()> logs{};
        for (std::size_t j = 0; j < kWheelPrimes.size(); ++j)
            logs[j] = ScaledLog(kWheelPrimes[j]);
        for (std::int32_t r = 0; r < kWheel; ++r) {
            std::uint16_t word = 0;
            for (std::size_t j = 0; j < kWheelPrimes.size(); ++j) {
                if (r % kWheelPrimes[j] == 0)
                    word = static_cast<std::uint16_t>(word + kCountOne + logs[j]);
            }
            w.factorWord[static_cast<std::size_t>(r)] = word;
        }
        for (std::size_t bit = 0; bit < 64 * kWheelWords; ++bit) {
            if (w.factorWord[bit % kWheel] == 0)
                w.candidates[bit / 64] |= std::uint64_t{1} << (bit % 64);
        }
        return w;
    }();
    return wheel;
}

// Primes whose multiples lie less than 64 numbers apart hit the same 64-bit word several times,
// and crossing them off one by one would wait on each previous write. Instead each word is
// masked at once: mask[r] has the bits of the multiples of p in 64 numbers from residue r.
constexpr std::array<std::int32_t, 5> kMaskedPrimes = {17, 19, 23, 29, 31};

struct PrimeMasks {
    std::array<std::array<std::uint64_t, 31>, kMaskedPrimes.size()> masks{};
};

const PrimeMasks& ThePrimeMasks() {
    static const PrimeMasks table = [] {
        PrimeMasks t;
        for (std::size_t j = 0; j < kMaskedPrimes.size(); ++j) {
            const std::int32_t p = kMaskedPrimes[j];
            for (std::int32_t r = 0; r < p; ++r) {
                for (std::int32_t bit = 0; bit < 64; ++bit) {
                    if ((r + bit) % p == 0)
                        t.masks[j][static_cast<std::size_t>(r)] |= std::uint64_t{1} << bit;
                }
            }
        }
        return t;
    }();
    return table;
}

// 64 bits of the candidate pattern from residue `offset` on.
std::uint64_t WheelBits(const Wheel& wheel, std::size_t offset) {
    const std::size_t word = offset / 64;
    const std::size_t shift = offset % 64;
    const std::uint64_t low = wheel.candidates[word] >> shift;
    return shift == 0 ? low : low | wheel.candidates[word + 1] << (64 - shift);
}

// The smallest multiple of `step` that is >= max(from, atLeast). Everything here stays below
// 2^32, and 32-bit division is several times faster than 64-bit division on common hardware.
std::int64_t FirstMultiple(std::int64_t step, std::int64_t from, std::int64_t atLeast) {
    const auto start = static_cast<std::uint32_t>(std::max(from, atLeast));
    const auto s = static_cast<std::uint32_t>(step);
    const std::uint32_t rest = start % s;
    return std::int64_t{start} + (rest == 0 ? 0 : s - rest);
}

}  // namespace

void PrimeWindow::Prepare(std::int32_t first, std::int32_t last, bool withFactorCounts) {
    first_ = std::max<std::int32_t>(first, 0);
    last_ = std::min<std::int32_t>(last, kMaxNumber);
    withFactors_ = withFactorCounts;
    blockFirst_ = 1;
    blockLast_ = 0;
}

bool PrimeWindow::IsPrimeSlow(std::int32_t n) {
    if (!InWindow(n)) return primelib::is_prime(n, n) == 1;
    LoadBlockOf(n);
    return Block().Test(n - blockFirst_);
}

int PrimeWindow::DistinctPrimeFactorsSlow(std::int32_t n) {
    if (!withFactors_ || !InWindow(n)) return primelib::factor(n, n, nullptr, nullptr);
    LoadBlockOf(n);
    return factorCount_[n - blockFirst_];
}

void PrimeWindow::LoadBlockOf(std::int32_t n) {
    const std::int64_t first = first_ + std::int64_t{n - first_} / kBlockSize * kBlockSize;
    const std::int64_t last = std::min<std::int64_t>(first + kBlockSize - 1, last_);
    // Factor counts tell primality too, so one sieve serves.
    if (withFactors_) {
        SieveFactorCounts(first, last);
    } else {
        SievePrimes(first, last);
    }
    blockFirst_ = static_cast<std::int32_t>(first);
    blockLast_ = static_cast<std::int32_t>(last);
}

void PrimeWindow::SievePrimes(std::int64_t first, std::int64_t last) {
    const auto length = static_cast<std::size_t>(last - first + 1);
    primeBits_.assign((length + 63) / 64, 0);
    const Wheel& wheel = TheWheel();
    auto residue = static_cast<std::size_t>(first % kWheel);
    for (std::uint64_t& word : primeBits_) {
        word = WheelBits(wheel, residue);
        residue += 64;
        if (residue >= kWheel) residue -= kWheel;
    }
    const PrimeMasks& masks = ThePrimeMasks();
    for (std::size_t j = 0; j < kMaskedPrimes.size(); ++j) {
        const auto p = static_cast<std::size_t>(kMaskedPrimes[j]);
        const auto& mask = masks.masks[j];
        const std::size_t advance = 64 % p;
        std::size_t r = static_cast<std::size_t>(first) % p;
        for (std::uint64_t& word : primeBits_) {
            word &= ~mask[r];
            r += advance;
            if (r >= p) r -= p;
        }
    }
    // Nothing past the block; below 64 the wheel and the masks took the primes themselves for
    // composites, and 1 for a prime.
    if (length % 64 != 0) primeBits_.back() &= (std::uint64_t{1} << (length % 64)) - 1;
    for (std::int64_t n = first; n <= std::min<std::int64_t>(last, 63); ++n) {
        const auto k = static_cast<std::size_t>(n - first);
        const std::uint64_t prime = (kPrimesBelow64 >> n) & 1;
        primeBits_[k / 64] =
            (primeBits_[k / 64] & ~(std::uint64_t{1} << (k % 64))) | prime << (k % 64);
    }
    for (std::int32_t p :
         primelib::SmallPrimes().subspan(kWheelPrimes.size() + kMaskedPrimes.size())) {
        const std::int64_t square = std::int64_t{p} * p;
        if (square > last) break;
        std::int64_t m = FirstMultiple(p, first, square);
        if ((m & 1) == 0) m += p;  // even multiples are already out
        const auto step = 2 * static_cast<std::size_t>(p);
        for (auto k = static_cast<std::size_t>(m - first); k < length; k += step) {
            primeBits_[k / 64] &= ~(std::uint64_t{1} << (k % 64));
        }
    }
}

void PrimeWindow::SieveFactorCounts(std::int64_t first, std::int64_t last) {
    const auto length = static_cast<std::size_t>(last - first + 1);
    factorSieve_.resize(length);
    {
        const auto& pattern = TheWheel().factorWord;
        std::size_t done = 0;
        auto offset = static_cast<std::size_t>(first % kWheel);
        while (done < length) {
            const std::size_t n = std::min(length - done, pattern.size() - offset);
            std::memcpy(factorSieve_.data() + done, pattern.data() + offset,
                        n * sizeof(std::uint16_t));
            done += n;
            offset = 0;
        }
    }
    const auto add = [&](std::int64_t step, std::int64_t atLeast, std::uint16_t amount) {
        for (auto k = static_cast<std::size_t>(FirstMultiple(step, first, atLeast) - first);
             k < length; k += static_cast<std::size_t>(step)) {
            factorSieve_[k] = static_cast<std::uint16_t>(factorSieve_[k] + amount);
        }
    };
    const auto primes = primelib::SmallPrimes();
    const std::vector<std::uint16_t>& logs = ScaledLogs();
    for (std::size_t j = 0; j < primes.size(); ++j) {
        const std::int32_t p = primes[j];
        if (p > last) break;
        const std::uint16_t log = logs[j];
        if (p > kWheelPrimes.back()) add(p, p, static_cast<std::uint16_t>(kCountOne + log));
        for (std::int64_t power = std::int64_t{p} * p; power <= last; power *= p) {
            add(power, power, log);
        }
    }

    factorCount_.resize(length);
    primeBits_.assign((length + 63) / 64, 0);
    std::size_t i = 0;
    // Below the small primes' limit a few numbers are factored one by one.
    for (; i < length && first + static_cast<std::int64_t>(i) <= kSmallPrimeLimit; ++i) {
        const auto n = static_cast<std::int32_t>(first + static_cast<std::int64_t>(i));
        factorCount_[i] = static_cast<std::uint8_t>(primelib::factor(n, n, nullptr, nullptr));
        primeBits_[i / 64] |= std::uint64_t{primelib::is_prime(n, n) == 1} << (i % 64);
    }
    // Above it a number is prime when it has no small prime factor. The loops below are kept
    // simple enough for the compiler to vectorise: 4·floor(log2 n) only changes at a power of 2,
    // and the prime flags go through a byte array that is then packed eight at a time.
    noSmallFactor_.resize(length);
    const std::size_t firstLarge = i;
    while (i < length) {
        const auto n = static_cast<std::uint32_t>(first + static_cast<std::int64_t>(i));
        const int log2 = std::bit_width(n) - 1;
        const std::size_t end = std::min<std::size_t>(
            length, static_cast<std::size_t>((std::int64_t{2} << log2) - first));
        const int full = 4 * log2 - kLargePrimeShortfall;
        const std::uint16_t* __restrict words = factorSieve_.data();
        std::uint8_t* __restrict counts = factorCount_.data();
        std::uint8_t* __restrict noSmallFactor = noSmallFactor_.data();
        for (; i < end; ++i) {
            const int word = words[i];
            counts[i] = static_cast<std::uint8_t>((word >> 8) + (full > (word & 0xFF)));
            noSmallFactor[i] = word < kCountOne;
        }
    }
    for (std::size_t k = firstLarge; k < length;) {
        if (k % 8 == 0 && k + 8 <= length) {
            // Eight 0/1 bytes to eight bits, the first byte becoming the lowest bit.
            std::uint64_t bytes = 0;
            std::memcpy(&bytes, noSmallFactor_.data() + k, 8);
            const std::uint64_t packed = (bytes * 0x0102040810204080ull) >> 56;
            primeBits_[k / 64] |= packed << (k % 64);
            k += 8;
        } else {
            primeBits_[k / 64] |= std::uint64_t{noSmallFactor_[k]} << (k % 64);
            ++k;
        }
    }
}

}  // namespace quorvel
