#include "platform/png_output.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "engine/spiral_pass.h"
#include "platform/image_surface.h"

namespace quorvel {
namespace {

// Whether a PNG file stores a pixel in one byte or less: palette or grey levels (Qt writes a
// palette of greys as such), as against 3 or 4 bytes of true colour.
bool CompactPng(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = file.read(26);
    if (head.size() < 26 || !head.startsWith("\x89PNG")) return false;
    const int depth = static_cast<unsigned char>(head[24]);
    const int colorType = static_cast<unsigned char>(head[25]);
    return depth <= 8 && (colorType == 0 || colorType == 3);
}

// Pixel for pixel, as 0xRRGGBB.
::testing::AssertionResult SamePixels(const QImage& expected, const QImage& actual) {
    if (expected.size() != actual.size()) return ::testing::AssertionFailure() << "size differs";
    const QImage a = expected.convertToFormat(QImage::Format_RGB32);
    const QImage b = actual.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if ((a.pixel(x, y) ^ b.pixel(x, y)) & 0xFFFFFFu) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << "): " << std::hex << a.pixel(x, y)
                       << " became " << b.pixel(x, y);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

PassInput Pass(const char* start, int box, ShowMode show, ColorScheme scheme) {
    PassInput in;
    in.startText = start;
    in.boxSize = box;
    in.show = show;
    in.colorBy = scheme;
    return in;
}

// Rendered pictures come back from the file exactly, in palette form where they allow it.
TEST(PngOutput, PicturesReadBackExactly) {
    struct Case {
        const char* name;
        PassInput pass;
    };
    PassInput decorated = Pass("1", 35, ShowMode::Primes, ColorScheme::Cluster);
    decorated.numerals = true;
    decorated.grid = true;
    PassInput squares = Pass("1000", 15, ShowMode::Random, ColorScheme::Sequence);
    squares.squares = true;
    squares.grid = true;
    const Case cases[] = {
        {"box 1 cluster", Pass("2147205918", 1, ShowMode::Primes, ColorScheme::Cluster)},
        {"box 3 Ostrand, all numbers", Pass("1", 3, ShowMode::All, ColorScheme::Ostrand)},
        {"box 7 ring numbers", Pass("1", 7, ShowMode::Primes, ColorScheme::RingNumber)},
        {"numerals and grid", decorated},
        {"squares and grid", squares},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImageSurface surface(527, 527);
        SpiralEngine engine;
        ASSERT_EQ(engine.DrawSpiral(c.pass, surface).outcome, PassOutcome::Drawn);
        const QImage& picture = surface.Image();
        const QString path = dir.filePath(QString::fromUtf8(c.name) + ".png");
        const auto why = WritePng(picture, path);
        ASSERT_FALSE(why) << why->toStdString();
        // Without numerals a picture has no more than the 16 palette colours.
        const bool indexed = IndexedCopy(picture).has_value();
        EXPECT_TRUE(indexed || c.pass.numerals);
        EXPECT_EQ(CompactPng(path), indexed);
        EXPECT_TRUE(SamePixels(picture, QImage(path)));
    }
}

// An RGB32 picture of `count` different colours, each pixel its own shade.
QImage Colours(int count) {
    QImage image(40, 40, QImage::Format_RGB32);
    for (int i = 0; i < 40 * 40; ++i)
        image.setPixel(i % 40, i / 40, 0xFF000000u | static_cast<QRgb>((i % count) * 0x010305u));
    return image;
}

TEST(PngOutput, PaletteUpTo256Colours) {
    struct Case {
        int colours;
        bool indexed;
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const Case c : {Case{1, true}, {16, true}, {256, true}, {257, false}, {1600, false}}) {
        SCOPED_TRACE(c.colours);
        const QImage image = Colours(c.colours);
        const std::optional<QImage> indexed = IndexedCopy(image);
        ASSERT_EQ(indexed.has_value(), c.indexed);
        if (indexed) {
            EXPECT_EQ(indexed->colorCount(), c.colours);
            EXPECT_TRUE(SamePixels(image, *indexed));
        }
        const QString path = dir.filePath(QString::number(c.colours) + ".png");
        ASSERT_FALSE(WritePng(image, path));
        EXPECT_EQ(CompactPng(path), c.indexed);
        EXPECT_TRUE(SamePixels(image, QImage(path)));
    }
    // Other formats are written as they are.
    EXPECT_FALSE(IndexedCopy(Colours(4).convertToFormat(QImage::Format_ARGB32)));
}

TEST(PngOutput, FailuresLeaveNothingBehind) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QImage image = Colours(5);
    // A folder in the way, and a folder that is not there.
    EXPECT_TRUE(WritePng(image, dir.path()));
    EXPECT_TRUE(WritePng(image, dir.filePath("missing/x.png")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 0);
}

}  // namespace
}  // namespace quorvel
