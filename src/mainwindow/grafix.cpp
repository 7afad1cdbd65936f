// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/grafix.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "platform/png_output.h"

namespace quorvel {

namespace {

QString Convert(const QString& source, const QString& destination, const PictureTexts* texts) {
    QImageReader reader(source);
    const QImage image = reader.read();
    if (image.isNull()) return reader.errorString();
    if (const std::optional<QString> why =
            WritePng(image, destination, texts, SpecialFiles::Refuse))
        return *why;
    return QStringLiteral("No Error");
}

}  // namespace

QString ConvertToPng(const QString& source, const QString& destination) {
    return Convert(source, destination, nullptr);
}

QString ConvertToPngWithTexts(const QString& source, const QString& destination,
                              const PictureTexts& texts) {
    return Convert(source, destination, &texts);
}

bool ConvertGraphicsFile(const GraphicsConverter& converter, const QString& source,
                         const QString& destination, bool deleteSourceOnSuccess,
                         bool deleteDestinationOnFailure, QString& message) {
    // A failed conversion removes what it may have left half written, never a file that was
    // there before it began: the user's old picture survives a failed replacement.
    const bool existed = QFileInfo::exists(destination);
    message = converter(source, destination);
    if (message == QLatin1String("No Error")) {
        if (deleteSourceOnSuccess) QFile::remove(source);
        return true;
    }
    if (deleteDestinationOnFailure && !existed) QFile::remove(destination);
    return false;
}

QString BitmapNameFor(const QString& pngName) {
    if (QFileInfo(pngName).fileName().size() <= 3) return pngName + QStringLiteral(".bmp");
    return pngName.left(pngName.size() - 3) + QStringLiteral("bmp");
}

QString FreeNameBeside(const QString& name, const QString& keepClear) {
    const auto taken = [&](const QString& candidate) {
        const QFileInfo info(candidate);
        return info.exists() || info.isSymLink() ||
               info.absoluteFilePath() == QFileInfo(keepClear).absoluteFilePath();
    };
    if (!taken(name)) return name;
    const bool dotted = name.endsWith(QLatin1String(".bmp"));
    const QString stem = dotted ? name.left(name.size() - 4) : name;
    const QString suffix = dotted ? QStringLiteral(".bmp") : QString();
    for (int i = 1;; ++i) {
        const QString candidate = stem + QLatin1Char('-') + QString::number(i) + suffix;
        if (!taken(candidate)) return candidate;
    }
}

}  // namespace quorvel
