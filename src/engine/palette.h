// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace quorvel {

// A 24-bit colour as 0xRRGGBB.
using Rgb = std::uint32_t;

inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kYellow = 0xFFFF00;
inline constexpr Rgb kRed = 0xFF0000;

// What a read outside the picture returns: no 24-bit colour, so no palette index either.
inline constexpr Rgb kNoColor = 0xFF000000;

// The standard 16-colour PC palette. Cell colours travel as indices into it and become RGB
// only when drawn.
inline constexpr std::array<Rgb, 16> kPalette = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

inline constexpr int kBrightWhite = 15;

// RGB of a palette index; an index outside 0 … 15 draws black.
constexpr Rgb PaletteRgb(int index) {
    return index >= 0 && index < static_cast<int>(kPalette.size()) ? kPalette[index] : kBlack;
}

// First palette index whose colour is `rgb`, or -1.
constexpr int PaletteIndexOf(Rgb rgb) {
    for (int i = 0; i < static_cast<int>(kPalette.size()); ++i) {
        if (kPalette[i] == rgb) return i;
    }
    return -1;
}

}  // namespace quorvel
