// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/png_output.h"

#include <QBuffer>
#include <QImageWriter>
#include <array>
#include <cstdint>
#include <vector>

#include "platform/file_writing.h"

namespace quorvel {
namespace {

// Colour → palette index for up to 256 colours, open addressing over twice as many slots.
class ColorIndex {
  public:
    // The index of `key` (alpha set, so never 0), adding it if new; -1 once the 257th
    // colour turns up.
    int Add(QRgb key) {
        std::uint32_t slot = SlotOf(key);
        while (keys_[slot] != 0) {
            if (keys_[slot] == key) return indices_[slot];
            slot = (slot + 1) & (kSlots - 1);
        }
        if (table_.size() == 256) return -1;
        keys_[slot] = key;
        indices_[slot] = static_cast<std::uint8_t>(table_.size());
        table_.push_back(key & 0xFFFFFFu);
        return indices_[slot];
    }
    // The index of a colour that was added.
    std::uint8_t Find(QRgb key) const {
        std::uint32_t slot = SlotOf(key);
        while (keys_[slot] != key && keys_[slot] != 0)
            slot = (slot + 1) & (kSlots - 1);
        return indices_[slot];
    }
    const std::vector<Rgb>& Table() const { return table_; }

  private:
    static constexpr int kSlotBits = 9;
    static constexpr std::uint32_t kSlots = 1u << kSlotBits;
    static std::uint32_t SlotOf(QRgb key) { return (key * 0x9E3779B1u) >> (32 - kSlotBits); }
    std::array<QRgb, kSlots> keys_{};
    std::array<std::uint8_t, kSlots> indices_{};
    std::vector<Rgb> table_;
};

// The colours of a 32-bit picture, or nothing when it has more than 256.
std::optional<ColorIndex> ColoursOf(const QImage& image) {
    ColorIndex colours;
    // Neighbouring pixels mostly repeat a colour: look up only the changes.
    QRgb last = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb key = in[x] | 0xFF000000u;  // RGB32 ignores the alpha byte
            if (key != last && colours.Add(key) < 0) return std::nullopt;
            last = key;
        }
    }
    return colours;
}

}  // namespace

std::optional<std::string> EncodeImagePng(const QImage& image, PngHeader header,
                                          const PngSink& sink, const PngControl& control) {
    if (image.isNull() || image.format() != QImage::Format_RGB32) return "not a 32-bit picture";
    header.width = image.width();
    header.height = image.height();
    header.dotsPerMetre = image.dotsPerMeterX();
    const std::optional<ColorIndex> colours = ColoursOf(image);
    if (!colours) {
        header.truecolour = true;
        header.bitDepth = 8;
        header.palette.clear();
        const int width = image.width();
        return EncodePng(
            header,
            [&](int y, std::uint8_t* out) {
                const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
                for (int x = 0; x < width; ++x) {
                    out[3 * x] = static_cast<std::uint8_t>(qRed(in[x]));
                    out[3 * x + 1] = static_cast<std::uint8_t>(qGreen(in[x]));
                    out[3 * x + 2] = static_cast<std::uint8_t>(qBlue(in[x]));
                }
            },
            sink, control);
    }
    IndexedPicture picture;
    picture.width = image.width();
    picture.height = image.height();
    std::copy(colours->Table().begin(), colours->Table().end(), picture.palette.begin());
    picture.row = [&](int y, std::uint8_t* scratch) -> const std::uint8_t* {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QRgb last = 0;
        std::uint8_t index = 0;
        for (int x = 0; x < picture.width; ++x) {
            const QRgb key = in[x] | 0xFF000000u;
            if (key != last) {
                index = colours->Find(key);
                last = key;
            }
            scratch[x] = index;
        }
        return scratch;
    };
    return EncodeIndexedPng(picture, std::move(header), sink, control);
}

std::optional<QString> WritePng(const QImage& image, const QString& path, const PictureTexts* texts,
                                SpecialFiles special) {
    if (image.format() != QImage::Format_RGB32) {
        QByteArray png;
        {
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, "png");
            QImage copy = image;
            if (texts != nullptr) SetPictureTexts(copy, *texts);
            if (!writer.write(copy)) return writer.errorString();
        }
        return WriteFileSafely(path, png, special);
    }
    PngHeader header;
    if (texts != nullptr) {
        header.texts = {{"Software", texts->software.toLatin1().toStdString()},
                        {"Description", texts->description.toLatin1().toStdString()}};
    }
    SafeFileWriter file(path, special);
    if (auto why = file.Open()) return why;
    std::optional<QString> failure;
    const PngSink sink = [&](const std::uint8_t* data,
                             std::size_t size) -> std::optional<std::string> {
        failure = file.Write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
        if (failure) return failure->toStdString();
        return std::nullopt;
    };
    if (auto why = EncodeImagePng(image, std::move(header), sink)) {
        file.Discard();
        return failure ? *failure : QString::fromStdString(*why);
    }
    return file.Commit();
}

}  // namespace quorvel
