// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/indexed_surface.h"

#include <sys/mman.h>

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/work_share.h"

namespace quorvel {
namespace {

// The grey level that stands for a colour: its palette index, black for any other colour.
QColor GreyOf(Rgb rgb) {
    const int index = std::max(PaletteIndexOf(rgb), 0);
    return QColor(index, index, index);
}

std::uint8_t IndexOf(Rgb rgb) {
    return static_cast<std::uint8_t>(std::max(PaletteIndexOf(rgb), 0));
}

std::uint32_t BitOf(Rgb rgb) {
    return 1u << IndexOf(rgb);
}

// Bytes from one row to the next: whole cache lines, and an odd number of them. Rows a power
// of two apart (8192 pixels) would all fall into the same few cache sets, and the pass, which
// reads up and down columns, would keep evicting what it just read.
int StrideFor(int width) {
    const int lines = (width + 63) / 64;
    return 64 * (lines | 1);
}

constexpr int kTileSide = 64;
constexpr std::size_t kTileBytes = kTileSide * kTileSide;
constexpr int kBlockSide = 8;  // blocks of 8 x 8 pixels inside a tile
constexpr std::size_t kBlockBytes = kBlockSide * kBlockSide;

int TilesFor(int pixels) {
    return (pixels + kTileSide - 1) / kTileSide;
}

// Tiles from one row of tiles to the next: an odd number, for the reason rows have an odd
// number of lines (StrideFor). A picture 8192 pixels a side has 128 tiles a row, which would
// put the blocks of a column into a sixteenth of the cache sets the odd 129 spread them over.
int TileStrideFor(int width) {
    return TilesFor(width) | 1;
}

// 96 dots per inch, as on ImageSurface, so that point sizes come out the same.
constexpr int kDotsPerMetre = 3780;

void PreparePainter(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
}

}  // namespace

void UnmapPixels::operator()(std::uint8_t* p) const {
    munmap(p, bytes);
}

IndexedSurface::IndexedSurface(int width, int height, Layout layout)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      stride_(layout == Layout::Rows ? StrideFor(width_) : 0),
      tilesAcross_(layout == Layout::Tiles ? TileStrideFor(width_) : 0) {
    const std::size_t bytes = Bytes();
    // Fresh pages from the system are zero, which is black, and cost nothing until used.
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) return;
    pixels_ = std::unique_ptr<std::uint8_t, UnmapPixels>(static_cast<std::uint8_t*>(memory),
                                                         UnmapPixels{bytes});
    if (layout == Layout::Rows) {
        grey_ = QImage(pixels_.get(), width_, height_, stride_, QImage::Format_Grayscale8);
        grey_.setDotsPerMeterX(kDotsPerMetre);
        grey_.setDotsPerMeterY(kDotsPerMetre);
    }
    font_.setStyleHint(QFont::SansSerif);
    font_.setFamily(QStringLiteral("sans-serif"));
    font_.setStyleStrategy(QFont::NoAntialias);
}

IndexedSurface::~IndexedSurface() {
    EndPainting();
}

std::size_t IndexedSurface::Bytes() const {
    if (tilesAcross_ > 0)
        return std::size_t(tilesAcross_) * std::size_t(TilesFor(height_)) * kTileBytes;
    return std::size_t(stride_) * std::size_t(height_);
}

void IndexedSurface::Clear(Rgb background) {
    EndPainting();
    const std::uint8_t index = IndexOf(background);
    background_ = PaletteRgb(index);  // what the pixels now hold
    drawn_ = 1u << index;
    if (IsNull()) return;
    if (untouched_ && index == 0) {
#ifdef MADV_POPULATE_WRITE
        // A picture begins: a spiral writes to nearly every page, so they are all asked for
        // at once. Measured on the whole range, that takes a third less time than a fault per
        // page as the pass first touches it (large pages, tried too, cost the system more than
        // they saved). They are asked for 8 MiB at a time, on two cores: one call for all
        // 2 GiB took two to ten times as long, and a picture 8192 pixels a side (64 MiB) is
        // shared out too. Older systems fault page by page.
        constexpr std::size_t kChunk = std::size_t{8} << 20;
        const std::size_t bytes = Bytes();
        WorkShare::Run(static_cast<int>((bytes + kChunk - 1) / kChunk), [&](int i) {
            const std::size_t from = static_cast<std::size_t>(i) * kChunk;
            madvise(pixels_.get() + from, std::min(kChunk, bytes - from), MADV_POPULATE_WRITE);
        });
#endif
        return;
    }
    std::memset(pixels_.get(), index, Bytes());
    untouched_ = index == 0;
}

RasterView IndexedSurface::Raster() {
    if (IsNull()) return RasterView{};
    untouched_ = false;
    RasterView view;
    view.indices = pixels_.get();
    view.stride = stride_;
    view.tilesAcross = tilesAcross_;
    view.width = width_;
    view.height = height_;
    view.drawn = &drawn_;
    return view;
}

const std::uint8_t* IndexedSurface::Row(int y, std::uint8_t* scratch) const {
    if (tilesAcross_ == 0) return pixels_.get() + static_cast<std::ptrdiff_t>(y) * stride_;
    // Eight pixels at a time, from the row's blocks (see RasterView::tilesAcross).
    const std::uint8_t* block =
        pixels_.get() + std::size_t(y / kTileSide) * std::size_t(tilesAcross_) * kTileBytes +
        std::size_t((y & 56) << 6) + std::size_t((y & 7) << 3);
    int x = 0;
    for (; x + kBlockSide <= width_; x += kBlockSide) {
        std::memcpy(scratch + x, block, kBlockSide);
        // The next block in the tile, or the first of the next tile.
        block += (x & 63) == 64 - kBlockSide ? kTileBytes - 7 * kBlockBytes : kBlockBytes;
    }
    if (x < width_) std::memcpy(scratch + x, block, std::size_t(width_ - x));
    return scratch;
}

void IndexedSurface::CopyRows(int y, int count, std::uint8_t* out) const {
    const auto width = static_cast<std::size_t>(width_);
    if (tilesAcross_ == 0) {
        for (int i = 0; i < count; ++i)
            std::memcpy(out + std::size_t(i) * width, Row(y + i, nullptr), width);
        return;
    }
    // Each block of 8 x 8 pixels holds eight pixels of each of the rows: one cache line read
    // once for all of them.
    const std::uint8_t* block =
        pixels_.get() + std::size_t(y / kTileSide) * std::size_t(tilesAcross_) * kTileBytes +
        std::size_t((y & 56) << 6);
    // Tiles are pages of their own, which no prefetcher crosses into: the lines a few tiles
    // on are asked for ahead.
    constexpr std::size_t kAhead = 4 * kTileBytes;
    const std::uint8_t* const end = pixels_.get() + Bytes();
    for (std::size_t x = 0; x < width; x += kBlockSide) {
        const std::size_t n = std::min<std::size_t>(kBlockSide, width - x);
        if (static_cast<std::size_t>(end - block) > kAhead) __builtin_prefetch(block + kAhead);
        for (int i = 0; i < count; ++i)
            std::memcpy(out + std::size_t(i) * width + x, block + i * kBlockSide, n);
        block += (x & 63) == 64 - kBlockSide ? kTileBytes - 7 * kBlockBytes : kBlockBytes;
    }
}

QPainter& IndexedSurface::Painter() {
    if (!painter_) {
        untouched_ = false;
        painter_ = std::make_unique<QPainter>(&grey_);
        PreparePainter(*painter_);
        pen_ = kNoColor;
        brush_ = kNoColor;
    }
    return *painter_;
}

void IndexedSurface::EndPainting() {
    painter_.reset();
}

void IndexedSurface::UsePen(Rgb color) {
    QPainter& p = Painter();
    if (pen_ == color) return;
    p.setPen(QPen(GreyOf(color), 0));
    pen_ = color;
}

void IndexedSurface::UseBrush(Rgb color) {
    QPainter& p = Painter();
    if (brush_ == color) return;
    p.setBrush(GreyOf(color));
    brush_ = color;
}

void IndexedSurface::PaintPatch(QRect area, const std::function<void(QPainter&)>& paint) {
    area = area.intersected(QRect(0, 0, width_, height_));
    if (area.isEmpty()) return;
    untouched_ = false;
    QImage patch(area.size(), QImage::Format_Grayscale8);
    patch.setDotsPerMeterX(kDotsPerMetre);
    patch.setDotsPerMeterY(kDotsPerMetre);
    const RasterView view = Raster();
    for (int y = 0; y < area.height(); ++y) {
        uchar* line = patch.scanLine(y);
        for (int x = 0; x < area.width(); ++x)
            line[x] = view.indices[view.IndexOffset(area.left() + x, area.top() + y)];
    }
    {
        QPainter p(&patch);
        PreparePainter(p);
        // Shifted by whole pixels, every shape covers the same pixels as on the whole picture.
        p.translate(-area.left(), -area.top());
        paint(p);
    }
    for (int y = 0; y < area.height(); ++y) {
        const uchar* line = patch.constScanLine(y);
        for (int x = 0; x < area.width(); ++x)
            view.indices[view.IndexOffset(area.left() + x, area.top() + y)] = line[x];
    }
}

// The shapes are drawn exactly as ImageSurface draws them: on the picture, or on tiles through
// a patch a little larger than the shape.

void IndexedSurface::DrawLine(double x1, double y1, double x2, double y2, Rgb color) {
    if (IsNull()) return;
    drawn_ |= BitOf(color);
    const QLineF line(x1, y1, x2, y2);
    if (tilesAcross_ == 0) {
        UsePen(color);
        painter_->drawLine(line);
        return;
    }
    const QRectF bounds = QRectF(line.p1(), line.p2()).normalized();
    const QRect area(QPoint(static_cast<int>(std::max(std::floor(bounds.left()), -1e6)) - 2,
                            static_cast<int>(std::max(std::floor(bounds.top()), -1e6)) - 2),
                     QPoint(static_cast<int>(std::min(std::ceil(bounds.right()), 1e6)) + 2,
                            static_cast<int>(std::min(std::ceil(bounds.bottom()), 1e6)) + 2));
    PaintPatch(area, [&](QPainter& p) {
        p.setPen(QPen(GreyOf(color), 0));
        p.drawLine(line);
    });
}

void IndexedSurface::FillBox(int x1, int y1, int x2, int y2, Rgb color) {
    if (IsNull()) return;
    drawn_ |= BitOf(color);
    const QRect box = QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized();
    if (tilesAcross_ == 0) {
        Painter().fillRect(box, GreyOf(color));
        return;
    }
    PaintPatch(box, [&](QPainter& p) { p.fillRect(box, GreyOf(color)); });
}

void IndexedSurface::DrawBox(int x1, int y1, int x2, int y2, Rgb outline) {
    if (IsNull()) return;
    drawn_ |= BitOf(fill_) | BitOf(outline);
    const QRect box = QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized();
    const auto draw = [&](QPainter& p) {
        p.fillRect(box, GreyOf(fill_));
        // A one-pixel outline of drawRect covers width + 1 pixels.
        p.drawRect(box.adjusted(0, 0, -1, -1));
    };
    if (tilesAcross_ == 0) {
        Painter();
        UsePen(outline);
        UseBrush(fill_);
        draw(*painter_);
        return;
    }
    PaintPatch(box.adjusted(-1, -1, 1, 1), [&](QPainter& p) {
        p.setPen(QPen(GreyOf(outline), 0));
        p.setBrush(GreyOf(fill_));
        draw(p);
    });
}

void IndexedSurface::DrawCircle(int centreX, int centreY, int radius, Rgb outline) {
    if (IsNull()) return;
    drawn_ |= BitOf(fill_) | BitOf(outline);
    if (tilesAcross_ == 0) {
        UsePen(outline);
        UseBrush(fill_);
        painter_->drawEllipse(QPoint(centreX, centreY), radius, radius);
        return;
    }
    const QRect area(centreX - radius - 2, centreY - radius - 2, 2 * radius + 5, 2 * radius + 5);
    PaintPatch(area, [&](QPainter& p) {
        p.setPen(QPen(GreyOf(outline), 0));
        p.setBrush(GreyOf(fill_));
        p.drawEllipse(QPoint(centreX, centreY), radius, radius);
    });
}

void IndexedSurface::DrawText(int x, int y, std::string_view text, int points, Rgb color) {
    if (IsNull()) return;
    if (font_.pointSize() != points) font_.setPointSize(points);
    // Text is drawn unsmoothed, but should a font smooth it anyway, its edges take levels
    // between the colours: the picture may then hold any of them.
    drawn_ |= BitOf(color) | 0xFFFFu;
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const auto draw = [&](QPainter& p) {
        p.setFont(font_);
        p.drawText(QPoint(x, y + p.fontMetrics().ascent()), s);
    };
    if (tilesAcross_ == 0) {
        UsePen(color);
        draw(*painter_);
        return;
    }
    QImage device(1, 1, QImage::Format_Grayscale8);  // for the resolution the text is set at
    device.setDotsPerMeterX(kDotsPerMetre);
    device.setDotsPerMeterY(kDotsPerMetre);
    const QFontMetrics metrics(font_, &device);
    const int slack = metrics.maxWidth() + 4;
    PaintPatch(QRect(x - slack, y - slack, metrics.horizontalAdvance(s) + 2 * slack,
                     metrics.height() + 2 * slack),
               [&](QPainter& p) {
                   p.setPen(QPen(GreyOf(color), 0));
                   draw(p);
               });
}

void IndexedSurface::Refresh() {
    EndPainting();
}

}  // namespace quorvel
