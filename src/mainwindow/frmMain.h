#pragma once

#include <QLabel>
#include <QMainWindow>

#include "engine/spiral_pass.h"
#include "platform/image_surface.h"

namespace quorvel {

// The main window. For now it shows the default spiral on its drawing surface.
class frmMain : public QMainWindow {
    Q_OBJECT

  public:
    // Side of the square drawing surface in pixels.
    static constexpr int kSpiralSide = 527;

    explicit frmMain(QWidget* parent = nullptr);

    void DrawSpiral();

  private:
    SpiralEngine engine_;
    ImageSurface surface_{kSpiralSide, kSpiralSide};
    QLabel* picSpiral_ = nullptr;
};

}  // namespace quorvel
