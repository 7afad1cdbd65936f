// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "engine/reference_picture.h"
#include "engine/thread_pool.h"
#include "platform/image_surface.h"
#include "platform/picture_export.h"

namespace quorvel {
namespace {

struct Drawn {
    std::vector<Rgb> pixels;
    std::vector<std::int32_t> statistics;
};

Drawn Draw(const PassInput& input, int side) {
    ImageSurface surface(side, side);
    SpiralEngine engine;
    const PassResult r = engine.DrawSpiral(input, surface);
    const RasterView raster = surface.Raster();
    Drawn d;
    for (int y = 0; y < raster.height; ++y) {
        const std::uint32_t* row = raster.bits + static_cast<std::ptrdiff_t>(y) * raster.stride;
        d.pixels.insert(d.pixels.end(), row, row + raster.width);
    }
    d.statistics = {static_cast<int>(r.outcome),
                    r.endNumber,
                    r.numberShown,
                    r.smallestPrime,
                    r.largestPrime,
                    r.longest.nwse,
                    r.longest.swne,
                    r.centreIsPrime};
    return d;
}

QByteArray Export(const ExportSettings& settings, const QString& path) {
    const ExportResult r = ExportPicture(settings, path);
    EXPECT_EQ(r.status, ExportStatus::Written) << r.error.toStdString();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The window's pass (with its work shared, and, big enough, its primes sieved ahead) and an
// export (a pass, then the file deflated in bands) give the same pixels, statistics and bytes
// with the pool at any size: none, one, two, many, and two of eight when the system refused
// the rest.
TEST(PoolSizes, PassesAndExportsAlike) {
    struct Picture {
        const char* start;
        int box;
        ColorScheme scheme;
        int side;
    };
    const Picture pictures[] = {
        {"7", 1, ColorScheme::Cluster, 600},    // shared in bands
        {"99", 3, ColorScheme::Sequence, 527},  // runs measured
    };
    std::vector<ExportSettings> exports(2);
    exports[0].pass.startText = std::string(1, '1');  // (GCC 12 warns wrongly on = "1")
    exports[0].pass.boxSize = 1;
    exports[0].pass.colorBy = ColorScheme::Ostrand;  // sieved ahead, with factor counts
    exports[0].side = 2048;
    exports[1].pass.startText = exports[0].pass.startText;
    exports[1].pass.boxSize = 1;
    exports[1].pass.colorBy = ColorScheme::White;  // a bit a number, without a surface
    exports[1].side = 1500;

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto drawAll = [&] {
        std::vector<Drawn> drawn;
        for (const Picture& p : pictures) {
            PassInput in;
            in.startText = p.start;
            in.boxSize = p.box;
            in.colorBy = p.scheme;
            drawn.push_back(Draw(in, p.side));
        }
        std::vector<QByteArray> files;
        for (const ExportSettings& s : exports)
            files.push_back(Export(s, dir.filePath("picture.png")));
        return std::make_pair(drawn, files);
    };
    const auto expected = drawAll();

    const int before = ThreadPool::Shared().Threads();
    struct Size {
        int threads;
        int granted;
    };
    for (const Size size : {Size{0, 0}, Size{1, 1}, Size{2, 2}, Size{8, 8}, Size{8, 2}}) {
        SCOPED_TRACE(std::to_string(size.threads) + " threads, " + std::to_string(size.granted) +
                     " granted");
        ThreadPool::Shared().Resize(size.threads, size.granted);
        const auto actual = drawAll();
        for (std::size_t i = 0; i < expected.first.size(); ++i) {
            EXPECT_EQ(actual.first[i].statistics, expected.first[i].statistics) << i;
            EXPECT_TRUE(actual.first[i].pixels == expected.first[i].pixels) << i;
        }
        for (std::size_t i = 0; i < expected.second.size(); ++i)
            EXPECT_TRUE(actual.second[i] == expected.second[i]) << "export " << i;
    }
    ThreadPool::Shared().Resize(before);
}

}  // namespace
}  // namespace quorvel
