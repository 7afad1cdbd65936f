// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/palette.h"

namespace quorvel {

// Where encoded bytes go, in order; returns why a write failed, or nothing.
using PngSink =
    std::function<std::optional<std::string>(const std::uint8_t* data, std::size_t size)>;

// Everything of a PNG file but its pixels.
struct PngHeader {
    int width = 0;
    int height = 0;
    int bitDepth = 8;          // 1, 2, 4 or 8
    bool truecolour = false;   // 8-bit RGB triples instead of palette indices
    std::vector<Rgb> palette;  // the palette, at most 2^bitDepth entries, unless truecolour
    int dotsPerMetre = 0;      // written when positive
    // Text chunks, keyword and text, both plain ASCII or Latin-1.
    std::vector<std::pair<std::string, std::string>> texts;

    std::size_t RowBytes() const;
};

// Row y of the picture in the file's pixel format (indices packed to the bit depth, first pixel
// in the high bits, or RGB triples): RowBytes() bytes into `out`. Called from several threads
// at once, never twice for the same row.
using PngRowPacker = std::function<void(int y, std::uint8_t* out)>;

struct PngControl {
    // Called on the calling thread with the fraction of rows written so far, 0 … 1.
    std::function<void(double)> progress;
    // Set from anywhere to stop early; EncodePng then returns kPngCancelled.
    const std::atomic<bool>* cancel = nullptr;
    // Threads that deflate; 0 for one a core.
    int threads = 0;
};

// What EncodePng and its helpers return when the cancel flag stopped them.
inline constexpr const char* kPngCancelled = "cancelled";

// Writes a whole PNG file through `sink`. The rows are deflated in bands of rows, one band at a
// time on each of the threads, every band a deflate stream of its own ending on a byte boundary,
// so that joined in order they make the one zlib stream the file needs; each band is written as
// soon as the bands before it are. Only a few bands are in memory at once, whatever the size of
// the picture. Returns why it failed, or nothing.
std::optional<std::string> EncodePng(const PngHeader& header, const PngRowPacker& pack,
                                     const PngSink& sink, const PngControl& control = {});

// A picture of up to 256 colours held as one palette index a pixel.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    // Row y, `width` indices: a pointer into the picture, or into `scratch` (room for `width`
    // bytes) where the row has to be made first. Called from several threads at once.
    std::function<const std::uint8_t*(int y, std::uint8_t* scratch)> row;
    // Optional, for pictures that make rows more cheaply together: rows y … y + count - 1
    // (y a multiple of 8, count at most 8) into `out`, `width` bytes each.
    std::function<void(int y, int count, std::uint8_t* out)> eightRows;
    std::array<Rgb, 256> palette{};
    // The indices the picture may hold (all, unless the picture knows better): reading it can
    // stop as soon as every one of them was found.
    std::array<bool, 256> candidates = AllIndices();
    // The picture holds every one of the candidates: nothing needs reading.
    bool candidatesHeld = false;

    static constexpr std::array<bool, 256> AllIndices() {
        std::array<bool, 256> all{};
        for (bool& b : all)
            b = true;
        return all;
    }
};

// Which of the 256 indices occur in the picture, read on all cores. Nothing when cancelled.
std::optional<std::array<bool, 256>> UsedIndices(const IndexedPicture& picture,
                                                 const PngControl& control = {});

// Writes an indexed picture as a palette PNG that holds only the colours the picture uses,
// packed into the smallest bit depth that holds them (1, 2, 4 or 8 bits a pixel). `header`
// gives the texts and resolution; its size, depth and palette are worked out here. Progress
// runs over reading the picture once and writing it.
std::optional<std::string> EncodeIndexedPng(const IndexedPicture& picture, PngHeader header,
                                            const PngSink& sink, const PngControl& control = {});

}  // namespace quorvel
