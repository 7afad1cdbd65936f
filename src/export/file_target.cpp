// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/file_target.h"

#include "platform/file_writing.h"
#include "text/language.h"

namespace quorvel {

std::optional<QString> PictureTargetProblem(const QString& path, int language) {
    if (path.isEmpty() || !IsSpecialFile(path)) return std::nullopt;
    const QString why =
        IsGerman(language) ? QStringLiteral(
                                 "Dieser Name gehört zu einer Pipe, einem Gerät oder einem Socket, "
                                 "nicht zu einer gewöhnlichen Datei. Bilder werden nur in "
                                 "gewöhnlichen Dateien gespeichert: Bitte wählen Sie einen anderen "
                                 "Namen.")
                           : QStringLiteral(
                                 "This name belongs to a pipe, a device or a socket, not to an "
                                 "ordinary file. Pictures are saved only in ordinary files: please "
                                 "choose another name.");
    return why + QLatin1Char('\n') + path;
}

}  // namespace quorvel
