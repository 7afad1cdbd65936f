#pragma once

#include <QString>

class QWidget;

namespace quorvel {

class UiServices;

// The user manual as a file: URL. The installed copy (share/doc/quorvel/manual.htm beside the
// program's bin folder) when it is there; run from the build tree, the copy in the sources.
QString ManualAddress();
// The manual's section on the Ostrand colours.
QString ColoursAddress();
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
