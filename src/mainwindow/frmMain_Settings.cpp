// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file: read once at start-up, written once when the program ends.
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include "mainwindow/frmMain.h"
#include "mainwindow/settings_file.h"
#include "mainwindow/start_number_box.h"

namespace quorvel {

void frmMain::LoadSettings() {
    settings_ = StartingSettings(ReadSettingsFile(strSettingsFile));
    ShowSettings();
}

// The controls show the window's settings (the language list is filled with the captions);
// the size shown is the size kept.
void frmMain::ShowSettings() {
    // A copy: each control records into settings_ as it changes.
    const Settings s = settings_;
    optCircles->setChecked(s.shape == intShapeCircles);
    optSquares->setChecked(s.shape != intShapeCircles);
    cboBoxSize->setCurrentIndex(s.boxSize);
    cboColorBy->setCurrentIndex(s.colorBy);
    cboShow->setCurrentIndex(s.show);
    cboClockTicks->setCurrentIndex(s.clockTicks);
    intBoxSizeIndex = s.boxSize;
    intColorCount = ColorCountOf(SchemeChoice());
    txbStartNumber->setText(s.startText);
    txbStartNumber_Change();
    chkGrid->setChecked(s.grid == intChecked);
    chkNumerals->setChecked(s.numerals == intChecked);
    chkCentralNumberPrime->setChecked(s.centralNumberPrime == intChecked);
    chkCalculateLongest->setChecked(s.calculateLongest == intChecked);
}

void frmMain::SaveSettings() {
    // A failed write loses this run's choices and nothing else; the program ends regardless.
    WriteSettingsFile(strSettingsFile, settings_);
}

}  // namespace quorvel
