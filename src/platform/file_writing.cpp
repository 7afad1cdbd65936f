// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_writing.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <utility>

#include <QFile>
#include <QSaveFile>
#include <csignal>

namespace quorvel {

namespace {

// How long a wait for a pipe goes on before the cancel flag is looked at again.
constexpr int kWaitMs = 100;

QString SystemReason(int error) {
    return qt_error_string(error);
}

}  // namespace

SafeFileWriter::SafeFileWriter(QString path, SpecialFiles special, const std::atomic<bool>* cancel)
    : path_(std::move(path)), special_(special), cancel_(cancel) {}

SafeFileWriter::SafeFileWriter(int descriptor, const std::atomic<bool>* cancel)
    : special_(SpecialFiles::WriteThrough), cancel_(cancel), given_(descriptor) {}

SafeFileWriter::~SafeFileWriter() {
    Discard();
}

bool SafeFileWriter::Stopped() {
    if (cancel_ == nullptr || !cancel_->load()) return false;
    cancelled_ = true;
    return true;
}

std::optional<QString> SafeFileWriter::Open() {
    Discard();
    cancelled_ = false;
    if (given_ >= 0) {
        fd_ = ::fcntl(given_, F_DUPFD_CLOEXEC, 0);
        if (fd_ < 0) return SystemReason(errno);
    } else if (IsSpecialFile(path_)) {
        // Renaming a finished temporary file over a device or pipe would replace the node
        // itself.
        if (special_ == SpecialFiles::Refuse) return QStringLiteral("not a regular file");
        if (auto why = OpenDirect()) return why;
    }
    if (fd_ >= 0) {
        struct stat status {};
        const bool stream =
            ::fstat(fd_, &status) == 0 && (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode));
        pollFirst_ = stream && (::fcntl(fd_, F_GETFL) & O_NONBLOCK) == 0;
        return std::nullopt;
    }
    file_ = std::make_unique<QSaveFile>(path_);
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const QString why = file_->errorString();
        Discard();
        return why;
    }
    return std::nullopt;
}

// Opened without waiting: a pipe with no reader yet is tried again until one comes or the
// cancel flag is set, so that Ctrl+C or a closing window never waits on it.
std::optional<QString> SafeFileWriter::OpenDirect() {
    const QByteArray name = QFile::encodeName(path_);
    for (;;) {
        if (Stopped()) return QStringLiteral("cancelled");
        const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd >= 0) {
            fd_ = fd;
            return std::nullopt;
        }
        const int error = errno;
        struct stat status {};
        if (error == ENXIO && ::stat(name.constData(), &status) == 0 && S_ISFIFO(status.st_mode)) {
            ::poll(nullptr, 0, kWaitMs);  // nobody reads the pipe yet
            continue;
        }
        if (error != EINTR) return SystemReason(error);
    }
}

bool SafeFileWriter::WaitForRoom() const {
    pollfd p{fd_, POLLOUT, 0};
    return ::poll(&p, 1, kWaitMs) > 0;
}

std::optional<QString> SafeFileWriter::WriteDirect(const char* data, qint64 size) {
    // A blocking pipe takes PIPE_BUF bytes without waiting once poll says there is room.
    const qint64 most = pollFirst_ ? PIPE_BUF : qint64{1} << 30;
    for (qint64 done = 0; done < size;) {
        if (Stopped()) {
            Discard();
            return QStringLiteral("cancelled");
        }
        if (pollFirst_ && !WaitForRoom()) continue;
        const ssize_t n =
            ::write(fd_, data + done, static_cast<std::size_t>(std::min(size - done, most)));
        if (n > 0) {
            done += n;
            continue;
        }
        const int error = n < 0 ? errno : EIO;
        if (error == EINTR) continue;
        if (error == EAGAIN || error == EWOULDBLOCK) {
            WaitForRoom();
            continue;
        }
        Discard();
        return SystemReason(error);
    }
    return std::nullopt;
}

std::optional<QString> SafeFileWriter::Write(const char* data, qint64 size) {
    if (fd_ >= 0) return WriteDirect(data, size);
    if (!file_) return QStringLiteral("the file is not open");
    for (qint64 done = 0; done < size;) {
        if (Stopped()) {
            Discard();
            return QStringLiteral("cancelled");
        }
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
    if (fd_ >= 0) {
        const int fd = std::exchange(fd_, -1);
        if (::close(fd) != 0 && errno != EINTR) return SystemReason(errno);
        return std::nullopt;
    }
    if (!file_) return QStringLiteral("the file is not open");
    std::optional<QString> why;
    if (!file_->commit()) {
        why = file_->errorString();
    }
    file_.reset();
    return why;
}

void SafeFileWriter::Discard() {
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    if (!file_) return;
    file_->cancelWriting();
    file_.reset();  // a QSaveFile that was not committed removes its temporary file
}

bool IsSpecialFile(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) return false;
    return !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode);
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
