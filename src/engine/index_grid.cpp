// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/index_grid.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "engine/palette.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QUORVEL_HAVE_SHUFFLES 1
#endif

namespace quorvel {
namespace {

constexpr std::array<std::uint32_t, 256> kOpaqueColours = [] {
    std::array<std::uint32_t, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[static_cast<std::size_t>(i)] = 0xFF000000u | PaletteRgb(i);
    return table;
}();

#ifdef QUORVEL_HAVE_SHUFFLES

// One byte of every palette colour: byte `shift / 8` of the 32-bit pixel, for pshufb.
__attribute__((target("ssse3"))) __m128i ColourBytes(int shift) {
    alignas(16) std::uint8_t bytes[16];
    for (int i = 0; i < 16; ++i)
        bytes[i] = static_cast<std::uint8_t>(kOpaqueColours[static_cast<std::size_t>(i)] >> shift);
    return _mm_load_si128(reinterpret_cast<const __m128i*>(bytes));
}

__attribute__((target("ssse3"))) void Shuffle(const std::uint8_t* in, std::uint32_t* out,
                                              std::size_t count) {
    const __m128i blue = ColourBytes(0);
    const __m128i green = ColourBytes(8);
    const __m128i red = ColourBytes(16);
    const __m128i alpha = _mm_set1_epi8(static_cast<char>(0xFF));
    const __m128i high = _mm_set1_epi8(static_cast<char>(0xF0));
    const __m128i top = _mm_set1_epi8(static_cast<char>(0x80));
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        // Indices of 16 and more have the top bit set, which shuffles in a zero: black.
        const __m128i inPalette = _mm_cmpeq_epi8(_mm_and_si128(v, high), _mm_setzero_si128());
        v = _mm_or_si128(v, _mm_andnot_si128(inPalette, top));
        const __m128i b = _mm_shuffle_epi8(blue, v);
        const __m128i g = _mm_shuffle_epi8(green, v);
        const __m128i r = _mm_shuffle_epi8(red, v);
        const __m128i bgLow = _mm_unpacklo_epi8(b, g);
        const __m128i bgHigh = _mm_unpackhi_epi8(b, g);
        const __m128i raLow = _mm_unpacklo_epi8(r, alpha);
        const __m128i raHigh = _mm_unpackhi_epi8(r, alpha);
        auto* o = reinterpret_cast<__m128i*>(out + i);
        _mm_storeu_si128(o, _mm_unpacklo_epi16(bgLow, raLow));
        _mm_storeu_si128(o + 1, _mm_unpackhi_epi16(bgLow, raLow));
        _mm_storeu_si128(o + 2, _mm_unpacklo_epi16(bgHigh, raHigh));
        _mm_storeu_si128(o + 3, _mm_unpackhi_epi16(bgHigh, raHigh));
    }
    ExpandIndicesPortable(in + i, out + i, count - i);
}

// Sixteen pixels at a time: the palette in one 512-bit register, each index picking its
// colour.
__attribute__((target("avx512f"))) void Permute(const std::uint8_t* in, std::uint32_t* out,
                                                std::size_t count) {
    const __m512i palette = _mm512_loadu_si512(kOpaqueColours.data());
    const __m512i black = _mm512_set1_epi32(static_cast<int>(kOpaqueColours[16]));
    const __m512i paletteSize = _mm512_set1_epi32(16);
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        // (The zero-masked form: the plain one trips a false warning of this compiler.)
        const __m512i v = _mm512_maskz_cvtepu8_epi32(
            0xFFFF, _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i)));
        const __mmask16 inPalette = _mm512_cmplt_epu32_mask(v, paletteSize);
        _mm512_storeu_si512(out + i, _mm512_mask_permutexvar_epi32(black, inPalette, v, palette));
    }
    ExpandIndicesPortable(in + i, out + i, count - i);
}

bool HaveShuffles() {
    static const bool have = __builtin_cpu_supports("ssse3");
    return have;
}

bool HavePermutes() {
    static const bool have = __builtin_cpu_supports("avx512f");
    return have;
}

#endif

}  // namespace

void IndexGrid::Reset(int width, int height) {
    const bool zero = zero_ && std::max(width, 0) == width_ && std::max(height, 0) == height_;
    zero_ = false;
    if (zero) return;
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    stride_ = width_ + 2 * kMargin;
    const auto bytes =
        static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_ + 2 * kMargin);
    if (bytes_.size() < bytes) {
        bytes_.assign(bytes, 0);
    } else {
        std::memset(bytes_.data(), 0, bytes);
    }
}

void IndexGrid::ClearRow(int y) {
    std::memset(At(0, y), 0, static_cast<std::size_t>(width_));
}

void IndexGrid::Release(std::size_t keep) {
    if (bytes_.capacity() <= keep) return;
    zero_ = false;
    std::vector<std::uint8_t>().swap(bytes_);
    width_ = height_ = 0;
    stride_ = 0;
}

void TiledIndices::Reset(int width, int height) {
    const bool zero = zero_ && std::max(width, 0) == width_ && std::max(height, 0) == height_;
    zero_ = false;
    if (zero) return;
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    tilesAcross_ = (width_ + kSide - 1) / kSide;
    const auto bytes = static_cast<std::size_t>(tilesAcross_) *
                       static_cast<std::size_t>((height_ + kSide - 1) / kSide) * kSide * kSide;
    if (bytes_.size() < bytes) {
        bytes_.assign(bytes, 0);
    } else {
        std::memset(bytes_.data(), 0, bytes);
    }
}

void TiledIndices::ClearRows(int first, int end) {
    if (end <= first) return;
    const auto from =
        static_cast<std::size_t>(first / kSide) * static_cast<std::size_t>(tilesAcross_);
    const auto to = static_cast<std::size_t>((end + kSide - 1) / kSide) *
                    static_cast<std::size_t>(tilesAcross_);
    if (to > from)
        std::memset(bytes_.data() + from * kSide * kSide, 0, (to - from) * kSide * kSide);
}

void TiledIndices::Release() {
    zero_ = false;
    std::vector<std::uint8_t>().swap(bytes_);
    width_ = height_ = tilesAcross_ = 0;
}

void TiledIndices::CopyRow(int y, std::uint8_t* out) const {
    const std::uint8_t* tile = bytes_.data() + Offset(0, y);
    int x = 0;
    for (; x + kSide <= width_; x += kSide, tile += kSide * kSide)
        std::memcpy(out + x, tile, kSide);
    if (x < width_) std::memcpy(out + x, tile, static_cast<std::size_t>(width_ - x));
}

void ExpandIndicesPortable(const std::uint8_t* indices, std::uint32_t* out, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        out[i] = kOpaqueColours[indices[i]];
}

#ifdef QUORVEL_HAVE_SHUFFLES

bool ExpandIndicesShuffled(const std::uint8_t* indices, std::uint32_t* out, std::size_t count) {
    if (!HaveShuffles()) return false;
    Shuffle(indices, out, count);
    return true;
}

bool ExpandIndicesPermuted(const std::uint8_t* indices, std::uint32_t* out, std::size_t count) {
    if (!HavePermutes()) return false;
    Permute(indices, out, count);
    return true;
}

#else

bool ExpandIndicesShuffled(const std::uint8_t*, std::uint32_t*, std::size_t) {
    return false;
}

bool ExpandIndicesPermuted(const std::uint8_t*, std::uint32_t*, std::size_t) {
    return false;
}

#endif

void ExpandIndices(const std::uint8_t* indices, std::uint32_t* out, std::size_t count) {
    if (!ExpandIndicesPermuted(indices, out, count) &&
        !ExpandIndicesShuffled(indices, out, count)) {
        ExpandIndicesPortable(indices, out, count);
    }
}

}  // namespace quorvel
