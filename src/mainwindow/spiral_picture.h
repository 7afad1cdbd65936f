// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>

namespace quorvel {

class ImageSurface;

// The drawing surface on screen: paints the surface's picture 1:1, no border, no scaling. A
// refresh of the surface only schedules a repaint; the picture is never copied for showing.
// Where the window must save room on a scaled screen, it shows one screen pixel per picture
// pixel instead (SetDisplayRatio): smaller, still crisp.
class SpiralPicture : public QWidget {
    Q_OBJECT

  public:
    SpiralPicture(ImageSurface& surface, int side, QWidget* parent = nullptr);

    // Schedules a repaint of the whole picture, once however often it is asked before it
    // happens.
    void Refresh();

    // `ratio` picture pixels per logical pixel: 1, or the screen's pixel ratio.
    void SetDisplayRatio(double ratio);
    double DisplayRatio() const { return ratio_; }
    // A position on the widget in the picture's own pixels.
    QPointF ToPicture(QPointF position) const { return position * ratio_; }

    // Called with the button and the position in picture pixels when a mouse button is
    // released over the picture.
    void SetReleaseHandler(std::function<void(Qt::MouseButton, QPointF)> handler) {
        onRelease_ = std::move(handler);
    }

    // Called with the position in picture pixels whenever the pointer moves over the picture,
    // and when it leaves.
    void SetHoverHandlers(std::function<void(QPointF)> moved, std::function<void()> left) {
        onHover_ = std::move(moved);
        onLeave_ = std::move(left);
        setMouseTracking(static_cast<bool>(onHover_));
    }

    // Calls `then` once, right after the picture has next been painted on screen.
    void CallAfterPaint(std::function<void()> then) { afterPaint_ = std::move(then); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    ImageSurface& surface_;
    int side_;
    double ratio_ = 1.0;
    bool repaintPending_ = false;
    std::function<void(Qt::MouseButton, QPointF)> onRelease_;
    std::function<void()> afterPaint_;
    std::function<void(QPointF)> onHover_;
    std::function<void()> onLeave_;
};

}  // namespace quorvel
