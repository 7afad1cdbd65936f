// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QEvent>
#include <QPushButton>
#include <QTimer>

#include "window_fixture.h"

namespace quorvel::testing {
namespace {

class MovingSpiral : public WindowTest {
  protected:
    QTimer* Clock() { return Find<QTimer>("ClkClock"); }
    // One tick of the clock, as the timer gives it.
    void Tick() { QMetaObject::invokeMethod(Clock(), "timeout"); }
    bool Moving() const { return window->SpiralMoving(); }
    // The still layout: the box, Draw and Help back, the animation's controls gone.
    void ExpectStillLayout() {
        for (const char* shown : {"txbStartNumber", "vsbStartNumber", "cmdDraw", "cmdHelp",
                                  "lblNumberofNumbers", "lblNumberOfNumbersOutput"})
            EXPECT_FALSE(Hidden(shown)) << shown;
        for (const char* hidden :
             {"cmdStopButton", "cmdPauseButton", "cmdResumeButton", "lblClockTicks",
              "cboClockTicks", "lblSpiralling", "lblStartNumberOutput"})
            EXPECT_TRUE(Hidden(hidden)) << hidden;
        for (const char* enabled : {"cboBoxSize", "cboColorBy", "cboShow", "txbStartNumber",
                                    "cmdDraw", "optCircles", "cboLanguage"})
            EXPECT_TRUE(Enabled(enabled)) << enabled;
        EXPECT_FALSE(Clock()->isActive());
        EXPECT_FALSE(Moving());
        EXPECT_EQ(QApplication::focusWidget(), Find("txbStartNumber"));
    }
};

TEST_F(MovingSpiral, StepsUntilItsEnd) {
    struct Case {
        const char* start;
        bool inwards;
        bool primes;
        std::vector<const char*> steps;  // the central number after each tick
        bool ends;                       // the last tick ended it; else Stop does
    };
    const std::string top = std::to_string(2147483646 - 1225 + 1);
    const std::string belowTop = std::to_string(2147483646 - 1225);
    const Case cases[] = {
        {"1", true, false, {"2", "3", "4"}, false},
        {"5", false, false, {"4", "3", "2", "1", "1"}, true},
        {"2", false, false, {"1", "1"}, true},
        {"1", false, false, {"1"}, true},
        {"0", false, false, {"0"}, true},  // nothing below 0 to step to
        {"7", false, true, {"5", "3", "2", "2"}, true},
        {"1", true, true, {"2", "3", "5", "7", "11"}, false},
        {top.c_str(), true, false, {top.c_str()}, true},
        {top.c_str(), true, true, {top.c_str()}, true},
        {belowTop.c_str(), true, false, {top.c_str(), top.c_str()}, true},
        {belowTop.c_str(), true, true, {belowTop.c_str()}, true},  // no prime before the end
    };
    auto* primes = Find<QAbstractButton>("chkCentralNumberPrime");
    for (const Case& c : cases) {
        SetStart(QString::fromLatin1(c.start));
        if (primes->isChecked() != c.primes) primes->click();
        Click(c.inwards ? "cmdSpiralIn" : "cmdSpiralOut");
        ASSERT_TRUE(Moving()) << c.start;
        EXPECT_EQ(Clock()->interval(), 250);
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            ASSERT_TRUE(Moving()) << c.start << " tick " << i;
            Tick();
            EXPECT_EQ(Text("txbStartNumber"), c.steps[i]) << c.start << " tick " << i;
            if (Moving()) {
                EXPECT_EQ(Text("lblStartNumberOutput"), c.steps[i]);
            }
        }
        EXPECT_EQ(Moving(), !c.ends) << c.start;
        if (!c.ends) Click("cmdStopButton");
        ExpectStillLayout();
    }
    EXPECT_TRUE(services.messages.empty());
}

// The next picture is drawn ahead on the other core while the current one is shown: every
// tick must still show its own picture, as a pass of its own would draw it, with the same
// statistics; a change made while it moves shows at the next tick.
TEST_F(MovingSpiral, EveryTickShowsItsOwnPicture) {
    struct Case {
        int boxIndex;
        int scheme;
        bool inwards, primes, longest;
        const char* start;
    };
    const Case cases[] = {
        {1, 0, true, false, false, "1000"},     // box size 3, Cluster
        {0, 0, false, false, true, "2000000"},  // box size 1, the runs measured
        {2, 5, true, true, false, "1"},         // box size 5, Ostrand, central primes only
        {4, 6, false, false, false, "30"},      // box size 15, white
    };
    auto* primes = Find<QAbstractButton>("chkCentralNumberPrime");
    auto* longest = Find<QAbstractButton>("chkCalculateLongest");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        Choose("cboBoxSize", c.boxIndex);
        Choose("cboColorBy", c.scheme);
        if (primes->isChecked() != c.primes) primes->click();
        if (longest->isChecked() != c.longest) longest->click();
        SetStart(QString::fromLatin1(c.start));
        Click(c.inwards ? "cmdSpiralIn" : "cmdSpiralOut");
        for (int tick = 0; tick < 4; ++tick) {
            if (tick == 2) Click("chkNumerals");  // waits for the next tick
            Tick();
            ASSERT_TRUE(Moving());
            PassInput in;
            in.startText = Text("txbStartNumber").toStdString();
            in.boxSize = Text("cboBoxSize").toInt();
            in.colorBy = static_cast<ColorScheme>(c.scheme);
            in.numerals = Find<QAbstractButton>("chkNumerals")->isChecked();
            in.squares = Find<QAbstractButton>("optSquares")->isChecked();
            in.calculateLongest = c.longest;
            in.moving = true;
            const QImage& shown = window->Picture();
            ImageSurface own(shown.width(), shown.height());
            SpiralEngine engine;
            const PassResult expected = engine.DrawSpiral(in, own);
            const PassResult& r = window->LastPass();
            ASSERT_EQ(r.startNumber, expected.startNumber) << "tick " << tick;
            EXPECT_EQ(r.numberShown, expected.numberShown) << "tick " << tick;
            EXPECT_EQ(r.longest.nwse, expected.longest.nwse) << "tick " << tick;
            EXPECT_EQ(r.longest.swne, expected.longest.swne) << "tick " << tick;
            EXPECT_TRUE(shown == own.Image()) << "tick " << tick;
            EXPECT_EQ(Text("lblStartNumberOutput"), QString::fromStdString(in.startText));
        }
        if (Moving()) Click("cmdStopButton");
        if (!Find<QAbstractButton>("chkNumerals")->isChecked()) Click("chkNumerals");
    }
}

// The same on the clock's own ticks, with the window painting between them.
TEST_F(MovingSpiral, RunsOnItsClockWithPicturesDrawnAhead) {
    window->show();
    Choose("cboBoxSize", 0);  // box size 1: the pass shares its work with the other core too
    Find<QAbstractButton>("chkCalculateLongest")->click();
    SetStart("5000");
    Click("cmdSpiralIn");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Text("txbStartNumber").toInt() >= 5003; }, 5000));
    Click("cmdPauseButton");
    PassInput in;
    in.startText = Text("txbStartNumber").toStdString();
    in.boxSize = 1;
    in.calculateLongest = true;
    in.moving = true;
    ImageSurface own(window->Picture().width(), window->Picture().height());
    SpiralEngine engine;
    const PassResult expected = engine.DrawSpiral(in, own);
    EXPECT_TRUE(window->Picture() == own.Image());
    EXPECT_EQ(window->LastPass().longest.nwse, expected.longest.nwse);
    EXPECT_EQ(Text("lblLongestSWNEOutput"), QString::number(expected.longest.swne));
    Click("cmdStopButton");
    ExpectStillLayout();
}

TEST_F(MovingSpiral, PauseChangeAndResume) {
    Choose("cboColorBy", 3);
    Click("cmdSpiralIn");
    EXPECT_EQ(QApplication::focusWidget(), Find("cmdStopButton"));
    EXPECT_TRUE(Hidden("Picture1_0"));
    Tick();
    EXPECT_EQ(Text("txbStartNumber"), "2");

    Click("cmdPauseButton");
    EXPECT_TRUE(window->SpiralPaused());
    EXPECT_EQ(QApplication::focusWidget(), Find("cmdResumeButton"));
    EXPECT_FALSE(Enabled("cmdPauseButton"));
    for (const char* enabled : {"optCircles", "optSquares", "cboColorBy", "cboClockTicks"})
        EXPECT_TRUE(Enabled(enabled)) << enabled;
    EXPECT_FALSE(Enabled("cboBoxSize"));
    EXPECT_TRUE(Clock()->isActive());
    Tick();  // ticks do nothing while paused
    EXPECT_EQ(Text("txbStartNumber"), "2");

    // Changes redraw the paused picture; the legend stays hidden.
    int passes = window->PassesRequested();
    Click("optSquares");
    Choose("cboColorBy", 1);
    Click("chkGrid");
    Click("chkCalculateLongest");  // only for the next picture
    EXPECT_EQ(window->PassesRequested(), passes + 3);
    EXPECT_TRUE(Hidden("Picture1_0"));
    EXPECT_EQ(QApplication::focusWidget(), Find("cmdResumeButton"));
    Choose("cboClockTicks", 0);
    EXPECT_EQ(Clock()->interval(), 250);  // a new rate waits for Resume

    Click("cmdResumeButton");
    EXPECT_FALSE(window->SpiralPaused());
    EXPECT_EQ(Clock()->interval(), 1000);
    EXPECT_EQ(QApplication::focusWidget(), Find("cmdStopButton"));
    for (const char* disabled :
         {"optCircles", "optSquares", "cboColorBy", "cboClockTicks", "cmdResumeButton"})
        EXPECT_FALSE(Enabled(disabled)) << disabled;
    // While it runs, a change waits for the next step.
    passes = window->PassesRequested();
    Click("chkNumerals");
    EXPECT_EQ(window->PassesRequested(), passes);
    Tick();
    EXPECT_EQ(Text("txbStartNumber"), "3");
    EXPECT_FALSE(Hidden("lblLongestNWSE"));
    EXPECT_NE(Text("lblLongestNWSEOutput"), "");

    // Stop while paused ends at once.
    Click("cmdPauseButton");
    Click("cmdStopButton");
    ExpectStillLayout();
    EXPECT_FALSE(Hidden("Picture1_0"));  // the legend of the scheme is back
    EXPECT_FALSE(Hidden("cmdSpiralIn"));
    EXPECT_EQ(Text("txbStartNumber"), "3");
    EXPECT_EQ(Text("lblNumberShownOutput"), window->LastPass().numberShown > 0
                                                ? QString::number(window->LastPass().numberShown)
                                                : "0");
}

// Pause keeps the direction: Resume goes on the way the spiral went, a picture redrawn while
// paused stays at its number, and the next start after Stop goes the way of its own button.
TEST_F(MovingSpiral, PauseRemembersTheDirection) {
    struct Case {
        const char* button;
        const char* ticked;   // after the first tick
        const char* resumed;  // after the first tick after Resume
    };
    const Case cases[] = {{"cmdSpiralIn", "11", "12"}, {"cmdSpiralOut", "9", "8"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        SetStart("10");
        Click(c.button);
        Tick();
        EXPECT_EQ(Text("lblStartNumberOutput"), c.ticked);
        Click("cmdPauseButton");
        ASSERT_TRUE(window->SpiralPaused());
        Tick();
        Choose("cboColorBy", 2);
        EXPECT_EQ(window->LastPass().startNumber, QString(c.ticked).toInt());
        Choose("cboColorBy", 0);
        Click("cmdResumeButton");
        EXPECT_FALSE(window->SpiralPaused());
        ASSERT_TRUE(Moving());
        Tick();
        EXPECT_EQ(Text("lblStartNumberOutput"), c.resumed);
        Click("cmdPauseButton");
        Click("cmdStopButton");
        ExpectStillLayout();
        EXPECT_FALSE(window->SpiralPaused());
        EXPECT_EQ(Text("txbStartNumber"), c.resumed);
    }
}

TEST_F(MovingSpiral, RefusedPassesEndOrPreventIt) {
    // A first pass that is refused changes nothing.
    Find<QLineEdit>("txbStartNumber")->setText("2147483000");
    Click("cmdSpiralIn");
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_FALSE(Moving());
    EXPECT_TRUE(Hidden("cmdStopButton"));
    EXPECT_FALSE(Clock()->isActive());

    // Triangular numbers: the step past their limit shows its message once and ends it.
    SetStart(QString::number(268435455 - 1225 + 1));
    Choose("cboShow", 3);
    services.messages.clear();
    Click("cmdSpiralIn");
    ASSERT_TRUE(Moving());
    // The message box is modal; ticks that come while it shows must not step again.
    services.onMessage = [&] { Tick(); };
    Tick();
    services.onMessage = nullptr;
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, "For triangular numbers the start number is too large.");
    EXPECT_EQ(Text("txbStartNumber"), "268434232");  // the refused number stays in the box
    ExpectStillLayout();
}

TEST_F(MovingSpiral, TheEndRunsOnce) {
    int draws = 0;
    struct Counter : QObject {
        int* shows;
        explicit Counter(int* s) : shows(s) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Show) ++*shows;
            return false;
        }
    } counter(&draws);
    Find("cmdDraw")->installEventFilter(&counter);
    // The limit is reached by a tick and Stop comes with it, in either order.
    SetStart("1");
    Click("cmdSpiralOut");
    Tick();
    QMetaObject::invokeMethod(Find<QPushButton>("cmdStopButton"), "click");
    EXPECT_EQ(draws, 1);
    Click("cmdSpiralOut");
    QMetaObject::invokeMethod(Find<QPushButton>("cmdStopButton"), "click");
    Tick();
    EXPECT_EQ(draws, 2);
    ExpectStillLayout();
}

// Records, in order, what a user could see change on the named controls.
class ChangeRecorder : public QObject {
  public:
    explicit ChangeRecorder(const QWidget* window) {
        // The window's own controls, not the parts the toolkit builds them from, nor the
        // stand-ins that only follow hidden statistics.
        for (QWidget* w : window->findChildren<QWidget*>()) {
            const QString name = w->objectName();
            if (!name.isEmpty() && !name.startsWith("qt_") && !name.endsWith("StandIn"))
                w->installEventFilter(this);
        }
    }
    bool eventFilter(QObject* o, QEvent* e) override {
        const QString name = o->objectName();
        switch (e->type()) {
            case QEvent::Show:
                log << "show " + name;
                break;
            case QEvent::Hide:
                log << "hide " + name;
                break;
            case QEvent::ZOrderChange:
                log << "order " + name;
                break;
            case QEvent::EnabledChange:
                log << (static_cast<QWidget*>(o)->isEnabled() ? "enable " : "disable ") + name;
                break;
            default:
                break;
        }
        return false;
    }
    QStringList log;
};

TEST_F(MovingSpiral, WindowChangesComeInOrder) {
    Choose("cboColorBy", 4);  // the sequence legend: five swatches to hide
    ChangeRecorder recorder(window.get());
    Click("cmdSpiralIn");
    const QStringList enter = {"order fraStartNumberFrame",
                               "hide txbStartNumber",
                               "hide vsbStartNumber",
                               "order lblStartNumberOutput",
                               "hide lblNumberofNumbers",
                               "hide lblNumberOfNumbersOutput",
                               "hide lblSmallestPrime",
                               "hide lblSmallestPrimeOutput",
                               "hide lblLargestPrime",
                               "hide lblLargestPrimeOutput",
                               "order lblSpiralling",
                               "show lblSpiralling",
                               "disable cboBoxSize",
                               "disable cboColorBy",
                               "disable cboShow",
                               "disable txbStartNumber",
                               "disable vsbStartNumber",
                               "show cmdStopButton",
                               "show cmdPauseButton",
                               "show cmdResumeButton",
                               "disable cmdResumeButton",
                               "hide cmdSpiralIn",
                               "hide cmdSpiralOut",
                               "hide cmdDraw",
                               "hide cmdHelp",
                               "show lblClockTicks",
                               "order lblClockTicks",
                               "show cboClockTicks",
                               "order cboClockTicks",
                               "disable cboClockTicks",
                               "disable cboLanguage",
                               "hide Picture1_0",
                               "hide Picture1_1",
                               "hide Picture1_2",
                               "hide Picture1_3",
                               "hide Picture1_4",
                               "hide lblColorKey",
                               "disable optSquares",
                               "disable optCircles",
                               "disable cmdDraw"};
    // The first pass comes before: its own changes are not the animation's.
    const qsizetype from = recorder.log.indexOf("order fraStartNumberFrame");
    ASSERT_GE(from, 0) << recorder.log.join(", ").toStdString();
    EXPECT_EQ(recorder.log.mid(from).join(", ").toStdString(), enter.join(", ").toStdString());

    recorder.log.clear();
    Click("cmdStopButton");
    const QStringList leave = {"hide cmdStopButton",
                               "hide cmdPauseButton",
                               "hide cmdResumeButton",
                               "enable cboBoxSize",
                               "enable cboColorBy",
                               "enable cboShow",
                               "show cmdSpiralIn",
                               "show cmdSpiralOut",
                               "show cmdDraw",
                               "show cmdHelp",
                               "hide lblClockTicks",
                               "order lblClockTicks",
                               "hide cboClockTicks",
                               "order cboClockTicks",
                               "enable txbStartNumber",
                               "order fraStartNumberFrame",
                               "hide lblStartNumberOutput",
                               "order lblStartNumberOutput",
                               "show txbStartNumber",
                               "show vsbStartNumber",
                               "show lblNumberofNumbers",
                               "show lblNumberOfNumbersOutput",
                               "show lblSmallestPrime",
                               "show lblSmallestPrimeOutput",
                               "show lblLargestPrime",
                               "show lblLargestPrimeOutput",
                               "hide lblSpiralling",
                               "order lblSpiralling",
                               "enable cboLanguage",
                               "show Picture1_0",
                               "show Picture1_1",
                               "show Picture1_2",
                               "show Picture1_3",
                               "show Picture1_4",
                               "show lblColorKey",
                               "enable optSquares",
                               "enable optCircles",
                               "enable cmdDraw",
                               "enable vsbStartNumber"};
    EXPECT_EQ(recorder.log.join(", ").toStdString(), leave.join(", ").toStdString());
}

TEST_F(MovingSpiral, ClosingWhileItMovesEndsTheProgram) {
    for (const bool paused : {false, true}) {
        SetUp();
        Click("cmdSpiralOut");
        SetStart("9");
        if (paused) Click("cmdPauseButton");
        window->close();
        EXPECT_TRUE(window->isHidden());
        EXPECT_FALSE(Clock()->isActive());
        Tick();  // a tick already on its way changes nothing
        EXPECT_TRUE(window->isHidden());
    }
}

}  // namespace
}  // namespace quorvel::testing
