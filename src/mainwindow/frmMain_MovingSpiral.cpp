// SPDX-License-Identifier: GPL-3.0-or-later
// The moving spiral: Spiral In and Spiral Out step the central number on every tick of the
// clock and draw again, with Stop, Pause and Resume. Event-driven: the click starts the clock
// and returns; each tick is one step; the end runs once, when a step reaches the limit or
// Stop is pressed.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include "engine/primelib.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/start_number_box.h"
#include "text/dictionary.h"

namespace quorvel {

void frmMain::cmdSpiralIn_Click() {
    RunMovingSpiral(true);
}

void frmMain::cmdSpiralOut_Click() {
    RunMovingSpiral(false);
}

void frmMain::RunMovingSpiral(bool inwards) {
    // One animation at a time, and none over a picture still being drawn.
    if (Moving() || blnDrawing || blnQuitting) return;
    DrawSpiral();
    if (!engine_.Flags().blnSpiralDrawn) return;
    lngCentralNumber = lastPass_.startNumber;
    lblSpiralling->setText(WordOf(inwards ? Word::SpirallingIn : Word::SpirallingOut, intLanguage));
    EnterMovingSpiral();
    movingPhase_ = Spiralling(inwards);
    UpdateBusy();
    DrawFrameAhead();
}

void frmMain::ClkClock_Timer() {
    // A step whose pass shows a message must not be overtaken by the next tick.
    if (!Moving() || blnStepRunning) return;
    blnStepRunning = true;
    MovingSpiralStep();
    blnStepRunning = false;
    if (blnAnimationEnded) {
        EndMovingSpiral();
    } else {
        DrawFrameAhead();
    }
}

void frmMain::MovingSpiralStep() {
    if (blnPaused()) return;
    const std::optional<std::int32_t> next = NextCentralNumber(lngCentralNumber, &blnIsPrime);
    if (!next) {
        blnAnimationEnded = true;
        return;
    }
    lngCentralNumber = *next;
    txbStartNumber->setText(QString::number(lngCentralNumber));
    DrawSpiral();
    if (!engine_.Flags().blnSpiralDrawn) blnAnimationEnded = true;
}

std::optional<std::int32_t> frmMain::NextCentralNumber(std::int32_t s, bool* lastPrime) const {
    const std::int32_t limitIn = lngMaxNumber - (lastPass_.geometry.numberOfNumbers - 1);
    // The ends: the picture's largest number reaches the largest number the program handles,
    // or the central number reaches 1. Never below: 0 - 1 is no start number.
    const bool inwards = blnSpiralIn();
    const std::int32_t end = inwards ? limitIn : 1;
    const std::int32_t step = inwards ? 1 : -1;
    const auto atEnd = [&](std::int32_t n) { return inwards ? n >= end : n <= end; };
    if (atEnd(s)) return std::nullopt;
    if (!Checked(settings_.centralNumberPrime)) return s + step;
    std::int32_t next = s;
    bool prime = false;
    do {
        next += step;
        if (atEnd(next)) return std::nullopt;
        prime = primelib::is_prime(next, next) == 1;
        if (lastPrime != nullptr) *lastPrime = prime;
    } while (!prime);
    return next;
}

// While the spiral moves, its next picture is drawn on the other core before its tick comes.
void frmMain::DrawFrameAhead() {
    if (!Moving() || blnPaused() || blnAnimationEnded || blnQuitting ||
        lastPass_.outcome != PassOutcome::Drawn) {
        return;
    }
    const std::optional<std::int32_t> next = NextCentralNumber(lngCentralNumber, nullptr);
    if (!next) return;
    PassInput input = CurrentPassInput();
    input.startText = QString::number(*next).toStdString();
    frameAhead_.Start(input);
}

void frmMain::EnterMovingSpiral() {
    fraStartNumberFrame->lower();
    txbStartNumber->hide();
    vsbStartNumber->hide();
    lblStartNumberOutput->setText(QString::number(lngCentralNumber));
    lblStartNumberOutput->show();
    lblStartNumberOutput->raise();
    lblNumberofNumbers->hide();
    lblNumberOfNumbersOutput->hide();
    HidePrimeStatistics();
    lblSpiralling->raise();
    lblSpiralling->show();
    for (QWidget* w : std::initializer_list<QWidget*>{cboBoxSize, cboColorBy, cboShow,
                                                      txbStartNumber, vsbStartNumber})
        w->setEnabled(false);
    cmdStopButton->show();
    cmdPauseButton->setEnabled(true);
    cmdPauseButton->show();
    cmdResumeButton->show();
    cmdResumeButton->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{cmdSpiralIn, cmdSpiralOut, cmdDraw, cmdHelp})
        w->hide();
    lblClockTicks->show();
    lblClockTicks->raise();
    cboClockTicks->show();
    cboClockTicks->raise();
    cboClockTicks->setEnabled(false);
    cmdStopButton->setFocus();
    blnAnimationStop = false;
    ClkClock->setInterval(kClockRates.at(settings_.clockTicks).intervalMs);
    ClkClock->start();
    cboLanguage->setEnabled(false);
    HideColorLegend();
    EnableDisableFunctions2(false);
}

void frmMain::LeaveMovingSpiral() {
    ClkClock->stop();
    cmdStopButton->hide();
    cmdPauseButton->hide();
    cmdResumeButton->hide();
    cboBoxSize->setEnabled(true);
    cboColorBy->setEnabled(true);
    cboShow->setEnabled(true);
    ShowSpiralButtons();
    cmdDraw->show();
    cmdHelp->show();
    lblClockTicks->hide();
    lblClockTicks->lower();
    cboClockTicks->hide();
    cboClockTicks->lower();
    txbStartNumber->setEnabled(true);
    fraStartNumberFrame->raise();
    lblStartNumberOutput->hide();
    lblStartNumberOutput->lower();
    txbStartNumber->show();
    vsbStartNumber->show();
    for (QWidget* w : std::initializer_list<QWidget*>{lblNumberofNumbers, lblNumberOfNumbersOutput,
                                                      lblLongestNWSE, lblLongestSWNE})
        w->show();
    ShowStatistics();
    lblSpiralling->hide();
    lblSpiralling->lower();
    cboLanguage->setEnabled(true);
    ShowColorLegend();
    EnableDisableFunctions2(true);
    blnAnimationEnded = false;
    blnAnimationStop = false;
}

// The end of an animation, however it came: the still window again, once.
void frmMain::EndMovingSpiral() {
    if (!Moving()) return;
    // Still from here on, paused or not: the legend comes back with the still window.
    movingPhase_ = MovingPhase::Still;
    frameAhead_.Drop();
    LeaveMovingSpiral();
    UpdateBusy();
    EnableDisableFunctions2(true);
    RestoreFocus();
}

void frmMain::cmdStopButton_Click() {
    blnAnimationStop = true;
    EndMovingSpiral();
}

void frmMain::cmdPauseButton_Click() {
    if (!Moving()) return;
    movingPhase_ = Paused(movingPhase_);
    frameAhead_.Drop();
    UpdateBusy();
    for (QWidget* w :
         std::initializer_list<QWidget*>{optCircles, optSquares, cboColorBy, cboClockTicks})
        w->setEnabled(true);
    cmdPauseButton->setEnabled(false);
    cmdResumeButton->setEnabled(true);
    cmdResumeButton->setFocus();
}

void frmMain::cmdResumeButton_Click() {
    if (!Moving()) return;
    movingPhase_ = Resumed(movingPhase_);
    UpdateBusy();
    ClkClock->setInterval(kClockRates.at(settings_.clockTicks).intervalMs);
    for (QWidget* w :
         std::initializer_list<QWidget*>{optCircles, optSquares, cboColorBy, cboClockTicks})
        w->setEnabled(false);
    cmdResumeButton->setEnabled(false);
    cmdPauseButton->setEnabled(true);
    cmdStopButton->setFocus();
}

}  // namespace quorvel
