// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/spiral_layout.h"

// The spiral as an unbounded plane of cells, for views that go anywhere: which cells of a
// rectangle are prime, up to 2^63 - 1.
namespace quorvel {

enum class CellKind : std::uint8_t { Composite, Prime, Beyond };

// Classifies the cells x0 … x0 + width - 1, y0 … y0 + height - 1 into `kinds` (width * height
// of them, row by row). Returns false, with `kinds` partly written, once `cancel` is set; it is
// looked at once a row or column of cells.
bool ClassifyCells(std::uint64_t start, std::int64_t x0, std::int64_t y0, int width, int height,
                   CellKind* kinds, const std::atomic<bool>* cancel = nullptr);

}  // namespace quorvel
