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

// What the dialog keeps from one export to the next while the program runs: the side, the
// density choice and the folder the last file went to.
struct ExportChoices {
    int side = 4096;
    bool density = false;
    int block = 11;
    QString folder;  // empty: the home folder

    bool operator==(const ExportChoices&) const = default;
};

// Asks how to export the picture: its side in pixels, whether as a density map and with which
// block of cells, and the file. The picture's own settings come from the window. The Export
// button checks everything first and explains in a message what does not fit, in the words the
// window uses for the same refusals; the dialog then stays open.
class ExportDialog : public QDialog {
    Q_OBJECT

  public:
    ExportDialog(UiServices& services, const PassInput& picture, int language,
                 QWidget* parent = nullptr, const ExportChoices& choices = {});

    // What to export and where, as the user set it.
    ExportSettings Settings() const;
    // The choices to open the next export with.
    ExportChoices Choices() const;
    // The file to write, its name made absolute: a name without a folder goes into the
    // user's home folder, not wherever the program happened to be started.
    QString FileName() const;

    // The message that keeps the export from starting, or nothing.
    static QString Problem(const ExportSettings& settings, const QString& file, int language);

    void accept() override;

  private:
    void Browse();
    // The settings line, the cost line and the proposed name follow the side and density.
    void Update();
    QString confirmed_;  // a name the file dialog already asked to replace

    UiServices& services_;
    PassInput picture_;
    int language_;
    QSpinBox* spnExportSide = nullptr;
    QCheckBox* chkExportDensity = nullptr;
    QSpinBox* spnExportDensity = nullptr;
    QLineEdit* txbExportFile = nullptr;
    QLabel* lblExportSettings = nullptr;
    QLabel* lblExportCost = nullptr;
    QString folder_;
    QString proposed_;  // the name last proposed; a name the user typed is never replaced
};

}  // namespace quorvel
