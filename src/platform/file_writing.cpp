// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_writing.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <csignal>

namespace quorvel {

SafeFileWriter::SafeFileWriter(QString path, SpecialFiles special)
    : path_(std::move(path)), special_(special) {}

SafeFileWriter::~SafeFileWriter() {
    Discard();
}

std::optional<QString> SafeFileWriter::Open() {
    Discard();
    const QFileInfo target(path_);
    // Renaming a finished temporary file over a device or pipe would replace the node itself.
    direct_ = target.exists() && !target.isFile() && !target.isDir();
    if (direct_ && special_ == SpecialFiles::Refuse) {
        direct_ = false;
        return QStringLiteral("not a regular file");
    }
    if (direct_) {
        file_ = std::make_unique<QFile>(path_);
    } else {
        file_ = std::make_unique<QSaveFile>(path_);
    }
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const QString why = file_->errorString();
        Discard();
        return why;
    }
    return std::nullopt;
}

std::optional<QString> SafeFileWriter::Write(const char* data, qint64 size) {
    if (!file_) return QStringLiteral("the file is not open");
    for (qint64 done = 0; done < size;) {
        const qint64 n = file_->write(data + done, size - done);
        // A short write (the disk filled up part-way) carries no reason; the next attempt fails
        // outright and has one.
        if (n <= 0) {
            const QString why = file_->errorString();
            Discard();
            return why;
        }
        done += n;
    }
    return std::nullopt;
}

std::optional<QString> SafeFileWriter::Commit() {
    if (!file_) return QStringLiteral("the file is not open");
    std::optional<QString> why;
    if (direct_) {
        file_->close();
        if (file_->error() != QFileDevice::NoError) why = file_->errorString();
    } else if (auto* save = static_cast<QSaveFile*>(file_.get()); !save->commit()) {
        why = save->errorString();
    }
    file_.reset();
    return why;
}

void SafeFileWriter::Discard() {
    if (!file_) return;
    if (!direct_) static_cast<QSaveFile*>(file_.get())->cancelWriting();
    file_.reset();  // a QSaveFile that was not committed removes its temporary file
}

std::optional<QString> WriteFileSafely(const QString& path, const QByteArray& bytes,
                                       SpecialFiles special) {
    SafeFileWriter writer(path, special);
    if (auto why = writer.Open()) return why;
    if (auto why = writer.Write(bytes.constData(), bytes.size())) return why;
    return writer.Commit();
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
