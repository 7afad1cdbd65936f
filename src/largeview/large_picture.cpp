// SPDX-License-Identifier: GPL-3.0-or-later
#include "largeview/large_picture.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "largeview/largeview_texts.h"

namespace quorvel {
namespace {

constexpr int kCellSizes[] = {1, 2, 3, 4, 5, 6, 8, 10, 12, 16, 20, 24, 32, 40, 48, 64};
// Where no tile is drawn yet: darker than the grey past 2^63 - 1, lighter than black cells.
constexpr QRgb kNotYetColor = 0xFF1C1C24;

void GiveMemoryBack() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

std::int64_t ClampCentre(std::int64_t v) {
    return std::clamp(v, -LargePicture::kMaxCentre, LargePicture::kMaxCentre);
}

}  // namespace

LargePicture::LargePicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picLargeView"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(1, 1);
    renderer_ =
        std::make_unique<TileRenderer>([this](const TileScene& scene, TileKey key, QImage image) {
            // From a worker thread: the tile goes to the window's thread to be shown.
            QMetaObject::invokeMethod(
                this,
                [this, scene, key, image = std::move(image)]() mutable {
                    TileArrived(scene, key, std::move(image));
                },
                Qt::QueuedConnection);
        });
}

LargePicture::~LargePicture() {
    // The window around it is already half gone: nothing is said on the way out.
    blockSignals(true);
    renderer_->Stop();
}

int LargePicture::LargerCellSize(int size) {
    for (int s : kCellSizes)
        if (s > size) return s;
    return kMaxCellSize;
}

int LargePicture::SmallerCellSize(int size) {
    int smaller = kMinCellSize;
    for (int s : kCellSizes)
        if (s < size) smaller = s;
    return smaller;
}

void LargePicture::SetStartNumber(qulonglong start) {
    start_ = std::min<std::uint64_t>(start, kLargeViewMaxNumber);
    Changed();
}

void LargePicture::SetCentreX(qlonglong x) {
    centreX_ = ClampCentre(x);
    Changed();
}

void LargePicture::SetCentreY(qlonglong y) {
    centreY_ = ClampCentre(y);
    Changed();
}

void LargePicture::SetCentre(std::int64_t x, std::int64_t y) {
    centreX_ = ClampCentre(x);
    centreY_ = ClampCentre(y);
    Changed();
}

void LargePicture::SetCellSize(int size) {
    cell_ = std::clamp(size, kMinCellSize, kMaxCellSize);
    Changed();
}

void LargePicture::SetShowMode(int show) {
    if (!IsKnownShowMode(static_cast<ShowMode>(show))) return;
    show_ = static_cast<ShowMode>(show);
    Changed();
}

void LargePicture::SetColorScheme(int scheme) {
    if (scheme < 0 || scheme >= kColorSchemeCount) return;
    scheme_ = static_cast<ColorScheme>(scheme);
    Changed();
}

PictureRequest LargePicture::FrameRequest(ShowMode show, ColorScheme scheme) const {
    PictureRequest r;
    r.start = start_;
    r.width = width();
    r.height = height();
    r.cellSize = cell_;
    r.centreX = centreX_;
    r.centreY = centreY_;
    r.show = show;
    r.scheme = scheme;
    r.wholePlane = true;
    return r;
}

void LargePicture::ZoomAbout(int size, QPointF at) {
    size = std::clamp(size, kMinCellSize, kMaxCellSize);
    if (size == cell_) return;
    const auto [x, y] = CellUnder(at);
    cell_ = size;
    // How many cells the point lies from the middle cell at the new size.
    const auto [dx, dy] = Grid().CellAt(static_cast<std::int64_t>(std::floor(at.x())),
                                        static_cast<std::int64_t>(std::floor(at.y())));
    centreX_ = ClampCentre(x - (dx - centreX_));
    centreY_ = ClampCentre(y - (dy - centreY_));
    Changed();
}

CellGrid LargePicture::Grid() const {
    return {cell_, width() / 2, height() / 2, centreX_, centreY_};
}

std::pair<std::int64_t, std::int64_t> LargePicture::CellUnder(QPointF at) const {
    return Grid().CellAt(static_cast<std::int64_t>(std::floor(at.x())),
                         static_cast<std::int64_t>(std::floor(at.y())));
}

std::optional<std::pair<std::int64_t, std::int64_t>> LargePicture::CellUnderPointer() const {
    if (!pointer_) return std::nullopt;
    return CellUnder(*pointer_);
}

// At a whole scale factor the cells are exactly the logical geometry times the factor; at
// 150 % and the like each cell keeps one whole number of pixels, so all cells stay alike.
LargePicture::Frame LargePicture::CurrentFrame() const {
    const double ratio = devicePixelRatioF();
    Frame f;
    f.cellPixels = std::max(1, static_cast<int>(std::lround(cell_ * ratio)));
    const auto offsetX = std::llround((width() / 2 - cell_ / 2) * ratio);
    const auto offsetY = std::llround((height() / 2 - cell_ / 2) * ratio);
    f.originX = centreX_ * f.cellPixels - offsetX;
    f.originY = centreY_ * f.cellPixels - offsetY;
    f.width = static_cast<int>(std::ceil(width() * ratio));
    f.height = static_cast<int>(std::ceil(height() * ratio));
    return f;
}

void LargePicture::Changed() {
    emit viewChanged();
    Schedule();
}

std::vector<TileKey> LargePicture::VisibleTiles(const Frame& f) const {
    std::vector<TileKey> keys;
    if (f.width <= 0 || f.height <= 0) return keys;
    const std::int64_t x0 = FloorDiv(f.originX, kTileSide);
    const std::int64_t x1 = FloorDiv(f.originX + f.width - 1, kTileSide);
    const std::int64_t y0 = FloorDiv(f.originY, kTileSide);
    const std::int64_t y1 = FloorDiv(f.originY + f.height - 1, kTileSide);
    for (std::int64_t ty = y0; ty <= y1; ++ty)
        for (std::int64_t tx = x0; tx <= x1; ++tx)
            keys.push_back({tx, ty});
    // Nearest the middle first: the eye is there.
    const double mx = (static_cast<double>(f.originX) + f.width / 2.0) / kTileSide - 0.5;
    const double my = (static_cast<double>(f.originY) + f.height / 2.0) / kTileSide - 0.5;
    const auto distance = [&](const TileKey& k) {
        const double dx = static_cast<double>(k.tx) - mx;
        const double dy = static_cast<double>(k.ty) - my;
        return dx * dx + dy * dy;
    };
    std::stable_sort(keys.begin(), keys.end(),
                     [&](const TileKey& a, const TileKey& b) { return distance(a) < distance(b); });
    return keys;
}

// How the frame's cells write their numbers: that depends on the numbers in view, since a
// cell may leave out the leading digits only when all of them share those.
NumeralPlan LargePicture::PlanFrameNumerals(const Frame& f, int minPixels) const {
    if (f.width <= 0 || f.height <= 0 || f.cellPixels < 2 * minPixels) return {};
    const std::optional<NumberSpan> span =
        NumbersOfCells(start_, FloorDiv(f.originX, f.cellPixels), FloorDiv(f.originY, f.cellPixels),
                       FloorDiv(f.originX + f.width - 1, f.cellPixels),
                       FloorDiv(f.originY + f.height - 1, f.cellPixels));
    if (!span) return {};
    return PlanNumerals(span->least, span->most, f.cellPixels, minPixels);
}

void LargePicture::Schedule() {
    const Frame f = CurrentFrame();
    const int minPixels = static_cast<int>(std::lround(7 * devicePixelRatioF()));
    const NumeralPlan numerals = PlanFrameNumerals(f, minPixels);
    const bool numeralsChanged = numerals != scene_.numerals;
    if (f.cellPixels != scene_.cellPixels || start_ != scene_.start || show_ != scene_.show ||
        scheme_ != scene_.scheme || numeralsChanged || minPixels != scene_.numeralMinPixels ||
        scene_.serial == 0) {
        // A new picture: the old one stays on screen, scaled to the new cells, until the new
        // tiles cover it.
        if (scene_.serial != 0) KeepOldFrame();
        tiles_.clear();
        scene_.start = start_;
        scene_.cellPixels = f.cellPixels;
        scene_.show = show_;
        scene_.scheme = scheme_;
        scene_.numeralMinPixels = minPixels;
        scene_.numerals = numerals;
        ++scene_.serial;
    }
    if (numeralsChanged) emit this->numeralsChanged();
    shownFrame_ = f;
    scene_.reach = FarthestRadius(FrameRequest(show_, scheme_));
    const std::vector<TileKey> visible = VisibleTiles(f);
    std::vector<TileKey> missing;
    for (const TileKey& key : visible)
        if (!tiles_.contains(key)) missing.push_back(key);
    pending_ = std::set<TileKey>(missing.begin(), missing.end());
    LetGoOfFarTiles(f, visible.size());
    if (isVisible()) renderer_->Request(scene_, missing);
    SetRendering(!missing.empty());
    update();
}

// Tiles within half a screen (two tiles at least) of the frame are kept for a pan back; the
// rest are let go once there are more than a few of them, so that a view that shrinks gives
// back what its larger self took: at most about four times the tiles it shows.
bool LargePicture::WorthKeeping(const Frame& f, TileKey k) {
    const std::int64_t marginX = std::max<std::int64_t>(2, f.width / kTileSide / 2);
    const std::int64_t marginY = std::max<std::int64_t>(2, f.height / kTileSide / 2);
    return k.tx >= FloorDiv(f.originX, kTileSide) - marginX &&
           k.tx <= FloorDiv(f.originX + f.width - 1, kTileSide) + marginX &&
           k.ty >= FloorDiv(f.originY, kTileSide) - marginY &&
           k.ty <= FloorDiv(f.originY + f.height - 1, kTileSide) + marginY;
}

void LargePicture::LetGoOfFarTiles(const Frame& f, std::size_t visible) {
    if (visible == 0 || tiles_.size() <= 2 * visible + 16) return;
    const std::size_t before = tiles_.size();
    std::erase_if(tiles_, [&](const auto& entry) { return !WorthKeeping(f, entry.first); });
    // Tiles are small blocks, drawn on the pool's threads: the allocator keeps their memory
    // for itself unless asked to give it back. Asked only when much went.
    constexpr std::size_t kTileBytes = std::size_t{kTileSide} * kTileSide * 4;
    if ((before - tiles_.size()) * kTileBytes >= (std::size_t{16} << 20)) GiveMemoryBack();
}

std::int64_t LargePicture::HeldBytes() const {
    std::int64_t bytes = 0;
    for (const auto& [key, tile] : tiles_)
        bytes += tile.sizeInBytes();
    if (old_) bytes += old_->image.sizeInBytes();
    return bytes;
}

void LargePicture::TileArrived(const TileScene& scene, TileKey key, QImage image) {
    if (scene.serial != scene_.serial) return;
    // Drawn for a larger or an earlier view, and far from this one now.
    if (!WorthKeeping(shownFrame_, key)) return;
    tiles_[key] = std::move(image);
    pending_.erase(key);
    if (pending_.empty() && old_) {
        SetRendering(false);
        update();  // the old frame goes from behind whatever no tile covers
        return;
    }
    if (pending_.empty()) SetRendering(false);
    const Frame f = CurrentFrame();
    const double ratio = devicePixelRatioF();
    update(QRectF((static_cast<double>(key.tx * kTileSide - f.originX)) / ratio,
                  (static_cast<double>(key.ty * kTileSide - f.originY)) / ratio, kTileSide / ratio,
                  kTileSide / ratio)
               .toAlignedRect());
}

void LargePicture::SetRendering(bool rendering) {
    if (!rendering) old_.reset();
    if (rendering == rendering_) return;
    rendering_ = rendering;
    emit renderingChanged(rendering);
}

void LargePicture::KeepOldFrame() {
    const Frame& f = shownFrame_;
    if (f.width <= 0 || f.height <= 0) return;
    QImage image(f.width, f.height, QImage::Format_RGB32);
    QPainter painter(&image);
    Compose(painter, f, QRect(0, 0, f.width, f.height));
    painter.end();
    old_ = OldFrame{std::move(image), f};
}

void LargePicture::Compose(QPainter& painter, const Frame& f, QRect area) const {
    painter.fillRect(area, QColor::fromRgb(kNotYetColor));
    if (old_) {
        // A plane pixel p of the old cells lies at p·k in the new ones.
        const double k = static_cast<double>(f.cellPixels) / old_->frame.cellPixels;
        painter.save();
        painter.translate(
            k * static_cast<double>(old_->frame.originX) - static_cast<double>(f.originX),
            k * static_cast<double>(old_->frame.originY) - static_cast<double>(f.originY));
        painter.scale(k, k);
        painter.drawImage(0, 0, old_->image);
        painter.restore();
    }
    // Only the tiles of the area asked for: a tile that arrives repaints its own square.
    const std::int64_t x0 = FloorDiv(f.originX + area.left(), kTileSide);
    const std::int64_t x1 = FloorDiv(f.originX + area.right(), kTileSide);
    const std::int64_t y0 = FloorDiv(f.originY + area.top(), kTileSide);
    const std::int64_t y1 = FloorDiv(f.originY + area.bottom(), kTileSide);
    for (std::int64_t ty = y0; ty <= y1; ++ty) {
        for (std::int64_t tx = x0; tx <= x1; ++tx) {
            const auto it = tiles_.find({tx, ty});
            if (it == tiles_.end()) continue;
            painter.drawImage(static_cast<int>(tx * kTileSide - f.originX),
                              static_cast<int>(ty * kTileSide - f.originY), it->second);
        }
    }
}

void LargePicture::paintEvent(QPaintEvent* event) {
    const Frame f = CurrentFrame();
    if (f.cellPixels != scene_.cellPixels) {
        // Moved to a screen of another scale: draw the cells for its pixels.
        Schedule();
    }
    QPainter painter(this);
    const double ratio = devicePixelRatioF();
    painter.scale(1 / ratio, 1 / ratio);
    const QRect area = event->rect();
    const QRect device(static_cast<int>(std::floor(area.left() * ratio)),
                       static_cast<int>(std::floor(area.top() * ratio)),
                       static_cast<int>(std::ceil((area.width() + 1) * ratio)),
                       static_cast<int>(std::ceil((area.height() + 1) * ratio)));
    Compose(painter, CurrentFrame(), device);
}

void LargePicture::resizeEvent(QResizeEvent*) {
    // Other cells lie under the pointer, and other rings at the edges.
    Changed();
}

void LargePicture::hideEvent(QHideEvent*) {
    StopRendering();
}

void LargePicture::showEvent(QShowEvent*) {
    Schedule();
}

void LargePicture::StopRendering() {
    renderer_->Stop();
    pending_.clear();
    // Whatever was left undrawn is asked for again when the picture is next shown or changed.
    SetRendering(false);
    // The rings walked for Cluster are walked again if need be; a hidden view keeps its tiles.
    ForgetWalkedRings();
}

void LargePicture::ForgetTiles() {
    tiles_.clear();
    old_.reset();
    ForgetWalkedRings();
    GiveMemoryBack();
}

void LargePicture::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragFrom_ = event->position();
    dragCentreX_ = centreX_;
    dragCentreY_ = centreY_;
    setCursor(Qt::ClosedHandCursor);
}

void LargePicture::mouseMoveEvent(QMouseEvent* event) {
    pointer_ = event->position();
    if (dragFrom_ && (event->buttons() & Qt::LeftButton)) {
        // The picture follows the pointer, a whole cell at a time.
        const QPointF moved = event->position() - *dragFrom_;
        SetCentre(dragCentreX_ - std::llround(moved.x() / cell_),
                  dragCentreY_ - std::llround(moved.y() / cell_));
    }
    const auto [x, y] = CellUnder(event->position());
    emit pointerOverCell(x, y);
}

void LargePicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragFrom_.reset();
    unsetCursor();
}

void LargePicture::wheelEvent(QWheelEvent* event) {
    // One notch is 120; touch pads send less at a time.
    wheelSteps_ += event->angleDelta().y();
    while (wheelSteps_ >= 120) {
        wheelSteps_ -= 120;
        ZoomAbout(LargerCellSize(cell_), event->position());
    }
    while (wheelSteps_ <= -120) {
        wheelSteps_ += 120;
        ZoomAbout(SmallerCellSize(cell_), event->position());
    }
    event->accept();
}

void LargePicture::keyPressEvent(QKeyEvent* event) {
    const bool screen = event->modifiers() & Qt::ShiftModifier;
    const std::int64_t across = screen ? std::max(1, width() / cell_) : 1;
    const std::int64_t down = screen ? std::max(1, height() / cell_) : 1;
    const QPointF pointer = mapFromGlobal(QCursor::pos());
    const QPointF about = rect().contains(pointer.toPoint()) ? pointer : QPointF(rect().center());
    switch (event->key()) {
        case Qt::Key_Left:
            SetCentreX(centreX_ - across);
            break;
        case Qt::Key_Right:
            SetCentreX(centreX_ + across);
            break;
        case Qt::Key_Up:
            SetCentreY(centreY_ - down);
            break;
        case Qt::Key_Down:
            SetCentreY(centreY_ + down);
            break;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            ZoomAbout(LargerCellSize(cell_), about);
            break;
        case Qt::Key_Minus:
            ZoomAbout(SmallerCellSize(cell_), about);
            break;
        case Qt::Key_Home:
            SetCentre(0, 0);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

void LargePicture::leaveEvent(QEvent*) {
    pointer_.reset();
    emit pointerLeft();
}

}  // namespace quorvel
