// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "engine/spiral_pass.h"
#include "engine/work_share.h"
#include "platform/image_surface.h"

namespace quorvel {

// The moving spiral's next picture, drawn on a thread of the pool while the window shows the
// one before: a tick then only has to put it on screen. It is drawn by the same pass as the
// window's own, on a surface of the same size, so it is the picture the window would draw.
class FrameAhead {
  public:
    FrameAhead(int width, int height);
    ~FrameAhead();
    FrameAhead(const FrameAhead&) = delete;
    FrameAhead& operator=(const FrameAhead&) = delete;

    // Starts drawing `input` in the background; a picture still under way is dropped first.
    void Start(const PassInput& input);
    // If the picture under way is the one for `input`, and drawn: waits for it, trades its
    // pixels with `shown`'s and returns its result. Otherwise drops whatever was under way and
    // returns nothing.
    std::optional<PassResult> Take(const PassInput& input, ImageSurface& shown);
    // Waits for a picture under way and forgets it, leaving the pool's thread free.
    void Drop();

  private:
    SpiralEngine engine_;
    ImageSurface surface_;
    PassResult result_;
    std::optional<PassInput> input_;  // the picture under way, if any
    WorkAhead work_;                  // last: it finishes before what it writes goes
};

}  // namespace quorvel
