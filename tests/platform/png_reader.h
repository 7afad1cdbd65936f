// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <zlib.h>

#include <QFile>
#include <QString>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace quorvel::testing {

// A PNG file taken apart without Qt: every chunk's CRC checked, the pixel data inflated by zlib
// (which checks the stream's own checksum), palette pictures unpacked to one index a pixel.
struct PngFile {
    std::string error;  // empty when the file is sound
    int width = 0;
    int height = 0;
    int bitDepth = 0;
    int colorType = 0;
    std::vector<std::uint32_t> palette;  // 0xRRGGBB
    std::map<std::string, std::string> texts;
    std::vector<std::uint8_t> indices;  // palette pictures: width x height indices
};

inline std::uint32_t BigEndian(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

inline PngFile Unreadable(std::string why) {
    PngFile png;
    png.error = std::move(why);
    return png;
}

inline PngFile ReadPngFile(const QString& path) {
    PngFile png;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return Unreadable("cannot open");
    const QByteArray bytes = file.readAll();
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const auto size = static_cast<std::size_t>(bytes.size());
    if (size < 8 || bytes.left(8) != QByteArray("\x89PNG\r\n\x1a\n", 8))
        return Unreadable("no signature");
    std::vector<std::uint8_t> idat;
    bool ended = false;
    for (std::size_t at = 8; at < size && !ended;) {
        if (at + 12 > size) return Unreadable("truncated chunk");
        const std::uint32_t length = BigEndian(data + at);
        if (at + 12 + length > size) return Unreadable("truncated chunk");
        const std::string type(reinterpret_cast<const char*>(data + at + 4), 4);
        const std::uint8_t* body = data + at + 8;
        if (crc32(0, data + at + 4, length + 4) != BigEndian(body + length))
            return Unreadable("bad CRC");
        if (type == "IHDR") {
            png.width = int(BigEndian(body));
            png.height = int(BigEndian(body + 4));
            png.bitDepth = body[8];
            png.colorType = body[9];
        } else if (type == "PLTE") {
            for (std::uint32_t i = 0; i + 2 < length; i += 3)
                png.palette.push_back(std::uint32_t(body[i]) << 16 | body[i + 1] << 8 |
                                      body[i + 2]);
        } else if (type == "tEXt") {
            const std::string text(reinterpret_cast<const char*>(body), length);
            const auto zero = text.find('\0');
            png.texts[text.substr(0, zero)] = text.substr(zero + 1);
        } else if (type == "IDAT") {
            idat.insert(idat.end(), body, body + length);
        } else if (type == "IEND") {
            ended = true;
        }
        at += 12 + length;
    }
    if (!ended) return Unreadable("no IEND");
    if (png.colorType != 3) return png;  // only palette pictures are unpacked

    const std::size_t rowBytes = (std::size_t(png.width) * png.bitDepth + 7) / 8;
    std::vector<std::uint8_t> raw((rowBytes + 1) * png.height + 1);
    z_stream zs{};
    inflateInit(&zs);
    zs.next_in = idat.data();
    zs.avail_in = static_cast<uInt>(idat.size());
    zs.next_out = raw.data();
    zs.avail_out = static_cast<uInt>(raw.size());
    const int status = inflate(&zs, Z_FINISH);
    const auto produced = zs.total_out;
    inflateEnd(&zs);
    if (status != Z_STREAM_END) return Unreadable("bad zlib stream: " + std::to_string(status));
    if (produced != (rowBytes + 1) * png.height) return Unreadable("wrong amount of pixel data");
    for (int y = 0; y < png.height; ++y) {
        const std::uint8_t* line = raw.data() + y * (rowBytes + 1);
        if (line[0] != 0) return Unreadable("a filter this reader does not undo");
        for (int x = 0; x < png.width; ++x) {
            const int bit = x * png.bitDepth;
            const int shift = 8 - png.bitDepth - bit % 8;
            png.indices.push_back(static_cast<std::uint8_t>((line[1 + bit / 8] >> shift) &
                                                            ((1 << png.bitDepth) - 1)));
        }
    }
    return png;
}

}  // namespace quorvel::testing
