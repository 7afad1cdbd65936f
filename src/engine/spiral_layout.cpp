// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/spiral_layout.h"

#include <algorithm>
#include <limits>

#include "engine/number_theory.h"

namespace quorvel {

UInt128 SpiralOffsetWide(std::int64_t x, std::int64_t y) {
    const auto magnitude = [](std::int64_t v) {
        return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    };
    const std::uint64_t r = std::max(magnitude(x), magnitude(y));
    if (r > (std::uint64_t{1} << 62)) return ~UInt128{0};
    // Unsigned arithmetic wraps: a negative row or column taken modulo 2^128 still gives the
    // exact offset, which lies far inside the range.
    return OffsetOnSide<UInt128>(SideOf(x, y), r, static_cast<UInt128>(static_cast<Int128>(x)),
                                 static_cast<UInt128>(static_cast<Int128>(y)));
}

SpiralCell CellOfPosition(std::int64_t position) {
    const std::int64_t offset = position - 1;
    if (offset <= 0) return {};
    const auto root = static_cast<std::int64_t>(IntegerSqrt(static_cast<std::uint64_t>(offset)));
    const std::int64_t r = (root + 1) / 2;  // the odd 2r - 1 is the largest odd at most root
    const std::int64_t j = offset - FirstOffsetOfRadius(r);  // 0 … 8r - 1 along the ring
    const std::int64_t side = 2 * r;
    SpiralCell cell;
    cell.ring = r + 1;
    if (j < side) {
        cell.x = r;
        cell.y = r - 1 - j;
    } else if (j < 2 * side) {
        cell.x = r - 1 - (j - side);
        cell.y = -r;
    } else if (j < 3 * side) {
        cell.x = -r;
        cell.y = -r + 1 + (j - 2 * side);
    } else {
        cell.x = -r + 1 + (j - 3 * side);
        cell.y = r;
    }
    return cell;
}

std::optional<std::int64_t> PositionOfCell(std::int64_t x, std::int64_t y) {
    // Compared before taking absolute values, so that INT64_MIN cannot overflow.
    if (x < -kMaxCellRadius || x > kMaxCellRadius || y < -kMaxCellRadius || y > kMaxCellRadius)
        return std::nullopt;
    return SpiralOffsetOf(x, y) + 1;
}

std::optional<std::uint64_t> NumberOfCell(std::uint64_t start, std::int64_t x, std::int64_t y) {
    const UInt128 offset = SpiralOffsetWide(x, y);
    if (offset > kLargestNumber || start > kLargestNumber - static_cast<std::uint64_t>(offset))
        return std::nullopt;
    return start + static_cast<std::uint64_t>(offset);
}

std::optional<NumberSpan> NumbersOfCells(std::uint64_t start, std::int64_t x0, std::int64_t y0,
                                         std::int64_t x1, std::int64_t y1) {
    std::optional<NumberSpan> span;
    bool beyond = false;
    const auto take = [&](std::int64_t x, std::int64_t y) {
        const std::optional<std::uint64_t> n = NumberOfCell(start, x, y);
        if (!n) {
            beyond = true;
            return;
        }
        if (!span) span = NumberSpan{*n, *n};
        span->least = std::min(span->least, *n);
        span->most = std::max(span->most, *n);
    };
    for (std::int64_t x = x0;; ++x) {
        take(x, y0);
        take(x, y1);
        if (x == x1) break;
    }
    for (std::int64_t y = y0;; ++y) {
        take(x0, y);
        take(x1, y);
        if (y == y1) break;
    }
    if (x0 <= 0 && 0 <= x1 && y0 <= 0 && 0 <= y1) take(0, 0);
    // Where cells pass the largest number, those left inside it may lie within the edge: the
    // largest is then only known not to pass it.
    if (span && beyond) span->most = kLargestNumber;
    return span;
}

const char* RayDirectionName(RayDirection direction) {
    switch (direction) {
        case RayDirection::NE:
            return "NE";
        case RayDirection::NW:
            return "NW";
        case RayDirection::SW:
            return "SW";
        case RayDirection::SE:
            break;
    }
    return "SE";
}

// A ray stays on one side of the rings it crosses (the side its first step lands on), where
// the offset grows by 8r per ring plus a constant for the direction. Written out for radius
// R = r + i: along the north side the offset is 4R² - R - x, so the NW ray (x - i) gives
// 4i² + 8r i + …; the east side counts from the previous ring's odd square, (2R - 1)² + R - 1 - y,
// so its SE ray (y + i) has b = 8r - 4 where the south side's has 8r + 4.
std::optional<CellRays> RaysOfPosition(std::int64_t position, std::int64_t start) {
    if (position < 1 || start < 0 ||
        start > std::numeric_limits<std::int64_t>::max() - position + 1)
        return std::nullopt;
    CellRays out;
    out.position = position;
    out.number = start + (position - 1);
    out.cell = CellOfPosition(position);
    const std::int64_t x = out.cell.x;
    const std::int64_t y = out.cell.y;
    const std::int64_t r = out.cell.ring - 1;
    const bool centre = r == 0;
    const RingSide side = SideOf(x, y);
    const bool ringEnd = x == r && y == r;  // the SE corner, where the walk steps out
    const auto add = [&](RayDirection direction, std::int64_t b) {
        out.rays[out.rayCount++] = {direction, Quadratic{4, b, out.number}};
    };
    if (centre || (x == r && !ringEnd) || y == -r) add(RayDirection::NE, 8 * r - 2);
    if (centre || y == -r || x == -r) add(RayDirection::NW, 8 * r);
    if (centre || x == -r || y == r) add(RayDirection::SW, 8 * r + 2);
    if (centre || y == r || x == r)
        add(RayDirection::SE, side == RingSide::East ? 8 * r - 4 : 8 * r + 4);
    return out;
}

}  // namespace quorvel
