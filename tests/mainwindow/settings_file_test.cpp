// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <random>

#include "mainwindow/settings_file.h"

namespace quorvel {
namespace {

const QByteArray kDefaults = "1\r\n0\r\n1\r\n4,0,0,2\r\n\"1\"\r\n0\r\n1\r\n0\r\n0\r\n";

TEST(SettingsFile, DefaultsWriteTheNineLines) {
    EXPECT_EQ(FormatSettings(Settings{}), kDefaults);
    EXPECT_EQ(ParseSettings(kDefaults), Settings{});
    Settings all{1, 0, 7, 6, 4, 0, "2147483646", 1, 0, 1, 1};
    EXPECT_EQ(FormatSettings(all),
              "1\r\n1\r\n0\r\n7,6,4,0\r\n\"2147483646\"\r\n1\r\n0\r\n1\r\n1\r\n");
    EXPECT_EQ(ParseSettings(FormatSettings(all)), all);
    Settings empty;
    empty.startText = "";
    EXPECT_EQ(FormatSettings(empty).split('\n')[4], "\"\"\r");
    EXPECT_EQ(ParseSettings(FormatSettings(empty)), empty);
}

TEST(SettingsFile, ReadingIsAllOrNothing) {
    struct Case {
        const char* what;
        QByteArray content;
        bool read;
    };
    const Case cases[] = {
        {"LF line ends", "1\n1\n0\n7,6,4,0\n\"5\"\n1\n0\n1\n1\n", true},
        {"one line", "1,1,0,7,6,4,0,\"5\",1,0,1,1", true},
        {"spaces around values", " 1 \r\n 1\r\n0 \r\n7 , 6,4 ,0\r\n \"5\" \r\n1\r\n0\r\n1\r\n1",
         true},
        {"unquoted start", "1\r\n1\r\n0\r\n7,6,4,0\r\n5\r\n1\r\n0\r\n1\r\n1\r\n", true},
        {"zeros and signs", "+1\r\n01\r\n0\r\n000007,+6,4,-0\r\n\"5\"\r\n1\r\n0\r\n1\r\n1", true},
        {"trailing junk is not read", kDefaults + "whatever", true},
        {"empty", "", false},
        {"version 2", "2\r\n0\r\n1\r\n4,0,0,2\r\n\"1\"\r\n0\r\n1\r\n0\r\n0\r\n", false},
        {"version 0", "0\r\n0\r\n1\r\n4,0,0,2\r\n\"1\"\r\n0\r\n1\r\n0\r\n0\r\n", false},
        {"broken off after line 4", "1\r\n1\r\n1\r\n4,0,0,2\r\n", false},
        {"broken off in the quote", "1\r\n1\r\n1\r\n4,0,0,2\r\n\"12", false},
        {"letters for a number", "1\r\nx\r\n1\r\n4,0,0,2\r\n\"1\"\r\n0\r\n1\r\n0\r\n0\r\n", false},
        {"number too large", "1\r\n0\r\n1\r\n99999,0,0,2\r\n\"1\"\r\n0\r\n1\r\n0\r\n0\r\n", false},
        {"many digits too large",
         "1\r\n0\r\n1\r\n99999999999999999999999,0,0,2\r\n\"1\"\r\n0\r\n1\r\n0\r\n0\r\n", false},
        {"a fraction", "1\r\n0\r\n1\r\n4.0,0,0,2\r\n\"1\"\r\n0\r\n1\r\n0\r\n0\r\n", false},
        {"empty value", "1\r\n0\r\n1\r\n4,,0,2\r\n\"1\"\r\n0\r\n1\r\n0\r\n0\r\n", false},
        {"sign in the start", "1\r\n0\r\n1\r\n4,0,0,2\r\n\"-5\"\r\n0\r\n1\r\n0\r\n0\r\n", false},
        {"inner space in the start", "1\r\n0\r\n1\r\n4,0,0,2\r\n\"1 2\"\r\n0\r\n1\r\n0\r\n0\r\n",
         false},
        {"binary junk", QByteArray("\x01\x00\xff\xfe,\"\"\n", 8), false},
        {"too large", kDefaults + QByteArray(kMaxSettingsFileSize, ' '), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseSettings(c.content).has_value(), c.read) << c.what;
    EXPECT_EQ(ParseSettings(cases[0].content)->startText, "5");
    EXPECT_EQ(ParseSettings(cases[2].content)->colorBy, 6);
    EXPECT_EQ(ParseSettings(cases[4].content)->boxSize, 7);
    EXPECT_EQ(ParseSettings(cases[4].content)->language, 1);
}

TEST(SettingsFile, ValuesWithoutAPlaceAreMended) {
    const auto read = [](const char* line2, const char* line4) {
        return *ParseSettings(QByteArray("1\r\n") + line2 + "\r\n1\r\n" + line4 +
                              "\r\n\"  007 \"\r\n0\r\n1\r\n0\r\n0\r\n");
    };
    EXPECT_EQ(read("7", "4,0,0,2").language, 0);  // no such language: English
    EXPECT_EQ(read("-1", "4,0,0,2").language, 0);
    EXPECT_EQ(read("1", "4,0,0,2").language, 1);
    const Settings past = read("0", "8,7,5,3");  // every position one past its list
    EXPECT_EQ(past.boxSize, 4);
    EXPECT_EQ(past.colorBy, 0);
    EXPECT_EQ(past.show, 0);
    EXPECT_EQ(past.clockTicks, 2);
    const Settings low = read("0", "0,-1,-1,-1");  // the window restores these itself
    EXPECT_EQ(low.boxSize, 0);
    EXPECT_EQ(low.colorBy, -1);
    EXPECT_EQ(read("0", "4,0,0,2").startText, "007");  // the box strips the zeros
}

// A start shows the file's values as the window can: written here as one line each, the
// values in the file's order.
TEST(SettingsFile, AStartShowsWhatTheWindowCan) {
    struct Case {
        const char* what;
        const char* saved;
        const char* started;
    };
    const Case cases[] = {
        {"defaults", "1,0,1,4,0,0,2,\"1\",0,1,0,0", "1,0,1,4,0,0,2,\"1\",0,1,0,0"},
        {"size 1 gives way to 7", "1,0,1,0,0,0,2,\"1\",0,1,0,0", "1,0,1,3,0,0,2,\"1\",0,1,0,0"},
        {"size 5 gives way to 7", "1,0,1,2,0,0,2,\"1\",0,1,0,0", "1,0,1,3,0,0,2,\"1\",0,1,0,0"},
        {"size 7 stays", "1,1,1,3,6,4,0,\"1\",0,1,0,0", "1,1,1,3,6,4,0,\"1\",0,1,0,0"},
        {"size 75 stays", "1,0,1,7,0,0,2,\"1\",0,1,0,0", "1,0,1,7,0,0,2,\"1\",0,1,0,0"},
        {"before the first entry", "1,0,1,4,-1,-7,-1,\"1\",0,1,0,0", "1,0,1,4,0,0,0,\"1\",0,1,0,0"},
        {"any other shape is squares", "1,0,5,4,0,0,2,\"1\",0,1,0,0",
         "1,0,0,4,0,0,2,\"1\",0,1,0,0"},
        {"only 1 checks a box", "1,0,1,4,0,0,2,\"1\",7,-1,2,1", "1,0,1,4,0,0,2,\"1\",0,0,0,1"},
        {"prime steps from a prime", "1,0,1,4,0,0,2,\"7\",0,1,1,0", "1,0,1,4,0,0,2,\"7\",0,1,1,0"},
        {"leading zeros", "1,0,1,4,0,0,2,\"007\",0,1,1,0", "1,0,1,4,0,0,2,\"007\",0,1,1,0"},
        {"not from 8", "1,0,1,4,0,0,2,\"8\",0,1,1,0", "1,0,1,4,0,0,2,\"8\",0,1,0,0"},
        {"not from 1", "1,0,1,4,0,0,2,\"1\",0,1,1,0", "1,0,1,4,0,0,2,\"1\",0,1,0,0"},
        {"not from 0", "1,0,1,4,0,0,2,\"0\",0,1,1,0", "1,0,1,4,0,0,2,\"0\",0,1,0,0"},
        {"not from an empty box", "1,0,1,4,0,0,2,\"\",0,1,1,0", "1,0,1,4,0,0,2,\"\",0,1,0,0"},
        {"not from a prime too large", "1,0,1,4,0,0,2,\"2147483647\",0,1,1,0",
         "1,0,1,4,0,0,2,\"2147483647\",0,1,0,0"},
    };
    for (const Case& c : cases) {
        const std::optional<Settings> saved = ParseSettings(c.saved);
        const std::optional<Settings> started = ParseSettings(c.started);
        ASSERT_TRUE(saved && started) << c.what;
        EXPECT_EQ(FormatSettings(StartingSettings(*saved)), FormatSettings(*started)) << c.what;
    }
}

TEST(SettingsFile, FilesOnDisk) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Tarnwick/kvr.usr");
    EXPECT_EQ(ReadSettingsFile(path), Settings{});  // missing
    Settings saved;
    saved.language = 1;
    saved.startText = "97";
    ASSERT_TRUE(WriteSettingsFile(path, saved));  // makes the folder on the way
    EXPECT_EQ(ReadSettingsFile(path), saved);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), FormatSettings(saved));
    file.close();

    if (getuid() != 0) {  // root reads and writes whatever it likes
        QFile::setPermissions(path, QFileDevice::WriteOwner);
        EXPECT_EQ(ReadSettingsFile(path), Settings{});  // unreadable
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QFile::setPermissions(dir.filePath("Tarnwick"),
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        EXPECT_FALSE(WriteSettingsFile(path, Settings{}));  // folder not writable
        EXPECT_EQ(ReadSettingsFile(path), saved);
        QFile::setPermissions(dir.filePath("Tarnwick"), QFileDevice::ReadOwner |
                                                            QFileDevice::WriteOwner |
                                                            QFileDevice::ExeOwner);
    }
    // A folder that cannot be made (a file stands in its way): nothing to read, nothing written.
    QFile blocker(dir.filePath("blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(WriteSettingsFile(dir.filePath("blocked/kvr.usr"), saved));
    EXPECT_EQ(ReadSettingsFile(dir.filePath("blocked/kvr.usr")), Settings{});
    // A directory where the file should be.
    QDir(dir.path()).mkpath("Tarnwick2/kvr.usr");
    EXPECT_EQ(ReadSettingsFile(dir.filePath("Tarnwick2/kvr.usr")), Settings{});
    EXPECT_FALSE(WriteSettingsFile(dir.filePath("Tarnwick2/kvr.usr"), saved));
}

// A write that breaks off (here: the file-size limit strikes half-way) leaves the old file.
TEST(SettingsFile, InterruptedWriteKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kvr.usr");
    Settings old;
    old.startText = "1";
    ASSERT_TRUE(WriteSettingsFile(path, old));
    Settings longer;
    longer.startText = "2147483646";
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 20;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = WriteSettingsFile(path, longer);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), FormatSettings(old));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"kvr.usr"}));
}

// Random and mutated files: never a crash or a hang, and a file is either read whole, with
// every value in its place, or not at all.
TEST(SettingsFile, FuzzedFiles) {
    const int files = qEnvironmentVariableIntValue("QUORVEL_FUZZ_FILES") > 0
                          ? qEnvironmentVariableIntValue("QUORVEL_FUZZ_FILES")
                          : 500;
    std::mt19937 random(7);
    const auto pick = [&](qsizetype n) {
        return static_cast<int>(random() % static_cast<unsigned>(n));
    };
    const QByteArray alphabet = "0123456789,\"\r\n -x\t";
    Settings valid{1, 0, 7, 6, 4, 0, "12345", 1, 0, 1, 1};
    int read = 0;
    for (int i = 0; i < files; ++i) {
        QByteArray content = FormatSettings(valid);
        if (pick(4) == 0) {  // noise
            content = QByteArray(pick(200), '\0');
            for (char& c : content)
                c = pick(2) ? alphabet[pick(alphabet.size())] : char(pick(256));
        } else {  // a few mutations of a good file
            for (int m = pick(4); m >= 0; --m) {
                const int at = pick(content.size() + 1);
                switch (pick(4)) {
                    case 0:
                        content.insert(at, alphabet[pick(alphabet.size())]);
                        break;
                    case 1:
                        content.remove(at, 1 + pick(3));
                        break;
                    case 2:
                        if (at < content.size()) content[at] = char(pick(256));
                        break;
                    case 3:
                        content.truncate(at);
                        break;
                }
            }
        }
        const std::optional<Settings> s = ParseSettings(content);
        if (!s) continue;
        ++read;
        EXPECT_TRUE(s->language == 0 || s->language == 1);
        EXPECT_LT(s->boxSize, 8);
        EXPECT_LT(s->colorBy, 7);
        EXPECT_LT(s->show, 5);
        EXPECT_LT(s->clockTicks, 3);
        for (const QChar c : s->startText)
            EXPECT_TRUE(c.isDigit()) << content.toStdString();
        // What was read is written back and read again unchanged.
        EXPECT_EQ(ParseSettings(FormatSettings(*s)), s);
    }
    EXPECT_GT(read, 0);
}

}  // namespace
}  // namespace quorvel
