// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPainterPath>
#include <QRegion>
#include <QWidget>
#include <optional>

#include "engine/run_places.h"

namespace quorvel {

// Lines drawn over the picture, never into it: the rays through the inspected cell and the
// longest runs of the last picture. A see-through child of the picture that lets every click
// through, so that clicks, colours, runs and saving see exactly the picture as drawn. It hides
// itself while it has nothing to show, which keeps the picture's repaints as cheap as ever.
class PictureOverlay : public QWidget {
    Q_OBJECT

  public:
    explicit PictureOverlay(QWidget* picture);

    // Picture pixels per pixel on screen (the picture may be shown smaller).
    void SetDisplayRatio(double ratio);
    // Where the cells of the picture on screen lie, in picture pixels.
    void SetCells(int boxSize, int centreX, int centreY);
    // The inspected cell (offsets from the centre) with its rays as steps (±1, ±1), or none.
    void SetRays(std::optional<QPoint> cell, const QList<QPoint>& directions);
    // The longest runs of the picture on screen (length 0: none).
    void SetRuns(const RunPlace& nwse, const RunPlace& swne);
    void SetShowRuns(bool show);
    // While a picture is drawn or the spiral moves, nothing is shown over it.
    void SetSuspended(bool suspended);

    bool ShowsRays() const { return isVisible() && cell_.has_value(); }
    bool ShowsRuns() const { return isVisible() && showRuns_ && (nwse_.length + swne_.length) > 0; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Refresh();
    QPointF Centre(double a, double c) const;
    // Where the rays are drawn, on screen: thin bands along the lines, so that moving them
    // repaints a sliver of the picture rather than all of it.
    QRegion RaysRegion() const;
    QList<QLine> RayLines() const;
    QRect CellSquare() const;
    void OutlineRuns();

    QWidget* picture_;
    double ratio_ = 1.0;
    int boxSize_ = 0;
    int centreX_ = 0;
    int centreY_ = 0;
    std::optional<QPoint> cell_;
    QList<QPoint> directions_;
    RunPlace nwse_;
    RunPlace swne_;
    bool showRuns_ = true;
    bool suspended_ = false;
    bool wholeRepaint_ = true;  // the next repaint is of everything
    QRegion raysRegion_;        // where the rays are drawn now
    QList<std::pair<QPainterPath, QColor>> runOutlines_;
};

}  // namespace quorvel
