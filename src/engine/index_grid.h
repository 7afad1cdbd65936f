// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace quorvel {

// Palette indices (0 … 15), one byte a pixel or a cell, in rows, with a border of kMargin
// zeros on every side so that reading a neighbour up to two places away needs no bounds
// check. A quarter of the memory of a 32-bit picture: a pass reads its neighbours here, where
// they stay in the cache, and the picture's colours are written from it row by row.
class IndexGrid {
  public:
    static constexpr int kMargin = 2;

    // width x height zeros; the memory is kept for the next picture of the same size or less.
    void Reset(int width, int height);
    // Gives the memory back, unless it is no more than `keep` bytes.
    void Release(std::size_t keep = 0);
    // Row y back to zeros. Once every row is, MarkZero() spares the next Reset() to the same
    // size its work: a pass clears each row right after writing it out, while it is in the
    // cache.
    void ClearRow(int y);
    void MarkZero() { zero_ = true; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    std::ptrdiff_t Stride() const { return stride_; }
    bool Contains(int x, int y) const {
        return static_cast<unsigned>(x) < static_cast<unsigned>(width_) &&
               static_cast<unsigned>(y) < static_cast<unsigned>(height_);
    }
    // (x, y) may lie up to kMargin outside the grid.
    std::uint8_t* At(int x, int y) {
        return bytes_.data() + (static_cast<std::ptrdiff_t>(y) + kMargin) * stride_ + x + kMargin;
    }
    const std::uint8_t* At(int x, int y) const {
        return bytes_.data() + (static_cast<std::ptrdiff_t>(y) + kMargin) * stride_ + x + kMargin;
    }

  private:
    int width_ = 0;
    int height_ = 0;
    std::ptrdiff_t stride_ = 0;
    bool zero_ = false;  // every byte is zero
    std::vector<std::uint8_t> bytes_;
};

// Palette indices, one byte a pixel, in tiles of 8 x 8 bytes, each one cache line: a column of
// pixels written down a ring's side touches a line every eight pixels, as a row does, and the
// next ring's column lies in the same lines. Row after row of tiles, tile after tile in a row.
class TiledIndices {
  public:
    static constexpr int kSide = 8;

    // width x height zeros; the memory is kept for the next picture of the same size or less.
    void Reset(int width, int height);
    void Release();
    // Rows first … end - 1 back to zeros, both multiples of kSide (or end the height); once
    // every row is, MarkZero() spares the next Reset() to the same size its work.
    void ClearRows(int first, int end);
    void MarkZero() { zero_ = true; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const {
        return static_cast<unsigned>(x) < static_cast<unsigned>(width_) &&
               static_cast<unsigned>(y) < static_cast<unsigned>(height_);
    }
    // (x, y) inside the picture.
    std::uint8_t& At(int x, int y) { return bytes_[static_cast<std::size_t>(Offset(x, y))]; }
    std::uint8_t At(int x, int y) const { return bytes_[static_cast<std::size_t>(Offset(x, y))]; }
    // Sets the `count` pixels from (x, y) on in steps of (dx, dy), one of them 0 and the other
    // ±1, all inside the picture, to colour[values[0]], colour[values[1]], …
    void WriteLine(int x, int y, int dx, int dy, int count, const std::uint8_t* values,
                   const std::uint8_t* colour) {
        const std::ptrdiff_t step = dx + dy * kSide;
        ForEachStretch(x, y, dx, dy, count, [&](std::uint8_t* out, int j, int n) {
            for (int i = 0; i < n; ++i)
                out[i * step] = colour[values[j + i]];
        });
    }

    // The same with the values themselves as the colours: along a row, eight at a time.
    void CopyLine(int x, int y, int dx, int dy, int count, const std::uint8_t* values) {
        if (dy != 0) {
            // Down or up a column: tile by tile, eight rows at a time, a byte a row.
            const std::ptrdiff_t column = ((x >> 3) << 6) | (x & 7);
            const std::ptrdiff_t tileRow = static_cast<std::ptrdiff_t>(tilesAcross_) << 6;
            std::uint8_t* const bytes = bytes_.data();
            const std::ptrdiff_t step = dy * kSide;
            for (int i = 0, cy = y; i < count;) {
                const int n = std::min(dy > 0 ? kSide - (cy & 7) : (cy & 7) + 1, count - i);
                std::uint8_t* const out = bytes + (cy >> 3) * tileRow + ((cy & 7) << 3) + column;
                const std::uint8_t* const from = values + i;
                if (n == kSide) {
                    for (int k = 0; k < kSide; ++k)
                        out[k * step] = from[k];
                } else {
                    for (int k = 0; k < n; ++k)
                        out[k * step] = from[k];
                }
                i += n;
                cy += n * dy;
            }
            return;
        }
        ForEachStretch(x, y, dx, 0, count, [&](std::uint8_t* out, int j, int n) {
            if (n == kSide) {
                // A whole row of a tile: westwards, the values in reverse.
                std::uint64_t eight = 0;
                std::memcpy(&eight, values + j, sizeof eight);
                if (dx < 0) {
                    eight = __builtin_bswap64(eight);
                    out -= kSide - 1;
                }
                std::memcpy(out, &eight, sizeof eight);
            } else {
                for (int i = 0; i < n; ++i)
                    out[i * dx] = values[j + i];
            }
        });
    }

    // Row y, Width() bytes, gathered into `out`.
    void CopyRow(int y, std::uint8_t* out) const;

  private:
    // Calls stretch(out, j, n) for the line's pixels j … j + n - 1 that lie in one tile, in
    // order; `out` is the first of them.
    template <typename Stretch>
    void ForEachStretch(int x, int y, int dx, int dy, int count, Stretch&& stretch) {
        for (int j = 0; j < count;) {
            const int cx = x + j * dx;
            const int cy = y + j * dy;
            // The pixels left in this tile in the direction of the line.
            const int inTile = dx > 0   ? kSide - (cx & 7)
                               : dx < 0 ? (cx & 7) + 1
                               : dy > 0 ? kSide - (cy & 7)
                                        : (cy & 7) + 1;
            const int n = std::min(inTile, count - j);
            stretch(&At(cx, cy), j, n);
            j += n;
        }
    }

    std::ptrdiff_t Offset(int x, int y) const {
        return ((static_cast<std::ptrdiff_t>(y >> 3) * tilesAcross_ + (x >> 3)) << 6) |
               ((y & 7) << 3) | (x & 7);
    }

    int width_ = 0;
    int height_ = 0;
    int tilesAcross_ = 0;
    bool zero_ = false;  // every byte is zero
    std::vector<std::uint8_t> bytes_;
};

// Writes `count` pixels of 32-bit colour (0xFFRRGGBB) for palette indices; an index outside
// the palette is black, as PaletteRgb() has it. Uses the processor's widest permutes or byte
// shuffles where it has them.
void ExpandIndices(const std::uint8_t* indices, std::uint32_t* out, std::size_t count);

// The same one pixel at a time, on any processor.
void ExpandIndicesPortable(const std::uint8_t* indices, std::uint32_t* out, std::size_t count);

// The shuffling version, when this processor has it: false (and nothing written) otherwise.
bool ExpandIndicesShuffled(const std::uint8_t* indices, std::uint32_t* out, std::size_t count);

// The same with 512-bit permutes, sixteen pixels at a time, when this processor has them.
bool ExpandIndicesPermuted(const std::uint8_t* indices, std::uint32_t* out, std::size_t count);

}  // namespace quorvel
