// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "engine/spiral_pass.h"

namespace quorvel {

// The primes at box size 1 in any colour scheme but Cluster, the runs not measured (the
// requests ChooseRenderer gives RendererId::PrimeBits): each
// pixel shows only whether its own number is prime, in a colour from nothing but its own cell,
// so this picture needs no surface. The numbers are sieved into one bit each, an eighth of a
// picture of one byte a pixel (the whole range: 256 MiB), and rows of pixels are made from the
// bits when they are asked for, exactly as a drawing pass on a surface of the same size would
// leave them.
class PrimeBitsPicture {
  public:
    // Sieves the numbers of a square picture `side` pixels a side, numbered as a pass numbers
    // its cells. Returns what the pass would: a refusal, or the statistics of a drawn picture,
    // or Stopped when the observer asked for it at a checkpoint (every 2^23 numbers).
    // Throws std::bad_alloc when there is no memory for the bits.
    PassResult Draw(const PassInput& input, int side, PassObserver* observer = nullptr);

    int Side() const { return side_; }

    // Rows y … y + count - 1 of a drawn picture as palette indices, Side() bytes each: black,
    // and the scheme's colour for a prime. Safe to call from several threads at once.
    void Rows(int y, int count, std::uint8_t* out) const;
    // The palette indices the rows of a drawn picture hold, bit i for index i.
    std::uint32_t Colours() const { return colours_; }

  private:
    struct Columns;
    // Up to eight rows from y on, the primes white.
    void Band(int y, int count, std::uint8_t* out) const;
    // The white primes of row y in the scheme's colours.
    void Colour(int y, std::uint8_t* row) const;
    std::uint32_t ColoursOfPrimes(std::int64_t count) const;
    // The cell x east and y south of the centre has a pixel.
    bool Inside(int x, int y) const {
        return x >= -centreX_ && x < side_ - centreX_ && y >= -centreY_ && y < side_ - centreY_;
    }
    // The bits of the columns east and west of every ring that crosses the 64 rows from
    // `top` (a multiple of 64) on: kept on the calling thread for the bands of those rows.
    const Columns& ColumnsOf(int top) const;
    bool Bit(std::int64_t offset) const {
        return ((bits_[static_cast<std::size_t>(offset >> 6)] >> (offset & 63)) & 1) != 0;
    }
    // Eight or 64 bits from `offset` on, the first one lowest.
    unsigned Byte(std::int64_t offset) const { return static_cast<unsigned>(Word(offset) & 0xFF); }
    std::uint64_t Word(std::int64_t offset) const;

    std::uint64_t drawing_ = 0;  // tells this picture's drawings apart from any other's
    ColorScheme scheme_ = ColorScheme::White;
    int colourCount_ = 1;  // colours in the scheme's cycle
    std::int32_t start_ = 0;
    std::uint32_t colours_ = 0;
    int side_ = 0;
    int centreX_ = 0;
    int centreY_ = 0;
    // Bit k: the number k cells along the walk from the centre is prime and in the picture's
    // range. Covers every pixel's cell, and two words more.
    std::vector<std::uint64_t> bits_;
};

}  // namespace quorvel
