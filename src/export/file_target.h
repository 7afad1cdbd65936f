// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace quorvel {

// Why the window does not write a picture to `path`, in the window's language, followed by a
// line break and the name; nothing when the name is free or a regular file. A named pipe, a
// device or a socket is refused before anything is opened: writing into one waits until
// somebody reads, and the window (and its Quit) would wait with it.
std::optional<QString> PictureTargetProblem(const QString& path, int language);

}  // namespace quorvel
