// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/cell_cursor.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "engine/spiral_layout.h"
#include "explorer/explorer.h"

namespace quorvel {
namespace {

constexpr int kFarStep = 10;  // cells a step with Ctrl goes

CellGrid GridOf(const PassGeometry& g) {
    return CellGrid{g.boxSize, g.centreX, g.centreY, 0, 0};
}

// Fills the frame `thickness` pixels wide just inside `outer`.
void FillFrame(QPainter& painter, const QRect& outer, int thickness, const QColor& color) {
    const int t = thickness;
    painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), t), color);
    painter.fillRect(QRect(outer.left(), outer.bottom() - t + 1, outer.width(), t), color);
    painter.fillRect(QRect(outer.left(), outer.top() + t, t, outer.height() - 2 * t), color);
    painter.fillRect(QRect(outer.right() - t + 1, outer.top() + t, t, outer.height() - 2 * t),
                     color);
}

}  // namespace

QPointF CellPixel(const PassGeometry& g, QSize pictureSize, QPoint cell) {
    if (g.boxSize < 1) return {};
    const auto [left, top] = GridOf(g).CornerOf(cell.x(), cell.y());
    const auto nearest = [&](std::int64_t corner, int side) {
        const std::int64_t middle = corner + g.boxSize / 2;
        const std::int64_t shown =
            std::clamp<std::int64_t>(middle, std::max<std::int64_t>(corner, 0),
                                     std::min<std::int64_t>(corner + g.boxSize, side) - 1);
        return static_cast<double>(shown) + 0.5;
    };
    return {nearest(left, pictureSize.width()), nearest(top, pictureSize.height())};
}

bool CursorMayStand(const PassGeometry& g, QSize pictureSize, QPoint cell) {
    if (g.boxSize < 1) return false;
    const std::optional<std::int64_t> position =
        PositionAtPixel(g, pictureSize, CellPixel(g, pictureSize, cell));
    return position && position == PositionOfCell(cell.x(), cell.y());
}

QPoint StepCursor(const PassGeometry& g, QSize pictureSize, QPoint from, QPoint step, int count) {
    QPoint at = from;
    for (int i = 0; i < count && CursorMayStand(g, pictureSize, at + step); ++i)
        at += step;
    return at;
}

CellCursor::CellCursor(QWidget* picture, QSize pictureSize)
    : QWidget(picture), picture_(picture), pictureSize_(pictureSize) {
    setObjectName(QStringLiteral("picCellCursor"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    picture_->installEventFilter(this);
    // Until there is a picture, Tab passes the picture by: no cursor would show where it is.
    picture_->setFocusPolicy(Qt::NoFocus);
}

void CellCursor::SetPicture(const PassGeometry& geometry) {
    geometry_ = geometry;
    picture_->setFocusPolicy(geometry_.boxSize > 0 ? Qt::StrongFocus : Qt::NoFocus);
    if (!CursorMayStand(geometry_, pictureSize_, cell_)) cell_ = QPoint(0, 0);
    Refresh();
}

void CellCursor::SetBusy(bool busy) {
    busy_ = busy;
    Refresh();
}

void CellCursor::SetDisplayRatio(double ratio) {
    ratio_ = ratio > 0 ? ratio : 1.0;
    Refresh();
}

bool CellCursor::MoveTo(QPoint cell) {
    if (busy_ || !CursorMayStand(geometry_, pictureSize_, cell)) return false;
    cell_ = cell;
    picture_->setFocus(Qt::OtherFocusReason);
    Refresh();
    return true;
}

QPointF CellCursor::Pixel() const {
    return CellPixel(geometry_, pictureSize_, cell_);
}

bool CellCursor::Shown() const {
    // The window's focus widget, whether or not the window is active: a message box over the
    // window leaves the cell it names marked.
    return !busy_ && geometry_.boxSize > 0 && picture_->window()->focusWidget() == picture_ &&
           CursorMayStand(geometry_, pictureSize_, cell_);
}

QRect CellCursor::CellOnScreen() const {
    if (geometry_.boxSize < 1) return {};
    const auto [left, top] = GridOf(geometry_).CornerOf(cell_.x(), cell_.y());
    // Screen pixels per picture pixel: a whole number wherever the window could keep the
    // picture crisp.
    const double perPixel = picture_->devicePixelRatioF() / ratio_;
    const auto onScreen = [perPixel](std::int64_t edge) {
        return static_cast<int>(std::lround(static_cast<double>(edge) * perPixel));
    };
    const int x0 = onScreen(left);
    const int y0 = onScreen(top);
    return QRect(x0, y0, onScreen(left + geometry_.boxSize) - x0,
                 onScreen(top + geometry_.boxSize) - y0);
}

bool CellCursor::eventFilter(QObject* watched, QEvent* event) {
    if (watched != picture_) return false;
    switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::Resize:
            Refresh();
            break;
        case QEvent::MouseButtonPress: {
            // A click puts the cursor on the cell it names, as the readout names it there.
            if (busy_) break;
            const QPointF at = static_cast<QMouseEvent*>(event)->position() * ratio_;
            if (const std::optional<std::int64_t> position =
                    PositionAtPixel(geometry_, pictureSize_, at)) {
                const SpiralCell cell = CellOfPosition(*position);
                const QPoint clicked(static_cast<int>(cell.x), static_cast<int>(cell.y));
                if (CursorMayStand(geometry_, pictureSize_, clicked)) cell_ = clicked;
            }
            Refresh();
            break;
        }
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            // Enter held down names the number once, as a button presses once.
            if (key->isAutoRepeat() &&
                (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter))
                return Shown();
            return Key(key->key(), key->modifiers());
        }
        default:
            break;
    }
    return false;
}

bool CellCursor::Key(int key, Qt::KeyboardModifiers modifiers) {
    if (!Shown()) return false;
    const int count = modifiers & Qt::ControlModifier ? kFarStep : 1;
    QPoint step;
    switch (key) {
        case Qt::Key_Left:
            step = QPoint(-1, 0);
            break;
        case Qt::Key_Right:
            step = QPoint(1, 0);
            break;
        case Qt::Key_Up:
            step = QPoint(0, -1);
            break;
        case Qt::Key_Down:
            step = QPoint(0, 1);
            break;
        case Qt::Key_Home:
            cell_ = QPoint(0, 0);
            Refresh();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit Activated(Pixel());
            return true;
        default:
            return false;
    }
    cell_ = StepCursor(geometry_, pictureSize_, cell_, step, count);
    Refresh();
    return true;
}

void CellCursor::Refresh() {
    const bool shown = Shown();
    if (shown) {
        if (geometry() != picture_->rect()) setGeometry(picture_->rect());
        const QRect area = OutlineArea();
        if (isVisible()) {
            if (area != drawn_) update(QRegion(drawn_) + area);
        } else {
            show();
        }
        drawn_ = area;
        emit Moved(Pixel());
    } else if (shown_) {
        hide();
        emit Hidden();
    }
    shown_ = shown;
}

// From the cell outwards: a dark line, a white one, a dark one, each a screen pixel wide (two
// on a screen of twice the density), so that the outline reads on every colour and on black.
// A cell too small to be seen ringed gets a ring of a few pixels all the same.
namespace {

struct Rings {
    QRect inner;  // inside the first dark line
    int width = 1;
};

Rings RingsAround(const QRect& cell, double devicePixelRatio) {
    Rings rings;
    rings.width = std::max(1, static_cast<int>(std::lround(devicePixelRatio)));
    const int least = 5 * rings.width;
    rings.inner = cell;
    const int growX = std::max(0, least - cell.width());
    const int growY = std::max(0, least - cell.height());
    rings.inner.adjust(-growX / 2, -growY / 2, growX - growX / 2, growY - growY / 2);
    return rings;
}

}  // namespace

QRect CellCursor::OutlineArea() const {
    const double dpr = picture_->devicePixelRatioF();
    const Rings rings = RingsAround(CellOnScreen(), dpr);
    const int reach = 3 * rings.width;
    const QRect outer = rings.inner.adjusted(-reach, -reach, reach, reach);
    return QRect(QPoint(static_cast<int>(std::floor(outer.left() / dpr)),
                        static_cast<int>(std::floor(outer.top() / dpr))),
                 QPoint(static_cast<int>(std::ceil((outer.right() + 1) / dpr)),
                        static_cast<int>(std::ceil((outer.bottom() + 1) / dpr))));
}

void CellCursor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const double dpr = devicePixelRatioF();
    // In the screen's own pixels: every line falls on whole pixels, never blurred between two.
    painter.setTransform(QTransform::fromScale(1 / dpr, 1 / dpr));
    const Rings rings = RingsAround(CellOnScreen(), dpr);
    const int w = rings.width;
    FillFrame(painter, rings.inner.adjusted(-w, -w, w, w), w, Qt::black);
    FillFrame(painter, rings.inner.adjusted(-2 * w, -2 * w, 2 * w, 2 * w), w, Qt::white);
    FillFrame(painter, rings.inner.adjusted(-3 * w, -3 * w, 3 * w, 3 * w), w, Qt::black);
}

}  // namespace quorvel
