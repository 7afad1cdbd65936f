// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <functional>
#include <memory>

#include "engine/surface.h"

namespace quorvel {

// The drawing surface on a QImage (Format_RGB32). Single pixels are read and written straight
// in the image's memory; lines, boxes, circles and text go through one QPainter that stays
// open between shapes, since opening a painter per mark would cost more than the mark.
class ImageSurface final : public Surface {
  public:
    ImageSurface(int width, int height);
    ~ImageSurface() override;
    ImageSurface(const ImageSurface&) = delete;
    ImageSurface& operator=(const ImageSurface&) = delete;

    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
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
    bool ClearForOverwrite(Rgb background) override;
    void Refresh() override;

    // The finished picture, for showing and saving.
    const QImage& Image();

    // Trades pictures (and backgrounds) with `other`, of any size; each keeps its own refresh
    // handler.
    void SwapPicture(ImageSurface& other);

    // Called by Refresh(): a window repaints its view of the picture here.
    void SetRefreshHandler(std::function<void()> handler) { onRefresh_ = std::move(handler); }

  private:
    QPainter& Painter();
    void EndPainting();
    // Pen and brush change only when their colour does: building them costs more than a
    // small circle.
    void UsePen(Rgb color);
    void UseBrush(Rgb color);

    QImage image_;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    Rgb background_ = kBlack;
    Rgb fill_ = kBlack;
    Rgb pen_ = kNoColor;  // kNoColor: not set on this painter yet
    Rgb brush_ = kNoColor;
    std::function<void()> onRefresh_;
};

}  // namespace quorvel
