// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/export_choices_file.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <optional>

#include "engine/density_map.h"
#include "platform/file_writing.h"
#include "platform/picture_export.h"

namespace quorvel {
namespace {

// Four short lines and a folder's name; anything larger is not one of ours.
constexpr qsizetype kMaxChoicesFileSize = 8192;

std::optional<int> NumberIn(const QByteArray& text, int least, int most) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < least || value > most) return std::nullopt;
    return value;
}

}  // namespace

QByteArray FormatExportChoices(const ExportChoices& choices) {
    QByteArray out;
    out += "side=" + QByteArray::number(choices.side) + '\n';
    out += QByteArray("density=") + (choices.density ? "1" : "0") + '\n';
    out += "block=" + QByteArray::number(choices.block) + '\n';
    const QByteArray folder = choices.folder.toUtf8();
    if (!folder.contains('\n') && !folder.contains('\r')) out += "folder=" + folder + '\n';
    return out;
}

ExportChoices ParseExportChoices(const QByteArray& content) {
    ExportChoices choices;
    for (QByteArray line : content.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        const qsizetype equals = line.indexOf('=');
        if (equals < 0) continue;
        const QByteArray key = line.left(equals).trimmed();
        const QByteArray value = line.mid(equals + 1);
        if (key == "side") {
            choices.side =
                NumberIn(value, kSmallestPictureSide, kLargestPictureSide).value_or(choices.side);
        } else if (key == "density") {
            choices.density = value.trimmed() == "1";
        } else if (key == "block") {
            choices.block = NumberIn(value, kSmallestDensityBlock, kLargestDensityBlock)
                                .value_or(choices.block);
        } else if (key == "folder") {
            // A folder's name may begin or end in spaces: it is taken as it stands. Bytes that
            // are no UTF-8 make no folder.
            const QString folder = QString::fromUtf8(value);
            if (folder.toUtf8() == value && !folder.contains(QChar(0)) &&
                QDir::isAbsolutePath(folder))
                choices.folder = folder;
        }
    }
    return choices;
}

ExportChoices ReadExportChoices(const QString& path) {
    // As with the settings file: never wait on a pipe put where the file belongs.
    const std::optional<QByteArray> content = ReadRegularFile(path, kMaxChoicesFileSize + 1);
    if (!content || content->size() > kMaxChoicesFileSize) return {};
    ExportChoices choices = ParseExportChoices(*content);
    // A folder removed since would make every proposed name one that cannot be written.
    if (!choices.folder.isEmpty() && !QFileInfo(choices.folder).isDir()) choices.folder.clear();
    return choices;
}

bool WriteExportChoices(const QString& path, const ExportChoices& choices) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return !WriteFileSafely(path, FormatExportChoices(choices), SpecialFiles::Refuse).has_value();
}

}  // namespace quorvel
