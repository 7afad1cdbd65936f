// SPDX-License-Identifier: GPL-3.0-or-later
// The window as a desktop program: its menus and keys, the colour key that explains itself,
// statistics that line up, and the faults users met with the wheel and the longest runs.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QRegularExpression>
#include <QWheelEvent>

#include "mainwindow/statistics_labels.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

class Desktop : public WindowTest {
  protected:
    void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(window.get(), static_cast<Qt::Key>(key), modifiers);
    }
    void Wheel(int angle) {
        QWidget* bar = Find("vsbStartNumber");
        QWheelEvent wheel(QPointF(5, 5), bar->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, angle), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(bar, &wheel);
    }
    QString Tip(const char* name) const { return Find(name)->toolTip(); }
    QAction* Action(const char* name) const { return window->findChild<QAction*>(name); }
};

TEST_F(Desktop, EachKeyDoesWhatItsButtonOrClickDoes) {
    // Ctrl+S: the right click's question (answered No here).
    services.answer = MessageAnswer::No;
    Key(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].title, "Save image?");
    EXPECT_EQ(services.messages[0].text, "Do you wish to save this image?");
    EXPECT_TRUE(services.saveDialogs.empty());
    // Ctrl+Shift+C: the picture on screen, to the clipboard.
    Key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              window->Picture().convertToFormat(QImage::Format_RGB32));
    // F1: the help window; Enter or Space on a focused button presses it.
    Key(Qt::Key_F1);
    EXPECT_EQ(services.modals.size(), 1u);
    const int passes = window->PassesRequested();
    Find("cmdDraw")->setFocus();
    QTest::keyClick(Find("cmdDraw"), Qt::Key_Return);
    QTest::keyClick(Find("cmdDraw"), Qt::Key_Space);
    EXPECT_EQ(window->PassesRequested(), passes + 2);
    Find("cmdHelp")->setFocus();
    QTest::keyClick(Find("cmdHelp"), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(services.modals.size(), 2u);
    // About: version, purpose, licence, copyright, in both languages; and the toolkit's.
    Action("actAboutQuorvel")->trigger();
    Choose("cboLanguage", 1);
    Action("actAboutQuorvel")->trigger();
    Action("actAboutQt")->trigger();
    ASSERT_EQ(services.messages.size(), 3u);
    for (const auto& [message, title, words] :
         {std::tuple{services.messages[1], "About Quorvel", "Explore the Ulam number spiral."},
          std::tuple{services.messages[2], "Ueber Quorvel", "Die Ulam-Zahlenspirale erkunden."}}) {
        EXPECT_EQ(message.title, title);
        EXPECT_TRUE(message.text.startsWith("Quorvel 0.")) << message.text.toStdString();
        for (const QString& part : {QString(words), QString("GPL-3.0-or-later"),
                                    QString::fromUtf8("Copyright © 2026 Tarnwick")})
            EXPECT_TRUE(message.text.contains(part)) << part.toStdString();
    }
    EXPECT_EQ(services.aboutToolkit, 1);
    // The menus speak the window's language.
    EXPECT_EQ(window->findChild<QMenu*>("mnuFile")->title(), "&Datei");
    EXPECT_EQ(Action("actSavePicture")->text(), QString::fromUtf8("Bild &speichern…"));
    Choose("cboLanguage", 0);
    EXPECT_EQ(Action("actQuit")->text(), "&Quit");
    // Ctrl+Q: Quit, settings written first.
    QFile::remove(SettingsPath());
    Key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(SettingsPath()));
    EXPECT_TRUE(window->isHidden());
}

TEST_F(Desktop, KeysAtTheWrongMomentStartNothing) {
    // With a question open, its key again (or Help's) opens nothing more.
    services.answer = MessageAnswer::No;
    services.onMessage = [&] {
        Key(Qt::Key_S, Qt::ControlModifier);
        Key(Qt::Key_F1);
    };
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(services.messages.size(), 1u);
    EXPECT_TRUE(services.modals.empty());
    services.onMessage = nullptr;
    // While the spiral moves there is no Help button and no still picture to save; a copy
    // takes the picture as it stands between two steps.
    Click("cmdSpiralIn");
    ASSERT_TRUE(window->SpiralMoving());
    for (int i = 0; i < 3; ++i) {
        Key(Qt::Key_S, Qt::ControlModifier);
        Key(Qt::Key_F1);
        Key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    }
    EXPECT_EQ(services.messages.size(), 1u);
    EXPECT_TRUE(services.modals.empty());
    Click("cmdStopButton");
    // During a long pass at box size 1 no copy is taken of the half-drawn picture.
    QGuiApplication::clipboard()->clear();
    Choose("cboBoxSize", 0);
    services.inputPending = true;
    services.onInputPoll = [&] { Key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier); };
    Click("cmdDraw");
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
}

// While a pass draws or the spiral moves, the entries and keys that would start other work are
// greyed, as the controls that would are locked, and do nothing; afterwards all are back.
TEST_F(Desktop, APassOrTheMovingSpiralGreysWhatWouldStartOtherWork) {
    const QList<QAction*> actions = window->findChildren<QAction*>(QRegularExpression("^act"));
    const auto enabled = [&] {
        QStringList on;
        for (QAction* action : actions)
            if (action->isEnabled()) on << action->objectName();
        on.sort();
        return on.join(' ');
    };
    const auto fireAll = [&] {  // every entry and key but Quit's
        for (QAction* action : actions) {
            if (action->objectName() == "actQuit") continue;
            action->trigger();
            QTest::keySequence(window.get(), action->shortcut());
        }
    };
    const QString all = enabled();
    ASSERT_EQ(actions.size(), 11);
    QString duringPass;  // at box size 1, letting input through
    Choose("cboBoxSize", 0);
    services.inputPending = true;
    services.onInputPoll = [&] {
        if (duringPass.isEmpty()) duringPass = enabled(), fireAll();
    };
    Click("cmdDraw");
    services.onInputPoll = nullptr;
    services.inputPending = false;
    EXPECT_EQ(duringPass, "actInspector actQuit");
    EXPECT_EQ(enabled(), all);
    // A copy takes the picture between two steps; paused, Help stays away with its button.
    Choose("cboBoxSize", BoxSizePosition(15));
    Click("cmdSpiralIn");
    EXPECT_EQ(enabled(), "actCopyPicture actInspector actQuit");
    fireAll();
    Click("cmdPauseButton");
    EXPECT_EQ(enabled(), QString(all).remove("actHelp "));
    Click("cmdStopButton");
    EXPECT_EQ(enabled(), all);
    EXPECT_TRUE(services.messages.empty() && services.modals.empty());
    EXPECT_TRUE(services.openedUrls.empty() && services.aboutToolkit == 0);
    EXPECT_EQ(window->LargeView(), nullptr);
}

TEST_F(Desktop, TheWheelStepsOncePerNotchAndNeverWhenDisabled) {
    SetStart("100000");  // beyond the spinner: it is disabled
    const int passes = window->PassesRequested();
    Wheel(120);
    Wheel(-120);
    EXPECT_EQ(window->PassesRequested(), passes);
    EXPECT_EQ(Text("txbStartNumber"), "100000");
    // A fine wheel sends a notch in eight parts: one step, one picture.
    SetStart("100");
    for (int i = 0; i < 8; ++i)
        Wheel(15);
    EXPECT_EQ(Text("txbStartNumber"), "101");
    EXPECT_EQ(window->PassesRequested(), passes + 1);
    Wheel(-60);
    Wheel(-60);
    EXPECT_EQ(Text("txbStartNumber"), "100");
}

TEST_F(Desktop, TheColourKeyAndTheColourListExplainTheColours) {
    struct Case {
        int language, scheme;
        const char* caption;  // empty: no key shown
        const char* swatch;   // the tip of the given swatch
        int swatchIndex;
        const char* listTipPart;
    };
    const Case cases[] = {
        {0, 1, "NW-SE diagonals:",
         "Light blue: the NW-SE diagonals where |x − y| = 0, 6, 12, …\n(x columns east, y rows "
         "south of the centre)",
         0, "Each diagonal has one colour"},
        {1, 2, "SW-NO-Diagonalen:",
         "Hellgruen: die SW-NO-Diagonalen mit |x + y| = 1, 7, 13, …\n(x Spalten oestlich, y "
         "Zeilen suedlich der Mitte)",
         1, "Jede Diagonale"},
        {0, 3, "Rings:", "Yellow: rings 6, 12, 18, … (the centre is ring 1)", 5, "Each ring"},
        {0, 4,
         "Numbers:", "Light magenta: the numbers 5, 10, 15, … (remainder 0 when divided by 5)", 4,
         "five colours"},
        {0, 5, "", "", 0, "remainder 5 (and 2) light red, 7 (and 3) light green"},
        {1, 5, "", "", 0, "Anzahl ihrer verschiedenen Primteiler"},
        {1, 0, "", "", 0, "Gruppe: Eine markierte Zahl"},
        {0, 6, "", "", 0, "every marked number is white"},
    };
    for (const Case& c : cases) {
        Choose("cboLanguage", c.language);
        Choose("cboColorBy", c.scheme);
        EXPECT_EQ(Hidden("lblColorKey"), QString(c.caption).isEmpty()) << c.scheme;
        if (!QString(c.caption).isEmpty()) {
            EXPECT_EQ(Text("lblColorKey"), c.caption);
        }
        const QByteArray swatch = "Picture1_" + QByteArray::number(c.swatchIndex);
        EXPECT_EQ(Tip(swatch.constData()), QString::fromUtf8(c.swatch)) << c.scheme;
        EXPECT_TRUE(Tip("cboColorBy").contains(QString::fromUtf8(c.listTipPart)))
            << Tip("cboColorBy").toStdString();
    }
}

TEST_F(Desktop, StatisticsLineUpAndHiddenOnesLeaveNoHole) {
    for (const char* name : {"lblEndNumberOutput", "lblNumberShownOutput", "lblLongestSWNEOutput",
                             "lblStartNumberOutput"}) {
        auto* value = Find<QLabel>(name);
        EXPECT_TRUE(value->alignment() & Qt::AlignRight) << name;
        EXPECT_TRUE(HasTabularDigits(value->fontMetrics())) << name;
        EXPECT_EQ(value->mapTo(window.get(), QPoint(value->width(), 0)).x(),
                  Find("lblEndNumberOutput")
                      ->mapTo(window.get(), QPoint(Find("lblEndNumberOutput")->width(), 0))
                      .x())
            << name;
    }
    // Squares hide the prime statistics: greyed stand-ins keep their rows, nothing moves.
    QApplication::processEvents();  // laid out as on screen
    const QRect longest = Find("lblLongestNWSE")->geometry();
    Choose("cboShow", 2);
    QApplication::processEvents();
    EXPECT_TRUE(Hidden("lblSmallestPrime"));
    EXPECT_TRUE(Hidden("lblSmallestPrimeOutput"));
    auto* standIn = Find<QLabel>("lblSmallestPrimeStandIn");
    EXPECT_TRUE(standIn->isVisible());
    EXPECT_FALSE(standIn->isEnabled());
    EXPECT_EQ(standIn->text(), "Smallest prime:");
    EXPECT_EQ(standIn->geometry().topLeft(), Find("lblSmallestPrime")->geometry().topLeft());
    EXPECT_TRUE(Find("lblLargestPrimeOutputStandIn")->isVisible());
    EXPECT_EQ(Find("lblLongestNWSE")->geometry(), longest);
    Choose("cboLanguage", 1);
    EXPECT_EQ(standIn->text(), "Kleinste Primzahl:");
    Choose("cboShow", 0);
    EXPECT_TRUE(standIn->isHidden());
    EXPECT_EQ(Text("lblSmallestPrimeOutput"), "2");
}

TEST_F(Desktop, TheMovingSpiralsPStandsBesideItsNumber) {
    SetStart("5");
    PressEnter();
    Click("cmdSpiralOut");
    ASSERT_TRUE(window->SpiralMoving());
    auto* number = Find<QLabel>("lblStartNumberOutput");
    QWidget* p = Find("lblP");
    EXPECT_EQ(number->text(), "5");
    EXPECT_EQ(Text("lblP"), "P");
    // The number ends at its label's right edge; the P follows within a few pixels.
    const int gap = p->mapTo(window.get(), QPoint()).x() -
                    number->mapTo(window.get(), QPoint(number->width(), 0)).x();
    EXPECT_GE(gap, 0);
    EXPECT_LE(gap, 10);
    Click("cmdStopButton");
}

TEST_F(Desktop, LongestRunsShowWhatThePassMeasured) {
    // Ticked while a long pass runs: that pass measured nothing, so it shows no runs.
    Choose("cboBoxSize", 0);
    bool ticked = false;
    services.inputPending = true;
    services.onInputPoll = [&] {
        if (!ticked) Find<QCheckBox>("chkCalculateLongest")->setChecked(ticked = true);
    };
    Click("cmdDraw");
    ASSERT_TRUE(ticked);
    EXPECT_EQ(Text("lblLongestNWSEOutput"), "");
    EXPECT_EQ(Text("lblLongestSWNEOutput"), "");
    // The next pass measures them.
    services.onInputPoll = nullptr;
    Click("cmdDraw");
    EXPECT_NE(Text("lblLongestNWSEOutput"), "");
    EXPECT_NE(Text("lblLongestNWSEOutput"), "0");
}

}  // namespace
}  // namespace quorvel::testing
