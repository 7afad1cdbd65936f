// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress_meter.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>

ProgressMeter::ProgressMeter(std::int64_t cells, std::FILE* stream)
    : stream_(stream), shown_(cells > kCellsWorthShowing && isatty(fileno(stream)) == 1) {}

ProgressMeter::~ProgressMeter() {
    Finish();
}

void ProgressMeter::Update(double fraction) {
    if (!shown_) return;
    const int percent = static_cast<int>(std::floor(std::clamp(fraction, 0.0, 1.0) * 100));
    if (percent == percent_) return;
    percent_ = percent;
    std::fprintf(stream_, "\rspiral-render: %3d%%", percent);
    std::fflush(stream_);
}

void ProgressMeter::Finish() {
    if (!shown_ || percent_ < 0) return;
    std::fputc('\n', stream_);
    std::fflush(stream_);
    percent_ = -1;
}
