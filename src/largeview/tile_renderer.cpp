// SPDX-License-Identifier: GPL-3.0-or-later
#include "largeview/tile_renderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "engine/spiral_tiles.h"

namespace quorvel {
namespace {

constexpr QRgb kPrimeColor = 0xFFFFFFFF;
constexpr QRgb kCompositeColor = 0xFF000000;
constexpr QRgb kBeyondColor = 0xFF404040;

// How a numeral of `digits` digits is set in a cell of `side` pixels: the lines it is broken
// into and the font's pixel size; no lines when it cannot be read.
struct NumeralLayout {
    int lines = 0;
    int pixelSize = 0;
};

NumeralLayout LayOut(int digits, int side, int minPixels) {
    // The digits' advance and the line height for a font 100 pixels high, measured once.
    static const auto [advance, height] = [] {
        QFont font;
        font.setPixelSize(100);
        const QFontMetricsF metrics(font);
        return std::pair{metrics.horizontalAdvance(QLatin1Char('0')), metrics.height()};
    }();
    const double room = side - 2;
    NumeralLayout best;
    for (int lines = 1; lines <= 3; ++lines) {
        const int perLine = (digits + lines - 1) / lines;
        const double size = std::min(room / (perLine * advance), room / (lines * height)) * 100;
        const int pixels = std::min(static_cast<int>(size), side / 2);
        if (pixels > best.pixelSize) best = {lines, pixels};
    }
    if (best.pixelSize < minPixels) return {};
    return best;
}

void DrawNumerals(QImage& image, const TileScene& scene, std::int64_t px0, std::int64_t py0,
                  std::int64_t cx0, std::int64_t cy0, int columns, int rows,
                  const std::vector<CellKind>& kinds) {
    const int side = scene.cellPixels;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font;
    int fontPixels = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const CellKind kind = kinds[static_cast<std::size_t>(r * columns + c)];
            if (kind == CellKind::Beyond) continue;
            const std::optional<std::uint64_t> n = NumberOfCell(scene.start, cx0 + c, cy0 + r);
            if (!n) continue;
            const QString digits = QString::number(*n);
            const NumeralLayout layout =
                LayOut(static_cast<int>(digits.size()), side, scene.numeralMinPixels);
            if (layout.lines == 0) continue;
            if (layout.pixelSize != fontPixels) {
                fontPixels = layout.pixelSize;
                font.setPixelSize(fontPixels);
                painter.setFont(font);
            }
            // Long numbers break into full lines counted from the right, where neighbours
            // differ: 10000 / 0000000 / 0000031.
            const qsizetype perLine = (digits.size() + layout.lines - 1) / layout.lines;
            QString text;
            const qsizetype first = digits.size() - perLine * (layout.lines - 1);
            text = digits.left(first);
            for (qsizetype i = first; i < digits.size(); i += perLine)
                text += QLatin1Char('\n') + digits.mid(i, perLine);
            const QRectF cell(static_cast<double>((cx0 + c) * side - px0),
                              static_cast<double>((cy0 + r) * side - py0), side, side);
            painter.setPen(kind == CellKind::Prime ? QColor(0, 0, 0) : QColor(200, 200, 200));
            painter.drawText(cell, Qt::AlignCenter, text);
        }
    }
}

}  // namespace

QImage RenderTile(const TileScene& scene, TileKey key, const std::atomic<bool>* cancel) {
    const int side = std::max(scene.cellPixels, 1);
    const std::int64_t px0 = key.tx * kTileSide;
    const std::int64_t py0 = key.ty * kTileSide;
    const std::int64_t cx0 = FloorDiv(px0, side);
    const std::int64_t cy0 = FloorDiv(py0, side);
    const auto columns = static_cast<int>(FloorDiv(px0 + kTileSide - 1, side) - cx0 + 1);
    const auto rows = static_cast<int>(FloorDiv(py0 + kTileSide - 1, side) - cy0 + 1);
    std::vector<CellKind> kinds(static_cast<std::size_t>(columns) * rows);
    if (!ClassifyCells(scene.start, cx0, cy0, columns, rows, kinds.data(), cancel)) return {};

    QImage image(kTileSide, kTileSide, QImage::Format_RGB32);
    // Which cell column each pixel column lies in, and the same for rows.
    int columnOf[kTileSide];
    int rowOf[kTileSide];
    for (int i = 0; i < kTileSide; ++i) {
        columnOf[i] = static_cast<int>(FloorDiv(px0 + i, side) - cx0);
        rowOf[i] = static_cast<int>(FloorDiv(py0 + i, side) - cy0);
    }
    static constexpr QRgb kColors[] = {kCompositeColor, kPrimeColor, kBeyondColor};
    for (int y = 0; y < kTileSide; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const CellKind* row = kinds.data() + static_cast<std::ptrdiff_t>(rowOf[y]) * columns;
        for (int x = 0; x < kTileSide; ++x)
            line[x] = kColors[static_cast<int>(row[columnOf[x]])];
    }
    if (side >= 2 * scene.numeralMinPixels)
        DrawNumerals(image, scene, px0, py0, cx0, cy0, columns, rows, kinds);
    return image;
}

TileRenderer::TileRenderer(ReadyHandler ready, int threads)
    : ready_(std::move(ready)),
      threadCount_(threads > 0
                       ? threads
                       : std::max(1, static_cast<int>(std::thread::hardware_concurrency()))) {}

TileRenderer::~TileRenderer() {
    Stop();
}

void TileRenderer::Request(const TileScene& scene, std::vector<TileKey> tiles) {
    {
        std::lock_guard lock(mutex_);
        if (scene.serial != scene_.serial) {
            drawing_.clear();
            for (const auto& slot : slots_)
                if (slot->busy && slot->serial != scene.serial) slot->cancel.store(true);
        }
        scene_ = scene;
        waiting_.clear();
        for (const TileKey& key : tiles)
            if (!drawing_.contains(key)) waiting_.push_back(key);
        if (threads_.empty() && !waiting_.empty()) {
            stopping_ = false;
            slots_.clear();
            for (int i = 0; i < threadCount_; ++i) {
                slots_.push_back(std::make_unique<Slot>());
                threads_.emplace_back([this, slot = slots_.back().get()] { Work(*slot); });
            }
        }
    }
    wake_.notify_all();
}

void TileRenderer::Stop() {
    std::vector<std::thread> threads;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        for (const auto& slot : slots_)
            slot->cancel.store(true);
        waiting_.clear();
        drawing_.clear();
        threads.swap(threads_);
    }
    wake_.notify_all();
    for (std::thread& thread : threads)
        thread.join();
}

int TileRenderer::Threads() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(threads_.size());
}

void TileRenderer::Work(Slot& slot) {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (stopping_) return;
        const TileKey key = waiting_.front();
        waiting_.pop_front();
        const TileScene scene = scene_;
        drawing_.insert(key);
        slot.busy = true;
        slot.serial = scene.serial;
        slot.cancel.store(false);
        lock.unlock();
        QImage image = RenderTile(scene, key, &slot.cancel);
        lock.lock();
        slot.busy = false;
        // A tile of an old scene is of no use; the set of tiles being drawn was cleared then.
        if (scene.serial != scene_.serial || stopping_ || image.isNull()) continue;
        drawing_.erase(key);
        lock.unlock();
        ready_(scene, key, std::move(image));
        lock.lock();
    }
}

}  // namespace quorvel
