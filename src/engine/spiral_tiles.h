// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/color_schemes.h"
#include "engine/number_selection.h"
#include "engine/spiral_layout.h"

// The spiral as an unbounded plane of cells, for views that go anywhere: which cells of a
// rectangle are prime, up to 2^63 - 1, and what colour each cell of it has.
namespace quorvel {

enum class CellKind : std::uint8_t { Composite, Prime, Beyond };

// Classifies the cells x0 … x0 + width - 1, y0 … y0 + height - 1 into `kinds` (width * height
// of them, row by row). Returns false, with `kinds` partly written, once `cancel` is set; it is
// looked at once a row or column of cells.
bool ClassifyCells(std::uint64_t start, std::int64_t x0, std::int64_t y0, int width, int height,
                   CellKind* kinds, const std::atomic<bool>* cancel = nullptr);

}  // namespace quorvel

namespace quorvel {

// What ColourCells() gives a cell that is not marked, the background's black (a marked cell
// may be black too) ...
inline constexpr std::uint8_t kUnmarkedCell = 253;
// ... and a cell past 2^63 - 1: neither is a palette index.
inline constexpr std::uint8_t kBeyondCell = 255;

// The palette index of every cell of the rectangle x0 … x0 + width - 1, y0 … y0 + height - 1
// (width * height of them, row by row) in the spiral of `start`, marking the kind of number at
// `show` in `scheme`'s colours: kUnmarkedCell where a cell is not marked, kBeyondCell past
// 2^63 - 1. For
// the schemes whose colour follows from the cell alone and the kinds of number that do not
// depend on the numbers before (the requests ChooseRenderer gives RendererId::Cells). Returns
// false once `cancel` is set, with `out` partly written.
bool ColourCells(std::uint64_t start, ShowMode show, ColorScheme scheme, std::int64_t x0,
                 std::int64_t y0, int width, int height, std::uint8_t* out,
                 const std::atomic<bool>* cancel = nullptr);

}  // namespace quorvel
