// SPDX-License-Identifier: GPL-3.0-or-later
#include "largeview/tile_renderer.h"

#include <QFont>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <memory>
#include <mutex>
#include <string>

#include "engine/cell_marks.h"
#include "engine/spiral_pass.h"
#include "engine/spiral_tiles.h"
#include "platform/indexed_surface.h"

namespace quorvel {
namespace {

// Where the picture has no cell colours (kBeyondCell is the other index that is no colour).
constexpr std::uint8_t kOutOfReach = 254;

// The box-size-1 picture of the rings around the centre, for the kinds of number and the
// colours that depend on the cells walked before (ChooseRenderer's WalkedCells): drawn by the
// window's own pass, once for a scene, and shared by all its tiles. The last one is kept.
struct WalkedRings {
    std::unique_ptr<IndexedSurface> surface;
    RasterView raster;
    std::uint64_t start = 0;
    ShowMode show = ShowMode::Primes;
    ColorScheme scheme = ColorScheme::White;
    std::int64_t radius = 0;

    bool Serves(const TileScene& scene, std::int64_t rings) const {
        return surface && start == scene.start && show == scene.show && scheme == scene.scheme &&
               radius >= rings;
    }
};

// A stop asked for from another thread ends the walk.
class WalkCancel final : public PassObserver {
  public:
    explicit WalkCancel(const std::atomic<bool>* cancel) : cancel_(cancel) {}
    std::int64_t CheckpointEvery(int) const override { return std::int64_t{1} << 18; }
    bool StopRequested() override { return cancel_ != nullptr && cancel_->load(); }
    bool PictureMayBeShown() override { return false; }

  private:
    const std::atomic<bool>* cancel_;
};

// Walks the rings out to `radius` at least, and to the frame's farthest if it can: one walk
// then serves every tile of the frame. Never past what a walk may reach, nor past the numbers
// of the window's range.
bool Walk(WalkedRings& w, const TileScene& scene, std::int64_t radius,
          const std::atomic<bool>* cancel) {
    std::int64_t rings = std::min(std::max(radius, scene.reach), kWalkRadius);
    while (rings > radius &&
           scene.start + static_cast<std::uint64_t>((2 * rings + 1) * (2 * rings + 1)) - 1 >
               static_cast<std::uint64_t>(lngMaxNumber))
        rings = std::max(radius, rings / 2);
    const int side = static_cast<int>(2 * rings + 1);
    w = WalkedRings{};
    // In rows, so that the tiles copy a row of cells at a time.
    auto surface = std::make_unique<IndexedSurface>(side, side, IndexedSurface::Layout::Rows);
    if (surface->IsNull()) return false;
    PictureRequest request;
    request.start = scene.start;
    request.width = request.height = side;
    request.show = scene.show;
    request.scheme = scene.scheme;
    const PassInput input = PassInputOf(request);
    SpiralEngine engine;
    WalkCancel observer(cancel);
    if (engine.DrawSpiral(input, *surface, &observer).outcome != PassOutcome::Drawn) return false;
    w.raster = surface->Raster();
    w.surface = std::move(surface);
    w.start = scene.start;
    w.show = scene.show;
    w.scheme = scene.scheme;
    w.radius = rings;
    return true;
}

// The walked rings kept, and what guards them: the tiles' threads share them.
std::pair<std::mutex, WalkedRings>& WalkedStore() {
    static std::pair<std::mutex, WalkedRings> store;
    return store;
}

// The colours of the rectangle's cells, row by row, from the walked rings; false when cancelled.
bool WalkedColours(const TileScene& scene, std::int64_t x0, std::int64_t y0, int width, int height,
                   std::int64_t radius, std::uint8_t* out, const std::atomic<bool>* cancel) {
    auto& [mutex, walked] = WalkedStore();
    const std::lock_guard lock(mutex);
    if (!walked.Serves(scene, radius) && !Walk(walked, scene, radius, cancel)) return false;
    const RasterView& raster = walked.raster;
    // The rectangle's part that lies in the walked picture, copied a row at a time.
    const std::int64_t left = std::max<std::int64_t>(x0 + walked.radius, 0);
    const std::int64_t right = std::min<std::int64_t>(x0 + width + walked.radius, raster.width);
    std::fill(out, out + static_cast<std::ptrdiff_t>(width) * height, kOutOfReach);
    for (int r = 0; r < height; ++r) {
        const std::int64_t py = y0 + r + walked.radius;
        if (py < 0 || py >= raster.height || left >= right) continue;
        std::copy_n(raster.indices + raster.Offset(static_cast<int>(left), static_cast<int>(py)),
                    right - left,
                    out + static_cast<std::ptrdiff_t>(r) * width + (left - x0 - walked.radius));
    }
    return true;
}

// Black marks (Ostrand's primes 1 mod 12 and the numbers without a count of factors it has
// a colour for) would vanish on the black background: they get a white outline, as in the
// window, wherever a cell is three pixels or more.
void OutlineBlackMarks(QImage& image, const TileScene& scene, std::int64_t px0, std::int64_t py0,
                       std::int64_t cx0, std::int64_t cy0, int columns, int rows,
                       const std::vector<std::uint8_t>& cells) {
    if (scene.scheme != ColorScheme::Ostrand || scene.show == ShowMode::All) return;
    const int side = scene.cellPixels;
    QPainter painter;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (cells[static_cast<std::size_t>(r * columns + c)] != 0) continue;
            if (!painter.isActive()) {
                painter.begin(&image);
                painter.setPen(QColor(255, 255, 255));
            }
            painter.drawRect(QRectF(static_cast<double>((cx0 + c) * side - px0) + 0.5,
                                    static_cast<double>((cy0 + r) * side - py0) + 0.5, side - 1,
                                    side - 1));
        }
    }
}

void DrawNumerals(QImage& image, const TileScene& scene, std::int64_t px0, std::int64_t py0,
                  std::int64_t cx0, std::int64_t cy0, int columns, int rows,
                  const std::vector<std::uint8_t>& cells) {
    const int side = scene.cellPixels;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font;
    int fontPixels = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const std::uint8_t colour = cells[static_cast<std::size_t>(r * columns + c)];
            if (colour == kBeyondCell) continue;
            const std::optional<std::uint64_t> n = NumberOfCell(scene.start, cx0 + c, cy0 + r);
            if (!n) continue;
            const QString text = NumeralText(*n, scene.numerals);
            const int pixels = NumeralPixelSize(text, side, scene.numeralMinPixels);
            if (pixels == 0) continue;
            if (pixels != fontPixels) {
                fontPixels = pixels;
                font.setPixelSize(fontPixels);
                painter.setFont(font);
            }
            const QRectF cell(static_cast<double>((cx0 + c) * side - px0),
                              static_cast<double>((cy0 + r) * side - py0), side, side);
            // Black or white as on the window's marks; grey on a cell not marked.
            painter.setPen(colour == kUnmarkedCell || colour == kOutOfReach
                               ? QColor(200, 200, 200)
                               : QColor::fromRgb(NumeralTextColor(PaletteRgb(colour))));
            painter.drawText(cell, Qt::AlignCenter, text);
        }
    }
}

}  // namespace

void ForgetWalkedRings() {
    auto& [mutex, walked] = WalkedStore();
    const std::lock_guard lock(mutex);
    walked = WalkedRings{};
}

PictureRequest TileRequest(const TileScene& scene, TileKey key) {
    const int side = std::max(scene.cellPixels, 1);
    const std::int64_t cx0 = FloorDiv(key.tx * kTileSide, side);
    const std::int64_t cy0 = FloorDiv(key.ty * kTileSide, side);
    PictureRequest r;
    r.start = scene.start;
    r.width = static_cast<int>(FloorDiv((key.tx + 1) * kTileSide - 1, side) - cx0 + 1);
    r.height = static_cast<int>(FloorDiv((key.ty + 1) * kTileSide - 1, side) - cy0 + 1);
    r.centreX = cx0 + r.width / 2;
    r.centreY = cy0 + r.height / 2;
    r.show = scene.show;
    r.scheme = scene.scheme;
    r.wholePlane = true;
    return r;
}

QImage RenderTile(const TileScene& scene, TileKey key, const std::atomic<bool>* cancel) {
    const int side = std::max(scene.cellPixels, 1);
    const std::int64_t px0 = key.tx * kTileSide;
    const std::int64_t py0 = key.ty * kTileSide;
    const PictureRequest request = TileRequest(scene, key);
    const std::int64_t cx0 = request.centreX - request.width / 2;
    const std::int64_t cy0 = request.centreY - request.height / 2;
    const int columns = request.width;
    const int rows = request.height;
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(columns) * rows, kOutOfReach);
    switch (ChooseRenderer(request)) {
        case RendererId::Cells:
            if (!ColourCells(scene.start, scene.show, scene.scheme, cx0, cy0, columns, rows,
                             cells.data(), cancel))
                return {};
            break;
        case RendererId::WalkedCells:
            if (!WalkedColours(scene, cx0, cy0, columns, rows, FarthestRadius(request),
                               cells.data(), cancel))
                return {};
            // The walked picture's black is the background, whatever was marked black there,
            // which outlines and numerals need to know.
            if (side >= 3) {
                std::uint8_t* c = cells.data();
                const std::size_t n = cells.size();
                for (std::size_t i = 0; i < n; ++i)
                    c[i] = c[i] == 0 ? kUnmarkedCell : c[i];
            }
            break;
        default:
            break;  // out of reach: hatched
    }
    if (cancel != nullptr && cancel->load()) return {};

    QImage image(kTileSide, kTileSide, QImage::Format_RGB32);
    // Which cell column each pixel column lies in, and the same for rows.
    int columnOf[kTileSide];
    int rowOf[kTileSide];
    for (int i = 0; i < kTileSide; ++i) {
        columnOf[i] = static_cast<int>(FloorDiv(px0 + i, side) - cx0);
        rowOf[i] = static_cast<int>(FloorDiv(py0 + i, side) - cy0);
    }
    // Palette indices to pixels; the two indices that are no colour to theirs.
    std::array<QRgb, 256> rgb;
    for (int c = 0; c < 256; ++c)
        rgb[static_cast<std::size_t>(c)] = 0xFF000000u | PaletteRgb(c);
    rgb[kUnmarkedCell] = kUnmarkedColor;
    rgb[kBeyondCell] = kBeyondColor;
    rgb[kOutOfReach] = kOutOfReachColor;
    const bool hatched = std::find(cells.begin(), cells.end(), kOutOfReach) != cells.end();
    for (int y = 0; y < kTileSide; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const std::uint8_t* row = cells.data() + static_cast<std::ptrdiff_t>(rowOf[y]) * columns;
        if (side == 1) {
            for (int x = 0; x < kTileSide; ++x)
                line[x] = rgb[row[x]];
        } else {
            for (int x = 0; x < kTileSide; ++x)
                line[x] = rgb[row[columnOf[x]]];
        }
        // Cells out of reach are hatched, so that they do not read as empty ones.
        if (!hatched) continue;
        for (int x = static_cast<int>((8 - ((px0 + py0 + y) & 7)) & 7); x < kTileSide; x += 8)
            if (row[columnOf[x]] == kOutOfReach) line[x] = kBeyondColor;
    }
    if (side >= 3) OutlineBlackMarks(image, scene, px0, py0, cx0, cy0, columns, rows, cells);
    if (scene.numerals.shown && side >= 2 * scene.numeralMinPixels)
        DrawNumerals(image, scene, px0, py0, cx0, cy0, columns, rows, cells);
    return image;
}

TileRenderer::TileRenderer(ReadyHandler ready, int threads)
    : ready_(std::move(ready)),
      threadCount_(threads > 0 ? threads : std::max(1, ThreadPool::Shared().Threads())) {}

TileRenderer::~TileRenderer() {
    Stop();
}

void TileRenderer::Request(const TileScene& scene, std::vector<TileKey> tiles) {
    int starting = 0;
    {
        std::lock_guard lock(mutex_);
        if (scene.serial != scene_.serial) {
            drawing_.clear();
            for (Slot& slot : slots_)
                if (slot.busy && slot.serial != scene.serial) slot.cancel.store(true);
        }
        scene_ = scene;
        waiting_.clear();
        for (const TileKey& key : tiles)
            if (!drawing_.contains(key)) waiting_.push_back(key);
        starting = static_cast<int>(std::min<std::size_t>(
            waiting_.size(), static_cast<std::size_t>(std::max(threadCount_ - working_, 0))));
        working_ += starting;
    }
    // (Unlocked: where the pool has no threads the tiles are drawn right here.)
    for (int i = 0; i < starting; ++i)
        tasks_.Run([this] { Work(); });
}

void TileRenderer::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        for (Slot& slot : slots_)
            slot.cancel.store(true);
        waiting_.clear();
        drawing_.clear();
    }
    tasks_.Wait();
    std::lock_guard lock(mutex_);
    stopping_ = false;
}

int TileRenderer::Threads() const {
    std::lock_guard lock(mutex_);
    return working_;
}

void TileRenderer::Work() {
    std::unique_lock lock(mutex_);
    slots_.emplace_front();
    const auto mine = slots_.begin();
    Slot& slot = *mine;
    while (!stopping_ && !waiting_.empty()) {
        const TileKey key = waiting_.front();
        waiting_.pop_front();
        const TileScene scene = scene_;
        drawing_.insert(key);
        slot.busy = true;
        slot.serial = scene.serial;
        slot.cancel.store(false);
        lock.unlock();
        QImage image;
        bool failed = false;
        try {
            image = RenderTile(scene, key, &slot.cancel);
        } catch (const std::exception&) {
            failed = true;  // memory ran short: the tile stays undrawn, to be asked for again
        }
        lock.lock();
        slot.busy = false;
        if (failed && scene.serial == scene_.serial) drawing_.erase(key);
        // A tile of an old scene is of no use; the set of tiles being drawn was cleared then.
        if (scene.serial != scene_.serial || stopping_ || image.isNull()) continue;
        drawing_.erase(key);
        lock.unlock();
        ready_(scene, key, std::move(image));
        lock.lock();
    }
    slots_.erase(mine);
    --working_;
}

}  // namespace quorvel
