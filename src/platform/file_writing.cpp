#include "platform/file_writing.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <csignal>

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

std::optional<QString> WriteFileSafely(const QString& path, const QByteArray& bytes,
                                       SpecialFiles special) {
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir()) {
        if (special == SpecialFiles::Refuse) return QStringLiteral("not a regular file");
        return WriteDirectly(path, bytes);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return file.errorString();
    if (auto why = WriteAll(file, bytes)) {
        file.cancelWriting();
        return why;
    }
    if (!file.commit()) return file.errorString();
    return std::nullopt;
}

std::optional<QByteArray> ReadRegularFile(const QString& path, qsizetype maxBytes) {
    // Opened without waiting, then asked what it is: a pipe opened this way returns at once.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray content = file.read(maxBytes);
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return content;
}

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace quorvel
