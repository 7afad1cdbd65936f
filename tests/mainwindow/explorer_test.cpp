// SPDX-License-Identifier: GPL-3.0-or-later
// The explorer in the window: the readout of the cell under the pointer, the inspector of its
// rays, and the lines over the picture, which never touch the picture itself.
#include <QAction>
#include <QCheckBox>
#include <QDockWidget>
#include <QRegularExpression>
#include <QTimer>
#include <functional>
#include <vector>

#include "explorer/cell_cursor.h"
#include "explorer/explorer.h"
#include "explorer/explorer_texts.h"
#include "explorer/picture_overlay.h"
#include "explorer/ray_panel.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

class ExplorerTest : public WindowTest {
  protected:
    // Moves the pointer over a pixel of the picture and lets the readout follow. A move to
    // where the pointer already is would be no move at all, so it comes from a pixel beside.
    QString HoverAt(int x, int y) {
        QTest::mouseMove(Find("picSpiral"), QPoint(x + 1, y));
        QTest::mouseMove(Find("picSpiral"), QPoint(x, y));
        QApplication::processEvents();
        return Text("lblPointerReadout");
    }
    InspectorPanel* Inspector() const { return window->PictureExplorer()->Inspector(); }
    PictureOverlay* Overlay() const { return window->PictureExplorer()->Overlay(); }
};

TEST_F(ExplorerTest, TheReadoutNamesTheCellUnderThePointer) {
    struct Case {
        const char* start;
        int show, language;
        bool squares;
        int x, y;
        const char* readout;
    };
    const Case cases[] = {
        {"41", 0, 0, false, 263, 263, "41: prime     ring 1"},
        {"41", 0, 1, false, 263, 263, "41: Primzahl     Ring 1"},
        {"1225", 0, 0, false, 263, 263, "1225 = 5² · 7²     ring 1"},  // unmarked cells too
        {"1", 0, 0, false, 263 - 15, 263 - 15, "5: prime     ring 2"},
        {"1", 0, 0, false, 263 + 22, 263, "2: prime     ring 2"},  // the east cell's far edge
        {"1", 4, 0, true, 526, 263, ""},                           // the margin past the block
        {"1", 0, 0, false, -3, 600, ""},                           // off the picture
    };
    for (const Case& c : cases) {
        Choose("cboLanguage", c.language);
        SetStart(c.start);
        Choose("cboShow", c.show);
        if (Find<QAbstractButton>("optSquares")->isChecked() != c.squares)
            Click(c.squares ? "optSquares" : "optCircles");
        PressEnter();
        EXPECT_EQ(HoverAt(c.x, c.y), QString::fromUtf8(c.readout)) << c.start << " " << c.x;
    }
    // The pointer leaves, or the spiral moves: the readout is blank.
    HoverAt(263, 263);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Find("picSpiral"), &leave);
    EXPECT_EQ(Text("lblPointerReadout"), "");
    Choose("cboShow", 0);
    Click("cmdSpiralIn");
    EXPECT_EQ(HoverAt(263, 263), "");
    Click("cmdPauseButton");
    EXPECT_NE(HoverAt(263, 263), "");
    Click("cmdStopButton");
}

TEST_F(ExplorerTest, TheInspectorFollowsThePointerAndOutlinesTheRays) {
    auto* toggle = window->findChild<QAction*>("actInspector");
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(Inspector()->isHidden());
    SetStart("41");
    PressEnter();
    const QImage before = window->Picture().copy();
    QTest::keyClick(window.get(), Qt::Key_F3);
    EXPECT_FALSE(Inspector()->isHidden());
    EXPECT_TRUE(toggle->isChecked());
    HoverAt(263, 263);
    // Measured once the pointer rests, off the event loop.
    ASSERT_TRUE(QTest::qWaitFor([&] { return Inspector()->ShownNumber() == 41; }));
    const QString report = Find<QLabel>("lblInspector")->text();
    for (const char* part : {"41 is prime", "<b>NE</b>", "f(i) = 4i² − 2i + 41", "<b>SE</b>",
                             "f(i) = 4i² + 4i + 41", "C(f) = ", "expected", "longest run"})
        EXPECT_TRUE(report.contains(QString::fromUtf8(part))) << part;
    // Every ray's measures in one format: C(f) to four decimals, the expected count and the
    // ratio to two (or an exact 0).
    for (const auto& [pattern, count] : {std::pair{R"(C\(f\) = (0|\d+\.\d{4})<)", 4},
                                         {R"(expected (0|\d+\.\d{2}),)", 4},
                                         {R"(ratio (–|\d+\.\d{2})<)", 4}}) {
        EXPECT_EQ(report.count(QRegularExpression(pattern)), count) << pattern;
    }
    EXPECT_TRUE(Overlay()->ShowsRays());
    // Over the picture, never in it: what the picture holds is unchanged.
    EXPECT_EQ(window->Picture(), before);
    EXPECT_TRUE(Overlay()->testAttribute(Qt::WA_TransparentForMouseEvents));
    Choose("cboLanguage", 1);
    EXPECT_TRUE(Find<QLabel>("lblInspector")->text().contains("Diskriminante"));
    // The rays go by the German compass, as the panel's captions do (SW-NO).
    for (const char* part : {"<b>NO</b>", "<b>SO</b>"})
        EXPECT_TRUE(Find<QLabel>("lblInspector")->text().contains(part)) << part;
    EXPECT_FALSE(Find<QLabel>("lblInspector")->text().contains("<b>NE</b>"));
    EXPECT_EQ(Inspector()->windowTitle(), "Inspektor");
    QTest::keyClick(window.get(), Qt::Key_F3);
    EXPECT_TRUE(Inspector()->isHidden());
    EXPECT_FALSE(Overlay()->ShowsRays());
}

// After any redraw the inspector tells about the cell now under the pointer, or, with the
// pointer gone, about none: never about a cell of the picture that was.
TEST_F(ExplorerTest, AfterARedrawTheInspectorDescribesWhatIsUnderThePointer) {
    const QPoint at41(263 - 3 * 15, 263 + 15);  // cell (-3, 1): 41 at start 1
    struct Redraw {
        const char* what;
        std::function<void()> redraw;
    };
    const Redraw redraws[] = {
        {"start", [&] { SetStart("41"), PressEnter(); }},
        {"box size", [&] { Choose("cboBoxSize", BoxSizePosition(21)); }},
        {"class", [&] { Choose("cboShow", 4); }},
        {"scheme", [&] { Choose("cboColorBy", 3); }},
        {"language", [&] { Choose("cboLanguage", 1); }},
        {"a step of the moving spiral",
         [&] {
             Click("cmdSpiralIn");
             QMetaObject::invokeMethod(window->findChild<QTimer*>("ClkClock"), "timeout");
             Click("cmdPauseButton");
         }},
    };
    QTest::keyClick(window.get(), Qt::Key_F3);
    for (const bool pointerStays : {true, false}) {
        for (const Redraw& r : redraws) {
            SCOPED_TRACE(::testing::Message() << r.what << (pointerStays ? ", pointer stays" : ""));
            if (window->SpiralMoving()) Click("cmdStopButton");
            for (const auto& [list, index] : {std::pair{"cboLanguage", 0},
                                              {"cboShow", 0},
                                              {"cboBoxSize", BoxSizePosition(15)},
                                              {"cboColorBy", 0}})
                Choose(list, index);
            SetStart("1");
            PressEnter();
            HoverAt(at41.x(), at41.y());
            ASSERT_TRUE(QTest::qWaitFor([&] { return Inspector()->ShownNumber() == 41; }));
            if (!pointerStays) {
                QEvent leave(QEvent::Leave);
                QApplication::sendEvent(Find("picSpiral"), &leave);
            }
            r.redraw();
            QApplication::processEvents();
            if (pointerStays) {
                const std::optional<std::int64_t> now =
                    window->PictureExplorer()->NumberAt(QPointF(at41));
                ASSERT_TRUE(now.has_value());
                // Measured off the event loop.
                EXPECT_TRUE(QTest::qWaitFor([&] { return Inspector()->ShownNumber() == now; }));
            } else {
                EXPECT_EQ(Inspector()->ShownNumber(), std::nullopt);
                EXPECT_EQ(Find<QLabel>("lblInspector")->text(),
                          InspectorIdleHtml(window->Language()));
                EXPECT_FALSE(Overlay()->ShowsRays());
            }
        }
    }
}

TEST_F(ExplorerTest, TheLongestRunsAreOutlinedWhenMeasuredAndNeverDuringAPass) {
    Click("chkCalculateLongest");
    PressEnter();
    // The outline follows the picture within a turn of the event loop.
    EXPECT_TRUE(QTest::qWaitFor([&] { return Overlay()->ShowsRuns(); }));
    // Switched off in the inspector.
    QTest::keyClick(window.get(), Qt::Key_F3);
    auto* outline = Find<QCheckBox>("chkRunOverlay");
    EXPECT_TRUE(outline->isChecked());
    outline->setChecked(false);
    EXPECT_FALSE(Overlay()->ShowsRuns());
    outline->setChecked(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Overlay()->ShowsRuns(); }));
    // A long pass shows no lines over the picture it is drawing.
    Choose("cboBoxSize", 0);
    bool seenDuringPass = false;
    services.inputPending = true;
    services.onInputPoll = [&] { seenDuringPass |= Overlay()->isVisible(); };
    Click("cmdDraw");
    EXPECT_GT(services.inputPolls, 0);
    EXPECT_FALSE(seenDuringPass);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Overlay()->ShowsRuns(); }));
}

// With the inspector open, Tab goes round the window and the inspector's switch, and never stops
// where the focus cannot be seen.
TEST_F(ExplorerTest, TabReachesTheInspectorsSwitchAndNoUnseenStop) {
    QTest::keyClick(window.get(), Qt::Key_F3);
    Find("txbStartNumber")->setFocus();
    QStringList stops;
    for (int i = 0; i < 40 && (stops.isEmpty() || stops.back() != "txbStartNumber"); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        stops << focus->objectName();
        // The picture shows where the keyboard is with its cell cursor.
        const bool cursorShown =
            focus->objectName() == "picSpiral" && window->PictureExplorer()->Cursor()->isVisible();
        EXPECT_TRUE(qobject_cast<QAbstractButton*>(focus) || qobject_cast<QComboBox*>(focus) ||
                    qobject_cast<QLineEdit*>(focus) || qobject_cast<QLabel*>(focus) || cursorShown)
            << "Tab stops on " << focus->metaObject()->className() << " after "
            << stops.join(' ').toStdString();
    }
    EXPECT_EQ(stops.back(), "txbStartNumber");
    EXPECT_TRUE(stops.contains("chkRunOverlay")) << stops.join(' ').toStdString();
    EXPECT_TRUE(stops.contains("picSpiral")) << stops.join(' ').toStdString();
}

// What the constant rests on (D and h), why it is 0 where it is, and where the count lies in
// σ, in both languages and far out, where the discriminant passes 64 bits.
TEST(InspectorWords, TellWhatTheConstantRestsOnAndHowFarTheCountLies) {
    const struct {
        std::int64_t start;
        int language;
        std::vector<const char*> parts;
        int deviations;  // rays with primes to expect, each with its σ phrase
    } cases[] = {
        {41, intEnglish, {"fdisc −163", "h = 1", "count within "}, 4},
        {41, intGerman, {"Fundamentaldiskr. −163", "h = 1", "Anzahl innerhalb von "}, 4},
        {1, intEnglish, {"fdisc −3", "C(f) = 0: f is a constant times a square"}, 3},
        {0, intEnglish, {"C(f) = 0: f splits into two linear factors"}, 0},
        {2, intGerman, {"C(f) = 0: jeder Wert ist durch 2 teilbar", "Fundamentaldiskr. −7"}, 0},
        {1'000'000'000'000'000'001,
         intEnglish,
         {"discriminant −16000000000000000012", "fdisc −4000000000000000003", "h = 255070498"},
         4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.start << " " << c.language);
        const std::optional<CellRays> cell = RaysOfPosition(1, c.start);
        ASSERT_TRUE(cell);
        const QString report = InspectorHtml(*cell, InspectRays(*cell, 100), 100, c.language);
        for (const char* part : c.parts)
            EXPECT_TRUE(report.contains(QString::fromUtf8(part))) << part << "\n"
                                                                  << report.toStdString();
        EXPECT_FALSE(report.contains(QStringLiteral("?")));
        EXPECT_EQ(report.count(RayMeasureTip(RayMeasure::Deviation, c.language).toHtmlEscaped()),
                  c.deviations);
    }
}

}  // namespace
}  // namespace quorvel::testing
