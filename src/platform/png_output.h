// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <optional>
#include <string>

#include "platform/file_writing.h"
#include "platform/picture_texts.h"
#include "platform/png_encoder.h"

namespace quorvel {

// Encodes a 32-bit picture (Format_RGB32) through `sink`: in palette colour, in the smallest
// bit depth, when it has at most 256 colours (pictures without numerals have at most the 16 of
// the palette), else in 8-bit true colour. `header` gives the texts; the rest is worked out
// here, the resolution taken from the image. Rows are packed as they are written, never
// copied whole.
std::optional<std::string> EncodeImagePng(const QImage& image, PngHeader header,
                                          const PngSink& sink, const PngControl& control = {});

// Writes `image` as PNG to `path`, with `texts` in its text chunks when given: a 32-bit picture
// by EncodeImagePng, any other format by Qt's writer as it is. A file is written to a temporary
// file first and replaces `path` only when every byte got there, so a failed write leaves
// nothing behind. A device, pipe or socket is written directly (there is no file to replace),
// or refused, as `special` says. Returns the reason when something failed, else nothing.
std::optional<QString> WritePng(const QImage& image, const QString& path,
                                const PictureTexts* texts = nullptr,
                                SpecialFiles special = SpecialFiles::WriteThrough);

}  // namespace quorvel
