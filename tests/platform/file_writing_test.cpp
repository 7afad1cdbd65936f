// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_writing.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <thread>

#include "platform/picture_export.h"

namespace quorvel {
namespace {

QStringList FilesIn(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System);
}

// A named pipe nobody reads, or a device: refused at once where the program writes only
// regular files; written through otherwise, but never waited on past the cancel flag. Nothing
// is left beside it, and a pipe stays a pipe.
TEST(FileWriting, PipesAndDevicesNeverHoldTheWriter) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fifo = dir.filePath("f.png");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_TRUE(IsSpecialFile(fifo));
    EXPECT_TRUE(IsSpecialFile(QStringLiteral("/dev/null")));
    EXPECT_FALSE(IsSpecialFile(dir.path()));
    EXPECT_FALSE(IsSpecialFile(dir.filePath("missing.png")));

    std::atomic<bool> cancel{true};
    struct Case {
        QString path;
        SpecialFiles special;
        const std::atomic<bool>* cancel;
        const char* why;  // nullptr: written
        bool cancelled;
    };
    const Case cases[] = {
        {fifo, SpecialFiles::Refuse, nullptr, "not a regular file", false},
        {QStringLiteral("/dev/null"), SpecialFiles::Refuse, nullptr, "not a regular file", false},
        {fifo, SpecialFiles::WriteThrough, &cancel, "cancelled", true},
        {QStringLiteral("/dev/null"), SpecialFiles::WriteThrough, nullptr, nullptr, false},
        {QStringLiteral("/dev/full"), SpecialFiles::WriteThrough, nullptr,
         "No space left on device", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        SafeFileWriter writer(c.path, c.special, c.cancel);
        std::optional<QString> why = writer.Open();
        if (!why) why = writer.Write("PNG", 3);
        if (!why) why = writer.Commit();
        EXPECT_EQ(why.value_or(QString()), QString::fromLatin1(c.why));
        EXPECT_EQ(writer.Cancelled(), c.cancelled);
        EXPECT_EQ(FilesIn(dir), QStringList{"f.png"});
    }
    // The export of the window's kind reports the refusal as a failed write.
    SafeFileWriter refusing(fifo, SpecialFiles::Refuse);
    ExportSettings settings;
    settings.side = 45;
    const ExportResult r = ExportPicture(settings, refusing);
    EXPECT_EQ(r.status, ExportStatus::WriteFailed);
    EXPECT_EQ(r.error, "not a regular file");
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_EQ(FilesIn(dir), QStringList{"f.png"});
}

// A pipe whose reader comes later and reads slowly gets every byte; a descriptor given (as
// standard output is) is written and stays open.
TEST(FileWriting, PipesAndDescriptorsGetEveryByte) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fifo = dir.filePath("f.png");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QByteArray bytes(1 << 20, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7 + i / 251);

    QByteArray got;
    std::thread reader([&] {
        QFile in(fifo);
        if (in.open(QIODevice::ReadOnly)) got = in.readAll();
    });
    EXPECT_EQ(WriteFileSafely(fifo, bytes), std::nullopt);
    reader.join();
    EXPECT_TRUE(got == bytes);

    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    QByteArray piped;
    std::thread drain([&] {
        char buffer[4096];
        for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;)
            piped.append(buffer, n);
    });
    {
        SafeFileWriter writer(ends[1], nullptr);
        ASSERT_EQ(writer.Open(), std::nullopt);
        ASSERT_EQ(writer.Write(bytes.constData(), bytes.size()), std::nullopt);
        ASSERT_EQ(writer.Commit(), std::nullopt);
    }
    EXPECT_EQ(::write(ends[1], "!", 1), 1);  // still open
    ::close(ends[1]);
    drain.join();
    ::close(ends[0]);
    EXPECT_TRUE(piped == bytes + "!");
}

}  // namespace
}  // namespace quorvel
