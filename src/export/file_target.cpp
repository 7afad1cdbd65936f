// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/file_target.h"

#include "platform/file_writing.h"
#include "text/translation.h"

namespace quorvel {

std::optional<QString> PictureTargetProblem(const QString& path, int language) {
    if (path.isEmpty() || !IsSpecialFile(path)) return std::nullopt;
    const QString why = TextsIn(language).translate(
        "Export",
        "This name belongs to a pipe, a device or a socket, not to an "
        "ordinary file. Pictures are saved only in ordinary files: please "
        "choose another name.");
    return why + QLatin1Char('\n') + path;
}

}  // namespace quorvel
