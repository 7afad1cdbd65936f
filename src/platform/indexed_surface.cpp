#include "platform/indexed_surface.h"

#include <sys/mman.h>

#include <QString>
#include <algorithm>
#include <cstring>

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

// 96 dots per inch, as on ImageSurface, so that point sizes come out the same.
constexpr int kDotsPerMetre = 3780;

}  // namespace

void UnmapPixels::operator()(std::uint8_t* p) const {
    munmap(p, bytes);
}

IndexedSurface::IndexedSurface(int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)), stride_(StrideFor(width_)) {
    const std::size_t bytes = std::size_t(stride_) * std::size_t(height_);
    // Fresh pages from the system are zero, which is black, and cost nothing until used.
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) return;
    pixels_ = std::unique_ptr<std::uint8_t, UnmapPixels>(static_cast<std::uint8_t*>(memory),
                                                         UnmapPixels{bytes});
    grey_ = QImage(pixels_.get(), width_, height_, stride_, QImage::Format_Grayscale8);
    grey_.setDotsPerMeterX(kDotsPerMetre);
    grey_.setDotsPerMeterY(kDotsPerMetre);
    font_.setStyleHint(QFont::SansSerif);
    font_.setFamily(QStringLiteral("sans-serif"));
    font_.setStyleStrategy(QFont::NoAntialias);
}

IndexedSurface::~IndexedSurface() {
    EndPainting();
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
        // they saved). Older systems fault page by page.
        madvise(pixels_.get(), std::size_t(stride_) * std::size_t(height_), MADV_POPULATE_WRITE);
#endif
        return;
    }
    std::memset(pixels_.get(), index, std::size_t(stride_) * std::size_t(height_));
    untouched_ = index == 0;
}

RasterView IndexedSurface::Raster() {
    if (IsNull()) return RasterView{};
    untouched_ = false;
    RasterView view;
    view.indices = pixels_.get();
    view.stride = stride_;
    view.width = width_;
    view.height = height_;
    view.drawn = &drawn_;
    return view;
}

QPainter& IndexedSurface::Painter() {
    if (!painter_) {
        untouched_ = false;
        painter_ = std::make_unique<QPainter>(&grey_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, false);
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
    drawn_ |= BitOf(color);
    if (pen_ == color) return;
    p.setPen(QPen(GreyOf(color), 0));
    pen_ = color;
}

void IndexedSurface::UseBrush(Rgb color) {
    QPainter& p = Painter();
    drawn_ |= BitOf(color);
    if (brush_ == color) return;
    p.setBrush(GreyOf(color));
    brush_ = color;
}

// The shapes are drawn exactly as ImageSurface draws them.

void IndexedSurface::DrawLine(double x1, double y1, double x2, double y2, Rgb color) {
    if (IsNull()) return;
    UsePen(color);
    painter_->drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void IndexedSurface::FillBox(int x1, int y1, int x2, int y2, Rgb color) {
    if (IsNull()) return;
    drawn_ |= BitOf(color);
    Painter().fillRect(QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized(), GreyOf(color));
}

void IndexedSurface::DrawBox(int x1, int y1, int x2, int y2, Rgb outline) {
    if (IsNull()) return;
    const QRect box = QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized();
    drawn_ |= BitOf(fill_);
    Painter().fillRect(box, GreyOf(fill_));
    UsePen(outline);
    UseBrush(fill_);
    painter_->drawRect(box.adjusted(0, 0, -1, -1));
}

void IndexedSurface::DrawCircle(int centreX, int centreY, int radius, Rgb outline) {
    if (IsNull()) return;
    UsePen(outline);
    UseBrush(fill_);
    painter_->drawEllipse(QPoint(centreX, centreY), radius, radius);
}

void IndexedSurface::DrawText(int x, int y, std::string_view text, int points, Rgb color) {
    if (IsNull()) return;
    QPainter& p = Painter();
    if (font_.pointSize() != points) font_.setPointSize(points);
    p.setFont(font_);
    UsePen(color);
    // Text is drawn unsmoothed, but should a font smooth it anyway, its edges take levels
    // between the colours: the picture may then hold any of them.
    drawn_ |= 0xFFFFu;
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    p.drawText(QPoint(x, y + p.fontMetrics().ascent()), s);
}

void IndexedSurface::Refresh() {
    EndPainting();
}

}  // namespace quorvel
