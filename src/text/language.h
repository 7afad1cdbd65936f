// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvel {

// Language indices. Every text of the program exists in these two; any other index reads as
// English.
inline constexpr int intEnglish = 0;
inline constexpr int intGerman = 1;

inline bool IsGerman(int language) {
    return language == intGerman;
}

}  // namespace quorvel
