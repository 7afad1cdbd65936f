// SPDX-License-Identifier: GPL-3.0-or-later
#include <QClipboard>
#include <QMimeData>
#include <QWheelEvent>

#include "mainwindow/start_number.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

using StartNumber = WindowTest;

TEST_F(StartNumber, KeyFilter) {
    struct Case {
        const char* before;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* after;
        int beeps;
        int passes;
    };
    const Case cases[] = {
        {"", Qt::Key_Backspace, {}, "", 0, 0},  // nothing to remove: quietly ignored
        {"12", Qt::Key_Backspace, {}, "1", 0, 0},
        {"12", Qt::Key_3, {}, "123", 0, 0},
        {"12", Qt::Key_3, Qt::KeypadModifier, "123", 0, 0},
        {"12", Qt::Key_A, {}, "12", 1, 0},
        {"12", Qt::Key_Minus, {}, "12", 1, 0},
        {"12", Qt::Key_Space, {}, "12", 1, 0},
        {"12", Qt::Key_A, Qt::ControlModifier, "12", 1, 0},  // Ctrl+A is not among the keys
        {"12", Qt::Key_Return, {}, "12", 0, 1},
        {"12", Qt::Key_Enter, Qt::KeypadModifier, "12", 0, 1},
        {"12", Qt::Key_Left, {}, "12", 0, 0},                   // navigation keys pass unfiltered
        {"123456789012", Qt::Key_3, {}, "123456789012", 1, 0},  // full: every key beeps
        {"123456789012", Qt::Key_Backspace, {}, "123456789012", 1, 0},
        {"123456789012", Qt::Key_Return, {}, "123456789012", 0, 1},
        {"123456789012", Qt::Key_Delete, {}, "123456789012", 0, 0},  // caret at the end
        {"0", Qt::Key_7, {}, "7", 0, 0},                             // leading zero dropped
    };
    auto* box = Find<QLineEdit>("txbStartNumber");
    for (const Case& c : cases) {
        box->setText(QString::fromLatin1(c.before));
        box->setFocus();
        box->end(false);
        services.beeps = 0;
        services.messages.clear();
        const int passes = window->PassesRequested();
        QTest::keyClick(box, c.key, c.mods);
        const QString what = QString("%1 + key %2").arg(c.before).arg(c.key, 0, 16);
        EXPECT_EQ(box->text(), c.after) << what.toStdString();
        EXPECT_EQ(services.beeps, c.beeps) << what.toStdString();
        EXPECT_EQ(window->PassesRequested() - passes, c.passes) << what.toStdString();
    }
}

TEST_F(StartNumber, TextChangesKeepTheBoxAndSpinnerInStep) {
    struct Case {
        const char* text;
        const char* shown;
        bool spinnerEnabled;
        int spinner;  // -1: left where it was
        bool message;
    };
    const Case cases[] = {
        {"007", "7", true, 7, false},
        {"00", "0", true, 0, false},
        {"0", "0", true, 0, false},
        {"32767", "32767", true, 32767, false},
        {"32768", "32768", false, -1, false},
        {"2147483646", "2147483646", false, -1, false},
        {"2147483647", "2147483647", true, -1, true},  // refused, left as typed
        {"99999999999", "99999999999", true, -1, true},
        {"", "", false, -1, false},
    };
    auto* box = Find<QLineEdit>("txbStartNumber");
    auto* spinner = Find<QScrollBar>("vsbStartNumber");
    for (const Case& c : cases) {
        box->setText(QStringLiteral("5"));
        spinner->setEnabled(true);
        services.messages.clear();
        const int spinnerBefore = 32767 - spinner->value();
        box->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(box->text(), c.shown) << c.text;
        EXPECT_EQ(spinner->isEnabled(), c.spinnerEnabled) << c.text;
        EXPECT_EQ(32767 - spinner->value(), c.spinner == -1 ? spinnerBefore : c.spinner) << c.text;
        ASSERT_EQ(services.messages.size(), c.message ? 1u : 0u) << c.text;
        if (c.message) {
            EXPECT_EQ(services.messages[0].text, "Start number must be <= 2^31 - 2 = 2147483646.");
            EXPECT_EQ(services.messages[0].title, "Error");
        }
    }
    // Typing past the largest number: the message comes with the digit that passes it.
    box->clear();
    services.messages.clear();
    Type("2147483647");
    EXPECT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(box->text(), "2147483647");
}

TEST_F(StartNumber, PastedAndDroppedTextKeepsOnlyDigits) {
    auto* box = Find<QLineEdit>("txbStartNumber");
    box->setFocus();
    struct Case {
        const char* clipboard;
        const char* after;
        int beeps;
    };
    for (const Case& c : {Case{"1 234", "1234", 0}, Case{"-5.5e3", "553", 0}, Case{"abc", "9", 1},
                          Case{"٣", "9", 1}, Case{"0042", "42", 0}}) {
        box->setText(QStringLiteral("9"));
        box->selectAll();
        services.beeps = 0;
        QGuiApplication::clipboard()->setText(QString::fromUtf8(c.clipboard));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(box->text(), c.after) << c.clipboard;
        EXPECT_EQ(services.beeps, c.beeps) << c.clipboard;
    }
    // Shift+Insert pastes too.
    box->setText(QStringLiteral("1"));
    box->end(false);
    QGuiApplication::clipboard()->setText(QStringLiteral("x2"));
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(box->text(), "12");
    // A drop.
    auto* mime = new QMimeData;
    mime->setText(QStringLiteral("a3b"));
    const QPoint end(box->width() - 4, box->height() / 2);
    QDragEnterEvent enter(end, Qt::CopyAction, mime, Qt::LeftButton, {});
    QApplication::sendEvent(box, &enter);
    QDropEvent drop(end, Qt::CopyAction, mime, Qt::LeftButton, {});
    QApplication::sendEvent(box, &drop);
    EXPECT_EQ(box->text(), "123");
    delete mime;
    // Nothing is drawn by any of it.
    EXPECT_EQ(window->PassesRequested(), 1);
}

TEST_F(StartNumber, SpinnerSteps) {
    struct Case {
        const char* start;
        bool primes;
        bool up;
        const char* after;
        int passes;
    };
    const Case cases[] = {
        {"1", false, true, "2", 1},         {"7", false, true, "8", 1},
        {"7", true, true, "11", 1},         {"11", true, false, "7", 1},
        {"2", true, false, "2", 0},         {"32749", true, true, "32749", 0},
        {"1", false, false, "0", 1},        {"0", false, false, "0", 0},
        {"32767", false, true, "32767", 0},
    };
    auto* primes = Find<QAbstractButton>("chkCentralNumberPrime");
    for (const Case& c : cases) {
        SetStart(QString::fromLatin1(c.start));
        PressEnter();
        if (primes->isChecked() != c.primes) primes->click();
        const int passes = window->PassesRequested();
        Find("cmdDraw")->setFocus();  // the keyboard was elsewhere
        ClickSpinner(c.up);
        EXPECT_EQ(Text("txbStartNumber"), c.after) << c.start << (c.up ? " up" : " down");
        EXPECT_EQ(window->PassesRequested() - passes, c.passes) << c.start;
        EXPECT_EQ(QApplication::focusWidget(), Find("txbStartNumber")) << c.start;
    }
    EXPECT_TRUE(services.messages.empty());
}

// A notch of the mouse wheel is one step, as an arrow is; the scroll bar's menu is not offered.
TEST_F(StartNumber, SpinnerWheelStepsByOne) {
    auto* bar = Find<QScrollBar>("vsbStartNumber");
    SetStart("11");
    const auto wheel = [&](int notches) {
        QWheelEvent event(QPointF(4, 4), bar->mapToGlobal(QPointF(4, 4)), QPoint(),
                          QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(bar, &event);
    };
    wheel(1);
    EXPECT_EQ(Text("txbStartNumber"), "12");
    wheel(-1);
    wheel(-1);
    EXPECT_EQ(Text("txbStartNumber"), "10");
    Click("chkCentralNumberPrime");
    wheel(1);
    EXPECT_EQ(Text("txbStartNumber"), "11");
    wheel(1);
    EXPECT_EQ(Text("txbStartNumber"), "13");
    EXPECT_EQ(bar->contextMenuPolicy(), Qt::NoContextMenu);
}

TEST_F(StartNumber, SpinnerLocksTheLanguageWhileItsPictureIsDrawn) {
    Choose("cboBoxSize", 0);  // box size 1: the pass looks for input as it goes
    services.inputPending = false;
    std::vector<bool> languageEnabled;
    services.onInputPoll = [&] { languageEnabled.push_back(Enabled("cboLanguage")); };
    ClickSpinner(true);
    ASSERT_FALSE(languageEnabled.empty());
    EXPECT_FALSE(languageEnabled.front());
    EXPECT_TRUE(Enabled("cboLanguage"));
}

TEST(StartNumberRules, AllowedKeysAndLeadingZeros) {
    for (int key = 0; key < 128; ++key) {
        const bool allowed =
            key == 3 || key == 8 || key == 22 || key == 24 || (key >= '0' && key <= '9');
        EXPECT_EQ(IsAllowedKey(key), allowed) << key;
    }
    EXPECT_EQ(WithoutLeadingZeros("007"), "7");
    EXPECT_EQ(WithoutLeadingZeros("000"), "0");
    EXPECT_EQ(WithoutLeadingZeros("100"), "100");
    EXPECT_EQ(WithoutLeadingZeros(""), "");
}

}  // namespace
}  // namespace quorvel::testing
