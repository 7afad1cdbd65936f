// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/cell_marks.h"

#include <charconv>

namespace quorvel {

void DrawMarkedShape(Surface& surface, const RasterView& raster, const MarkStyle& style, int x,
                     int y, int c, std::int32_t n) {
    const Rgb rgb = PaletteRgb(c);
    const int b = style.boxSize;
    char digits[12];
    const auto length =
        static_cast<int>(std::to_chars(digits, digits + sizeof digits, n).ptr - digits);
    const int h = (b - 1) / 2;
    // Black Ostrand marks would vanish on the black background: they get a white outline.
    const bool blackOstrand = style.scheme == ColorScheme::Ostrand && c == 0;
    surface.SetFillColor(rgb);
    if (style.squares) {
        if (blackOstrand && style.show != ShowMode::All && b >= 3) {
            surface.DrawBox(x - h, y - h, x + h, y + h, kWhite);
        } else {
            surface.FillBox(x - h, y - h, x + h, y + h, rgb);
        }
    } else {
        surface.DrawCircle(x, y, style.radius, blackOstrand && b > 3 ? kWhite : rgb);
    }
    // Numerals need room: about six pixels a digit.
    if (style.numerals && b > 7 && b / 6.0 >= length) {
        const int textX = style.squares ? x - h - 1 : x - 4 - 2 * length;
        const int textY = style.squares ? y - h : y - 5;
        DrawNumeral(surface, raster, x, y, c,
                    std::string_view(digits, static_cast<std::size_t>(length)), textX, textY);
    }
}

bool StampSmallMark(const RasterView& raster, const MarkStyle& style, int x, int y, int c) {
    if (style.boxSize != 3) return false;
    if (style.squares) {
        if (style.scheme == ColorScheme::Ostrand && c == 0 && style.show != ShowMode::All)
            return false;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx)
                raster.WriteIndex(x + dx, y + dy, c);
        }
        return true;
    }
    raster.WriteIndex(x, y - 1, c);
    raster.WriteIndex(x - 1, y, c);
    raster.WriteIndex(x, y, c);
    raster.WriteIndex(x + 1, y, c);
    raster.WriteIndex(x, y + 1, c);
    return true;
}

void DrawNumeral(Surface& surface, const RasterView& raster, int x, int y, int c,
                 std::string_view numeral, int textX, int textY) {
    surface.DrawText(textX, textY, numeral, kNumeralPoints, NumeralTextColor(PaletteRgb(c)));
    raster.WriteIndex(x, y, c);
}

Rgb NumeralTextColor(Rgb rgb) {
    switch (rgb) {
        case 0x00FF00:  // light green
        case 0xFFFF00:  // yellow
        case 0xFF00FF:  // light magenta
        case 0x00FFFF:  // light cyan
        case 0xFFFFFF:  // white
            return kBlack;
        default:
            return kWhite;
    }
}

void DrawGridMark(Surface& surface, const RasterView& raster, const MarkStyle& style, int x, int y,
                  Corner corner) {
    if (style.boxSize < 15 || !style.grid || style.show == ShowMode::All) return;
    const double b = style.boxSize / 3.0;
    const auto line = [&](double x1, double y1, double x2, double y2) {
        surface.DrawLine(x1, y1, x2, y2, lngGridColor);
    };
    switch (corner) {
        case Corner::NE:
            line(x - b, y, x - 1, y);
            line(x, y + 1, x, y + b);
            break;
        case Corner::NW:
            line(x + 1, y, x + b, y);
            line(x, y + 1, x, y + b);
            break;
        case Corner::SW:
            line(x + 1, y, x + b, y);
            line(x, y - b, x, y - 1);
            break;
        case Corner::SE:
            line(x - b, y, x - 1, y);
            line(x, y - 1, x, y - b);
            break;
        case Corner::None:
            raster.Write(x + 1, y, lngGridColor);
            break;
    }
}

void MarkCentreOnGrid(const RasterView& raster, const MarkStyle& style, int centreX, int centreY) {
    if (style.grid) raster.Write(centreX + 1, centreY, lngGridColor);
}

}  // namespace quorvel
