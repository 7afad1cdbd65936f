// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "engine/spiral_layout.h"
#include "largeview/tile_renderer.h"

namespace quorvel {

// The large view's picture: the spiral of any start number up to 10^18 at cell sizes 1 … 64,
// drawn in tiles on worker threads at the screen's own pixels. Cell (x, y) covers the c × c
// square whose top-left pixel is (⌊W/2⌋ + (x − centreX)·c − ⌊c/2⌋, ⌊H/2⌋ + (y − centreY)·c −
// ⌊c/2⌋) for a widget of W × H. Drag, arrow keys (Shift: a screen), wheel and +/− (about the
// pointer) and Home move it.
class LargePicture : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qulonglong startNumber READ StartNumber WRITE SetStartNumber NOTIFY viewChanged)
    Q_PROPERTY(qlonglong centreX READ CentreX WRITE SetCentreX NOTIFY viewChanged)
    Q_PROPERTY(qlonglong centreY READ CentreY WRITE SetCentreY NOTIFY viewChanged)
    Q_PROPERTY(int cellSize READ CellSize WRITE SetCellSize NOTIFY viewChanged)
    // The kind of number marked and the colours, numbered as the main window's lists.
    Q_PROPERTY(int showMode READ ShowModeIndex WRITE SetShowMode NOTIFY viewChanged)
    Q_PROPERTY(int colorScheme READ ColorSchemeIndex WRITE SetColorScheme NOTIFY viewChanged)
    Q_PROPERTY(bool rendering READ Rendering NOTIFY renderingChanged)
    // The leading digits every number in view shares where the cells write only their last
    // digits; empty otherwise.
    Q_PROPERTY(QString sharedDigits READ SharedDigits NOTIFY numeralsChanged)

  public:
    static constexpr int kMinCellSize = 1;
    static constexpr int kMaxCellSize = 64;
    // The centre stays within this many cells of the middle: far enough to see where numbers
    // pass 2^63 - 1 (about 1.52·10^9 cells out), near enough that no pixel sum overflows.
    static constexpr std::int64_t kMaxCentre = 4'000'000'000;

    explicit LargePicture(QWidget* parent = nullptr);
    ~LargePicture() override;

    std::uint64_t StartNumber() const { return start_; }
    std::int64_t CentreX() const { return centreX_; }
    std::int64_t CentreY() const { return centreY_; }
    int CellSize() const { return cell_; }
    ShowMode Show() const { return show_; }
    ColorScheme Scheme() const { return scheme_; }
    int ShowModeIndex() const { return static_cast<int>(show_); }
    int ColorSchemeIndex() const { return static_cast<int>(scheme_); }
    bool Rendering() const { return rendering_; }
    QString SharedDigits() const { return scene_.numerals.sharedLead; }
    const NumeralPlan& Numerals() const { return scene_.numerals; }

    void SetStartNumber(qulonglong start);
    void SetCentreX(qlonglong x);
    void SetCentreY(qlonglong y);
    void SetCellSize(int size);
    // A position of the list the program does not know is left alone.
    void SetShowMode(int show);
    void SetColorScheme(int scheme);
    // The whole frame as the renderers see it, in `show` and `scheme`.
    PictureRequest FrameRequest(ShowMode show, ColorScheme scheme) const;
    // The cell at the middle, in one step.
    void SetCentre(std::int64_t x, std::int64_t y);
    // A cell size about a widget point: the cell under it stays there.
    void ZoomAbout(int size, QPointF at);

    // The cell under a widget point.
    std::pair<std::int64_t, std::int64_t> CellUnder(QPointF at) const;
    // The cell under the pointer, while it is over the picture: after the view moves under a
    // still pointer, the cell now there.
    std::optional<std::pair<std::int64_t, std::int64_t>> CellUnderPointer() const;
    // Where the cells lie on the widget, in logical pixels.
    CellGrid Grid() const;

    // Stops the tiles being drawn and ends the worker threads; a later change starts them again.
    void StopRendering();
    // Forgets every tile drawn, so that the next change draws the whole picture again.
    void ForgetTiles();
    int WorkerThreads() const { return renderer_->Threads(); }
    // Tiles kept, and the memory they and the old frame take, in bytes.
    int CachedTiles() const { return static_cast<int>(tiles_.size()); }
    std::int64_t HeldBytes() const;

    // The next cell size up and down from `size`.
    static int LargerCellSize(int size);
    static int SmallerCellSize(int size);

  signals:
    void viewChanged();
    void renderingChanged(bool rendering);
    void numeralsChanged();
    // The pointer is over cell (x, y), or has left the picture.
    void pointerOverCell(qlonglong x, qlonglong y);
    void pointerLeft();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // Device pixels: the picture's cell size and where the widget's top-left pixel lies in
    // the plane of tiles.
    struct Frame {
        int cellPixels = 1;
        std::int64_t originX = 0;
        std::int64_t originY = 0;
        int width = 0;
        int height = 0;
    };
    Frame CurrentFrame() const;
    void Changed();
    void Schedule();
    void TileArrived(const TileScene& scene, TileKey key, QImage image);
    void SetRendering(bool rendering);
    void Compose(QPainter& painter, const Frame& frame, QRect area) const;
    void KeepOldFrame();
    NumeralPlan PlanFrameNumerals(const Frame& f, int minPixels) const;
    std::vector<TileKey> VisibleTiles(const Frame& frame) const;
    // Whether a tile lies near enough to the frame to be kept for a pan back.
    static bool WorthKeeping(const Frame& frame, TileKey key);
    void LetGoOfFarTiles(const Frame& frame, std::size_t visible);

    std::uint64_t start_ = 1;
    std::int64_t centreX_ = 0;
    std::int64_t centreY_ = 0;
    int cell_ = 4;
    ShowMode show_ = ShowMode::Primes;
    ColorScheme scheme_ = ColorScheme::White;
    bool rendering_ = false;

    TileScene scene_;
    std::map<TileKey, QImage> tiles_;
    // While a new scene is drawn, the last frame of the old one, scaled to the new cells.
    struct OldFrame {
        QImage image;
        Frame frame;
    };
    std::optional<OldFrame> old_;
    Frame shownFrame_;           // the frame the tiles were last asked for
    std::set<TileKey> pending_;  // visible tiles not drawn yet

    std::optional<QPointF> pointer_;  // where the pointer is over the picture
    std::optional<QPointF> dragFrom_;
    std::int64_t dragCentreX_ = 0;
    std::int64_t dragCentreY_ = 0;
    int wheelSteps_ = 0;
    std::unique_ptr<TileRenderer> renderer_;
};

}  // namespace quorvel
