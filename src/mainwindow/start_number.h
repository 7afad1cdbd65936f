// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvel {

// Character codes the start-number filter knows by name.
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyEnter = 13;

// The keys the start-number box takes: the digits, Backspace, and Ctrl+C, Ctrl+V and Ctrl+X
// (3, 22, 24) for the clipboard.
constexpr bool IsAllowedKey(int keyAscii) {
    return keyAscii == 3 || keyAscii == kKeyBackspace || keyAscii == 22 || keyAscii == 24 ||
           (keyAscii >= '0' && keyAscii <= '9');
}

}  // namespace quorvel
