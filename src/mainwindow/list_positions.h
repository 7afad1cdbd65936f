// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

#include "engine/color_schemes.h"
#include "engine/number_selection.h"

namespace quorvel {

// What the positions of the window's fixed lists stand for. The show and colour lists follow
// the engine's ShowMode and ColorScheme, whose values are their positions; the language list
// carries each language as its item data.

// The size list: cell sizes in pixels, finest first.
inline constexpr std::array<int, 8> kBoxSizes = {1, 3, 5, 7, 15, 21, 35, 75};

// The position of `size` in the size list; -1 when the list has no such size.
constexpr int BoxSizePosition(int size) {
    for (std::size_t i = 0; i < kBoxSizes.size(); ++i) {
        if (kBoxSizes[i] == size) return static_cast<int>(i);
    }
    return -1;
}

// The cell size at a position of the size list.
constexpr int BoxSizeAt(int position) {
    return kBoxSizes.at(static_cast<std::size_t>(position));
}

// The clock-rate list: ticks a second, and the clock's interval that gives them.
struct ClockRate {
    int ticksPerSecond;
    int intervalMs;
};
inline constexpr std::array<ClockRate, 3> kClockRates = {{{1, 1000}, {2, 500}, {4, 250}}};

// The position of `ticksPerSecond` in the clock-rate list; -1 when the list has no such rate.
constexpr int ClockRatePosition(int ticksPerSecond) {
    for (std::size_t i = 0; i < kClockRates.size(); ++i) {
        if (kClockRates[i].ticksPerSecond == ticksPerSecond) return static_cast<int>(i);
    }
    return -1;
}

constexpr int PositionOf(ShowMode show) {
    return static_cast<int>(show);
}

constexpr int PositionOf(ColorScheme scheme) {
    return static_cast<int>(scheme);
}

}  // namespace quorvel
