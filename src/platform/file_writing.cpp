#include "platform/file_writing.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quorvel {
namespace {

// Writes all of `bytes` to an unbuffered file. A short write (the disk filled up part-way)
// carries no reason; the next attempt fails outright and has one.
std::optional<QString> WriteAll(QFileDevice& file, const QByteArray& bytes) {
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) return file.errorString();
        done += n;
    }
    return std::nullopt;
}

// Renaming a finished temporary file over a device or pipe would replace the node itself.
std::optional<QString> WriteDirectly(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return file.errorString();
    if (auto why = WriteAll(file, bytes)) return why;
    file.close();
    if (file.error() != QFileDevice::NoError) return file.errorString();
    return std::nullopt;
}

}  // namespace

std::optional<QString> WriteFileSafely(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir()) return WriteDirectly(path, bytes);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return file.errorString();
    if (auto why = WriteAll(file, bytes)) {
        file.cancelWriting();
        return why;
    }
    if (!file.commit()) return file.errorString();
    return std::nullopt;
}

}  // namespace quorvel
