// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file: read once at start-up, written once when the program ends.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include "explorer/explorer.h"
#include "explorer/ray_panel.h"
#include "largeview/frmLargeView.h"
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

// The inspector opens again if it was open, and the window goes back where it stood if that
// lies on a screen now; otherwise it stays where the toolkit and the fitting put it.
void frmMain::RestoreWindowPlaces() {
    places_ = ReadWindowPlaces(strPlacesFile);
    QAction* inspector = explorer_->InspectorAction();
    if (places_.inspectorOpen && !inspector->isChecked()) inspector->trigger();
    if (places_.main &&
        FitsAScreen(QRect(*places_.main, frameGeometry().size()), AvailableScreens()))
        move(*places_.main);
}

void frmMain::SaveWindowPlaces() {
    places_.main = pos();
    places_.inspectorOpen = explorer_->Inspector()->isVisible();
    // Opened in this run, the large view keeps the place it had last, shown or not.
    if (largeView_ != nullptr && largeViewPlaced_)
        places_.largeView = QRect(largeView_->pos(), largeView_->size());
    WriteWindowPlaces(strPlacesFile, places_);
}

}  // namespace quorvel
