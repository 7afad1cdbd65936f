// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointF>
#include <QSize>
#include <functional>
#include <optional>

#include "engine/spiral_layout.h"
#include "engine/spiral_pass.h"

class QAction;
class QLabel;
class QTimer;
class QMainWindow;
class QMenu;

namespace quorvel {

class CellCursor;
class InspectorPanel;
class PictureOverlay;

// The spiral position (1 for the central cell) of the cell whose drawn mark holds the pixel
// under a point of a picture of `pictureSize` drawn with geometry `g`; nothing off the picture
// and in the black margin around its block of numbers. The one mapping from pixels to cells
// for the click, the readout and the inspector alike.
std::optional<std::int64_t> PositionAtPixel(const PassGeometry& g, QSize pictureSize,
                                            QPointF picturePixel);

// The explorer: what the cell under the pointer is (the status bar's readout), the rays through
// it (the inspector panel, F3 in the View menu) and lines over the picture for those rays and
// the longest runs. It reads the picture's geometry and numbers from the window and never
// draws into the picture itself.
class Explorer : public QObject {
    Q_OBJECT

  public:
    // `picture` is the widget the picture is shown in, `pictureSize` the picture's own size;
    // `raster` gives the picture as drawn (it is read for the longest runs only).
    Explorer(QMainWindow* window, QWidget* picture, QSize pictureSize, QMenu* viewMenu,
             std::function<RasterView()> raster);

    // The picture on screen is now the one this pass drew (or began, if it was stopped).
    void ShowPicture(const PassResult& result);
    // While a pass draws or the spiral moves the readout is blank and nothing lies over the
    // picture.
    void SetBusy(bool busy);
    void SetDisplayRatio(double ratio);
    void SetLanguage(int language);

    // The readout's width: it keeps one size, so that new text never lays the window out again.
    void SetReadoutWidth(int width);

    // The pointer over the picture, in picture pixels; and when it has left it (the keyboard's
    // cell cursor, if on screen, then stands in for it).
    void PointerAt(QPointF picturePixel);
    void PointerLeft();

    // The pointer over the cell at `position` of the spiral of `start` in another view of the
    // spiral (the large view): the inspector, when open, follows it as it follows this
    // picture's pointer.
    void InspectElsewhere(qint64 position, qint64 start);
    // That other view changed while its pointer was away: a cell of it on show is gone.
    void ElsewhereChanged();

    // The number in the cell under a picture pixel, if the picture on screen has one there.
    std::optional<std::int64_t> NumberAt(QPointF picturePixel) const;

    InspectorPanel* Inspector() const { return inspector_; }
    // View › Inspector (F3), for the other windows to offer too.
    QAction* InspectorAction() const { return actInspector; }
    // How long the pointer rests on a cell before the inspector measures its rays: a sweep
    // across the picture starts no measurement for every cell it crosses.
    static constexpr int kRestMs = 60;
    PictureOverlay* Overlay() const { return overlay_; }
    // The keyboard's cell cursor over the picture: the readout and the inspector follow it as
    // they follow the pointer.
    CellCursor* Cursor() const { return cursor_; }

  signals:
    // The inspector was shown or hidden: the window may need another size.
    void InspectorToggled(bool shown);

  private:
    std::optional<std::int64_t> PositionAt(QPointF picturePixel) const;
    void Update();
    void UpdateRuns();
    void ScheduleRuns();

    QSize pictureSize_;
    std::function<RasterView()> raster_;
    QLabel* readout_ = nullptr;
    QAction* actInspector = nullptr;
    InspectorPanel* inspector_ = nullptr;
    PictureOverlay* overlay_ = nullptr;
    CellCursor* cursor_ = nullptr;
    PassResult shown_;
    bool hasPicture_ = false;
    bool busy_ = false;
    bool runsStale_ = false;  // the overlay's runs are not yet those of the picture on screen
    bool updateQueued_ = false;
    bool runsQueued_ = false;
    std::optional<QPointF> pointer_;
    // Where the inspector's cell came from: this picture or another view (the large view).
    enum class Source { Nothing, Picture, Elsewhere };
    std::optional<CellRays> pendingRays_;  // for the inspector, once the pointer rests
    Source pendingFrom_ = Source::Nothing;
    Source inspected_ = Source::Nothing;  // of the cell on show
    // The picture or the language changed since the inspector last looked: it looks again at
    // once.
    bool redrawn_ = false;
    QTimer* rest_ = nullptr;
    int language_ = 0;
};

}  // namespace quorvel
