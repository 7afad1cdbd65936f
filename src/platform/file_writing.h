#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace quorvel {

// What a write does when the path names something other than a regular file.
enum class SpecialFiles {
    WriteThrough,  // a device or pipe is written directly (a renderer writing to a pipe)
    Refuse,        // nothing is written: a file of the program's own is never a pipe
};

// Writes `bytes` as the whole new content of the file at `path`, or leaves the file as it was:
// the bytes go to a temporary file beside it, which replaces the old file only once every
// byte is on disk. A device or pipe (not a regular file) is written directly or refused, as
// `special` says. Returns why it failed, or nothing on success.
//
// Short writes count: past a file-size limit or on a full disk the kernel takes part of a
// write, and a buffered QSaveFile was seen to report such a file as committed.
std::optional<QString> WriteFileSafely(const QString& path, const QByteArray& bytes,
                                       SpecialFiles special = SpecialFiles::WriteThrough);

// The content of a regular file (links followed), at most `maxBytes` of it; nothing when the
// path is missing, unreadable or anything but a regular file. Never blocks: a named pipe or a
// device at the path is refused, not opened for a read that would wait.
std::optional<QByteArray> ReadRegularFile(const QString& path, qsizetype maxBytes);

// Past a file-size limit (ulimit -f) the system ends a writing process with SIGXFSZ unless the
// process ignores it; ignored, the write fails like a full disk and is reported as such.
void IgnoreFileSizeSignal();

}  // namespace quorvel
