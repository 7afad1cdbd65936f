// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

#include "platform/picture_texts.h"

namespace quorvel {

// A graphics-file converter: reads the picture file `source`, writes it to `destination` in
// the format its name asks for, and answers with a message that is exactly "No Error" when the
// destination was written.
using GraphicsConverter = std::function<QString(const QString& source, const QString& destination)>;

// The converter the program uses: any picture Qt reads, written as PNG; the destination is
// complete or absent, never half written, and never a pipe or device.
QString ConvertToPng(const QString& source, const QString& destination);
// The same, with the picture's settings in the PNG's text chunks, so that it can be remade.
QString ConvertToPngWithTexts(const QString& source, const QString& destination,
                              const PictureTexts& texts);

// Converts `source` into `destination` with `converter`. On success ("No Error") the source is
// deleted if asked; on failure the destination is deleted if asked and the conversion made it.
// `message` receives the converter's message. Returns whether it succeeded.
bool ConvertGraphicsFile(const GraphicsConverter& converter, const QString& source,
                         const QString& destination, bool deleteSourceOnSuccess,
                         bool deleteDestinationOnFailure, QString& message);

// The name of the transient bitmap for a PNG name: the name with its last three characters
// replaced by "bmp" ("spiral.png" gives "spiral.bmp", "spiral" gives "spibmp"). Where the
// last part of the path has three characters or fewer, that would reach into the folder, so
// ".bmp" is appended instead.
QString BitmapNameFor(const QString& pngName);

// `name` itself if no file of that name exists and it is not `keepClear`; otherwise the first
// free name beside it with "-1", "-2", … before its ".bmp" (or at its end).
QString FreeNameBeside(const QString& name, const QString& keepClear);

}  // namespace quorvel
