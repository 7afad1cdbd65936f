// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

// The spiral as an unbounded plane of cells, for views that go anywhere: which number a cell
// holds and which cells of a rectangle are prime. Cell (x, y) lies x columns east and y rows
// south of the centre, where position 1 is; the walk turns as in the drawing pass.
namespace quorvel {

inline constexpr std::uint64_t kLargestNumber = 0x7FFF'FFFF'FFFF'FFFFu;  // 2^63 - 1

enum class CellKind : std::uint8_t { Composite, Prime, Beyond };

// The number of cell (x, y) in the spiral whose central number is `start`: start - 1 plus the
// cell's position. Nothing when it would pass 2^63 - 1, however far out the cell lies.
std::optional<std::uint64_t> NumberOfCell(std::uint64_t start, std::int64_t x, std::int64_t y);

// The ring of a cell, as the explorer counts them: the centre is ring 1.
std::int64_t RingOfCell(std::int64_t x, std::int64_t y);

// Classifies the cells x0 … x0 + width - 1, y0 … y0 + height - 1 into `kinds` (width * height
// of them, row by row). Returns false, with `kinds` partly written, once `cancel` is set; it is
// looked at once a row or column of cells.
bool ClassifyCells(std::uint64_t start, std::int64_t x0, std::int64_t y0, int width, int height,
                   CellKind* kinds, const std::atomic<bool>* cancel = nullptr);

}  // namespace quorvel
