// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/picture_request.h"

#include <algorithm>
#include <array>
#include <string>

#include "engine/spiral_pass.h"

namespace quorvel {
namespace {

bool IsKnownScheme(ColorScheme scheme) {
    return static_cast<int>(scheme) >= 0 && static_cast<int>(scheme) < kColorSchemeCount;
}

bool ServesDensity(const PictureRequest& r) {
    return r.density > 0 && !r.wholePlane && r.Centred();
}

// Each pixel a number whose colour comes from its own cell and its primality.
bool ServesPrimeBits(const PictureRequest& r) {
    return r.density == 0 && !r.wholePlane && r.Centred() && r.cellSize == 1 &&
           r.width == r.height && r.show == ShowMode::Primes && IsKnownScheme(r.scheme) &&
           r.scheme != ColorScheme::Cluster && !r.runs;
}

bool ServesPass(const PictureRequest& r) {
    return r.density == 0 && !r.wholePlane && r.Centred();
}

bool ServesCells(const PictureRequest& r) {
    return r.density == 0 && r.wholePlane && !r.runs && ColourFollowsFromCell(r.scheme) &&
           IsKnownShowMode(r.show) && !MakeNumberClass(r.show)->Sequential();
}

bool ServesWalkedCells(const PictureRequest& r) {
    return r.density == 0 && r.wholePlane && !r.runs && IsKnownScheme(r.scheme) &&
           WithinWalkReach(r);
}

constexpr std::array<Renderer, 5> kRenderers = {{
    {RendererId::Density, "density map", ServesDensity},
    {RendererId::PrimeBits, "prime bits", ServesPrimeBits},
    {RendererId::Pass, "drawing pass", ServesPass},
    {RendererId::Cells, "cells", ServesCells},
    {RendererId::WalkedCells, "walked cells", ServesWalkedCells},
}};

}  // namespace

PictureRequest RequestOf(const PassInput& input, int width, int height, int density) {
    PictureRequest r;
    r.start = static_cast<std::uint64_t>(StartNumberValue(TrimSpaces(input.startText)));
    r.width = width;
    r.height = height;
    r.cellSize = density > 0 ? 1 : std::max(input.boxSize, 1);
    r.show = input.show;
    r.scheme = input.colorBy;
    r.squares = input.squares;
    r.grid = input.grid;
    r.numerals = input.numerals;
    r.runs = input.calculateLongest;
    r.density = density;
    return r;
}

PassInput PassInputOf(const PictureRequest& r) {
    PassInput in;
    in.startText = std::to_string(r.start);
    in.boxSize = r.cellSize;
    in.show = r.show;
    in.colorBy = r.scheme;
    in.squares = r.squares;
    in.grid = r.grid;
    in.numerals = r.numerals;
    in.calculateLongest = r.runs;
    in.moving = true;
    return in;
}

std::span<const Renderer> Renderers() {
    return kRenderers;
}

RendererId ChooseRenderer(const PictureRequest& request) {
    for (const Renderer& renderer : kRenderers)
        if (renderer.serves(request)) return renderer.id;
    return RendererId::None;
}

bool ColourFollowsFromCell(ColorScheme scheme) {
    return IsKnownScheme(scheme) && scheme != ColorScheme::Cluster;
}

std::int64_t FarthestRadius(const PictureRequest& r) {
    const CellGrid grid = r.Grid();
    const auto [x0, y0] = grid.CellAt(0, 0);
    const auto [x1, y1] = grid.CellAt(std::max(r.width, 1) - 1, std::max(r.height, 1) - 1);
    return std::max({RadiusOf(x0, y0), RadiusOf(x1, y1), RadiusOf(x0, y1), RadiusOf(x1, y0)});
}

bool WithinWalkReach(const PictureRequest& r) {
    const std::int64_t radius = FarthestRadius(r);
    if (radius > kWalkRadius) return false;
    const std::int64_t cells = (2 * radius + 1) * (2 * radius + 1);
    return r.start <= static_cast<std::uint64_t>(lngMaxNumber - cells + 1);
}

}  // namespace quorvel
