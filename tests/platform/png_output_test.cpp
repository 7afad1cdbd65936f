// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/png_output.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "engine/spiral_pass.h"
#include "platform/image_surface.h"
#include "png_reader.h"

namespace quorvel {
namespace {

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

// Rendered pictures come back from the file exactly; without numerals in palette form, the 16
// colours at most fitting four bits.
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
        EXPECT_TRUE(SamePixels(picture, QImage(path)));
        const testing::PngFile png = testing::ReadPngFile(path);
        ASSERT_EQ(png.error, "");
        if (!c.pass.numerals) {
            EXPECT_EQ(png.colorType, 3);
            EXPECT_LE(png.bitDepth, 4);
        }
    }
}

// An RGB32 picture of `count` different colours, each pixel its own shade.
QImage Colours(int count, int width = 37, int height = 23) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int i = 0; i < width * height; ++i) {
        image.setPixel(i % width, i / width,
                       0xFF000000u | static_cast<QRgb>((i % count) * 0x010305u));
    }
    return image;
}

// The palette holds exactly the picture's colours, in the fewest bits that take them; past 256
// colours the picture goes in true colour. Widths that do not fill the last byte of a row, and
// a picture of several bands of rows.
TEST(PngOutput, PaletteAndBitDepthFitTheColours) {
    struct Case {
        int colours;
        int depth;  // 0: true colour
        int width = 37;
        int height = 23;
    };
    const Case cases[] = {{1, 1},
                          {2, 1},
                          {3, 2},
                          {4, 2},
                          {5, 4},
                          {16, 4},
                          {17, 8},
                          {256, 8},
                          {257, 0},
                          {1600, 0},
                          {7, 4, 5, 3},
                          {2, 1, 1001, 30},
                          {200, 8, 1000, 3000}};
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.colours) + " colours " + std::to_string(c.width) + " wide");
        const QImage image = Colours(c.colours, c.width, c.height);
        const QString path = dir.filePath(QString::number(c.colours) + ".png");
        ASSERT_FALSE(WritePng(image, path));
        EXPECT_TRUE(SamePixels(image, QImage(path)));
        const testing::PngFile png = testing::ReadPngFile(path);
        ASSERT_EQ(png.error, "");
        EXPECT_EQ(png.width, c.width);
        EXPECT_EQ(png.height, c.height);
        if (c.depth == 0) {
            EXPECT_EQ(png.colorType, 2);
            EXPECT_EQ(png.bitDepth, 8);
            continue;
        }
        EXPECT_EQ(png.colorType, 3);
        EXPECT_EQ(png.bitDepth, c.depth);
        EXPECT_EQ(png.palette.size(), std::size_t(std::min(c.colours, c.width * c.height)));
        ASSERT_EQ(png.indices.size(), std::size_t(c.width) * c.height);
        for (int i = 0; i < c.width * c.height; i += 7) {
            ASSERT_LT(png.indices[std::size_t(i)], png.palette.size());
            EXPECT_EQ(png.palette[png.indices[std::size_t(i)]],
                      image.pixel(i % c.width, i / c.width) & 0xFFFFFFu)
                << i;
        }
    }
}

TEST(PngOutput, TextsGoIntoTextChunks) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const PictureTexts texts{QStringLiteral("Quorvel 9.9.9"), QStringLiteral("start=1 box=15")};
    // The program's own pictures, and any other format, which Qt's writer takes.
    for (const QImage& image : {Colours(5), Colours(5).convertToFormat(QImage::Format_ARGB32)}) {
        const QString path = dir.filePath("texts.png");
        ASSERT_FALSE(WritePng(image, path, &texts));
        const QImage back(path);
        EXPECT_EQ(back.text(QStringLiteral("Software")), texts.software);
        EXPECT_EQ(back.text(QStringLiteral("Description")), texts.description);
        EXPECT_TRUE(SamePixels(image, back));
    }
    EXPECT_EQ(testing::ReadPngFile(dir.filePath("texts.png")).colorType, 6);  // alpha kept
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
