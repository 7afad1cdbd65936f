// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/spiral_tiles.h"

#include "engine/number_theory.h"

namespace quorvel {
namespace {

__extension__ using u128 = unsigned __int128;

std::uint64_t Magnitude(std::int64_t v) {
    return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

// The position of a cell, exact for every 64-bit cell: ring k (k = max(|x|, |y|) >= 1) holds
// (2k - 1)² + 1 … (2k + 1)², walked north up its east side, west along its north side, south
// down its west side and east along its south side.
u128 PositionOf(std::int64_t x, std::int64_t y) {
    const std::uint64_t ax = Magnitude(x);
    const std::uint64_t ay = Magnitude(y);
    const u128 k = ax > ay ? ax : ay;
    if (k == 0) return 1;
    const u128 inner = (2 * k - 1) * (2 * k - 1);
    // Offsets along a side, as signed 128-bit sums: every term stays far inside the range.
    __extension__ using i128 = __int128;
    const i128 ki = static_cast<i128>(k);
    const bool east = x > 0 && static_cast<u128>(x) == k;
    const bool west = x < 0 && static_cast<u128>(ax) == k;
    const bool north = y < 0 && static_cast<u128>(ay) == k;
    if (east && y < ki) return inner + static_cast<u128>(ki - y);
    if (north) return inner + static_cast<u128>(2 * ki + (ki - x));
    if (west) return inner + static_cast<u128>(4 * ki + (y + ki));
    return inner + static_cast<u128>(6 * ki + (x + ki));
}

}  // namespace

std::optional<std::uint64_t> NumberOfCell(std::uint64_t start, std::int64_t x, std::int64_t y) {
    const u128 number = start + PositionOf(x, y) - 1;
    if (number > kLargestNumber) return std::nullopt;
    return static_cast<std::uint64_t>(number);
}

std::int64_t RingOfCell(std::int64_t x, std::int64_t y) {
    const std::uint64_t k = Magnitude(x) > Magnitude(y) ? Magnitude(x) : Magnitude(y);
    // Rings past 2^63 - 2 have no number anyway; the count stops there rather than wrapping.
    return k >= kLargestNumber ? static_cast<std::int64_t>(kLargestNumber)
                               : static_cast<std::int64_t>(k + 1);
}

bool ClassifyCells(std::uint64_t start, std::int64_t x0, std::int64_t y0, int width, int height,
                   CellKind* kinds, const std::atomic<bool>* cancel) {
    for (int row = 0; row < height; ++row) {
        if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) return false;
        CellKind* out = kinds + static_cast<std::ptrdiff_t>(row) * width;
        for (int column = 0; column < width; ++column) {
            const std::optional<std::uint64_t> n = NumberOfCell(start, x0 + column, y0 + row);
            out[column] = !n              ? CellKind::Beyond
                          : IsPrime64(*n) ? CellKind::Prime
                                          : CellKind::Composite;
        }
    }
    return true;
}

}  // namespace quorvel
