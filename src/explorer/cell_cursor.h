// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <optional>

#include "engine/spiral_pass.h"

namespace quorvel {

// Cells are (x, y): x columns east, y rows south of the central cell.

// The pixel that stands for a cell: its middle pixel, or where the picture's edge cuts the cell,
// the pixel of the cell nearest to its middle that the picture still shows; as the point in the
// middle of that pixel.
QPointF CellPixel(const PassGeometry& g, QSize pictureSize, QPoint cell);
// Whether the keyboard's cell cursor may stand on `cell`: the mapping from pixels to cells of
// the click and the readout (PositionAtPixel) names the cell at its pixel, so the picture shows
// it and it holds a number.
bool CursorMayStand(const PassGeometry& g, QSize pictureSize, QPoint cell);
// `count` steps of `step` from `from`, or as many as keep the cursor on the picture.
QPoint StepCursor(const PassGeometry& g, QSize pictureSize, QPoint from, QPoint step, int count);

// The keyboard's cell cursor: while the picture has the keyboard focus, an outline around one
// cell, which the arrow keys move (Ctrl: ten cells, Home: back to the centre), Enter names as a
// click does and a click puts where it clicked. Drawn over the picture, never into it: a
// see-through child of the picture, crisp in the screen's own pixels at every scale. It
// starts on the central cell and keeps its cell when the picture is drawn again, as long as
// the new picture has that cell; otherwise it goes back to the centre. The picture takes the
// keyboard focus (Tab, a click) once it shows a picture.
class CellCursor : public QWidget {
    Q_OBJECT

  public:
    CellCursor(QWidget* picture, QSize pictureSize);

    // The picture on screen now has this geometry (box size 0: no picture).
    void SetPicture(const PassGeometry& geometry);
    // While a picture is drawn or the spiral moves, the cursor is away and keys do nothing.
    void SetBusy(bool busy);
    // Picture pixels per pixel on screen (the picture may be shown smaller).
    void SetDisplayRatio(double ratio);
    // Puts the cursor on `cell` and gives the picture the keyboard; false, and nothing moves,
    // where the cursor may not stand.
    bool MoveTo(QPoint cell);

    QPoint Cell() const { return cell_; }
    // The pixel that stands for the cursor's cell (CellPixel).
    QPointF Pixel() const;
    // Whether the cursor is on screen: the picture has the window's keyboard focus and is still.
    bool Shown() const;
    // The cursor's cell on screen, in the screen's own pixels from the picture's top left; the
    // outline lies around it.
    QRect CellOnScreen() const;

  signals:
    // The cursor is on screen on a cell of the picture (anew, or again): the readout and the
    // inspector follow it to that pixel.
    void Moved(QPointF picturePixel);
    // The cursor went off the screen.
    void Hidden();
    // Enter on the cursor: the picture's left click at that pixel.
    void Activated(QPointF picturePixel);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    bool Key(int key, Qt::KeyboardModifiers modifiers);
    void Refresh();
    // The outline on screen, in the widget's own (logical) pixels, rounded outwards.
    QRect OutlineArea() const;

    QWidget* picture_;
    QSize pictureSize_;
    PassGeometry geometry_;
    double ratio_ = 1.0;
    QPoint cell_;
    bool busy_ = false;
    bool shown_ = false;
    QRect drawn_;  // where the outline was last drawn
};

}  // namespace quorvel
