// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "engine/surface.h"

namespace quorvel::testing {

// A surface in plain memory for engine tests. Pixels and boxes are exact; circles are discs;
// every shape and text call is also written to a log so tests can see what was asked for.
class MemorySurface : public Surface {
  public:
    struct Call {
        std::string what;  // "line", "fill", "box", "circle", "text", "refresh", "clear"
        int x = 0, y = 0, x2 = 0, y2 = 0;
        Rgb color = 0;
        Rgb fill = 0;
        std::string text;
        int points = 0;
    };

    MemorySurface(int width, int height)
        : width_(width), height_(height), pixels_(std::size_t(width) * height, 0xFF000000u) {}

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    Rgb Background() const override { return background_; }
    void Clear(Rgb background) override {
        background_ = background;
        std::fill(pixels_.begin(), pixels_.end(), 0xFF000000u | background);
        Log("clear", 0, 0, 0, 0, background);
    }
    RasterView Raster() override { return {pixels_.data(), width_, width_, height_}; }
    void DrawLine(double x1, double y1, double x2, double y2, Rgb color) override {
        Log("line", int(std::lround(x1)), int(std::lround(y1)), int(std::lround(x2)),
            int(std::lround(y2)), color);
    }
    void FillBox(int x1, int y1, int x2, int y2, Rgb color) override {
        Log("fill", x1, y1, x2, y2, color);
        Paint(x1, y1, x2, y2, color);
    }
    void SetFillColor(Rgb color) override { fill_ = color; }
    void DrawBox(int x1, int y1, int x2, int y2, Rgb outline) override {
        Log("box", x1, y1, x2, y2, outline);
        Paint(x1, y1, x2, y2, outline);
        Paint(x1 + 1, y1 + 1, x2 - 1, y2 - 1, fill_);
    }
    void DrawCircle(int cx, int cy, int r, Rgb outline) override {
        Log("circle", cx, cy, r, 0, outline);
        const RasterView raster = Raster();
        for (int y = cy - r; y <= cy + r; ++y) {
            for (int x = cx - r; x <= cx + r; ++x) {
                const double d = std::hypot(x - cx, y - cy);
                if (d <= r + 0.5) raster.Write(x, y, d > r - 0.5 ? outline : fill_);
            }
        }
    }
    void DrawText(int x, int y, std::string_view text, int points, Rgb color) override {
        Log("text", x, y, 0, 0, color);
        calls.back().text = std::string(text);
        calls.back().points = points;
    }
    void Refresh() override { ++refreshes; }

    int CountCalls(const std::string& what) const {
        int n = 0;
        for (const Call& c : calls)
            n += c.what == what;
        return n;
    }

    std::vector<Call> calls;
    int refreshes = 0;

  private:
    void Log(const char* what, int x, int y, int x2, int y2, Rgb color) {
        Call call;
        call.what = what;
        call.x = x;
        call.y = y;
        call.x2 = x2;
        call.y2 = y2;
        call.color = color;
        call.fill = fill_;
        calls.push_back(call);
    }
    void Paint(int x1, int y1, int x2, int y2, Rgb color) {
        const RasterView raster = Raster();
        for (int y = y1; y <= y2; ++y) {
            for (int x = x1; x <= x2; ++x)
                raster.Write(x, y, color);
        }
    }

    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
    Rgb background_ = kBlack;
    Rgb fill_ = kBlack;
};

}  // namespace quorvel::testing
