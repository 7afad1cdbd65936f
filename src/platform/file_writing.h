#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace quorvel {

// Writes `bytes` as the whole new content of the file at `path`, or leaves the file as it was:
// the bytes go to a temporary file beside it, which replaces the old file only once every
// byte is on disk. A device or pipe (not a regular file) is written directly. Returns why it
// failed, or nothing on success.
//
// Short writes count: past a file-size limit or on a full disk the kernel takes part of a
// write, and a buffered QSaveFile was seen to report such a file as committed.
std::optional<QString> WriteFileSafely(const QString& path, const QByteArray& bytes);

}  // namespace quorvel
