#include "platform/png_output.h"

#include <QBuffer>
#include <QImageWriter>
#include <QList>
#include <array>
#include <cstdint>

#include "platform/file_writing.h"

namespace quorvel {
namespace {

// Colour → palette index for up to 256 colours, open addressing over twice as many slots.
class ColorIndex {
  public:
    // The index of `key` (alpha set, so never 0), adding it if new; -1 once the 257th
    // colour turns up.
    int Find(QRgb key) {
        std::uint32_t slot = (key * 0x9E3779B1u) >> (32 - kSlotBits);
        while (keys_[slot] != 0) {
            if (keys_[slot] == key) return indices_[slot];
            slot = (slot + 1) & (kSlots - 1);
        }
        if (table_.size() == 256) return -1;
        keys_[slot] = key;
        indices_[slot] = static_cast<std::uint8_t>(table_.size());
        table_.append(key);
        return indices_[slot];
    }
    const QList<QRgb>& Table() const { return table_; }

  private:
    static constexpr int kSlotBits = 9;
    static constexpr std::uint32_t kSlots = 1u << kSlotBits;
    std::array<QRgb, kSlots> keys_{};
    std::array<std::uint8_t, kSlots> indices_{};
    QList<QRgb> table_;
};

}  // namespace

std::optional<QImage> IndexedCopy(const QImage& image) {
    if (image.format() != QImage::Format_RGB32 || image.isNull()) return std::nullopt;
    QImage indexed(image.size(), QImage::Format_Indexed8);
    ColorIndex colors;
    // A direct-mapped cache in front of the table: the few colours of a picture settle in it
    // at once, and the one test per pixel then nearly always goes the same way.
    constexpr int kCacheBits = 12;
    std::array<QRgb, 1u << kCacheBits> cachedKey{};
    std::array<uchar, 1u << kCacheBits> cachedIndex{};
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb key = in[x] | 0xFF000000u;  // RGB32 ignores the alpha byte
            const std::uint32_t slot = (key * 0x9E3779B1u) >> (32 - kCacheBits);
            if (cachedKey[slot] != key) {
                const int index = colors.Find(key);
                if (index < 0) return std::nullopt;
                cachedKey[slot] = key;
                cachedIndex[slot] = static_cast<uchar>(index);
            }
            out[x] = cachedIndex[slot];
        }
    }
    indexed.setColorTable(colors.Table());
    indexed.setDotsPerMeterX(image.dotsPerMeterX());
    indexed.setDotsPerMeterY(image.dotsPerMeterY());
    return indexed;
}

std::optional<QString> WritePng(const QImage& image, const QString& path) {
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        const std::optional<QImage> indexed = IndexedCopy(image);
        if (!writer.write(indexed ? *indexed : image)) return writer.errorString();
    }
    return WriteFileSafely(path, png);
}

}  // namespace quorvel
