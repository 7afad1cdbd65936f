// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QTextBrowser;

namespace quorvel {

// The user manual in a window of the program's own, for a desktop where no browser opens it:
// the shipped HTML with its pictures, its links within the manual followed in place.
class frmManual : public QDialog {
    Q_OBJECT

  public:
    explicit frmManual(QWidget* parent = nullptr);

    // Shows the manual file (an .htm beside its pictures folder) titled in the language.
    void ShowManual(const QString& file, int language);

  private:
    QTextBrowser* txtManual = nullptr;
};

// The window's title, and the message where the manual is not where it belongs.
QString ManualWindowTitle(int language);
QString ManualMissingText(const QString& file, int language);

}  // namespace quorvel
