// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/png_encoder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "png_reader.h"

namespace quorvel {
namespace {

// A picture of several bands of rows (a band holds about a megabyte), index = (x + y) % 5.
IndexedPicture Stripes() {
    IndexedPicture picture;
    picture.width = 2000;
    picture.height = 4000;
    for (int i = 0; i < 5; ++i)
        picture.palette[std::size_t(i)] = kPalette[std::size_t(9 + i)];
    picture.row = [](int y, std::uint8_t* scratch) {
        for (int x = 0; x < 2000; ++x)
            scratch[x] = static_cast<std::uint8_t>((x + y) % 5);
        return static_cast<const std::uint8_t*>(scratch);
    };
    return picture;
}

// The bands, deflated apart on several threads, join into one stream that an independent
// reader inflates (checking its checksum); progress rises to the end.
TEST(PngEncoder, BandsJoinIntoOneStream) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("stripes.png");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    std::vector<double> progress;
    PngControl control;
    control.progress = [&](double f) { progress.push_back(f); };
    control.threads = 3;
    const auto why = EncodeIndexedPng(
        Stripes(), PngHeader{},
        [&](const std::uint8_t* data, std::size_t size) -> std::optional<std::string> {
            file.write(reinterpret_cast<const char*>(data), qint64(size));
            return std::nullopt;
        },
        control);
    file.close();
    ASSERT_FALSE(why) << *why;
    const testing::PngFile png = testing::ReadPngFile(path);
    ASSERT_EQ(png.error, "");
    EXPECT_EQ(png.bitDepth, 4);
    ASSERT_EQ(png.palette.size(), 5u);
    for (int y = 0; y < 4000; y += 101) {
        for (int x = 0; x < 2000; x += 13)
            ASSERT_EQ(png.indices[std::size_t(y) * 2000 + x], (x + y) % 5) << x << "," << y;
    }
    ASSERT_GT(progress.size(), 3u);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_DOUBLE_EQ(progress.back(), 1.0);
}

// Stopping: a cancel flag set at any point, or a sink that fails, ends the work early with
// the reason, and nothing more is written.
TEST(PngEncoder, CancelAndFailedWritesStopIt) {
    for (int stopAfter : {0, 1, 3}) {
        SCOPED_TRACE(stopAfter);
        std::atomic<bool> cancel{stopAfter == 0};
        int writes = 0;
        PngControl control;
        control.cancel = &cancel;
        const auto cancelled = EncodeIndexedPng(
            Stripes(), PngHeader{},
            [&](const std::uint8_t*, std::size_t) -> std::optional<std::string> {
                if (++writes == stopAfter) cancel = true;
                return std::nullopt;
            },
            control);
        ASSERT_TRUE(cancelled);
        EXPECT_EQ(*cancelled, kPngCancelled);
        EXPECT_LE(writes, stopAfter + 1);

        writes = 0;
        const auto failed =
            EncodeIndexedPng(Stripes(), PngHeader{},
                             [&](const std::uint8_t*, std::size_t) -> std::optional<std::string> {
                                 if (++writes > stopAfter) return "disk full";
                                 return std::nullopt;
                             });
        ASSERT_TRUE(failed);
        EXPECT_EQ(*failed, "disk full");
        EXPECT_EQ(writes, stopAfter + 1);
    }
}

}  // namespace
}  // namespace quorvel
