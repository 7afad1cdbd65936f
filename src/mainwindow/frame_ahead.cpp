// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/frame_ahead.h"

namespace quorvel {

FrameAhead::FrameAhead(int width, int height) : surface_(width, height) {}

FrameAhead::~FrameAhead() {
    Drop();
}

void FrameAhead::Start(const PassInput& input) {
    Drop();
    input_ = input;
    // No observer: nothing in the background may touch the window. The window plays the
    // hooks that matter once it shows the picture.
    work_.Start([this] { result_ = engine_.DrawSpiral(*input_, surface_); });
}

std::optional<PassResult> FrameAhead::Take(const PassInput& input, ImageSurface& shown) {
    const bool wanted = input_ && *input_ == input;
    // Finished either way: nothing of the picture is looked at before. A picture that could
    // not be drawn (memory ran short on its thread) is drawn by the window instead.
    const bool drawn = work_.Finish();
    input_.reset();
    if (!wanted || !drawn || result_.outcome != PassOutcome::Drawn ||
        shown.Width() != surface_.Width() || shown.Height() != surface_.Height()) {
        return std::nullopt;
    }
    shown.SwapPicture(surface_);
    return result_;
}

void FrameAhead::Drop() {
    work_.Finish();
    input_.reset();
}

}  // namespace quorvel
