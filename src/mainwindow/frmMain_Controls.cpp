// SPDX-License-Identifier: GPL-3.0-or-later
// Options, lists and check boxes: what each does when changed, which are enabled when, and
// where the keyboard focus goes.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "mainwindow/frmMain.h"
#include "mainwindow/start_number_box.h"
#include "text/color_key.h"
#include "text/frmHelp.h"

namespace quorvel {
namespace {

// Cells this large have room for grid marks and numerals.
constexpr int kRoomyBoxSize = 15;

// The schemes whose colours the legend explains: the diagonals, the rings and the sequence.
bool HasColorLegend(ColorScheme scheme) {
    switch (scheme) {
        case ColorScheme::DiagonalNWSE:
        case ColorScheme::DiagonalSWNE:
        case ColorScheme::RingNumber:
        case ColorScheme::Sequence:
            return true;
        default:
            return false;
    }
}

}  // namespace

int frmMain::ShowIndex() const {
    return settings_.show;
}

int frmMain::BoxSizeIndex() const {
    return settings_.boxSize;
}

// The controls whose change draws a new picture; locked while a pass or the moving spiral
// works.
void frmMain::EnableDisableFunctions2(bool blnEnable) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{optSquares, optCircles, cboBoxSize, cboColorBy, cboShow,
                                         txbStartNumber, cmdDraw, vsbStartNumber}) {
        w->setEnabled(blnEnable);
    }
}

void frmMain::EnableDisableFunctions(bool blnEnable) {
    cmdSpiralIn->setEnabled(true);
    cmdSpiralOut->setEnabled(true);
    vsbStartNumber->setEnabled(blnEnable);
    chkCentralNumberPrime->setEnabled(blnEnable);
    chkCalculateLongest->setEnabled(blnEnable);
}

// Grid marks need room and unmarked cells; numerals need room.
void frmMain::UpdateGridNumeralsEnabled() {
    const bool room = BoxSizeAt(BoxSizeIndex()) >= kRoomyBoxSize;
    chkGrid->setEnabled(ShowChoice() != ShowMode::All && room);
    chkNumerals->setEnabled(room);
}

void frmMain::RestoreFocus() {
    if (!blnStartupCompleted || !isEnabled()) return;
    if (blnPaused()) {
        cmdResumeButton->setFocus();
    } else if (Moving()) {
        cmdStopButton->setFocus();
    } else {
        txbStartNumber->setCursorPosition(static_cast<int>(txbStartNumber->text().size()));
        if (txbStartNumber->isEnabled()) txbStartNumber->setFocus();
    }
}

// Random and all numbers move no pattern worth watching, and box size 1 is too slow to move.
void frmMain::ShowSpiralButtons() {
    const ShowMode show = ShowChoice();
    const bool visible = show != ShowMode::Random && show != ShowMode::All && intBoxSize > 1;
    cmdSpiralIn->setVisible(visible);
    cmdSpiralOut->setVisible(visible);
}

// One swatch for each colour of the scheme's cycle (the sequence has five). The key's caption
// comes and goes with its swatches.
void frmMain::ShowColorLegend() {
    const ColorScheme scheme = SchemeChoice();
    const bool shown = HasColorLegend(scheme) && !blnPaused();
    for (int i = 0; i < static_cast<int>(Picture1.size()); ++i)
        Picture1[i]->setVisible(shown && i < ColorCountOf(scheme));
    lblColorKey->setVisible(shown);
    ExplainColors();
}

void frmMain::HideColorLegend() {
    for (QFrame* swatch : Picture1)
        swatch->setVisible(false);
    lblColorKey->setVisible(false);
}

void frmMain::ExplainColors() {
    const int scheme = settings_.colorBy;
    lblColorKey->setText(ColorKeyCaption(scheme, intLanguage));
    for (int i = 0; i < static_cast<int>(Picture1.size()); ++i) {
        const QString tip = SwatchToolTip(scheme, i, intLanguage);
        Picture1[i]->setToolTip(tip);
        Picture1[i]->setAccessibleDescription(tip);
    }
    cboColorBy->setToolTip(SchemeToolTip(scheme, intLanguage));
}

void frmMain::RedrawUnlessMoving() {
    if (!blnStartupCompleted) return;
    if (!Moving() || blnPaused()) {
        DrawSpiral();
    } else {
        RestoreFocus();
    }
}

void frmMain::optCircles_Click() {
    RedrawUnlessMoving();
}

void frmMain::optSquares_Click() {
    RedrawUnlessMoving();
}

void frmMain::chkGrid_Click() {
    RedrawUnlessMoving();
}

void frmMain::chkNumerals_Click() {
    RedrawUnlessMoving();
}

// These two take effect with the next drawing.
void frmMain::chkCentralNumberPrime_Click() {
    RestoreFocus();
}

void frmMain::chkCalculateLongest_Click() {
    RestoreFocus();
}

void frmMain::cboBoxSize_Click() {
    if (!blnStartupCompleted) return;
    const int index = BoxSizeIndex();
    if (index == intBoxSizeIndex) {
        RestoreFocus();
        return;
    }
    DrawSpiral();
    if (engine_.Flags().blnSpiralDrawn) {
        intBoxSizeIndex = BoxSizeIndex();
    } else if (engine_.Flags().blnEndNumberRefused) {
        // The size that would end past the largest number is not kept.
        cboBoxSize->setCurrentIndex(intBoxSizeIndex);
    }
    UpdateGridNumeralsEnabled();
}

void frmMain::cboColorBy_Click() {
    if (!blnStartupCompleted || blnRefillingLists) return;
    intColorCount = ColorCountOf(SchemeChoice());
    ShowColorLegend();
    DrawSpiral();
    if (!Moving()) ShowSpiralButtons();
}

void frmMain::cboShow_Click() {
    if (!blnStartupCompleted || blnRefillingLists) return;
    DrawSpiral();
}

// A new clock rate takes effect when the spiral next starts moving or resumes.
void frmMain::cboClockTicks_Click() {
    RestoreFocus();
}

void frmMain::cmdDraw_Click() {
    DrawSpiral();
}

void frmMain::cmdStopCalc_Click() {
    blnStopRequest = true;
}

void frmMain::cmdHelp_Click() {
    intHelpLanguage = intLanguage;
    if (help_ == nullptr) help_ = new frmHelp(this);
    help_->ShowFor(*services_, *this, fraStartNumberFrame->mapTo(this, QPoint(0, 0)).y(),
                   intHelpLanguage);
    RestoreFocus();
}

}  // namespace quorvel
