// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdio>

// Percent done on one line of stderr that rewrites itself, for pictures that take a while: shown
// only when stderr is a terminal (never into a log or a pipe) and the picture has more than
// kCellsWorthShowing cells.
class ProgressMeter {
  public:
    static constexpr std::int64_t kCellsWorthShowing = 10'000'000;

    ProgressMeter(std::int64_t cells, std::FILE* stream = stderr);
    ~ProgressMeter();
    ProgressMeter(const ProgressMeter&) = delete;
    ProgressMeter& operator=(const ProgressMeter&) = delete;

    bool Shown() const { return shown_; }
    // Prints the percent when it changed.
    void Update(double fraction);
    // Ends the line, so that later messages start on a line of their own.
    void Finish();

  private:
    std::FILE* stream_;
    bool shown_;
    int percent_ = -1;
};
