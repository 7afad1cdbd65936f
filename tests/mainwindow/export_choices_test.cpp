// SPDX-License-Identifier: GPL-3.0-or-later
// The export dialog's choices in their file beside the settings file: what can be read of it,
// and a file that is gone, garbled or cut short by a failed write.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

#include "mainwindow/export_choices_file.h"

namespace quorvel {

void PrintTo(const ExportChoices& c, std::ostream* out) {
    *out << c.side << "/" << c.density << "/" << c.block << "/" << c.folder.toStdString();
}

namespace testing {
namespace {

TEST(ExportChoicesFile, ReadsWhatItCanAndPassesOverTheRest) {
    const ExportChoices defaults;
    const struct {
        QByteArray content;
        ExportChoices expected;
    } cases[] = {
        {"side=600\ndensity=1\nblock=25\nfolder=/home/a b/Bilder \n",
         {600, true, 25, "/home/a b/Bilder "}},
        {"folder=/tmp/x\r\nside = 46339 \r\ndensity=0\r\n", {46339, false, 11, "/tmp/x"}},
        // Out of the dialog's range, not numbers, not absolute, not UTF-8: the defaults.
        {"side=46340\nblock=1\ndensity=yes\nfolder=pictures\n", defaults},
        {QByteArray("side=99999999999999\nblock=x\n\0\xff===\nfolder=/tmp/\xff\xfe\n", 49),
         defaults},
        {"folder=/tmp/caf\xc3\xa9\n", {4096, false, 11, QString::fromUtf8("/tmp/café")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content.toStdString());
        EXPECT_EQ(ParseExportChoices(c.content), c.expected);
        EXPECT_EQ(ParseExportChoices(FormatExportChoices(c.expected)), c.expected);
    }
    // A folder whose name breaks the line is not kept; the rest is.
    EXPECT_EQ(ParseExportChoices(FormatExportChoices({700, true, 3, "/tmp/a\nside=800"})),
              (ExportChoices{700, true, 3, QString()}));
}

TEST(ExportChoicesFile, AMissingOrDamagedFileGivesTheDefaultsAndAFailedWriteKeepsTheOld) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Tarnwick/quorvel-export.usr");
    EXPECT_EQ(ReadExportChoices(path), ExportChoices{});  // missing
    const ExportChoices kept{1000, true, 7, dir.path()};
    ASSERT_TRUE(WriteExportChoices(path, kept));  // makes the folder on the way
    EXPECT_EQ(ReadExportChoices(path), kept);
    // The folder removed since: the home folder.
    const QString gone = dir.filePath("gone");
    ASSERT_TRUE(QDir().mkpath(gone));
    ASSERT_TRUE(WriteExportChoices(path, {1000, true, 7, gone}));
    ASSERT_TRUE(QDir(gone).removeRecursively());
    EXPECT_EQ(ReadExportChoices(path), (ExportChoices{1000, true, 7, QString()}));

    // A write that breaks off half-way (the file-size limit strikes) leaves the old file.
    ASSERT_TRUE(WriteExportChoices(path, kept));
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 20;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = WriteExportChoices(path, {2000, false, 9, dir.path() + "/longer/name"});
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadExportChoices(path), kept);
    EXPECT_EQ(QDir(dir.filePath("Tarnwick")).entryList(QDir::Files),
              QStringList({"quorvel-export.usr"}));
}

}  // namespace
}  // namespace testing
}  // namespace quorvel
