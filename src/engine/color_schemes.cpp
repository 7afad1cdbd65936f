// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/color_schemes.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QUORVEL_HAVE_WIDE 1
#endif

namespace quorvel {

int ClusterColor(const ColorRule& rule, const CellPlace& cell, ColorMemory& memory,
                 const RasterView& raster) {
    const int count = rule.ColorCount();
    const int found = rule.boxSize == 1 && cell.ring >= 2
                          ? FindClusterColorInWalk(raster, cell, count)
                          : FindClusterColor(raster, cell.pixelX, cell.pixelY, rule.boxSize, count);
    return ClusterColorFound(found, rule, cell, memory);
}

int ClusterColorFound(int found, const ColorRule& rule, const CellPlace& cell,
                      ColorMemory& memory) {
    const int count = rule.ColorCount();
    if (IsCycleColor(found, count)) return found;

    const std::int32_t n = cell.number;
    if (n == 2) {
        memory.lastClusterColor =
            memory.lastClusterColor == intPrimeColor ? intPrimeColor + 1 : intPrimeColor;
        return memory.lastClusterColor;
    }
    // Twin primes share a colour.
    if (n > 2 && n - 2 == memory.lastPrime && rule.show == ShowMode::Primes) {
        return memory.lastPrimeColor + (n == 5 ? 1 : 0);
    }
    memory.lastClusterColor = RingColor(cell.ring, count);
    return memory.lastClusterColor;
}

int FindClusterColor(const RasterView& raster, int x, int y, int boxSize, int colorCount) {
    const int b = boxSize;
    const int reach = b == 1 ? 0 : 1;
    int index = -1;
    auto probe = [&](int px, int py) {
        index = raster.ReadIndex(px, py);
        return IsCycleColor(index, colorCount);
    };
    // Stage 1: the diagonal neighbours NE, SW, SE, NW.
    for (int i = reach; i >= -reach; --i) {
        for (int j = reach; j >= -reach; --j) {
            if (probe(x + b + i, y - b + j) || probe(x - b + i, y + b + j) ||
                probe(x + b + i, y + b + j) || probe(x - b + i, y - b + j)) {
                return index;
            }
        }
    }
    // Stage 2: two cells away east, west, south, north.
    for (int i = reach; i >= -reach; --i) {
        for (int j = reach; j >= -reach; --j) {
            if (probe(x + 2 * b + i, y + j) || probe(x - 2 * b + i, y + j) ||
                probe(x + i, y + 2 * b + j) || probe(x + i, y - 2 * b + j)) {
                return index;
            }
        }
    }
    return index;
}

int FindClusterColorInWalk(const RasterView& raster, const CellPlace& cell, int colorCount) {
    const auto& probes = kClusterProbesInWalk[static_cast<int>(SideOf(cell.x, cell.y))];
    for (int i = 0; i < 4; ++i) {
        const int index = raster.ReadIndex(cell.pixelX + probes[i][0], cell.pixelY + probes[i][1]);
        if (IsCycleColor(index, colorCount)) return index;
    }
    return -1;
}

int OstrandColor(std::int32_t n, bool isPrime) {
    return OstrandColor(n, isPrime, isPrime ? 1 : primelib::factor(n, n, nullptr, nullptr));
}

namespace {

// Ostrand colours of the numbers that are not prime by factor count, 16 entries (no number
// below 2^31 has more than nine distinct prime factors).
constexpr std::array<std::uint8_t, 16> kByFactorCount = [] {
    std::array<std::uint8_t, 16> colours{};
    for (int f = 0; f < 16; ++f)
        colours[static_cast<std::size_t>(f)] = static_cast<std::uint8_t>(OstrandColor(4, false, f));
    return colours;
}();

// Prime colours by remainder mod 12, repeated: from byte r on, the colours of the remainders
// r, r + 1, … for 64 numbers.
constexpr std::array<std::uint8_t, 12 + 64> kByRemainder = [] {
    std::array<std::uint8_t, 12 + 64> colours{};
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = static_cast<std::uint8_t>(kOstrandByRemainder[i % 12]);
    return colours;
}();

#ifdef QUORVEL_HAVE_WIDE

__attribute__((target("avx512bw"))) void ColoursWide(std::int32_t first, std::int64_t count,
                                                     const std::uint64_t* bits,
                                                     const std::uint8_t* factorCounts,
                                                     std::uint8_t* out) {
    // (The zero-masked broadcast: the plain one trips a false warning of this compiler.)
    const __m512i byCount = _mm512_maskz_broadcast_i32x4(
        0xFFFF, _mm_loadu_si128(reinterpret_cast<const __m128i*>(kByFactorCount.data())));
    int remainder = first % 12;
    std::int64_t i = 0;
    for (; i + 64 <= count; i += 64) {
        const __m512i counts = _mm512_loadu_si512(factorCounts + i);
        const __m512i composite = _mm512_shuffle_epi8(byCount, counts);
        const __m512i prime = _mm512_loadu_si512(kByRemainder.data() + remainder);
        // Bit i is word i / 64: whole words, as i is a multiple of 64.
        const __mmask64 primes = bits[i / 64];
        _mm512_storeu_si512(out + i, _mm512_mask_blend_epi8(primes, composite, prime));
        remainder = (remainder + 64) % 12;
    }
    if (i < count) {
        OstrandColoursPortable(static_cast<std::int32_t>(first + i), count - i, bits + i / 64,
                               factorCounts + i, out + i);
    }
}

bool HaveWide() {
    static const bool have = __builtin_cpu_supports("avx512bw");
    return have;
}

// The same, 32 at a time, for processors without the 512-bit instructions.
__attribute__((target("avx2"))) void ColoursHalfWide(std::int32_t first, std::int64_t count,
                                                     const std::uint64_t* bits,
                                                     const std::uint8_t* factorCounts,
                                                     std::uint8_t* out) {
    const __m256i byCount = _mm256_broadcastsi128_si256(
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(kByFactorCount.data())));
    const __m256i lowNibble = _mm256_set1_epi8(0x0F);
    // A word of 32 prime bits, repeated in every 32-bit lane, spread out to a byte each: byte j
    // takes byte j / 8 of the word (a shuffle keeps to its 128-bit half, which holds a copy of
    // the word too) and keeps bit j % 8 of it.
    const __m256i spread = _mm256_setr_epi8(0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2,
                                            2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3, 3);
    const __m256i bit = _mm256_set1_epi64x(static_cast<long long>(0x8040201008040201ull));
    int remainder = first % 12;
    std::int64_t i = 0;
    // A word of bits at a time, in two halves: what is left starts on a word.
    for (; i + 64 <= count; i += 64) {
        for (int half = 0; half < 2; ++half) {
            const std::int64_t at = i + 32 * half;
            const __m256i counts = _mm256_and_si256(
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(factorCounts + at)), lowNibble);
            const __m256i composite = _mm256_shuffle_epi8(byCount, counts);
            const __m256i prime = _mm256_loadu_si256(
                reinterpret_cast<const __m256i*>(kByRemainder.data() + remainder));
            const auto word = static_cast<std::uint32_t>(bits[i / 64] >> (32 * half));
            const __m256i spreadWord =
                _mm256_shuffle_epi8(_mm256_set1_epi32(static_cast<int>(word)), spread);
            const __m256i primes = _mm256_cmpeq_epi8(_mm256_and_si256(spreadWord, bit), bit);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + at),
                                _mm256_blendv_epi8(composite, prime, primes));
            remainder = (remainder + 32) % 12;
        }
    }
    if (i < count) {
        OstrandColoursPortable(static_cast<std::int32_t>(first + i), count - i, bits + i / 64,
                               factorCounts + i, out + i);
    }
}

bool HaveHalfWide() {
    static const bool have = __builtin_cpu_supports("avx2");
    return have;
}

#else

// Elsewhere only the portable version.
bool HaveWide() {
    return false;
}
bool HaveHalfWide() {
    return false;
}
void ColoursWide(std::int32_t, std::int64_t, const std::uint64_t*, const std::uint8_t*,
                 std::uint8_t*) {}
void ColoursHalfWide(std::int32_t, std::int64_t, const std::uint64_t*, const std::uint8_t*,
                     std::uint8_t*) {}

#endif

}  // namespace

void OstrandColoursPortable(std::int32_t first, std::int64_t count, const std::uint64_t* bits,
                            const std::uint8_t* factorCounts, std::uint8_t* out) {
    int remainder = first % 12;
    for (std::int64_t i = 0; i < count; ++i) {
        const bool prime = (bits[i >> 6] >> (i & 63)) & 1u;
        out[i] = prime ? kByRemainder[static_cast<std::size_t>(remainder)]
                       : kByFactorCount[factorCounts[i] & 15u];
        remainder = remainder == 11 ? 0 : remainder + 1;
    }
}

namespace {

using ColourStretch = void (*)(std::int32_t, std::int64_t, const std::uint64_t*,
                               const std::uint8_t*, std::uint8_t*);

// `colours` over the stretch when the processor has what it needs.
bool ColoursIfHave(bool have, ColourStretch colours, std::int32_t first, std::int64_t count,
                   const std::uint64_t* bits, const std::uint8_t* factorCounts, std::uint8_t* out) {
    if (!have) return false;
    colours(first, count, bits, factorCounts, out);
    return true;
}

}  // namespace

bool OstrandColoursWide(std::int32_t first, std::int64_t count, const std::uint64_t* bits,
                        const std::uint8_t* factorCounts, std::uint8_t* out) {
    return ColoursIfHave(HaveWide(), ColoursWide, first, count, bits, factorCounts, out);
}

bool OstrandColoursHalfWide(std::int32_t first, std::int64_t count, const std::uint64_t* bits,
                            const std::uint8_t* factorCounts, std::uint8_t* out) {
    return ColoursIfHave(HaveHalfWide(), ColoursHalfWide, first, count, bits, factorCounts, out);
}

void OstrandColours(std::int32_t first, std::int64_t count, const std::uint64_t* bits,
                    const std::uint8_t* factorCounts, std::uint8_t* out) {
    if (!OstrandColoursWide(first, count, bits, factorCounts, out) &&
        !OstrandColoursHalfWide(first, count, bits, factorCounts, out)) {
        OstrandColoursPortable(first, count, bits, factorCounts, out);
    }
}

}  // namespace quorvel
