// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/color_schemes.h"
#include "engine/diagonal_runs.h"
#include "engine/index_grid.h"
#include "engine/number_class.h"
#include "engine/prime_window.h"
#include "engine/surface.h"

namespace quorvel {

// The largest number a picture may hold: the program's one limit, under the window's name.
inline constexpr std::int32_t lngMaxNumber = primelib::kMaxNumber;
inline constexpr int kBannerPoints = 14;

// Everything a drawing pass reads from the controls.
struct PassInput {
    std::string startText = "1";  // the start-number box, digits as typed
    int boxSize = 15;             // cell size in pixels: 1, 3, 5, 7, 15, 21, 35 or 75
    ShowMode show = ShowMode::Primes;
    ColorScheme colorBy = ColorScheme::Cluster;
    bool squares = false;  // squares instead of circles
    bool grid = false;
    bool numerals = false;
    bool calculateLongest = false;
    // While the spiral moves the pass draws no "Calculating" banner.
    bool moving = false;
    std::string calculatingText = "Calculating ...";

    bool operator==(const PassInput&) const = default;
};

// Where the cells lie on the surface.
struct PassGeometry {
    int boxSize = 0;
    int radius = 0;
    int centreX = 0;
    int centreY = 0;
    int cellsPerSide = 0;
    std::int32_t numberOfNumbers = 0;  // cellsPerSide²
};

enum class PassOutcome {
    Drawn,
    Stopped,                  // the Stop button ended the walk; the partial picture stays
    StartNumberTooLarge,      // refused: start number above 2147483646
    EndNumberTooLarge,        // refused: the end number would pass 2147483646
    TriangularStartTooLarge,  // refused: triangular numbers end above 268435455
    // No pass was made because another pass of this engine is still running (an observer
    // hook let input through that asked for a new picture): nothing drawn, flags unchanged,
    // no observer hook called, the result otherwise empty.
    AlreadyRunning,
};

// True for the three refusals of the start number after validation. AlreadyRunning is not
// one of them: the input was never looked at, and it has no refusal message.
inline bool IsRefusal(PassOutcome outcome) {
    return outcome == PassOutcome::StartNumberTooLarge ||
           outcome == PassOutcome::EndNumberTooLarge ||
           outcome == PassOutcome::TriangularStartTooLarge;
}

struct PassResult {
    PassOutcome outcome = PassOutcome::Drawn;
    std::string startText;  // trimmed; "1" when it was empty (the box shows it so)
    PassGeometry geometry;  // set unless the start number was refused
    std::int32_t startNumber = 0;
    std::int32_t endNumber = 0;
    std::int32_t numberShown = 0;
    std::int32_t smallestPrime = 0;  // 0: no marked prime
    std::int32_t largestPrime = 0;
    bool centreIsPrime = false;  // drawn or stopped passes: whether the centre number is prime
    bool runsMeasured = false;
    DiagonalRuns longest;
};

// Flags the rest of the program reads after a pass.
struct PassFlags {
    bool blnSpiralDrawn = false;       // the last pass passed validation and drew
    bool blnEndNumberRefused = false;  // the last pass was refused for its end number

    bool operator==(const PassFlags&) const = default;
};

// How a pass talks to the window that runs it. Every hook has a do-nothing default.
class PassObserver {
  public:
    virtual ~PassObserver() = default;
    // Validation passed and the old picture is still there: controls off, the Stop button at
    // box size 1, the end number and the number of numbers shown (result carries them). The
    // engine's flags already describe this pass.
    virtual void OnDrawingStarts(const PassResult& /*result*/) {}
    // How many numbers apart the walk stops at a checkpoint, at this box size; 0 for none.
    // A window's passes take long enough to need one at box size 1 only; a big picture made
    // in the background wants them at every size, further apart.
    virtual std::int64_t CheckpointEvery(int boxSize) const { return boxSize == 1 ? 1000 : 0; }
    // At each checkpoint, after the surface was refreshed: `done` of the `total` numbers of
    // the picture are drawn.
    virtual void OnProgress(std::int64_t /*done*/, std::int64_t /*total*/) {}
    // Right after OnProgress(): let pending input through and answer whether Stop was
    // pressed. A pass asked for meanwhile on the same engine is refused with AlreadyRunning.
    virtual bool StopRequested() { return false; }
    // Before OnProgress(), at a checkpoint where the picture has not been written yet: whether
    // this checkpoint's StopRequested() may put the picture on screen (or read it otherwise).
    // A box-size-1 pass writes its pixels only at the end and when they may be seen, and until
    // then leaves whatever the picture held.
    virtual bool PictureMayBeShown() { return true; }
    // The walk is over, finished or stopped (its last pixels may still be on their way to the
    // surface).
    virtual void OnWalkFinished() {}
    // The diagonal runs are about to be measured.
    virtual void OnMeasuringRuns() {}
};

// True when a start-number text stands for more than 2147483646: compared as text with
// "2147483646" (longer, or as long and sorting after it), never converted.
bool StartNumberTooLarge(std::string_view text);

// The value of a start-number text: its digits up to the first other character, spaces
// skipped; 0 without digits. Never overflows (saturates at 2^31 - 1).
std::int32_t StartNumberValue(std::string_view text);

// Spaces removed from both ends (the start-number box holds nothing but digits and spaces).
std::string_view TrimSpaces(std::string_view text);

// The text without its leading zeros, but for a last digit: "007" is "7", "000" is "0".
std::string_view WithoutLeadingZeros(std::string_view text);

// Cells per side = height / box size rounded half to even (at least 1), centre at the middle.
PassGeometry ComputeGeometry(int surfaceWidth, int surfaceHeight, int boxSize);

// What a pass of `input` on a surface of this size would answer before drawing: one of the
// three refusals, or Drawn.
PassOutcome CheckPass(const PassInput& input, int width, int height);

// The same answer as the start of a pass's result: the outcome, the start text, and unless the
// start number was refused the geometry and the start and end numbers.
PassResult PlanPass(const PassInput& input, int width, int height);

// The drawing pass: lays the numbers from the centre number outwards on the surface, marks and
// colours them, and measures the statistics and, if asked, the longest diagonal runs. One
// engine serves a window for its whole life and keeps the flags between passes. One pass at a
// time: a pass asked for while another runs (from inside an observer hook) is refused.
class SpiralEngine {
  public:
    PassResult DrawSpiral(const PassInput& input, Surface& surface,
                          PassObserver* observer = nullptr);

    const PassFlags& Flags() const { return flags_; }

  private:
    PassResult Draw(const PassInput& input, Surface& surface, PassObserver* observer);
    // `unwritten`: the picture was not cleared, and the walk writes every pixel. Tells the
    // observer when the walk is over, and measures the runs of a finished walk if asked.
    bool Walk(const PassInput& input, Surface& surface, PassObserver* observer, PassResult& result,
              bool unwritten);

    PrimeWindow primes_;
    // Kept between passes, so that a window's redraws do not ask for the memory every time.
    IndexGrid cells_;     // each cell's colour, where the pass keeps them
    TiledIndices tiles_;  // box size 1 with every number marked: the picture's colours
    // The kind of number marked, restarted from the centre number by every pass, and room
    // for its marks of a block.
    std::unique_ptr<NumberClass> numbers_;
    std::vector<std::uint64_t> marks_;
    PassFlags flags_;
    bool running_ = false;
};

}  // namespace quorvel
