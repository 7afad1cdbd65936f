// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "engine/surface.h"

namespace quorvel {

// Gives a mapping of `bytes` back to the system.
struct UnmapPixels {
    std::size_t bytes = 0;
    void operator()(std::uint8_t* p) const;
};

// A drawing surface that keeps one byte a pixel: the palette index of its colour. A quarter of
// the memory of a 32-bit picture, which lets a picture of the whole number range, 46339 pixels
// a side, fit in an ordinary machine. Shapes are drawn by the same painter as on ImageSurface,
// on the bytes seen as grey levels 0 … 15, so they cover exactly the same pixels; colours
// outside the 16-colour palette are drawn black.
class IndexedSurface final : public Surface {
  public:
    enum class Layout {
        // Row after row: what the painter draws on directly.
        Rows,
        // In tiles of 64 x 64 pixels made of blocks of 8 x 8 (see RasterView::tilesAcross), for
        // pictures made of single pixels (box size 1): the neighbours above and below a pixel
        // then lie in the same memory page, mostly in the same cache line, where rows would put
        // each in a page of its own. Shapes are drawn on a copy of the pixels they cover, which
        // is slow but exact.
        Tiles,
    };

    // A black picture, or a null one (IsNull()) when there is no memory for it.
    IndexedSurface(int width, int height, Layout layout = Layout::Rows);
    ~IndexedSurface() override;
    IndexedSurface(const IndexedSurface&) = delete;
    IndexedSurface& operator=(const IndexedSurface&) = delete;

    bool IsNull() const { return pixels_ == nullptr; }
    bool Tiled() const { return tilesAcross_ > 0; }

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    Rgb Background() const override { return background_; }
    void Clear(Rgb background) override;
    RasterView Raster() override;
    void DrawLine(double x1, double y1, double x2, double y2, Rgb color) override;
    void FillBox(int x1, int y1, int x2, int y2, Rgb color) override;
    void SetFillColor(Rgb color) override { fill_ = color; }
    void DrawBox(int x1, int y1, int x2, int y2, Rgb outline) override;
    void DrawCircle(int centreX, int centreY, int radius, Rgb outline) override;
    void DrawText(int x, int y, std::string_view text, int points, Rgb color) override;
    bool SmallMarksMayBeStamped() const override { return true; }
    // Nothing to present; it ends the painter's work, so that the rows are up to date.
    void Refresh() override;

    // Bit c set for every palette colour c that may be in the picture: those drawn since it
    // was last cleared, and the background (after text, all sixteen).
    std::uint32_t ColoursDrawn() const { return drawn_; }

    // Row y, Width() palette indices: in the surface's memory, or gathered into `scratch` (room
    // for Width() bytes) from tiles. Valid until the surface is drawn on or destroyed. Several
    // threads may read rows at once.
    const std::uint8_t* Row(int y, std::uint8_t* scratch) const;
    // Rows y … y + count - 1 (count at most 8, y a multiple of 8 for tiles) one after another
    // into `out`, Width() bytes each: from tiles eight rows cost about what one row costs.
    void CopyRows(int y, int count, std::uint8_t* out) const;

  private:
    QPainter& Painter();
    void EndPainting();
    void UsePen(Rgb color);
    void UseBrush(Rgb color);
    // Tiles: paints on a row-ordered copy of the pixels in `area` (clipped to the picture).
    void PaintPatch(QRect area, const std::function<void(QPainter&)>& paint);
    std::size_t Bytes() const;

    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;       // rows: bytes from one row to the next
    int tilesAcross_ = 0;  // tiles: tiles from one row of tiles to the next; 0 for rows
    std::unique_ptr<std::uint8_t, UnmapPixels> pixels_;
    // Every byte is still 0, as the system hands out fresh memory: clearing to black is free.
    bool untouched_ = true;
    std::uint32_t drawn_ = 1;  // black
    QImage grey_;              // rows: the pixels as a greyscale picture, for the painter
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    Rgb background_ = kBlack;
    Rgb fill_ = kBlack;
    Rgb pen_ = kNoColor;
    Rgb brush_ = kNoColor;
};

}  // namespace quorvel
