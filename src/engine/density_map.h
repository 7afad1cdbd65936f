// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "engine/number_class.h"
#include "engine/palette.h"
#include "engine/spiral_layout.h"
#include "engine/spiral_pass.h"

namespace quorvel {

// Cells per side of one pixel's block in a density map.
inline constexpr int kSmallestDensityBlock = 2;
inline constexpr int kLargestDensityBlock = 999;

// The colour of a density level, 0 (no number of the block marked) … 255 (all of them): a fixed
// ramp from near black through purple, red and orange to pale yellow, whose lightness rises in
// equal steps (OKLab lightness 0.16 + 0.81·t at t = level / 255, hue turning from 290° to 100°,
// as much colour as sRGB holds up to a chroma of 0.05 + 0.15·sin(πt)). Equal differences of the
// share look like equal differences of brightness, and the map reads in grey print as well.
extern const std::array<Rgb, 256> kDensityRamp;

// The level of a share of marked numbers, `marked` of `numbers` (> 0): 255·√share, rounded. The
// square root spreads the small shares that most selections have (the primes are one number in
// 10 to 21 in this range) over the dark half of the ramp, while none stays the darkest level and
// all the brightest.
int DensityLevel(std::int64_t marked, std::int64_t numbers);

// A density map: the picture of the cells a spiral at box size 1 would have, `side`·`block`
// cells a side, shrunk so that each pixel stands for a block × block square of cells and shows
// which share of the numbers in it are marked. Only a count per pixel is kept, never the cells.
class DensityMap {
  public:
    // Walks the spiral from input's start number, marking numbers by input.show (the other
    // settings draw cells and do not matter here). Refusals are the drawing pass's: a start
    // number past 2147483646; an end number past it, except that the outermost ring of pixels
    // may reach beyond the range, so that the whole range fits in a map, its missing numbers
    // counting as none; triangular numbers past 268435455. Checkpoints every 2^20 numbers call
    // the observer's OnProgress() and StopRequested(). The result has the statistics of the
    // numbers walked: geometry.cellsPerSide is side·block, numberOfNumbers how many numbers lie
    // in the range. Throws std::bad_alloc when there is no memory for the counts.
    PassResult Draw(const PassInput& input, int side, int block, PassObserver* observer = nullptr);

    // What Draw() would answer before walking: one of the three refusals, or Drawn.
    static PassOutcome Check(const PassInput& input, int side, int block);

    int Side() const { return side_; }

    // The levels of pixel row y: DensityLevel() of each block's share; 0 where a block holds
    // no number at all.
    void LevelsOfRow(int y, std::uint8_t* out) const;

  private:
    static PassOutcome Validate(const PassInput& input, int side, int block, PassResult& result);
    std::uint32_t CountAt(std::int64_t pixel) const;
    template <typename Count>
    bool Walk(const PassInput& input, PassObserver* observer, PassResult& result,
              std::vector<Count>& counts);

    int side_ = 0;
    int block_ = 1;
    // Marked numbers per pixel, in the narrowest type that holds block² (only one is in use).
    std::vector<std::uint8_t> counts8_;
    std::vector<std::uint16_t> counts16_;
    std::vector<std::uint32_t> counts32_;
    // Pixels whose blocks reach past the number range, and how many of their cells do.
    std::unordered_map<std::int64_t, std::uint32_t> missing_;
    std::vector<std::uint8_t> fullLevels_;  // the level of every count of a whole block
    PrimeWindow primes_;
    std::vector<std::uint64_t> marks_;  // room for a block's marks
};

}  // namespace quorvel
