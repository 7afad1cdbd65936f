// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvel {

// Where the moving spiral stands. A paused spiral remembers its direction, so that Resume
// goes on the way it came; a still one has none.
enum class MovingPhase { Still, SpirallingIn, SpirallingOut, PausedIn, PausedOut };

constexpr bool IsMoving(MovingPhase phase) {
    return phase != MovingPhase::Still;
}

constexpr bool IsPaused(MovingPhase phase) {
    return phase == MovingPhase::PausedIn || phase == MovingPhase::PausedOut;
}

// Towards larger central numbers, running or paused.
constexpr bool IsInwards(MovingPhase phase) {
    return phase == MovingPhase::SpirallingIn || phase == MovingPhase::PausedIn;
}

constexpr MovingPhase Spiralling(bool inwards) {
    return inwards ? MovingPhase::SpirallingIn : MovingPhase::SpirallingOut;
}

// A running spiral paused; any other phase as it is.
constexpr MovingPhase Paused(MovingPhase phase) {
    switch (phase) {
        case MovingPhase::SpirallingIn:
            return MovingPhase::PausedIn;
        case MovingPhase::SpirallingOut:
            return MovingPhase::PausedOut;
        default:
            return phase;
    }
}

// A paused spiral running again the way it went; any other phase as it is.
constexpr MovingPhase Resumed(MovingPhase phase) {
    switch (phase) {
        case MovingPhase::PausedIn:
            return MovingPhase::SpirallingIn;
        case MovingPhase::PausedOut:
            return MovingPhase::SpirallingOut;
        default:
            return phase;
    }
}

}  // namespace quorvel
