// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <mutex>
#include <set>
#include <utility>

#include "engine/picture_request.h"
#include "engine/thread_pool.h"
#include "largeview/cell_numerals.h"

namespace quorvel {

// One square of the large view's plane in device pixels: tile (tx, ty) covers the pixels
// tx·kTileSide … (tx + 1)·kTileSide - 1 across and the same down, where cell (x, y) covers
// x·cellPixels … (x + 1)·cellPixels - 1.
struct TileKey {
    std::int64_t tx = 0;
    std::int64_t ty = 0;
    friend auto operator<=>(const TileKey&, const TileKey&) = default;
};

// What every tile of one picture shares. A new scene (start, cell size, kind of number, colours)
// makes all old tiles useless; `serial` tells them apart.
struct TileScene {
    std::uint64_t start = 1;
    int cellPixels = 1;
    ShowMode show = ShowMode::Primes;
    ColorScheme scheme = ColorScheme::White;
    int numeralMinPixels = 8;  // numerals are printed at least this high, or not at all
    NumeralPlan numerals;      // how the frame's cells write their numbers
    // The farthest ring the frame shows, so that rings walked for one tile serve them all.
    std::int64_t reach = 0;
    std::uint64_t serial = 0;
};

inline constexpr int kTileSide = 128;

// The request for the cells of one tile, for the renderers to choose from.
PictureRequest TileRequest(const TileScene& scene, TileKey key);

// Draws one tile: the marked cells in their colours, the others black, cells past 2^63 - 1
// dark grey, cells no renderer can colour (out of a walk's reach) hatched, numerals where they
// fit. A null image when `cancel` was set on the way.
QImage RenderTile(const TileScene& scene, TileKey key, const std::atomic<bool>* cancel = nullptr);

// Lets go of the rings walked for Cluster and random numbers (a picture of up to 64 MiB), so
// that the next tile that needs them walks them afresh.
void ForgetWalkedRings();

// The colours of cells unmarked, past 2^63 - 1 and out of reach.
inline constexpr QRgb kUnmarkedColor = 0xFF000000;
inline constexpr QRgb kBeyondColor = 0xFF404040;
inline constexpr QRgb kOutOfReachColor = 0xFF30303A;

// Draws tiles on the pool's threads, as many at once as `threads` (0: one a thread of the pool),
// the first wanted first. Each finished tile is handed to `ready` on the thread that drew it.
class TileRenderer {
  public:
    using ReadyHandler = std::function<void(const TileScene&, TileKey, QImage)>;

    explicit TileRenderer(ReadyHandler ready, int threads = 0);
    ~TileRenderer();
    TileRenderer(const TileRenderer&) = delete;
    TileRenderer& operator=(const TileRenderer&) = delete;

    // The tiles now wanted, in order, replacing those still waiting. A tile of the same scene
    // already being drawn is not asked for again; tiles of an older scene stop half way.
    void Request(const TileScene& scene, std::vector<TileKey> tiles);
    // Drops the waiting tiles, stops those being drawn and returns once no task of this
    // renderer is left on the pool.
    void Stop();
    // How many tasks draw tiles now.
    int Threads() const;

  private:
    // A task's state, which Request reads to stop tiles of an old scene.
    struct Slot {
        std::atomic<bool> cancel{false};
        std::uint64_t serial = 0;
        bool busy = false;
    };
    // A task: draws the waiting tiles until none is left.
    void Work();

    ReadyHandler ready_;
    int threadCount_;
    mutable std::mutex mutex_;
    TileScene scene_;
    std::deque<TileKey> waiting_;
    std::set<TileKey> drawing_;
    std::list<Slot> slots_;  // one a task under way
    int working_ = 0;        // tasks started and not yet done with the waiting tiles
    bool stopping_ = false;
    TaskGroup tasks_;  // last: its tasks end before the rest goes
};

}  // namespace quorvel
