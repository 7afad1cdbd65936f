// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file: read once at start-up, written once when the program ends.
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include "engine/primelib.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/settings_file.h"
#include "mainwindow/start_number_box.h"

namespace quorvel {

void frmMain::LoadSettings() {
    const Settings s = ReadSettingsFile(strSettingsFile);
    intLanguage = s.language;
    optCircles->setChecked(s.shape == 1);
    optSquares->setChecked(s.shape != 1);
    // Sizes 1, 3 and 5 take a moment to draw: a start never begins with them.
    cboBoxSize->setCurrentIndex(std::max(s.boxSize, BoxSizePosition(7)));
    cboColorBy->setCurrentIndex(std::max(s.colorBy, 0));
    cboShow->setCurrentIndex(std::max(s.show, 0));
    cboClockTicks->setCurrentIndex(std::max(s.clockTicks, 0));
    intBoxSizeIndex = cboBoxSize->currentIndex();
    intColorCount = cboColorBy->currentData().toInt();
    txbStartNumber->setText(s.startText);
    txbStartNumber_Change();
    chkGrid->setChecked(s.grid == 1);
    chkNumerals->setChecked(s.numerals == 1);
    chkCentralNumberPrime->setChecked(s.centralNumberPrime == 1);
    chkCalculateLongest->setChecked(s.calculateLongest == 1);
    // Stepping from prime to prime only makes sense from a prime.
    const std::string start = s.startText.toStdString();
    if (s.startText == QLatin1String("0") || StartNumberTooLarge(start) ||
        primelib::is_prime(0, StartNumberValue(start)) != 1) {
        chkCentralNumberPrime->setChecked(false);
    }
}

void frmMain::SaveSettings() {
    Settings s;
    s.language = intLanguage;
    s.shape = optCircles->isChecked() ? 1 : 0;
    s.boxSize = cboBoxSize->currentIndex();
    s.colorBy = cboColorBy->currentIndex();
    s.show = cboShow->currentIndex();
    s.clockTicks = cboClockTicks->currentIndex();
    s.startText = txbStartNumber->text();
    s.grid = chkGrid->isChecked() ? 1 : 0;
    s.numerals = chkNumerals->isChecked() ? 1 : 0;
    s.centralNumberPrime = chkCentralNumberPrime->isChecked() ? 1 : 0;
    s.calculateLongest = chkCalculateLongest->isChecked() ? 1 : 0;
    // A failed write loses this run's choices and nothing else; the program ends regardless.
    WriteSettingsFile(strSettingsFile, s);
}

}  // namespace quorvel
