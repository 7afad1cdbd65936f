// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <atomic>
#include <functional>
#include <optional>

#include "engine/spiral_pass.h"
#include "platform/file_writing.h"

namespace quorvel {

// Sides of an exported picture in pixels. The largest holds the whole number range at box
// size 1; numerals need full colour, four bytes a pixel, and stop at a quarter of that area.
inline constexpr int kSmallestPictureSide = 3;
inline constexpr int kLargestPictureSide = 46339;
inline constexpr int kLargestNumeralsSide = 8192;

// A picture to make and write as PNG.
struct ExportSettings {
    // What it shows, as in the window; the moving spiral and the banner text play no part. The
    // longest runs, when asked for, are measured after the walk, a few seconds on the largest
    // pictures that no cancel flag shortens: leave them out where nobody reads them.
    PassInput pass;
    int side = 527;  // pixels a side
    // 0 for a picture of cells; K = 2 … 999 for a density map whose pixels each stand for a
    // K × K block of cells (then only the start number and the show mode matter).
    int density = 0;
};

enum class ExportStatus {
    Written,      // the file is complete and in place
    Refused,      // the numbers do not fit: pass.outcome says which refusal
    Cancelled,    // the cancel flag stopped it
    WriteFailed,  // the file could not be written: `error` is the system's reason
    Failed,       // anything else (bad settings, no memory): `error` says what
};

struct ExportResult {
    ExportStatus status = ExportStatus::Failed;
    // The statistics of what was drawn (a density map's are those of the numbers it covers).
    PassResult pass;
    QString error;
};

// Called with the fraction done, 0 … 1, rising; on the thread that runs ExportPicture.
using ExportProgress = std::function<void(double fraction)>;

// What is wrong with the settings themselves, in English, or nothing: a side outside
// kSmallestPictureSide … kLargestPictureSide, numerals on a picture of cells wider than
// kLargestNumeralsSide, a density outside 2 … 999.
std::optional<QString> ExportSettingsProblem(const ExportSettings& settings);

// The refusal the drawing would meet (start or end number too large, triangular numbers too
// large), or Drawn; cheap, nothing is drawn.
PassOutcome ExportRefusal(const ExportSettings& settings);

// How many numbers the picture covers, and about how much memory drawing it takes (the
// picture held while it is encoded), before anything is drawn.
struct ExportCost {
    std::int64_t numbers = 0;
    std::int64_t bytes = 0;
};
ExportCost CostOf(const ExportSettings& settings);

// Draws the picture and writes it to `path` as PNG with its settings in text chunks. Meant to
// run on a worker thread: it has its own engine and touches nothing shared. Pictures without
// numerals are held at one byte a pixel, density maps as one count a pixel; the file is
// written through a temporary file, so a cancelled or failed export leaves no file behind and
// an old file of that name is replaced only by a complete new one. `cancel` may be set at any
// time from any thread; the export then stops within a fraction of a second.
ExportResult ExportPicture(const ExportSettings& settings, const QString& path,
                           const ExportProgress& progress = {},
                           const std::atomic<bool>* cancel = nullptr);
// The same into a writer made by the caller: one that refuses pipes and devices, or writes to
// standard output. A writer stopped by `cancel` makes the export Cancelled.
ExportResult ExportPicture(const ExportSettings& settings, SafeFileWriter& file,
                           const ExportProgress& progress = {},
                           const std::atomic<bool>* cancel = nullptr);

}  // namespace quorvel
