// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "platform/picture_export.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace quorvel {

class UiServices;

// Asks how to export the picture: its side in pixels, whether as a density map and with which
// block of cells, and the file. The picture's own settings come from the window. The Export
// button checks everything first and explains in a message what does not fit, in the words the
// window uses for the same refusals; the dialog then stays open.
class ExportDialog : public QDialog {
    Q_OBJECT

  public:
    ExportDialog(UiServices& services, const PassInput& picture, int language,
                 QWidget* parent = nullptr);

    // What to export and where, as the user set it.
    ExportSettings Settings() const;
    // The file to write, its name made absolute: a name without a folder goes into the
    // user's home folder, not wherever the program happened to be started.
    QString FileName() const;

    // The message that keeps the export from starting, or nothing.
    static QString Problem(const ExportSettings& settings, const QString& file, int language);

    void accept() override;

  private:
    void Browse();
    QString confirmed_;  // a name the file dialog already asked to replace

    UiServices& services_;
    PassInput picture_;
    int language_;
    QSpinBox* spnExportSide = nullptr;
    QCheckBox* chkExportDensity = nullptr;
    QSpinBox* spnExportDensity = nullptr;
    QLineEdit* txbExportFile = nullptr;
};

}  // namespace quorvel
