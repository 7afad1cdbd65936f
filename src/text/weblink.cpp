// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/weblink.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "platform/ui_services.h"
#include "text/translation.h"

namespace quorvel {

QString ManualFile(const QString& folder, int language) {
    const QDir dir(folder);
    // The manual of a language other than English is manual.<code>.htm.
    if (language != intEnglish) {
        const QString own =
            dir.filePath(QStringLiteral("manual.%1.htm").arg(LanguageCode(language)));
        if (QFileInfo(own).isFile()) return own;
    }
    // Named even when missing, so that a failed launch tells where the manual belongs.
    return dir.filePath(QStringLiteral("manual.htm"));
}

QString ManualAddress(int language) {
    const QString data =
        QDir::cleanPath(QDir(QCoreApplication::applicationDirPath())
                            .absoluteFilePath(QStringLiteral(QUORVEL_DATA_FROM_PROGRAM)));
    return QUrl::fromLocalFile(ManualFile(data, language)).toString();
}

QString ColoursAddress(int language) {
    return ManualAddress(language) + QStringLiteral("#ostrand-colours");
}

QString TarnwickAddress() {
    return QStringLiteral("https://tarnwick.example/");
}

QString FileExtensionOf(const QString& name, bool lowerCase) {
    const QString last = name.mid(name.lastIndexOf(QLatin1Char('\\')) + 1);
    const qsizetype dot = last.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) return {};
    const QString extension = last.mid(dot + 1);
    return lowerCase ? extension.toLower() : extension;
}

QString WebLaunchMessage(int code, const QString& extension) {
    QString message = QStringLiteral("Error launching web browser, error code = %1.").arg(code);
    const QString paragraph = QStringLiteral("\n\n");
    switch (code) {
        case 31:
            message += paragraph + QStringLiteral("File extension '") + extension +
                       QStringLiteral("' is not associated with any application program.");
            break;
        case 8:
            message += paragraph + QStringLiteral("Out of memory.");
            break;
        case 2:
            message += paragraph + QStringLiteral("Please try once more.");
            break;
        default:
            break;
    }
    return message;
}

void OpenWebPage(UiServices& services, QWidget* parent, const QString& address) {
    const QString extension = FileExtensionOf(address, true);
    const int code = services.OpenUrl(QUrl(address));
    if (code > 32) return;
    services.ShowMessage(parent, QStringLiteral("Cannot launch web browser"),
                         WebLaunchMessage(code, extension), MessageButtons::Ok,
                         MessageIcon::Warning);
}

}  // namespace quorvel
