// SPDX-License-Identifier: GPL-3.0-or-later
// The window side of a drawing pass: what it reads from the controls, and what the labels,
// buttons and focus do before, during and after it.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <utility>

#include "explorer/explorer.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/spiral_picture.h"
#include "mainwindow/start_number_box.h"
#include "text/captions.h"

namespace quorvel {
namespace {

void SetTextColor(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

}  // namespace

PassInput frmMain::CurrentPassInput() const {
    PassInput in;
    in.startText = settings_.startText.toStdString();
    in.boxSize = BoxSizeAt(BoxSizeIndex());
    in.show = ShowChoice();
    in.colorBy = SchemeChoice();
    in.squares = SquaresChosen();
    in.grid = Checked(settings_.grid);
    in.numerals = Checked(settings_.numerals);
    in.calculateLongest = Checked(settings_.calculateLongest);
    in.moving = Moving();
    in.calculatingText = strCalculating.toStdString();
    return in;
}

void frmMain::ShowMessage(const QString& text) {
    // The start-up pass runs before the window has been painted; its refusal waits for that
    // (ShowStartupMessage), so that it never stands over a blank window.
    if (!blnStartupCompleted) {
        strStartupMessage = text;
        return;
    }
    services_->ShowMessage(this, WordOf(Word::Error, intLanguage), text, MessageButtons::Ok,
                           MessageIcon::None);
}

void frmMain::ShowStartupMessage() {
    if (strStartupMessage.isEmpty()) return;
    const auto show = [this] {
        if (strStartupMessage.isEmpty() || blnQuitting) return;
        const QString text = std::exchange(strStartupMessage, QString());
        ShowMessage(text);
        RestoreFocus();
    };
    // Once the picture (and with it the window) has been painted; and should the window never
    // be painted, because it starts minimised, a moment later all the same.
    picSpiral->CallAfterPaint([this, show] { QTimer::singleShot(0, this, show); });
    QTimer::singleShot(kStartupMessageLatestMs, this, show);
}

void frmMain::DrawSpiral() {
    ++intPassesRequested;
    // One pass at a time; and after Quit nothing starts any more.
    if (blnDrawing || blnQuitting) return;
    blnStopRequest = false;
    // The box holds digits only, so an empty box is the one case to mend: it means 1.
    if (settings_.startText.isEmpty()) txbStartNumber->setText(QStringLiteral("1"));

    const PassInput input = CurrentPassInput();
    services_->StartLongWork();
    passTimer_.start();
    blnDrawing = true;
    const PassResult result = RunPass(input);
    blnDrawing = false;
    UpdateMenuActions();

    switch (result.outcome) {
        case PassOutcome::AlreadyRunning:
            return;
        case PassOutcome::StartNumberTooLarge:
            ShowMessage(MessageText(Message::StartNumberTooLarge, intLanguage));
            RestoreFocus();
            return;
        case PassOutcome::EndNumberTooLarge:
        case PassOutcome::TriangularStartTooLarge:
            intBoxSize = result.geometry.boxSize;
            if (ShowChoice() != ShowMode::Primes) HidePrimeStatistics();
            ShowMessage(MessageText(result.outcome == PassOutcome::EndNumberTooLarge
                                        ? Message::EndNumberTooLarge
                                        : Message::TriangularStartTooLarge,
                                    intLanguage));
            RestoreFocus();
            return;
        case PassOutcome::Drawn:
        case PassOutcome::Stopped:
            break;
    }
    lastPass_ = result;
    lastInput_ = input;
    explorer_->ShowPicture(result);
    const bool stopped = result.outcome == PassOutcome::Stopped;

    // The longest diagonal runs, as far as this pass measured them: the check box may have
    // changed while it ran.
    if (!stopped) {
        if (result.runsMeasured) {
            if (result.numberShown == 0) {
                lblLongestNWSEOutput->setText(QStringLiteral("0"));
                lblLongestSWNEOutput->setText(QStringLiteral("0"));
            } else {
                if (lblLongestNWSEOutput->testAttribute(Qt::WA_SetPalette))
                    lblLongestNWSEOutput->setPalette(QPalette());
                SetNumberLabel(lblLongestNWSEOutput, result.longest.nwse);
                SetNumberLabel(lblLongestSWNEOutput, result.longest.swne);
            }
            if (Moving()) {
                lblLongestNWSE->show();
                lblLongestSWNE->show();
            }
        } else {
            lblLongestNWSEOutput->clear();
            lblLongestSWNEOutput->clear();
            if (Moving()) {
                lblLongestNWSE->hide();
                lblLongestSWNE->hide();
            }
        }
    }

    if (!Moving()) {
        EnableDisableFunctions2(true);
        if (stopped) {
            ClearOutputLabels(true);
        } else {
            ShowStatistics();
        }
        ShowSpiralButtons();
        UpdateGridNumeralsEnabled();
    }

    blnStopRequest = false;
    UpdateBusy();
    blnIsPrime = result.centreIsPrime;
    lblP->setText(blnIsPrime ? QStringLiteral("P") : QStringLiteral(" "));
    RestoreFocus();
}

// The pass for `input`: while the spiral moves, the picture drawn ahead when it is this one
// (the hooks a pass calls on the way are called as it is shown), else a pass now.
PassResult frmMain::RunPass(const PassInput& input) {
    // A picture drawn ahead leaves the engine's flags as every drawn picture does.
    const PassFlags drawn{true, false};
    if (Moving() && engine_.Flags() == drawn) {
        if (std::optional<PassResult> ahead = frameAhead_.Take(input, surface_)) {
            OnDrawingStarts(*ahead);
            OnWalkFinished();
            surface_.Refresh();
            return *ahead;
        }
    }
    frameAhead_.Drop();
    return engine_.DrawSpiral(input, surface_, this);
}

void frmMain::UpdateBusy() {
    explorer_->SetBusy(blnDrawing || (Moving() && !blnPaused()));
    UpdateMenuActions();
}

// Validation passed; the old picture is still on screen.
void frmMain::OnDrawingStarts(const PassResult& result) {
    intBoxSize = result.geometry.boxSize;
    UpdateBusy();
    if (ShowChoice() != ShowMode::Primes) HidePrimeStatistics();
    // Locking the controls, the Stop button and the cleared statistics only matter once events
    // are let through in the middle of the pass: a pass that never lets them through is over
    // before anything is painted, and locking it would only cost every control a repaint.
    blnLockPending = !Moving();
    // The moving spiral shows its central number in the box's place.
    if (Moving()) lblStartNumberOutput->setText(QString::fromStdString(result.startText));
    SetNumberLabel(lblEndNumberOutput, result.endNumber);
    SetNumberLabel(lblNumberOfNumbersOutput, result.geometry.numberOfNumbers);
    // While the spiral moves, the statistics stay empty until it stops.
    if (Moving()) ClearOutputLabels(false);
}

// What a pass shows while it lets events through: the drawing controls locked, the Stop button
// at box size 1, the statistics of the old picture gone.
void frmMain::LockForLongPass() {
    if (!blnLockPending) return;
    blnLockPending = false;
    EnableDisableFunctions2(false);
    if (intBoxSize == 1) {
        cmdStopCalc->setText(WordOf(Word::Stop, intLanguage));
        cmdStopCalc->show();
        cmdStopCalc->raise();
    }
    ClearOutputLabels(false);
}

// Box size 1, every 1000 numbers: lets waiting input through, so that Stop can be pressed.
bool frmMain::StopRequested() {
    const bool due = inputDue_.has_value() ? *inputDue_ : services_->UserInputMayBePending();
    inputDue_.reset();
    if (due) {
        LockForLongPass();
        QCoreApplication::processEvents();
    }
    return blnStopRequest;
}

// The picture is painted only where input is let through; the checkpoint's StopRequested()
// keeps the answer.
bool frmMain::PictureMayBeShown() {
    inputDue_ = services_->UserInputMayBePending();
    return *inputDue_;
}

void frmMain::OnWalkFinished() {
    cmdStopCalc->hide();
}

// Measuring the runs of a fine picture takes a moment: a pass that already took long says so.
// (After a quick one the runs are on screen before anything could show the notice.)
void frmMain::OnMeasuringRuns() {
    if (intBoxSize > 3 || passTimer_.elapsed() < kNoticeableMs) return;
    SetTextColor(lblLongestNWSEOutput, QColor(0xFF, 0x00, 0x00));
    lblLongestNWSEOutput->setText(WordOf(Word::Calculating, intLanguage));
    lblLongestNWSEOutput->repaint();
}

void frmMain::SetNumberLabel(QLabel* label, std::int64_t value) {
    label->setText(QString::number(value));
}

void frmMain::ClearOutputLabels(bool all) {
    for (QLabel* label : {lblLongestNWSEOutput, lblLongestSWNEOutput, lblSmallestPrimeOutput,
                          lblLargestPrimeOutput, lblNumberShownOutput}) {
        label->clear();
    }
    if (all) {
        lblEndNumberOutput->clear();
        lblNumberOfNumbersOutput->clear();
    }
}

void frmMain::HidePrimeStatistics() {
    for (QLabel* label :
         {lblSmallestPrime, lblSmallestPrimeOutput, lblLargestPrime, lblLargestPrimeOutput}) {
        label->hide();
    }
    if (ShowChoice() == ShowMode::All) {
        for (QLabel* label : {lblNumberShown, lblNumberShown2, lblNumberShownOutput})
            label->hide();
    }
}

void frmMain::ShowStatistics() {
    const ShowMode show = ShowChoice();
    if (show != ShowMode::All) {
        lblNumberShown->show();
        lblNumberShown2->show();
        SetNumberLabel(lblNumberShownOutput, lastPass_.numberShown);
        lblNumberShownOutput->show();
    }
    if (show == ShowMode::Primes) {
        const auto showPrime = [this](QLabel* caption, QLabel* output, std::int32_t prime) {
            caption->setVisible(prime != 0);
            output->setVisible(prime != 0);
            if (prime != 0) {
                SetNumberLabel(output, prime);
            } else {
                output->clear();
            }
        };
        showPrime(lblSmallestPrime, lblSmallestPrimeOutput, lastPass_.smallestPrime);
        showPrime(lblLargestPrime, lblLargestPrimeOutput, lastPass_.largestPrime);
    } else {
        lblSmallestPrimeOutput->clear();
        lblLargestPrimeOutput->clear();
    }
    if (show == ShowMode::All) lblNumberShownOutput->clear();
}

}  // namespace quorvel
