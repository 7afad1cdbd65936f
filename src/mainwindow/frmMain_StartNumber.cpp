// SPDX-License-Identifier: GPL-3.0-or-later
// The start-number box and its spinner: the key filter, what a changed text does, and the
// spinner's steps, from prime to prime when asked.
#include <QCheckBox>
#include <QComboBox>
#include <QScrollBar>
#include <cstdlib>

#include "engine/primelib.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/start_number.h"
#include "mainwindow/start_number_box.h"
#include "text/captions.h"

namespace quorvel {

// Returns false to discard the key.
bool frmMain::txbStartNumber_KeyPress(int keyAscii) {
    const qsizetype length = txbStartNumber->text().size();
    if (length == 0 && keyAscii == kKeyBackspace) return false;
    if (keyAscii == kKeyEnter) {
        DrawSpiral();
        return false;
    }
    if (!IsAllowedKey(keyAscii) || length >= intMaxStartLength) {
        services_->Beep();
        return false;
    }
    return true;
}

void frmMain::txbStartNumber_Change() {
    const QString text = txbStartNumber->text();
    // The box filters what is typed, pasted and dropped; should anything else ever slip in,
    // only its digits stay.
    if (const QString digits = StartNumberBox::DigitsOf(text); digits != text) {
        txbStartNumber->setText(digits);
        return;
    }
    const std::string digits = text.toStdString();
    const std::string_view trimmed = WithoutLeadingZeros(digits);
    const QString s = QString::fromLatin1(trimmed.data(), static_cast<qsizetype>(trimmed.size()));
    std::int64_t n = -1;
    if (!s.isEmpty()) {
        if (StartNumberTooLarge(trimmed)) {
            if (blnStartupCompleted)
                ShowMessage(MessageText(Message::StartNumberTooLarge, intLanguage));
            return;
        }
        n = s.toLongLong();
    }
    if (n < intScrollLow || n > lngScrollHigh) {
        vsbStartNumber->setEnabled(false);
    } else {
        if (SpinnerValue() != n) {
            blnTextSetsScroll = true;
            SetSpinnerValue(n);
            blnTextSetsScroll = false;
        }
        if (!Moving()) vsbStartNumber->setEnabled(true);
    }
    if (txbStartNumber->text() != s) txbStartNumber->setText(s);
}

// The scroll bar's top stands for the highest value, so that its upper arrow counts up.
int frmMain::SpinnerValue() const {
    return lngScrollHigh + intScrollLow - vsbStartNumber->value();
}

void frmMain::SetSpinnerValue(std::int64_t value) {
    const auto n = static_cast<int>(std::clamp<std::int64_t>(value, intScrollLow, lngScrollHigh));
    vsbStartNumber->setValue(lngScrollHigh + intScrollLow - n);
}

void frmMain::vsbStartNumber_Change() {
    if (blnTextSetsScroll || blnScrollSetsScroll) return;
    std::int32_t n = SpinnerValue();
    const std::int32_t t = StartNumberValue(settings_.startText.toStdString());
    const bool up = t < n;
    if (!blnStartupCompleted) return;
    StepSpinner(n, t, up);
    // The spinner is a mouse tool: after every step the keyboard is back in the box.
    RestoreFocus();
}

// The wheel steps the spinner once a notch (120 units). A fine-grained wheel or a touchpad
// sends a notch in small parts, which add up; a disabled spinner takes no wheel at all.
void frmMain::vsbStartNumber_Wheel(int delta) {
    if (!vsbStartNumber->isEnabled()) {
        intWheelAngle = 0;
        return;
    }
    if (delta == 0) return;
    // Turning the other way starts a new notch.
    if ((delta > 0) != (intWheelAngle > 0)) intWheelAngle = 0;
    intWheelAngle += delta;
    while (std::abs(intWheelAngle) >= kWheelNotch && vsbStartNumber->isEnabled()) {
        const bool up = intWheelAngle > 0;
        intWheelAngle -= up ? kWheelNotch : -kWheelNotch;
        vsbStartNumber->triggerAction(up ? QAbstractSlider::SliderSingleStepSub
                                         : QAbstractSlider::SliderSingleStepAdd);
    }
}

void frmMain::StepSpinner(std::int32_t n, std::int32_t t, bool up) {
    const auto putBack = [this](std::int64_t value) {
        blnScrollSetsScroll = true;
        SetSpinnerValue(value);
        blnScrollSetsScroll = false;
    };
    // A step that arrives while a picture is being drawn (a held arrow repeats) is not taken.
    if (blnDrawing) {
        putBack(t);
        return;
    }
    if (Checked(settings_.centralNumberPrime)) {
        const auto acceptable = [](std::int32_t m) {
            return m != 0 && primelib::is_prime(m, m) == 1;
        };
        while (!acceptable(n)) {
            n += up ? 1 : -1;
            if (up ? n > lngScrollHigh : n <= 1) {
                putBack(t);
                return;
            }
        }
        putBack(n);
    }
    const int v = SpinnerValue();
    if (t != v) {
        txbStartNumber->setText(QString::number(v));
        cboLanguage->setEnabled(false);
        DrawSpiral();
        cboLanguage->setEnabled(true);
    }
}

}  // namespace quorvel
