// SPDX-License-Identifier: GPL-3.0-or-later
// The picture from the keyboard: the cell cursor, which the readout, the inspector and Enter
// follow as they follow the pointer; and Find Number, which puts the cursor on a number's cell.
#include <set>

#include "engine/spiral_layout.h"
#include "explorer/cell_cursor.h"
#include "explorer/explorer.h"
#include "explorer/ray_panel.h"
#include "mainwindow/find_number.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

constexpr QSize kPicture(frmMain::kSpiralSide, frmMain::kSpiralSide);

// At every box size the cursor may stand on exactly the cells the readout names somewhere on the
// row and the column through the centre, and the arrow keys stop at the last of them.
TEST(CellCursorPlaces, TheCursorReachesEveryCellTheReadoutNamesAndNoOther) {
    // 176 cells a side at box size 3: the last ring half drawn, its cells cut at the edge.
    const struct {
        int box, east, west, north, south;
    } edges[] = {{1, 263, -263, -263, 263}, {3, 88, -87, -88, 87}, {75, 3, -3, -3, 3}};
    for (const auto& e : edges) {
        const PassGeometry g = ComputeGeometry(kPicture.width(), kPicture.height(), e.box);
        EXPECT_EQ(StepCursor(g, kPicture, {}, {1, 0}, 999), QPoint(e.east, 0)) << e.box;
        EXPECT_EQ(StepCursor(g, kPicture, {}, {-1, 0}, 999), QPoint(e.west, 0)) << e.box;
        EXPECT_EQ(StepCursor(g, kPicture, {}, {0, -1}, 999), QPoint(0, e.north)) << e.box;
        EXPECT_EQ(StepCursor(g, kPicture, {}, {0, 1}, 999), QPoint(0, e.south)) << e.box;
    }
    for (const int box : kBoxSizes) {
        const PassGeometry g = ComputeGeometry(kPicture.width(), kPicture.height(), box);
        for (const bool row : {true, false}) {
            std::set<std::int64_t> named, reachable;
            for (int i = 0; i < kPicture.width(); ++i) {
                const QPointF at = row ? QPointF(i + 0.5, 263.5) : QPointF(263.5, i + 0.5);
                if (const auto position = PositionAtPixel(g, kPicture, at)) named.insert(*position);
            }
            for (int i = -300; i <= 300; ++i) {
                const QPoint cell = row ? QPoint(i, 0) : QPoint(0, i);
                if (CursorMayStand(g, kPicture, cell))
                    reachable.insert(*PositionOfCell(cell.x(), cell.y()));
            }
            EXPECT_EQ(reachable, named) << box;
        }
    }
}

TEST(FindNumber, ReadsOnlyWholeNumbersAPictureCanHold) {
    const struct {
        const char* typed;
        FindProblem problem;
        std::int64_t number;
    } typed[] = {
        {" 00041 ", FindProblem::None, 41},
        {"2147483646", FindProblem::None, 2147483646},
        {"2147483647", FindProblem::TooLarge, 0},
        {"99999999999999999999999", FindProblem::TooLarge, 0},
        {"  ", FindProblem::Empty, 0},
        {"-3", FindProblem::Negative, 0},
        {"-", FindProblem::NotANumber, 0},
        {"1.5", FindProblem::NotANumber, 0},
        {"١٢", FindProblem::NotANumber, 0},
    };
    for (const auto& t : typed) {
        const FindRequest request = ParseFindNumber(QString::fromUtf8(t.typed));
        EXPECT_EQ(request.problem, t.problem) << t.typed;
        EXPECT_EQ(request.number, t.number) << t.typed;
    }
    const PassGeometry g = ComputeGeometry(kPicture.width(), kPicture.height(), 15);
    EXPECT_EQ(CellOfNumber(g, 100, 99), std::nullopt);
    EXPECT_EQ(CellOfNumber(g, 2147482422, 2147483646), QPoint(17, 17));
    EXPECT_EQ(CellOfNumber(PassGeometry{}, 1, 1), std::nullopt);  // no picture
}

class CellCursorTest : public WindowTest {
  protected:
    CellCursor* Cursor() const { return window->PictureExplorer()->Cursor(); }
    QWidget* Picture() const { return Find("picSpiral"); }
    QString Press(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
        QApplication::processEvents();  // the readout follows within a turn of the event loop
        return Text("lblPointerReadout");
    }
    // Tab from the last control of the panel reaches the picture.
    QString TabToPicture() {
        Find("cmdQuit")->setFocus();
        return Press(Qt::Key_Tab);
    }
};

// Key by key from the centre: the cursor's cell and the readout naming it. Away with the keyboard
// the cursor goes; a new picture keeps its cell where it has it, else the centre.
TEST_F(CellCursorTest, TheArrowKeysMoveTheCursorAndTheReadoutFollows) {
    EXPECT_EQ(TabToPicture(), "1     ring 1");
    EXPECT_TRUE(Cursor()->isVisible());
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        QPoint cell;
        const char* readout;
    } steps[] = {
        {Qt::Key_Right, {}, {1, 0}, "2: prime     ring 2"},
        {Qt::Key_Up, {}, {1, -1}, "3: prime     ring 2"},
        {Qt::Key_Right, Qt::ControlModifier, {11, -1}, "453 = 3 · 151     ring 12"},
        {Qt::Key_Right, Qt::ControlModifier, {17, -1}, "1107 = 3³ · 41     ring 18"},  // the edge
        {Qt::Key_Home, {}, {0, 0}, "1     ring 1"},
        {Qt::Key_Left, {}, {-1, 0}, "6 = 2 · 3     ring 2"},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(Press(s.key, s.modifiers), QString::fromUtf8(s.readout)) << s.readout;
        EXPECT_EQ(Cursor()->Cell(), s.cell) << s.readout;
    }
    Press(Qt::Key_Tab);
    EXPECT_FALSE(Cursor()->isVisible());
    EXPECT_EQ(Text("lblPointerReadout"), "");
    EXPECT_EQ(Press(Qt::Key_Backtab), "6 = 2 · 3     ring 2");

    Press(Qt::Key_Left, Qt::ControlModifier);
    SetStart("101");  // the keyboard goes to the start number, the cursor with it
    PressEnter();
    EXPECT_FALSE(Cursor()->isVisible());
    EXPECT_EQ(TabToPicture(), "596 = 2² · 149     ring 12");
    Choose("cboBoxSize", BoxSizePosition(35));  // 15 cells a side: no cell 11 out
    EXPECT_EQ(TabToPicture(), "101: prime     ring 1");
    // While the spiral moves the cursor is away and keys do nothing; paused, it is back.
    Choose("cboBoxSize", BoxSizePosition(15));
    Click("cmdSpiralIn");
    Picture()->setFocus();
    EXPECT_EQ(Press(Qt::Key_Right), "");
    EXPECT_FALSE(Cursor()->isVisible());
    Click("cmdPauseButton");
    Picture()->setFocus();
    Press(Qt::Key_Right);
    EXPECT_EQ(Cursor()->Cell(), QPoint(1, 0));
    Click("cmdStopButton");
}

// The inspector follows the cursor; Enter names the number as a click there does, a click puts
// the cursor on the clicked cell, and the pointer, when it leaves, hands the readout back.
TEST_F(CellCursorTest, TheInspectorEnterClicksAndThePointerGoWithTheCursor) {
    SetStart("2");
    PressEnter();
    QTest::keyClick(window.get(), Qt::Key_F3);
    TabToPicture();
    Press(Qt::Key_Right);
    InspectorPanel* inspector = window->PictureExplorer()->Inspector();
    EXPECT_TRUE(QTest::qWaitFor([&] { return inspector->ShownNumber() == 3; }));
    Press(Qt::Key_Return);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, "3 is prime");
    Find("txbStartNumber")->setFocus();
    QTest::mouseClick(Picture(), Qt::LeftButton, {}, QPoint(263 - 15, 263));
    EXPECT_EQ(QApplication::focusWidget(), Picture());
    EXPECT_EQ(Cursor()->Cell(), QPoint(-1, 0));
    EXPECT_EQ(services.messages.back().text, "7 is prime");
    EXPECT_TRUE(QTest::qWaitFor([&] { return inspector->ShownNumber() == 7; }));
    QTest::mouseMove(Picture(), QPoint(263 + 16, 263));
    EXPECT_EQ(Press(Qt::Key_Shift), "3: prime     ring 2");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Picture(), &leave);
    EXPECT_EQ(Press(Qt::Key_Shift), "7: prime     ring 2");
}

// Ctrl+F puts the cursor on the number's cell, or a message says why not, in the window's
// language; a text that is no number keeps the dialog open.
TEST_F(CellCursorTest, FindNumberPutsTheCursorOnTheNumbersCellOrSaysWhyNot) {
    const struct {
        int language;
        const char* typed;
        std::optional<QPoint> cell;
        bool accepted;      // the dialog closed: the text was a number
        const char* title;  // of the message, if any
        const char* message;
    } cases[] = {
        {0, " 41", QPoint(-3, 1), true, "", ""},
        {1, "1225", QPoint(17, 17), true, "", ""},
        {0, "1226", std::nullopt, true, "Find number",
         "The picture does not hold 1226.\nIt shows the numbers from 1 to 1225."},
        {1, "1226", std::nullopt, true, "Zahl finden",
         "Das Bild enthält 1226 nicht.\nEs zeigt die Zahlen von 1 bis 1225."},
        {0, "12a", std::nullopt, false, "Error",
         "“12a” is not a whole number.\nType a whole number from 0 to 2147483646."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Choose("cboLanguage", c.language);
        services.messages.clear();
        bool accepted = false;
        services.onModal = [&](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("txbFindNumber")->setText(QString::fromUtf8(c.typed));
            dialog.accept();
            accepted = dialog.result() == QDialog::Accepted;
        };
        const QPoint before = Cursor()->Cell();
        QTest::keyClick(Find("txbStartNumber"), Qt::Key_F, Qt::ControlModifier);
        EXPECT_EQ(accepted, c.accepted);
        EXPECT_EQ(Cursor()->Cell(), c.cell.value_or(before));
        EXPECT_EQ(Cursor()->isVisible(), c.cell.has_value());
        if (c.cell) {
            EXPECT_TRUE(services.messages.empty());
            EXPECT_EQ(Press(Qt::Key_Shift).section(' ', 0, 0).remove(':'),
                      QString(c.typed).trimmed());
            Find("txbStartNumber")->setFocus();
        } else {
            ASSERT_EQ(services.messages.size(), 1u);
            EXPECT_EQ(services.messages[0].title, QString::fromUtf8(c.title));
            EXPECT_EQ(services.messages[0].text, QString::fromUtf8(c.message));
        }
    }
    // The dialog offers the last number found.
    services.onModal = [&](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QLineEdit*>("txbFindNumber")->text(), "1226");
        dialog.reject();
    };
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    services.onModal = nullptr;
}

}  // namespace
}  // namespace quorvel::testing
