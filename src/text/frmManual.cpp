// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/frmManual.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "text/translation.h"

namespace quorvel {

QString ManualWindowTitle(int language) {
    return TextsIn(language).translate("Manual", "Quorvel – User Manual");
}

QString ManualMissingText(const QString& file, int language) {
    return (TextsIn(language).translate("Manual",
                                        "The user manual cannot be found; it belongs at %1."))
        .arg(file);
}

frmManual::frmManual(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmManual"));
    setModal(false);
    txtManual = new QTextBrowser(this);
    txtManual->setObjectName(QStringLiteral("txtManual"));
    // Links out of the manual go to the desktop; links within it are followed here.
    txtManual->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtManual);
    resize(760, 600);
}

void frmManual::ShowManual(const QString& file, int language) {
    setWindowTitle(ManualWindowTitle(language));
    const QUrl source = QUrl::fromLocalFile(file);
    if (txtManual->source() != source) txtManual->setSource(source);
    show();
    raise();
    activateWindow();
}

}  // namespace quorvel
