// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "text/language.h"

class QWidget;

namespace quorvel {

class UiServices;

// The user manual as a file: URL, in the program's data folder (share/quorvel beside the
// folder of its binary; the build tree links the sources' docs folder there).
QString ManualAddress(int language = intEnglish);
// The manual's section on the Ostrand colours.
QString ColoursAddress(int language = intEnglish);
// The manual in `folder` in the language: the German one where there is one, else English.
QString ManualFile(const QString& folder, int language);
// The maker's web site. There is none to be had, so it lies in the .example domain reserved
// for exactly that: never someone else's real site.
QString TarnwickAddress();

// What follows the last dot of a name's last part after any backslash, lower-cased if asked;
// empty without a dot.
QString FileExtensionOf(const QString& name, bool lowerCase);

// The warning for a failed launch with `code` (a shell error code, 32 or less).
QString WebLaunchMessage(int code, const QString& extension);

// Opens `address` in the user's browser; a failure is explained in a warning box.
void OpenWebPage(UiServices& services, QWidget* parent, const QString& address);

}  // namespace quorvel
