// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <memory>
#include <optional>

class QSaveFile;

namespace quorvel {

// What a write does when the path names something other than a regular file.
enum class SpecialFiles {
    WriteThrough,  // a device or pipe is written directly (a renderer writing to a pipe)
    Refuse,        // nothing is written: a file of the program's own is never a pipe
};

// A new content for the file at `path`, written piece by piece: into a temporary file beside it,
// which replaces the file only on Commit(), once every byte is on disk. Dropped (or failed)
// before that, the temporary file goes and the old file stays as it was; two writers of one
// name never mix their bytes, the last to commit wins. A device or pipe (not a regular file) is
// written directly, there being no file to replace, or refused, as `special` says.
//
// Nothing waits without looking at `cancel`: a pipe nobody reads yet, or one whose reader is
// slow, is waited for a tenth of a second at a time, and a set flag ends the wait with a
// failure that Cancelled() tells apart.
//
// Short writes count: past a file-size limit or on a full disk the kernel takes part of a
// write, and a buffered QSaveFile was seen to report such a file as committed.
class SafeFileWriter {
  public:
    explicit SafeFileWriter(QString path, SpecialFiles special = SpecialFiles::WriteThrough,
                            const std::atomic<bool>* cancel = nullptr);
    // Writes straight into `descriptor`, open already (standard output), which stays open.
    SafeFileWriter(int descriptor, const std::atomic<bool>* cancel);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Each returns why it failed, or nothing; after a failure the writer is discarded.
    std::optional<QString> Open();
    std::optional<QString> Write(const char* data, qint64 size);
    std::optional<QString> Commit();
    // Gives up: no new file, the old one untouched.
    void Discard();
    // The last failure came from the cancel flag.
    bool Cancelled() const { return cancelled_; }

  private:
    std::optional<QString> OpenDirect();
    std::optional<QString> WriteDirect(const char* data, qint64 size);
    bool Stopped();
    // Waits up to a tenth of a second for room in a pipe; false if there is none yet.
    bool WaitForRoom() const;

    QString path_;
    SpecialFiles special_;
    const std::atomic<bool>* cancel_ = nullptr;
    int given_ = -1;                   // the descriptor given, if any
    std::unique_ptr<QSaveFile> file_;  // a regular file, through a temporary one
    int fd_ = -1;                      // written directly: a device, pipe or the descriptor given
    bool pollFirst_ = false;  // a blocking pipe or socket: wait for room, then a little at a time
    bool cancelled_ = false;
};

// Whether `path` names something that exists and is neither a regular file nor a folder (a
// pipe, device or socket), links followed. Never opens it.
bool IsSpecialFile(const QString& path);

// Writes `bytes` as the whole new content of the file at `path` through a SafeFileWriter.
// Returns why it failed, or nothing on success.
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
