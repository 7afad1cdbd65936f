// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/palette.h"

namespace quorvel {

// Direct access to a surface's pixels: 32-bit colours (0xFFRRGGBB, rows `stride` pixels apart),
// or, on a surface that keeps one byte a pixel, palette indices (`indices`, `bits` null), in
// rows `stride` bytes apart or in tiles (see tilesAcross). The drawing pass writes single pixels
// and reads colours back through it: at box size 1 these are hundreds of thousands of accesses per
// picture, so the index calls are the ones to use where a palette colour is meant. A view does not
// own the pixels and goes stale on the calls listed at Surface::Raster().
struct RasterView {
    std::uint32_t* bits = nullptr;
    int stride = 0;
    int width = 0;
    int height = 0;
    std::uint8_t* indices = nullptr;
    // With indices: bit c is set whenever colour c is written (c < 32), so that the surface
    // knows which colours its picture may hold.
    std::uint32_t* drawn = nullptr;
    // With indices: 0 for rows one after another; else the number of tiles from one row of
    // tiles to the next (enough for the width, perhaps one more), the picture being kept in
    // tiles of 64 x 64 pixels, 4 KiB each, so that a big picture's pixels above and below each
    // other lie in one memory page. Inside a tile, blocks of 8 x 8 pixels, one cache line each,
    // row after row, and inside a block rows of 8: a ring's side then touches a line every
    // eight pixels, up a column as along a row, and the next ring finds most of those lines
    // still in the cache.
    int tilesAcross = 0;

    bool Contains(int x, int y) const {
        return static_cast<unsigned>(x) < static_cast<unsigned>(width) &&
               static_cast<unsigned>(y) < static_cast<unsigned>(height);
    }
    std::ptrdiff_t Offset(int x, int y) const {
        return static_cast<std::ptrdiff_t>(y) * stride + x;
    }
    // Where (x, y) lies among the indices ...
    std::ptrdiff_t IndexOffset(int x, int y) const {
        if (tilesAcross == 0) return Offset(x, y);
        const std::ptrdiff_t tile = static_cast<std::ptrdiff_t>(y >> 6) * tilesAcross + (x >> 6);
        return (tile << 12) | ((y & 56) << 6) | ((x & 56) << 3) | ((y & 7) << 3) | (x & 7);
    }
    // ... as the sum of a part for the row and one for the column (their bits never overlap),
    // so that along a line one of them stays the same.
    std::ptrdiff_t RowPart(int y) const {
        if (tilesAcross == 0) return static_cast<std::ptrdiff_t>(y) * stride;
        return ((static_cast<std::ptrdiff_t>(y >> 6) * tilesAcross) << 12) | ((y & 56) << 6) |
               ((y & 7) << 3);
    }
    std::ptrdiff_t ColumnPart(int x) const {
        if (tilesAcross == 0) return x;
        return (static_cast<std::ptrdiff_t>(x >> 6) << 12) | ((x & 56) << 3) | (x & 7);
    }
    // Colour at (x, y); kNoColor outside the picture.
    Rgb Read(int x, int y) const {
        if (!Contains(x, y)) return kNoColor;
        return indices != nullptr ? PaletteRgb(indices[IndexOffset(x, y)])
                                  : bits[Offset(x, y)] & 0xFFFFFFu;
    }
    // Sets (x, y) to `color`; points outside the picture are left alone. An index surface
    // stores a colour outside the palette as black.
    void Write(int x, int y, Rgb color) const {
        if (!Contains(x, y)) return;
        if (indices != nullptr) {
            WriteIndex(x, y, std::max(PaletteIndexOf(color), 0));
        } else {
            bits[Offset(x, y)] = 0xFF000000u | color;
        }
    }
    // Palette index at (x, y): -1 outside the picture or for a colour outside the palette.
    int ReadIndex(int x, int y) const {
        if (!Contains(x, y)) return -1;
        if (indices != nullptr) {
            const int index = indices[IndexOffset(x, y)];
            return index < static_cast<int>(kPalette.size()) ? index : -1;
        }
        const Rgb color = bits[Offset(x, y)] & 0xFFFFFFu;
        // Most reads find the black background; no need to look it up.
        return color == kBlack ? 0 : PaletteIndexOf(color);
    }
    // Sets (x, y) to palette colour c (0 … 15).
    void WriteIndex(int x, int y, int c) const {
        if (!Contains(x, y)) return;
        if (indices != nullptr) {
            indices[IndexOffset(x, y)] = static_cast<std::uint8_t>(c);
            if (drawn != nullptr) *drawn |= 1u << (c & 31);
        } else {
            bits[Offset(x, y)] = 0xFF000000u | PaletteRgb(c);
        }
    }
};

// The raster the spiral is drawn on: origin top left, y downwards. Everything drawn stays in
// a backing picture that Refresh() presents. Shapes are clipped to the picture; coordinates
// may lie anywhere.
class Surface {
  public:
    virtual ~Surface() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual Rgb Background() const = 0;

    // Fills the whole picture with `background`, which becomes the background colour.
    virtual void Clear(Rgb background) = 0;

    // The pixel memory. A view is only as good as the memory it points at; fetch it again after
    // any of these, each of which may move the pixels or hand them to someone else:
    //  - Refresh(), which presents the picture (a window may copy or share it there);
    //  - Clear();
    //  - processing events, as observer hooks such as PassObserver::StopRequested() do: the
    //    window may repaint, resize or copy the picture meanwhile;
    //  - on ImageSurface, Image(): the QImage it returns shares the pixels with any copy taken
    //    of it, and the next drawing call, SetPixel() or Raster() detaches the surface's own
    //    picture into fresh memory, leaving older views on the copy;
    //  - destroying the surface.
    // Otherwise a view stays valid across the drawing calls below, SetPixel() and ReadPixel().
    virtual RasterView Raster() = 0;

    virtual void DrawLine(double x1, double y1, double x2, double y2, Rgb color) = 0;
    // Both corners belong to the box.
    virtual void FillBox(int x1, int y1, int x2, int y2, Rgb color) = 0;
    // Interior colour of DrawBox and DrawCircle.
    virtual void SetFillColor(Rgb color) = 0;
    virtual void DrawBox(int x1, int y1, int x2, int y2, Rgb outline) = 0;
    virtual void DrawCircle(int centreX, int centreY, int radius, Rgb outline) = 0;
    // Text whose top-left corner is (x, y), in the sans-serif user-interface font.
    virtual void DrawText(int x, int y, std::string_view text, int points, Rgb color) = 0;

    // Presents the backing picture.
    virtual void Refresh() = 0;

    // True when DrawCircle() with radius 1 covers exactly the five pixels of a plus and FillBox()
    // exactly the pixels between its corners, both in their one colour: the pass then writes
    // such small marks straight into the raster, which costs a fraction of a painter's call.
    virtual bool SmallMarksMayBeStamped() const { return false; }

    // For a pass that writes every pixel itself through a 32-bit raster before it shows the
    // picture: `background` becomes the background colour, and the pixels may hold anything
    // until written (filling them first would be wasted). False, with nothing done, on a surface
    // without a 32-bit raster, which is then cleared instead.
    virtual bool ClearForOverwrite(Rgb /*background*/) { return false; }

    void SetPixel(int x, int y, Rgb color) { Raster().Write(x, y, color); }
    Rgb ReadPixel(int x, int y) { return Raster().Read(x, y); }
};

}  // namespace quorvel
