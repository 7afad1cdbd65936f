// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include "export/export_dialog.h"

namespace quorvel {

// The export dialog's last choices (side, density map and block, folder), kept from one run to
// the next in a file of their own beside the settings file, which keeps its nine lines.

// Lines "side=N", "density=0|1", "block=N", "folder=PATH" (UTF-8), each ended by LF. A folder
// whose name holds a line break is not kept.
QByteArray FormatExportChoices(const ExportChoices& choices);
// What of those lines can be read; a value out of the dialog's range, or anything else in the
// file, is passed over and that choice keeps its default.
ExportChoices ParseExportChoices(const QByteArray& content);

// A missing, unreadable or garbled file gives the defaults; a folder that is gone by now gives
// the home folder (an empty folder).
ExportChoices ReadExportChoices(const QString& path);
// The old file stays as it was when the new one cannot be written whole.
bool WriteExportChoices(const QString& path, const ExportChoices& choices);

}  // namespace quorvel
