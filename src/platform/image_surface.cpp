// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/image_surface.h"

#include <QString>
#include <algorithm>
#include <utility>

namespace quorvel {
namespace {

QColor ToQColor(Rgb rgb) {
    return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | rgb));
}

// 96 dots per inch, so that point sizes come out as on a standard screen.
constexpr int kDotsPerMetre = 3780;

}  // namespace

ImageSurface::ImageSurface(int width, int height)
    : image_(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32) {
    image_.setDotsPerMeterX(kDotsPerMetre);
    image_.setDotsPerMeterY(kDotsPerMetre);
    image_.fill(ToQColor(background_));
    font_.setStyleHint(QFont::SansSerif);
    font_.setFamily(QStringLiteral("sans-serif"));
    // Crisp text in exactly the asked colour, as on the classic 16-colour picture.
    font_.setStyleStrategy(QFont::NoAntialias);
}

ImageSurface::~ImageSurface() {
    EndPainting();
}

bool ImageSurface::ClearForOverwrite(Rgb background) {
    EndPainting();
    background_ = background;
    // A picture shared with a copy (one handed out for showing or saving) would first be copied
    // into memory of its own, only to be overwritten: fresh memory costs nothing to copy.
    if (!image_.isDetached()) {
        image_ = QImage(image_.width(), image_.height(), QImage::Format_RGB32);
        image_.setDotsPerMeterX(kDotsPerMetre);
        image_.setDotsPerMeterY(kDotsPerMetre);
    }
    return true;
}

void ImageSurface::Clear(Rgb background) {
    ClearForOverwrite(background);
    // A plain fill of the words: the image's own fill goes through its colour conversion and
    // takes about twice as long.
    auto* bits = reinterpret_cast<std::uint32_t*>(image_.bits());
    const auto words = static_cast<std::size_t>(image_.bytesPerLine() / 4) *
                       static_cast<std::size_t>(image_.height());
    std::fill_n(bits, words, 0xFF000000u | background);
}

RasterView ImageSurface::Raster() {
    // A painter writes into the memory it found when it began; if the picture was shared since
    // (a copy handed out for saving), bits() is about to give us a fresh copy, so the painter
    // has to start again there.
    if (!image_.isDetached()) EndPainting();
    auto* bits = reinterpret_cast<std::uint32_t*>(image_.bits());
    return RasterView{bits, static_cast<int>(image_.bytesPerLine() / 4), image_.width(),
                      image_.height()};
}

QPainter& ImageSurface::Painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, false);
        pen_ = kNoColor;
        brush_ = kNoColor;
    }
    return *painter_;
}

void ImageSurface::UsePen(Rgb color) {
    QPainter& p = Painter();
    if (pen_ == color) return;
    p.setPen(QPen(ToQColor(color), 0));
    pen_ = color;
}

void ImageSurface::UseBrush(Rgb color) {
    QPainter& p = Painter();
    if (brush_ == color) return;
    p.setBrush(ToQColor(color));
    brush_ = color;
}

void ImageSurface::EndPainting() {
    painter_.reset();
}

void ImageSurface::DrawLine(double x1, double y1, double x2, double y2, Rgb color) {
    UsePen(color);
    painter_->drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void ImageSurface::FillBox(int x1, int y1, int x2, int y2, Rgb color) {
    Painter().fillRect(QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized(), ToQColor(color));
}

void ImageSurface::DrawBox(int x1, int y1, int x2, int y2, Rgb outline) {
    const QRect box = QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized();
    Painter().fillRect(box, ToQColor(fill_));
    UsePen(outline);
    UseBrush(fill_);
    // A one-pixel outline of drawRect covers width + 1 pixels.
    painter_->drawRect(box.adjusted(0, 0, -1, -1));
}

void ImageSurface::DrawCircle(int centreX, int centreY, int radius, Rgb outline) {
    UsePen(outline);
    UseBrush(fill_);
    painter_->drawEllipse(QPoint(centreX, centreY), radius, radius);
}

void ImageSurface::DrawText(int x, int y, std::string_view text, int points, Rgb color) {
    QPainter& p = Painter();
    if (font_.pointSize() != points) font_.setPointSize(points);
    p.setFont(font_);
    UsePen(color);
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    p.drawText(QPoint(x, y + p.fontMetrics().ascent()), s);
}

void ImageSurface::Refresh() {
    EndPainting();
    if (onRefresh_) onRefresh_();
}

const QImage& ImageSurface::Image() {
    EndPainting();
    return image_;
}

void ImageSurface::SwapPicture(ImageSurface& other) {
    EndPainting();
    other.EndPainting();
    image_.swap(other.image_);
    std::swap(background_, other.background_);
}

}  // namespace quorvel
