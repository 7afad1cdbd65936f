// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/picture_export.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "engine/density_map.h"
#include "platform/image_surface.h"
#include "platform/picture_texts.h"
#include "png_reader.h"

namespace quorvel {
namespace {

ExportSettings Settings(const char* start, int box, int side, ShowMode show = ShowMode::Primes,
                        ColorScheme scheme = ColorScheme::Cluster, int density = 0) {
    ExportSettings s;
    s.pass.startText = start;
    s.pass.boxSize = box;
    s.pass.show = show;
    s.pass.colorBy = scheme;
    s.side = side;
    s.density = density;
    return s;
}

QStringList FilesIn(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The file holds the picture the window would draw, with its settings in text chunks; with
// numerals, which need full colour, as well.
TEST(PictureExport, WritesThePictureWithItsSettings) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ExportSettings plain = Settings("0007", 5, 301, ShowMode::Random, ColorScheme::Sequence);
    plain.pass.squares = true;
    ExportSettings numerals = Settings("1", 21, 301);
    numerals.pass.numerals = true;
    numerals.pass.grid = true;
    // White primes at box size 1 are made from a bit a number, without a surface.
    const ExportSettings white = Settings("2", 1, 300, ShowMode::Primes, ColorScheme::White);
    for (const ExportSettings& s : {plain, numerals, white}) {
        const QString path = dir.filePath("picture.png");
        const ExportResult r = ExportPicture(s, path);
        ASSERT_EQ(r.status, ExportStatus::Written) << r.error.toStdString();
        ImageSurface surface(s.side, s.side);
        SpiralEngine engine;
        const PassResult pass = engine.DrawSpiral(s.pass, surface);
        EXPECT_EQ(r.pass.numberShown, pass.numberShown);
        EXPECT_EQ(r.pass.endNumber, pass.endNumber);
        EXPECT_EQ(r.pass.largestPrime, pass.largestPrime);
        const QImage back(path);
        EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), surface.Image());
        EXPECT_EQ(back.text("Software"), QStringLiteral("Quorvel " QUORVEL_VERSION));
        EXPECT_EQ(back.text("Description"), TextsForPicture(s.pass).description);
    }
    EXPECT_EQ(TextsForPicture(plain.pass).description,
              "start=7 box=5 show=1 color=4 shape=squares grid=0 numerals=0 density=0");
    EXPECT_EQ(TextsForPicture(numerals.pass).description,
              "start=1 box=21 show=0 color=0 shape=circles grid=1 numerals=1 density=0");
    // A density map draws no cells: box, grid and numerals do not apply.
    numerals.pass.startText = "  ";
    EXPECT_EQ(TextsForPicture(numerals.pass, 11).description,
              "start=1 box=1 show=0 color=0 shape=circles grid=0 numerals=0 density=11");
}

// Every block of "All numbers" is full, the brightest colour; blocks past the end of the
// number range hold nothing and are the darkest. Each picture holds only the colours it shows.
TEST(PictureExport, DensityMapsShowSharesOnTheRamp) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("density.png");

    ExportResult r =
        ExportPicture(Settings("1", 1, 45, ShowMode::All, ColorScheme::Cluster, 3), path);
    ASSERT_EQ(r.status, ExportStatus::Written) << r.error.toStdString();
    testing::PngFile png = testing::ReadPngFile(path);
    ASSERT_EQ(png.error, "");
    EXPECT_EQ(png.bitDepth, 1);
    EXPECT_EQ(png.palette, std::vector<std::uint32_t>{kDensityRamp[255]});
    EXPECT_EQ(png.texts["Description"],
              "start=1 box=1 show=4 color=0 shape=circles grid=0 numerals=0 density=3");
    EXPECT_EQ(r.pass.numberShown, 135 * 135);

    // 101 numbers below the top of the range, in blocks of 2 x 2 cells on 7 x 7 pixels.
    r = ExportPicture(Settings("2147483546", 1, 7, ShowMode::All, ColorScheme::Cluster, 2), path);
    ASSERT_EQ(r.status, ExportStatus::Written) << r.error.toStdString();
    png = testing::ReadPngFile(path);
    ASSERT_EQ(png.error, "");
    EXPECT_EQ(png.palette, (std::vector<std::uint32_t>{kDensityRamp[0], kDensityRamp[255]}));
    EXPECT_EQ(png.palette[png.indices[0]], kDensityRamp[0]);            // a corner: nothing
    EXPECT_EQ(png.palette[png.indices[3 * 7 + 3]], kDensityRamp[255]);  // the centre: all

    // Primes: a spread of shares, dark to bright.
    r = ExportPicture(Settings("1", 1, 40, ShowMode::Primes, ColorScheme::Cluster, 5), path);
    ASSERT_EQ(r.status, ExportStatus::Written) << r.error.toStdString();
    png = testing::ReadPngFile(path);
    EXPECT_EQ(png.bitDepth, 4);
    EXPECT_GT(png.palette.size(), 5u);
}

class ExportRun {
  public:
    // Runs the export, setting the cancel flag once progress reaches `cancelAt`.
    ExportResult Run(const ExportSettings& s, const QString& path, double cancelAt) {
        cancel = cancelAt <= 0;
        return ExportPicture(
            s, path,
            [&](double f) {
                EXPECT_GE(f, last);
                last = f;
                if (f >= cancelAt) cancel = true;
            },
            &cancel);
    }
    std::atomic<bool> cancel{false};
    double last = 0;
};

// Cancelled before it starts, while drawing (cells or density counts) or while writing: no file
// is left, and an old file of that name is untouched.
TEST(PictureExport, CancelAtAnyStageLeavesNoFile) {
    const ExportSettings cells = Settings("1", 1, 2049);
    const ExportSettings bits = Settings("1", 1, 3000, ShowMode::Primes, ColorScheme::White);
    const ExportSettings density =
        Settings("1", 1, 1500, ShowMode::Primes, ColorScheme::Cluster, 3);
    for (const ExportSettings& s : {cells, bits, density}) {
        for (double cancelAt : {0.0, 0.2, 0.7}) {
            SCOPED_TRACE("density " + std::to_string(s.density) + " scheme " +
                         std::to_string(int(s.pass.colorBy)) + " at " + std::to_string(cancelAt));
            QTemporaryDir dir;
            ASSERT_TRUE(dir.isValid());
            ExportRun run;
            EXPECT_EQ(run.Run(s, dir.filePath("new.png"), cancelAt).status,
                      ExportStatus::Cancelled);
            EXPECT_TRUE(FilesIn(dir).isEmpty()) << FilesIn(dir).join(' ').toStdString();

            const QString old = dir.filePath("old.png");
            QFile file(old);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("an old picture");
            file.close();
            ExportRun again;
            EXPECT_EQ(again.Run(s, old, cancelAt).status, ExportStatus::Cancelled);
            EXPECT_EQ(Contents(old), QByteArray("an old picture"));
            EXPECT_EQ(FilesIn(dir), QStringList{"old.png"});
        }
    }
    // Finished, it reports the whole way.
    QTemporaryDir dir;
    ExportRun run;
    EXPECT_EQ(run.Run(cells, dir.filePath("done.png"), 2.0).status, ExportStatus::Written);
    EXPECT_EQ(run.last, 1.0);
}

// Settings that cannot be drawn, refusals and files that cannot be written: the reason, and no
// file.
TEST(PictureExport, BadSettingsRefusalsAndWriteFailures) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("x.png");
    ExportSettings numerals = Settings("1", 15, 8193);
    numerals.pass.numerals = true;
    const ExportSettings bad[] = {
        Settings("1", 1, 2),
        Settings("1", 1, 46340),
        Settings("1", 1, 100, ShowMode::Primes, ColorScheme::Cluster, 1),
        Settings("1", 1, 100, ShowMode::Primes, ColorScheme::Cluster, 1000),
        numerals,
    };
    for (const ExportSettings& s : bad) {
        const ExportResult r = ExportPicture(s, path);
        EXPECT_EQ(r.status, ExportStatus::Failed);
        EXPECT_FALSE(r.error.isEmpty());
        EXPECT_EQ(ExportSettingsProblem(s), r.error);
    }
    EXPECT_EQ(ExportSettingsProblem(bad[4]),
              "numerals need full colour, which pictures wider than 8192 pixels do not fit in "
              "memory");

    struct Refusal {
        ExportSettings settings;
        PassOutcome outcome;
    };
    const Refusal refusals[] = {
        {Settings("2147483647", 15, 527), PassOutcome::StartNumberTooLarge},
        {Settings("2147205919", 1, 527), PassOutcome::EndNumberTooLarge},
        {Settings("1", 1, 46339, ShowMode::Triangular), PassOutcome::TriangularStartTooLarge},
        {Settings("1", 1, 4215, ShowMode::Primes, ColorScheme::Cluster, 11),
         PassOutcome::EndNumberTooLarge},
    };
    for (const Refusal& c : refusals) {
        EXPECT_EQ(ExportRefusal(c.settings), c.outcome);
        const ExportResult r = ExportPicture(c.settings, path);
        EXPECT_EQ(r.status, ExportStatus::Refused);
        EXPECT_EQ(r.pass.outcome, c.outcome);
    }
    EXPECT_EQ(ExportRefusal(Settings("2147205918", 1, 527)), PassOutcome::Drawn);

    const ExportResult missing = ExportPicture(Settings("1", 15, 99), dir.filePath("no/x.png"));
    EXPECT_EQ(missing.status, ExportStatus::WriteFailed);
    EXPECT_FALSE(missing.error.isEmpty());
    const ExportResult full = ExportPicture(Settings("1", 15, 99), "/dev/full");
    EXPECT_EQ(full.status, ExportStatus::WriteFailed);
    EXPECT_EQ(full.error, "No space left on device");
    EXPECT_TRUE(FilesIn(dir).isEmpty());
}

}  // namespace
}  // namespace quorvel
