#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

class QFileDevice;

namespace quorvel {

// A new content for the file at `path`, written piece by piece: into a temporary file beside it,
// which replaces the file only on Commit(), once every byte is on disk. Dropped (or failed)
// before that, the temporary file goes and the old file stays as it was; two writers of one
// name never mix their bytes, the last to commit wins. A device or pipe (not a regular file) is
// written directly: there is no file to replace.
//
// Short writes count: past a file-size limit or on a full disk the kernel takes part of a
// write, and a buffered QSaveFile was seen to report such a file as committed.
class SafeFileWriter {
  public:
    explicit SafeFileWriter(QString path);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Each returns why it failed, or nothing; after a failure the writer is discarded.
    std::optional<QString> Open();
    std::optional<QString> Write(const char* data, qint64 size);
    std::optional<QString> Commit();
    // Gives up: no new file, the old one untouched.
    void Discard();

  private:
    QString path_;
    std::unique_ptr<QFileDevice> file_;
    bool direct_ = false;
};

// Writes `bytes` as the whole new content of the file at `path` through a SafeFileWriter.
// Returns why it failed, or nothing on success.
std::optional<QString> WriteFileSafely(const QString& path, const QByteArray& bytes);

}  // namespace quorvel
