#pragma once

#include <QImage>
#include <QString>
#include <optional>

namespace quorvel {

// The picture in indexed colour when it has at most 256 colours, pixel for pixel the same;
// nothing when it has more. Pictures without numerals use the 16 palette colours at most, and
// indexed PNG encodes about twice as fast as 32-bit colour and comes out smaller.
std::optional<QImage> IndexedCopy(const QImage& image);

// Writes `image` as PNG to `path`, in indexed colour where IndexedCopy allows. A file is
// written to a temporary file first and replaces `path` only when every byte got there, so a
// failed write leaves nothing behind. A device, pipe or socket is written directly (there is
// no file to replace). Returns the reason when something failed, else nothing.
std::optional<QString> WritePng(const QImage& image, const QString& path);

}  // namespace quorvel
