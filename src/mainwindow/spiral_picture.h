#pragma once

#include <QWidget>
#include <functional>

namespace quorvel {

class ImageSurface;

// The drawing surface on screen: paints the surface's picture 1:1, no border, no scaling. A
// refresh of the surface only schedules a repaint; the picture is never copied for showing.
class SpiralPicture : public QWidget {
    Q_OBJECT

  public:
    SpiralPicture(ImageSurface& surface, int side, QWidget* parent = nullptr);

    // Schedules a repaint of the whole picture, once however often it is asked before it
    // happens.
    void Refresh();

    // Called with the button and the position in picture pixels when a mouse button is
    // released over the picture.
    void SetReleaseHandler(std::function<void(Qt::MouseButton, QPointF)> handler) {
        onRelease_ = std::move(handler);
    }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    ImageSurface& surface_;
    bool repaintPending_ = false;
    std::function<void(Qt::MouseButton, QPointF)> onRelease_;
};

}  // namespace quorvel
