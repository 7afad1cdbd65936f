// SPDX-License-Identifier: GPL-3.0-or-later
#include <QClipboard>
#include <QMetaObject>
#include <QPushButton>
#include <QTimer>
#include <random>

#include "window_fixture.h"

namespace quorvel::testing {
namespace {

using LongPass = WindowTest;

TEST_F(LongPass, StopKeepsThePartialPicture) {
    SetStart("7");
    Choose("cboBoxSize", 0);  // a pass that looks for input as it goes
    services.inputPending = true;
    services.inputPolls = 0;
    bool stopShown = false, drawingLocked = false;
    services.onInputPoll = [&] {
        if (services.inputPolls != 1) return;
        // What the user sees while the pass lets events through, and then presses Stop.
        QMetaObject::invokeMethod(
            window.get(),
            [&] {
                stopShown = !Hidden("cmdStopCalc") && Text("cmdStopCalc") == "Stop";
                drawingLocked = !Enabled("cmdDraw") && !Enabled("cboShow") &&
                                !Enabled("txbStartNumber") && Text("lblNumberShownOutput") == "";
                Find<QPushButton>("cmdStopCalc")->click();
            },
            Qt::QueuedConnection);
    };
    Click("cmdDraw");
    EXPECT_TRUE(stopShown);
    EXPECT_TRUE(drawingLocked);
    EXPECT_EQ(window->LastPass().outcome, PassOutcome::Stopped);
    EXPECT_EQ(services.inputPolls, 1);
    for (const char* output :
         {"lblEndNumberOutput", "lblNumberOfNumbersOutput", "lblNumberShownOutput",
          "lblSmallestPrimeOutput", "lblLongestNWSEOutput"})
        EXPECT_EQ(Text(output), "") << output;
    EXPECT_TRUE(Hidden("cmdStopCalc"));
    EXPECT_TRUE(Enabled("cmdDraw"));
    EXPECT_TRUE(Enabled("cboBoxSize"));
    EXPECT_EQ(Text("lblP"), "P");
    // The first thousand numbers are there (7 is marked), the outer rings are not.
    const QImage& picture = window->Picture();
    EXPECT_NE(picture.pixel(263, 263), 0xFF000000u);
    for (int x = 0; x < 527; ++x)
        EXPECT_EQ(picture.pixel(x, 0), 0xFF000000u) << x;

    // The next pass runs to its end again.
    services.inputPending = false;
    Click("cmdDraw");
    EXPECT_EQ(window->LastPass().outcome, PassOutcome::Drawn);
    EXPECT_EQ(Text("lblEndNumberOutput"), "277735");
}

TEST_F(LongPass, QuitInTheMiddleEndsCleanly) {
    Choose("cboBoxSize", 0);
    services.inputPending = true;
    services.onInputPoll = [&] {
        // Clicks that would draw, and then closing the window, all while the pass works.
        QMetaObject::invokeMethod(Find<QPushButton>("cmdDraw"), "click", Qt::QueuedConnection);
        QMetaObject::invokeMethod(window.get(), "close", Qt::QueuedConnection);
    };
    const int passes = window->PassesRequested();
    Click("cmdDraw");
    EXPECT_EQ(window->LastPass().outcome, PassOutcome::Stopped);
    EXPECT_TRUE(window->isHidden());
    // Nothing draws after Quit.
    Click("cmdDraw");
    EXPECT_EQ(window->LastPass().outcome, PassOutcome::Stopped);
    EXPECT_GE(window->PassesRequested(), passes + 1);
    services.onInputPoll = nullptr;
    window.reset();
}

// Thousands of random user actions on whatever is visible and enabled; after each the window
// must be consistent.
TEST_F(LongPass, MonkeyFindsNothing) {
    const int actions = qEnvironmentVariableIntValue("QUORVEL_MONKEY_ACTIONS") > 0
                            ? qEnvironmentVariableIntValue("QUORVEL_MONKEY_ACTIONS")
                            : 2000;
    std::mt19937 random(qEnvironmentVariableIsSet("QUORVEL_MONKEY_SEED")
                            ? qEnvironmentVariableIntValue("QUORVEL_MONKEY_SEED")
                            : 20261207);
    const auto pick = [&](std::size_t n) { return static_cast<int>(random() % n); };
    const char* buttons[] = {"cmdDraw",
                             "optCircles",
                             "optSquares",
                             "chkGrid",
                             "chkNumerals",
                             "chkCentralNumberPrime",
                             "chkCalculateLongest",
                             "cmdSpiralIn",
                             "cmdSpiralOut",
                             "cmdStopCalc",
                             "cmdStopButton",
                             "cmdPauseButton",
                             "cmdResumeButton",
                             "cmdSpiralIn",
                             "cmdSpiralOut"};
    const char* lists[] = {"cboBoxSize", "cboColorBy", "cboShow", "cboLanguage", "cboClockTicks"};
    auto* clock = Find<QTimer>("ClkClock");
    const QString pastes[] = {"",           "12",
                              "abc",        "2147483646",
                              "2147483647", "00000000000000001",
                              "-1",         "99999999999999999999",
                              "1 2 3",      "0"};
    const Qt::Key keys[] = {Qt::Key_0,         Qt::Key_5,      Qt::Key_9,
                            Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return,
                            Qt::Key_A,         Qt::Key_Home,   Qt::Key_Space};
    auto* box = Find<QLineEdit>("txbStartNumber");
    // Now and then input arrives in the middle of a long pass.
    services.onInputPoll = [&] {
        if (pick(4) == 0)
            QMetaObject::invokeMethod(Find<QPushButton>("cmdStopCalc"), "click",
                                      Qt::QueuedConnection);
        if (pick(4) == 0)
            QMetaObject::invokeMethod(Find<QAbstractButton>(buttons[pick(std::size(buttons))]),
                                      "click", Qt::QueuedConnection);
    };
    for (int step = 0; step < actions; ++step) {
        services.inputPending = pick(3) == 0;
        std::string what;
        switch (pick(8)) {
            case 0: {
                const char* name = buttons[pick(std::size(buttons))];
                what = name;
                QWidget* w = Find(name);
                if (w->isVisible() && w->isEnabled()) Click(name);
                break;
            }
            case 1: {
                const char* name = lists[pick(std::size(lists))];
                auto* list = Find<QComboBox>(name);
                what = name;
                if (list->isEnabled() && list->count() > 0)
                    list->setCurrentIndex(pick(list->count()));
                break;
            }
            case 2:
            case 3: {
                const Qt::Key key = keys[pick(std::size(keys))];
                what = "key " + std::to_string(key);
                if (box->isEnabled()) QTest::keyClick(box, key);
                break;
            }
            case 4: {
                const QString& text = pastes[pick(std::size(pastes))];
                what = "paste " + text.toStdString();
                if (box->isEnabled()) {
                    QGuiApplication::clipboard()->setText(text);
                    if (pick(2) == 0) box->selectAll();
                    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
                }
                break;
            }
            case 5:
                what = "spinner";
                if (Find("vsbStartNumber")->isEnabled()) ClickSpinner(pick(2) == 0);
                break;
            case 6:
            case 7:
                what = "tick";
                for (int t = pick(5); t >= 0; --t)
                    QMetaObject::invokeMethod(clock, "timeout");
                break;
        }
        SCOPED_TRACE(std::to_string(step) + ": " + what);
        ASSERT_TRUE(Hidden("cmdStopCalc"));
        if (window->SpiralMoving()) {
            // One animation, in its reduced layout; the still controls locked.
            ASSERT_FALSE(Hidden("cmdStopButton"));
            ASSERT_TRUE(Hidden("cmdDraw"));
            ASSERT_TRUE(Hidden("cmdSpiralIn"));
            ASSERT_TRUE(clock->isActive());
            for (const char* control : {"cboBoxSize", "cboShow", "txbStartNumber", "cboLanguage"})
                ASSERT_FALSE(Enabled(control)) << control;
            ASSERT_EQ(Enabled("cboColorBy"), window->SpiralPaused());
            continue;
        }
        for (const char* control : {"optSquares", "optCircles", "cboBoxSize", "cboColorBy",
                                    "cboShow", "txbStartNumber", "cmdDraw", "cboLanguage"})
            ASSERT_TRUE(Enabled(control)) << control;
        ASSERT_TRUE(Hidden("cmdStopButton"));
        ASSERT_FALSE(Hidden("txbStartNumber"));
        ASSERT_FALSE(clock->isActive());
        const QString text = box->text();
        ASSERT_TRUE(text.size() == 0 ||
                    text.toStdString().find_first_not_of("0123456789") == std::string::npos)
            << text.toStdString();
        for (const char* output :
             {"lblEndNumberOutput", "lblNumberOfNumbersOutput", "lblNumberShownOutput",
              "lblSmallestPrimeOutput", "lblLargestPrimeOutput", "lblStartNumberOutput"}) {
            const QString shown = Text(output);
            if (shown.isEmpty()) continue;
            bool ok = false;
            const qlonglong value = shown.toLongLong(&ok);
            ASSERT_TRUE(ok && value >= 0 && value <= 2147483646)
                << output << "=" << shown.toStdString();
        }
        const QString end = Text("lblEndNumberOutput");
        const QString count = Text("lblNumberOfNumbersOutput");
        if (!end.isEmpty() && !count.isEmpty()) {
            ASSERT_EQ(end.toLongLong(), window->LastPass().startNumber + count.toLongLong() - 1);
        }
    }
}

}  // namespace
}  // namespace quorvel::testing
