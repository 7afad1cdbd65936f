// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/number_class.h"
#include "engine/primelib.h"
#include "engine/spiral_pass.h"
#include "platform/file_writing.h"

namespace quorvel {
namespace {

// Splits the content into values: a comma or a line end ends a value; a value in double
// quotes may hold commas and keeps neither quote.
struct Value {
    QByteArray text;
    bool quoted = false;
};

std::vector<Value> SplitValues(const QByteArray& content, std::size_t wanted) {
    std::vector<Value> values;
    qsizetype i = 0;
    const qsizetype n = content.size();
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    const auto isEnd = [](char c) { return c == ',' || c == '\r' || c == '\n'; };
    while (i < n && values.size() < wanted) {
        while (i < n && isBlank(content[i]))
            ++i;
        if (i < n && (content[i] == '\r' || content[i] == '\n')) {
            // An empty line ends no value: values never span a line end, blank lines are skipped.
            ++i;
            continue;
        }
        Value value;
        if (i < n && content[i] == '"') {
            const qsizetype close = content.indexOf('"', i + 1);
            if (close < 0) return {};  // a quote left open: the file broke off
            value.text = content.mid(i + 1, close - i - 1);
            value.quoted = true;
            i = close + 1;
            while (i < n && isBlank(content[i]))
                ++i;
            if (i < n && !isEnd(content[i])) return {};  // text after the closing quote
        } else {
            const qsizetype begin = i;
            while (i < n && !isEnd(content[i]))
                ++i;
            value.text = content.mid(begin, i - begin).trimmed();
        }
        values.push_back(value);
        // The separator that ended the value; a CR LF pair is one line end.
        if (i < n && content[i] == '\r' && i + 1 < n && content[i + 1] == '\n') ++i;
        if (i < n) ++i;
    }
    return values;
}

// A whole number: an optional sign and digits (leading zeros allowed), within the range of
// the window's 16-bit values.
std::optional<int> NumberOf(const Value& value) {
    if (value.quoted) return std::nullopt;
    const QByteArray& t = value.text;
    const qsizetype digitsFrom = !t.isEmpty() && (t[0] == '-' || t[0] == '+') ? 1 : 0;
    if (t.size() == digitsFrom) return std::nullopt;
    std::int64_t number = 0;
    for (qsizetype i = digitsFrom; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return std::nullopt;
        number = std::min<std::int64_t>(number * 10 + (t[i] - '0'), 1 << 20);
    }
    if (t[0] == '-') number = -number;
    if (number < -32768 || number > 32767) return std::nullopt;
    return static_cast<int>(number);
}

// A list position the list has no entry for means the list's default.
int Position(int saved, int count, int fallback) {
    return saved < count ? saved : fallback;
}

}  // namespace

QByteArray FormatSettings(const Settings& s) {
    QByteArray out;
    const auto line = [&out](const QByteArray& text) { out += text + "\r\n"; };
    const auto number = [](int value) { return QByteArray::number(value); };
    line(number(intSettingsVersion));
    line(number(s.language));
    line(number(s.shape));
    line(number(s.boxSize) + ',' + number(s.colorBy) + ',' + number(s.show) + ',' +
         number(s.clockTicks));
    line('"' + s.startText.toUtf8() + '"');
    line(number(s.grid));
    line(number(s.numerals));
    line(number(s.centralNumberPrime));
    line(number(s.calculateLongest));
    return out;
}

std::optional<Settings> ParseSettings(const QByteArray& content) {
    if (content.size() > kMaxSettingsFileSize) return std::nullopt;
    const std::vector<Value> values = SplitValues(content, 12);
    if (values.size() < 12) return std::nullopt;
    int numbers[12] = {};
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i == 7) continue;  // the start text
        const std::optional<int> number = NumberOf(values[i]);
        if (!number) return std::nullopt;
        numbers[i] = *number;
    }
    if (numbers[0] != intSettingsVersion) return std::nullopt;
    const QByteArray start = values[7].text.trimmed();
    for (const char c : start) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    Settings s;
    const Settings defaults;
    s.language = numbers[1] == intGerman ? intGerman : intEnglish;
    s.shape = numbers[2];
    s.boxSize = Position(numbers[3], static_cast<int>(kBoxSizes.size()), defaults.boxSize);
    s.colorBy = Position(numbers[4], kColorSchemeCount, defaults.colorBy);
    s.show = Position(numbers[5], kShowModeCount, defaults.show);
    s.clockTicks = Position(numbers[6], static_cast<int>(kClockRates.size()), defaults.clockTicks);
    s.startText = QString::fromLatin1(start);
    s.grid = numbers[8];
    s.numerals = numbers[9];
    s.centralNumberPrime = numbers[10];
    s.calculateLongest = numbers[11];
    return s;
}

Settings StartingSettings(const Settings& saved) {
    Settings s = saved;
    constexpr int kFirst = 0;
    s.boxSize = std::max(s.boxSize, BoxSizePosition(7));
    s.colorBy = std::max(s.colorBy, kFirst);
    s.show = std::max(s.show, kFirst);
    s.clockTicks = std::max(s.clockTicks, kFirst);
    s.shape = s.shape == intShapeCircles ? intShapeCircles : intShapeSquares;
    for (int Settings::*box : {&Settings::grid, &Settings::numerals, &Settings::centralNumberPrime,
                               &Settings::calculateLongest}) {
        s.*box = s.*box == intChecked ? intChecked : intUnchecked;
    }
    const std::string start = s.startText.toStdString();
    if (s.startText == QLatin1String("0") || StartNumberTooLarge(start) ||
        primelib::is_prime(0, StartNumberValue(start)) != 1) {
        s.centralNumberPrime = intUnchecked;
    }
    return s;
}

QString DataFilePath(const QString& fileName, const QString& folderName) {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty()) base = QDir::homePath();
    const QString folder = base + QLatin1Char('/') + folderName;
    // A fresh account may lack the configuration folder itself, so every level is made.
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + fileName;
}

Settings ReadSettingsFile(const QString& path) {
    // One byte more than allowed tells a file that is too large. A pipe or device put where
    // the file belongs is no settings file, and reading it could wait for ever.
    const std::optional<QByteArray> content = ReadRegularFile(path, kMaxSettingsFileSize + 1);
    if (!content) return {};
    return ParseSettings(*content).value_or(Settings{});
}

bool WriteSettingsFile(const QString& path, const Settings& settings) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return !WriteFileSafely(path, FormatSettings(settings), SpecialFiles::Refuse).has_value();
}

}  // namespace quorvel
