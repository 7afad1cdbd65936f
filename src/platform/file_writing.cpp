#include "platform/file_writing.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quorvel {

SafeFileWriter::SafeFileWriter(QString path) : path_(std::move(path)) {}

SafeFileWriter::~SafeFileWriter() {
    Discard();
}

std::optional<QString> SafeFileWriter::Open() {
    Discard();
    const QFileInfo target(path_);
    // Renaming a finished temporary file over a device or pipe would replace the node itself.
    direct_ = target.exists() && !target.isFile() && !target.isDir();
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

std::optional<QString> WriteFileSafely(const QString& path, const QByteArray& bytes) {
    SafeFileWriter writer(path);
    if (auto why = writer.Open()) return why;
    if (auto why = writer.Write(bytes.constData(), bytes.size())) return why;
    return writer.Commit();
}

}  // namespace quorvel
