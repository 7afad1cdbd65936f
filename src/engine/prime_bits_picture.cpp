// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/prime_bits_picture.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>

#include "engine/block_sieve.h"
#include "engine/color_schemes.h"
#include "engine/palette.h"
#include "engine/prime_window.h"
#include "engine/spiral_layout.h"
#include "engine/work_share.h"

namespace quorvel {
namespace {

// The palette indices of the picture: the background a pass clears to, and a prime in "White".
constexpr std::uint8_t kBackground = 0;
constexpr auto kPrime = static_cast<std::uint8_t>(kBrightWhite);
static_assert(kPalette[kBackground] == kBlack);

// Numbers sieved by one piece of work (a multiple of 64, so that pieces fill whole words), and
// pieces between two checkpoints.
constexpr std::int64_t kPiece = std::int64_t{1} << 20;
constexpr int kPiecesAtOnce = 8;

// Eight pixels from eight bits, pixel j in byte j of the word: the lowest bit first, or the
// highest first.
constexpr std::array<std::uint64_t, 256> ExpandBits(bool highestFirst) {
    std::array<std::uint64_t, 256> table{};
    for (unsigned bits = 0; bits < 256; ++bits) {
        std::uint64_t pixels = 0;
        for (unsigned j = 0; j < 8; ++j) {
            const unsigned bit = highestFirst ? 7 - j : j;
            const std::uint64_t index = ((bits >> bit) & 1) != 0 ? kPrime : kBackground;
            pixels |= index << (8 * j);
        }
        table[bits] = pixels;
    }
    return table;
}
constexpr std::array<std::uint64_t, 256> kLowestFirst = ExpandBits(false);
constexpr std::array<std::uint64_t, 256> kHighestFirst = ExpandBits(true);

// Eight pixels from one of the tables above into memory, pixel 0 first.
void PutEight(std::uint8_t* out, std::uint64_t pixels) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, &pixels, sizeof pixels);
    } else {
        for (int j = 0; j < 8; ++j)
            out[j] = static_cast<std::uint8_t>(pixels >> (8 * j));
    }
}

// An 8 × 8 matrix of bits, row i in byte i and column j in bit j, turned over its diagonal.
std::uint64_t Transpose8(std::uint64_t x) {
    std::uint64_t t = (x ^ (x >> 7)) & 0x00AA00AA00AA00AAu;
    x ^= t ^ (t << 7);
    t = (x ^ (x >> 14)) & 0x0000CCCC0000CCCCu;
    x ^= t ^ (t << 14);
    t = (x ^ (x >> 28)) & 0x00000000F0F0F0F0u;
    x ^= t ^ (t << 28);
    return x;
}

// Rings this far out and further have sides of eight cells and more, which the eight bits a
// column reads at once need.
constexpr int kLeastRing = 8;

// The colours a prime of the picture may take, bit i for index i.
std::uint32_t SchemeColours(ColorScheme scheme, int colourCount) {
    std::uint32_t colours = 0;
    switch (scheme) {
        case ColorScheme::White:
        case ColorScheme::Cluster:
            colours |= 1u << kPrime;
            break;
        case ColorScheme::Ostrand:
            for (const int c : kOstrandByRemainder)
                colours |= 1u << c;
            break;
        default:
            for (int c = 0; c < colourCount; ++c)
                colours |= 1u << (intColorOffset + c);
    }
    return colours;
}

}  // namespace

// Which colours the primes inside the picture take, which the writer then needs not look for.
// (Not every colour a scheme has: on the diagonals the primes above 2 all lie on every other
// one, so that a cycle of six colours shows three of them, and perhaps one more for 2.)
std::uint32_t PrimeBitsPicture::ColoursOfPrimes(std::int64_t count) const {
    const std::uint32_t all = SchemeColours(scheme_, colourCount_);
    std::uint32_t found = 0;
    const auto look = [&](int x, int y) {
        if (!Inside(x, y)) return;
        CellPlace cell;
        cell.isPrime = true;
        cell.x = x;
        cell.y = y;
        cell.ring = static_cast<int>(RingOf(x, y));
        cell.number = static_cast<std::int32_t>(start_ + SpiralOffsetOf(x, y));
        found |= 1u << OwnCellColor(scheme_, colourCount_, cell);
    };
    if (Bit(0)) look(0, 0);
    WalkSpiralRuns(count, 0, [&](const SpiralRun& run) {
        ForEachSetBit(bits_.data(), run.first, run.length, [&](std::int64_t k) {
            look(run.x + static_cast<int>(k) * run.dx, run.y + static_cast<int>(k) * run.dy);
        });
        return found != all;
    });
    return found;
}

PassResult PrimeBitsPicture::Draw(const PassInput& input, int side, PassObserver* observer) {
    PassResult result = PlanPass(input, side, side);
    bits_.clear();
    side_ = 0;
    colours_ = 0;
    if (IsRefusal(result.outcome)) return result;
    const PassGeometry& g = result.geometry;
    side_ = side;
    centreX_ = g.centreX;
    centreY_ = g.centreY;
    scheme_ = input.colorBy;
    colourCount_ = ColorCountOf(scheme_);
    start_ = result.startNumber;
    // The ring of the pixel farthest from the centre: every pixel's cell comes before its end.
    const std::int64_t far =
        std::max({centreX_, centreY_, side - 1 - centreX_, side - 1 - centreY_});
    bits_.assign(static_cast<std::size_t>(BlockSieve::WordsFor(FirstOffsetOfRadius(far + 1)) + 2),
                 0);
    static std::atomic<std::uint64_t> drawings{0};
    drawing_ = ++drawings;
    if (observer != nullptr) observer->OnDrawingStarts(result);

    const std::int32_t start = result.startNumber;
    const std::int64_t count = g.numberOfNumbers;
    const std::int64_t pieces = (count + kPiece - 1) / kPiece;
    std::vector<std::int32_t> primes(static_cast<std::size_t>(pieces));
    std::atomic<bool> noMemory{false};
    bool finished = true;
    for (std::int64_t first = 0; first < pieces; first += kPiecesAtOnce) {
        const int now = static_cast<int>(std::min<std::int64_t>(kPiecesAtOnce, pieces - first));
        WorkShare::Run(now, [&](int i) {
            const std::int64_t piece = first + i;
            const std::int64_t from = piece * kPiece;
            const std::int64_t to = std::min(from + kPiece, count) - 1;
            std::uint64_t* words = bits_.data() + from / 64;
            try {
                thread_local BlockSieve sieve;
                sieve.Primes(static_cast<std::int32_t>(start + from),
                             static_cast<std::int32_t>(start + to), words);
            } catch (const std::bad_alloc&) {
                noMemory = true;
                return;
            }
            std::int32_t found = 0;
            for (std::int64_t w = 0; w < BlockSieve::WordsFor(to - from + 1); ++w)
                found += BitsSet(words[w]);
            primes[static_cast<std::size_t>(piece)] = found;
        });
        if (noMemory) throw std::bad_alloc();
        if (observer != nullptr) {
            observer->OnProgress(std::min((first + now) * kPiece, count), count);
            if (observer->StopRequested()) {
                finished = false;
                break;
            }
        }
    }
    if (observer != nullptr) observer->OnWalkFinished();
    result.outcome = finished ? PassOutcome::Drawn : PassOutcome::Stopped;
    result.centreIsPrime = Bit(0);
    if (!finished) return result;  // a picture nobody is going to see
    for (const std::int32_t found : primes)
        result.numberShown += found;
    // Every picture but one of a single prime shows some background.
    colours_ = ColoursOfPrimes(count) | (side > 1 || !Bit(0) ? 1u << kBackground : 0u);
    const std::int64_t words = BlockSieve::WordsFor(count);
    for (std::int64_t w = 0; w < words && result.smallestPrime == 0; ++w) {
        if (bits_[static_cast<std::size_t>(w)] != 0)
            result.smallestPrime = static_cast<std::int32_t>(
                start + w * 64 + std::countr_zero(bits_[static_cast<std::size_t>(w)]));
    }
    for (std::int64_t w = words - 1; w >= 0 && result.largestPrime == 0; --w) {
        if (bits_[static_cast<std::size_t>(w)] != 0)
            result.largestPrime = static_cast<std::int32_t>(
                start + w * 64 + 63 - std::countl_zero(bits_[static_cast<std::size_t>(w)]));
    }
    return result;
}

std::uint64_t PrimeBitsPicture::Word(std::int64_t offset) const {
    const auto w = static_cast<std::size_t>(offset >> 6);
    const int shift = static_cast<int>(offset & 63);
    std::uint64_t bits = bits_[w] >> shift;
    if (shift > 0) bits |= bits_[w + 1] << (64 - shift);
    return bits;
}

struct PrimeBitsPicture::Columns {
    std::uint64_t drawing = 0;
    int top = -1;
    int eastFrom = 0;  // the first pixel of the east columns
    int westEnd = 0;   // and past the last one of the west columns
    // The 64 bits of each column from `top` down: east, the first row's in the highest bit;
    // west, the first row's in the lowest.
    std::vector<std::uint64_t> east;
    std::vector<std::uint64_t> west;
};

const PrimeBitsPicture::Columns& PrimeBitsPicture::ColumnsOf(int top) const {
    // A column's bits lie in a word of their own, far from the next column's: read once for
    // eight bands of eight rows, not once a band.
    thread_local Columns kept;
    if (kept.drawing == drawing_ && kept.top == top) return kept;
    kept.drawing = drawing_;
    kept.top = top;
    const int dyTop = top - centreY_;
    const int dyBottom = std::min(top + 64, side_) - 1 - centreY_;
    const int outward = std::max({std::abs(dyTop), std::abs(dyBottom), kLeastRing - 1}) + 1;
    kept.eastFrom = std::clamp(centreX_ + outward, 0, side_);
    kept.westEnd = std::clamp(centreX_ - outward + 1, 0, side_);
    try {
        kept.east.resize(static_cast<std::size_t>(side_ - kept.eastFrom));
        kept.west.resize(static_cast<std::size_t>(kept.westEnd));
    } catch (const std::bad_alloc&) {
        // The rows are asked for on threads that have nobody to tell: without the room, every
        // band reads its columns itself.
        kept.top = -1;
        kept.eastFrom = side_;
        kept.westEnd = 0;
        return kept;
    }
    for (int px = kept.eastFrom; px < side_; ++px) {
        const std::int64_t first = EastSideOffset<std::int64_t>(px - centreX_, dyTop);
        kept.east[static_cast<std::size_t>(px - kept.eastFrom)] = Word(first - 63);
    }
    for (int px = 0; px < kept.westEnd; ++px) {
        kept.west[static_cast<std::size_t>(px)] =
            Word(WestSideOffset<std::int64_t>(centreX_ - px, dyTop));
    }
    return kept;
}

void PrimeBitsPicture::Rows(int y, int count, std::uint8_t* out) const {
    // Bands of eight rows from multiples of 8, which never cross a multiple of 64.
    for (int k = 0; k < count;) {
        const int rows = std::min(count - k, 8 - ((y + k) & 7));
        Band(y + k, rows, out + static_cast<std::ptrdiff_t>(k) * side_);
        k += rows;
    }
    if (scheme_ == ColorScheme::White) return;
    for (int k = 0; k < count; ++k)
        Colour(y + k, out + static_cast<std::ptrdiff_t>(k) * side_);
}

// Primes are a pixel in a dozen or fewer: each one's colour is worked out from its cell, and
// eight pixels without one are passed over at a time.
void PrimeBitsPicture::Colour(int y, std::uint8_t* row) const {
    CellPlace cell;
    cell.isPrime = true;
    cell.y = y - centreY_;
    const bool byNumber = scheme_ == ColorScheme::Sequence || scheme_ == ColorScheme::Ostrand;
    const int side = side_;
    for (int px = 0; px < side; px += 8) {
        const int pixels = std::min(8, side - px);
        if (pixels == 8) {
            std::uint64_t eight = 0;
            std::memcpy(&eight, row + px, sizeof eight);
            if (eight == 0) continue;
        }
        for (int j = px; j < px + pixels; ++j) {
            if (row[j] == kBackground) continue;
            cell.x = j - centreX_;
            cell.ring = static_cast<int>(RingOf(cell.x, cell.y));
            if (byNumber)
                cell.number = static_cast<std::int32_t>(start_ + SpiralOffsetOf(cell.x, cell.y));
            row[j] = static_cast<std::uint8_t>(OwnCellColor(scheme_, colourCount_, cell));
        }
    }
}

// A band of rows, cell by cell where the walk turns and eight pixels at a time elsewhere. A
// row's own ring crosses it from the ring's corner to corner, numbers one after another: west
// along the north side above the centre, east along the south side below. Outside that span
// each pixel lies on the east or west side of a ring of its own, where the pixels of one column
// hold numbers one after another down the band.
void PrimeBitsPicture::Band(int y, int count, std::uint8_t* out) const {
    const int side = side_;
    const auto row = [&](int k) { return out + static_cast<std::ptrdiff_t>(k) * side; };
    const auto pixel = [&](int px, int k) {
        const bool prime = Bit(SpiralOffsetOf(px - centreX_, y + k - centreY_));
        row(k)[px] = prime ? kPrime : kBackground;
    };
    const int dy0 = y - centreY_;  // the first row, rows south of the centre
    int reach = 0;                 // the band's row farthest from the centre row
    for (int k = 0; k < count; ++k)
        reach = std::max(reach, std::abs(dy0 + k));
    // Rings this far out cross every row of the band on their east and west sides.
    const int outward = std::max(reach + 1, kLeastRing);
    const int eastFrom = std::clamp(centreX_ + outward, 0, side);
    const int westEnd = std::clamp(centreX_ - outward + 1, 0, side);
    // Further out they cross all 64 rows around the band, and their bits are kept.
    const Columns& kept = ColumnsOf(y & ~63);
    const int shift = y & 63;  // the band's first row among the kept ones

    // East sides: eight columns at a time. A column's numbers fall down the band: its eight
    // bits, the lowest one the eighth row's, turned into eight rows.
    int px = eastFrom;
    for (; px + 8 <= side; px += 8) {
        std::uint64_t columns = 0;
        for (int j = 0; j < 8; ++j) {
            const int column = px + j;
            std::uint64_t bits = 0;
            if (column >= kept.eastFrom) {
                // The band's rows from bit 63 - shift down, as the eight bits end up below.
                const std::uint64_t word =
                    kept.east[static_cast<std::size_t>(column - kept.eastFrom)];
                bits = (shift <= 56 ? word >> (56 - shift) : word << (shift - 56)) & 0xFF;
            } else {
                bits = Byte(EastSideOffset<std::int64_t>(column - centreX_, dy0) - 7);
            }
            columns |= bits << (8 * j);
        }
        const std::uint64_t rows = Transpose8(columns);
        for (int k = 0; k < count; ++k)
            PutEight(row(k) + px, kLowestFirst[(rows >> (8 * (7 - k))) & 0xFF]);
    }
    for (; px < side; ++px)
        for (int k = 0; k < count; ++k)
            pixel(px, k);
    // West sides: the same, the numbers rising down the band.
    px = 0;
    for (; px + 8 <= westEnd; px += 8) {
        std::uint64_t columns = 0;
        for (int j = 0; j < 8; ++j) {
            const int column = px + j;
            std::uint64_t bits = 0;
            if (column < kept.westEnd) {
                bits = (kept.west[static_cast<std::size_t>(column)] >> shift) & 0xFF;
            } else {
                bits = Byte(WestSideOffset<std::int64_t>(centreX_ - column, dy0));
            }
            columns |= bits << (8 * j);
        }
        const std::uint64_t rows = Transpose8(columns);
        for (int k = 0; k < count; ++k)
            PutEight(row(k) + px, kLowestFirst[(rows >> (8 * k)) & 0xFF]);
    }
    for (; px < westEnd; ++px)
        for (int k = 0; k < count; ++k)
            pixel(px, k);

    // Between them, row by row: the row's own ring side, and its ends cell by cell.
    for (int k = 0; k < count; ++k) {
        const int dy = dy0 + k;
        const int h = std::abs(dy);
        const int from = std::max(westEnd, centreX_ - h);
        const int to = std::min(eastFrom, centreX_ + h + 1);  // past the ring's span
        for (px = westEnd; px < std::min(from, eastFrom); ++px)
            pixel(px, k);
        px = std::max(px, from);
        if (h >= kLeastRing) {
            const std::int64_t r = h;
            if (dy > 0) {
                // The south side, numbers rising eastwards.
                for (; px + 8 <= to; px += 8)
                    PutEight(row(k) + px,
                             kLowestFirst[Byte(SouthSideOffset<std::int64_t>(r, px - centreX_))]);
            } else {
                // The north side, numbers falling eastwards.
                for (; px + 8 <= to; px += 8)
                    PutEight(
                        row(k) + px,
                        kHighestFirst[Byte(NorthSideOffset<std::int64_t>(r, px + 7 - centreX_))]);
            }
        }
        for (; px < eastFrom; ++px)
            pixel(px, k);
    }
}

}  // namespace quorvel
