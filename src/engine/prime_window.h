// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstdint>
#include <vector>

#include "engine/block_sieve.h"
#include "engine/primelib.h"
#include "engine/work_share.h"

namespace quorvel {

// A sieved stretch of numbers: bit (m - first) of `bits` is set when m is prime, for
// m = first … last; factorCounts[m - first] is the number of distinct prime factors of m when
// the window counts them, else factorCounts is null.
struct PrimeBlock {
    const std::uint64_t* bits = nullptr;
    const std::uint8_t* factorCounts = nullptr;
    const std::uint8_t* colours = nullptr;  // colours[m - first], when the window makes them
    std::int32_t first = 0;
    std::int32_t last = -1;

    bool Test(std::int64_t offset) const { return (bits[offset >> 6] >> (offset & 63)) & 1u; }
};

// The set bits of a word. (std::popcount is a call into the compiler's library where the
// processor the build targets has no instruction for it; this is what that call does.)
inline int BitsSet(std::uint64_t word) {
    word -= (word >> 1) & 0x5555555555555555u;
    word = (word & 0x3333333333333333u) + ((word >> 2) & 0x3333333333333333u);
    word = (word + (word >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<int>((word * 0x0101010101010101u) >> 56);
}

// Calls visit(word, w) for every word w of `bits` that holds bits of from … from + count - 1,
// in increasing order, with the bits outside that stretch cleared. (As WordWithin below clears
// them, but spelt out: the compiler may leave that a call, once a word of the walk.)
template <typename Visit>
void ForEachWordOf(const std::uint64_t* bits, std::int64_t from, std::int64_t count,
                   Visit&& visit) {
    if (count <= 0) return;
    const std::int64_t end = from + count;
    const std::int64_t lastWord = (end - 1) >> 6;
    for (std::int64_t w = from >> 6; w <= lastWord; ++w) {
        std::uint64_t word = bits[w];
        if (w == from >> 6) word &= ~std::uint64_t{0} << (from & 63);
        if (w == lastWord && ((end - 1) & 63) != 63)
            word &= (std::uint64_t{2} << ((end - 1) & 63)) - 1;
        visit(word, w);
    }
}

// Calls visit(k) for every k in from … from + count - 1 whose bit is set, in increasing order.
template <typename Visit>
void ForEachSetBit(const std::uint64_t* bits, std::int64_t from, std::int64_t count,
                   Visit&& visit) {
    ForEachWordOf(bits, from, count, [&](std::uint64_t word, std::int64_t w) {
        while (word != 0) {
            visit(w * 64 + std::countr_zero(word) - from);
            word &= word - 1;
        }
    });
}

// Word w of `bits`, one of those that hold bits of from … from + count - 1 (count > 0), with
// the bits outside that stretch cleared.
inline std::uint64_t WordWithin(const std::uint64_t* bits, std::int64_t from, std::int64_t count,
                                std::int64_t w) {
    const std::int64_t last = from + count - 1;
    std::uint64_t word = bits[w];
    if (w == from >> 6) word &= ~std::uint64_t{0} << (from & 63);
    if (w == last >> 6 && (last & 63) != 63) word &= (std::uint64_t{2} << (last & 63)) - 1;
    return word;
}

// The first and the last set bit among from … from + count - 1, as offsets from `from`; -1
// when none is. Looked for from either end: where bits are set at all, a word or two each.
struct SetBits {
    std::int64_t first = -1;
    std::int64_t last = -1;
};
inline SetBits SummariseSetBits(const std::uint64_t* bits, std::int64_t from, std::int64_t count) {
    SetBits found;
    if (count <= 0) return found;
    const std::int64_t lastWord = (from + count - 1) >> 6;
    const auto word = [&](std::int64_t w) { return WordWithin(bits, from, count, w); };
    std::int64_t w = from >> 6;
    while (w <= lastWord && word(w) == 0)
        ++w;
    if (w > lastWord) return found;
    found.first = w * 64 + std::countr_zero(word(w)) - from;
    w = lastWord;
    while (word(w) == 0)
        --w;
    found.last = w * 64 + 63 - std::countl_zero(word(w)) - from;
    return found;
}

// Colours of `count` numbers from `first` on, one byte each into out[], made from their prime
// bits (bit 0 is `first`) and their factor counts (null unless counted).
using NumberColours = void (*)(std::int32_t first, std::int64_t count, const std::uint64_t* bits,
                               const std::uint8_t* factorCounts, std::uint8_t* out);

// Primality and distinct-prime-factor counts for the numbers of one picture. A drawing pass
// asks about every number from its centre number to its end number in increasing order, so
// instead of a test per number the window sieves them block by block with the small primes.
// Numbers outside the prepared range are answered by the scattered-query entry points.
class PrimeWindow {
  public:
    // Numbers per block that BlockOf hands out; their prime bits fill 32 KiB.
    static constexpr std::int32_t kBlockSize = 1 << 18;

    // Prepares answers for first … last (clamped to 0 … kMaxNumber). Factor counts are
    // sieved only when asked for, since most pictures never need them. With `colours`, the
    // blocks carry the numbers' colours too, made wherever the numbers are sieved.
    void Prepare(std::int32_t first, std::int32_t last, bool withFactorCounts,
                 NumberColours colours = nullptr);

    bool IsPrime(std::int32_t n) {
        if (n >= sievedFirst_ && n <= readyLast_) return TestBit(n - sievedFirst_);
        return IsPrimeSlow(n);
    }

    // The sieved block that holds n: up to kBlockSize numbers, from the window's first number
    // or a multiple of kBlockSize past it, and no further than what is sieved so far. For n
    // outside the window, a block of n alone.
    PrimeBlock BlockOf(std::int32_t n) {
        if (n >= blockFirst_ && n <= blockLast_) return Block();
        if (InWindow(n)) {
            LoadBlockOf(n);
            return Block();
        }
        single_ = primelib::is_prime(n, n) == 1 ? 1 : 0;
        if (!withFactors_) return PrimeBlock{&single_, nullptr, nullptr, n, n};
        singleCount_ = static_cast<std::uint8_t>(primelib::factor(n, n, nullptr, nullptr));
        return PrimeBlock{&single_, &singleCount_, nullptr, n, n};
    }

    // The number of distinct prime factors of n (0 for 0 and 1).
    int DistinctPrimeFactors(std::int32_t n) {
        if (withFactors_ && n >= sievedFirst_ && n <= readyLast_)
            return factorCount_[static_cast<std::size_t>(n - sievedFirst_)];
        return DistinctPrimeFactorsSlow(n);
    }

  private:
    // Several blocks are sieved in one go, so that each sieving prime is set up once for all
    // of them: a picture of 527² numbers is one sweep.
    static constexpr std::int32_t kSweepBlocks = 4;
    static constexpr std::int32_t kSweepBlocksWithFactors = 2;

    bool TestBit(std::int64_t offset) const {
        return (primeBits_[static_cast<std::size_t>(offset >> 6)] >> (offset & 63)) & 1u;
    }
    PrimeBlock Block() const {
        const auto offset = static_cast<std::size_t>(blockFirst_ - sievedFirst_);
        return PrimeBlock{
            primeBits_.data() + offset / 64, withFactors_ ? factorCount_.data() + offset : nullptr,
            colourOf_ != nullptr ? colours_.data() + offset : nullptr, blockFirst_, blockLast_};
    }
    bool IsPrimeSlow(std::int32_t n);
    int DistinctPrimeFactorsSlow(std::int32_t n);
    bool InWindow(std::int32_t n) const { return n >= first_ && n <= last_; }
    void LoadBlockOf(std::int32_t n);
    // Sieves from … to, inside the sweep in memory, with sieves_[sieve].
    void Sieve(int sieve, std::int64_t from, std::int64_t to);

    std::int32_t first_ = 0;
    std::int32_t last_ = -1;
    bool withFactors_ = false;
    // The numbers in memory, several blocks; empty while sievedFirst_ > sievedLast_.
    std::int32_t sievedFirst_ = 1;
    std::int32_t sievedLast_ = 0;
    // … of which sievedFirst_ … readyLast_ are sieved; the rest is being sieved by ahead_.
    std::int32_t readyLast_ = 0;
    // The block handed out last, within them.
    std::int32_t blockFirst_ = 1;
    std::int32_t blockLast_ = 0;
    // Sweeps of this many numbers and more are sieved in two parts, the second on another
    // core while the walk draws the first.
    static constexpr std::int64_t kShareFrom = 1 << 16;
    BlockSieve sieves_[2];  // one per part
    std::vector<std::uint64_t> primeBits_;
    std::vector<std::uint8_t> factorCount_;
    NumberColours colourOf_ = nullptr;
    std::vector<std::uint8_t> colours_;
    std::uint64_t single_ = 0;
    std::uint8_t singleCount_ = 0;
    WorkAhead ahead_;  // last: it finishes before the memory it writes goes
};

}  // namespace quorvel
