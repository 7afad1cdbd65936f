// SPDX-License-Identifier: GPL-3.0-or-later
// The window on the screen it starts on: run on a table of screens and scale factors and on a
// small screen (see CMakeLists.txt), it must fit, every control must be reachable, and the
// picture must still name and save the right cells.
#include <QCheckBox>
#include <QDockWidget>
#include <QImage>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryDir>
#include <cmath>

#include "explorer/cell_cursor.h"
#include "explorer/explorer.h"
#include "explorer/picture_overlay.h"
#include "mainwindow/spiral_picture.h"
#include "mainwindow/window_fit.h"
#include "text/language.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

class WindowFit : public WindowTest {
  protected:
    // A screen of at least 960 x 540 logical pixels shows the whole window at once.
    bool LargeEnough() const {
        const QSize screen = window->screen()->size();
        return screen.width() >= 960 && screen.height() >= 540;
    }

    // What a user sees: no scroll bar, and every control of the window wholly inside the
    // window, inside everything around it, and on the screen.
    void ExpectEverythingInSight(const char* when) {
        QApplication::processEvents();
        auto* panel = Find<QScrollArea>("scrPanel");
        EXPECT_FALSE(panel->verticalScrollBar()->isVisible()) << when;
        EXPECT_FALSE(panel->horizontalScrollBar()->isVisible()) << when;
        const QRect screen = window->screen()->availableGeometry();
        EXPECT_TRUE(screen.contains(window->frameGeometry()))
            << when << ": " << window->frameGeometry().width() << " x "
            << window->frameGeometry().height();
        int seen = 0;
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (control->objectName().isEmpty() || !control->isVisibleTo(window.get()) ||
                control->window() != window.get())
                continue;
            ++seen;
            const QRect place(control->mapToGlobal(QPoint()), control->size());
            for (QWidget* around = control->parentWidget(); around != nullptr;
                 around = around->parentWidget()) {
                const QRect room(around->mapToGlobal(QPoint()), around->size());
                EXPECT_TRUE(room.contains(place))
                    << when << ": " << control->objectName().toStdString() << " " << place.height()
                    << " high at " << place.y() << " in " << around->objectName().toStdString()
                    << " " << room.height() << " at " << room.y();
            }
        }
        EXPECT_GT(seen, 40) << when;
    }

    // A picture pixel is a whole number of screen pixels.
    void ExpectCrisp() {
        auto* picture = Find<SpiralPicture>("picSpiral");
        const double perPicturePixel = window->devicePixelRatioF() / picture->DisplayRatio();
        EXPECT_NEAR(perPicturePixel, std::round(perPicturePixel), 1e-9);
        EXPECT_GE(std::round(perPicturePixel), 1.0);
    }

    // White pixels on the picture as the screen shows it.
    int WhitePixels() {
        const QImage shown = Find("picSpiral")->grab().toImage();
        int count = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x)
                count += shown.pixel(x, y) == qRgb(255, 255, 255);
        }
        return count;
    }
};

TEST_F(WindowFit, FitsTheScreenAndKeepsThePictureExact) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QApplication::processEvents();  // the panel takes its place
    // A screen less tall than the picture and the window's bars at 100 % (800 x 600) cannot
    // show the picture whole and crisp: there the window need only keep every control in reach.
    const QRect room = window->screen()->availableGeometry();
    const double ratio = window->devicePixelRatioF();
    EXPECT_LE(window->frameGeometry().width(), room.width());
    if (room.height() >= 700 || ratio > 1) {
        EXPECT_LE(window->frameGeometry().height(), room.height());
    }

    // Shown whole, or at one screen pixel per picture pixel: never blurred in between.
    QWidget* picture = Find("picSpiral");
    EXPECT_TRUE(picture->width() == 527 || picture->width() == std::ceil(527 / ratio))
        << picture->width() << " at " << ratio;
    EXPECT_EQ(window->Picture().size(), QSize(527, 527));

    // Every control of the panel can be scrolled into sight: its middle, its whole height, and
    // all of its width that the panel has room for.
    auto* panel = Find<QScrollArea>("scrPanel");
    for (const char* name : {"txbStartNumber", "chkCalculateLongest", "lblLongestSWNEOutput",
                             "cboLanguage", "cmdHelp", "cmdQuit"}) {
        QWidget* control = Find(name);
        const QPoint middle = control->mapTo(panel->widget(), control->rect().center());
        panel->ensureVisible(middle.x(), middle.y(), control->width() / 2 + 1,
                             control->height() / 2 + 1);
        const QRect place(control->mapTo(panel->viewport(), QPoint()), control->size());
        const QRect seen = place & panel->viewport()->rect();
        EXPECT_EQ(seen.height(), control->height()) << name;
        EXPECT_EQ(seen.width(), std::min(control->width(), panel->viewport()->width())) << name;
    }

    // Clicks name the cells under the pointer: at 15 pixels a cell, the centre and its east
    // (without numerals, whose dark strokes inside a mark name nothing).
    Find<QCheckBox>("chkNumerals")->setChecked(false);
    SetStart("2");
    PressEnter();
    const double perPixel = 527.0 / picture->width();
    for (const auto& [x, shown] : {std::pair{263, "2"}, std::pair{263 + 15, "3"}}) {
        services.messages.clear();
        QTest::mouseClick(picture, Qt::LeftButton, {},
                          QPoint(static_cast<int>(x / perPixel), static_cast<int>(263 / perPixel)));
        ASSERT_EQ(services.messages.size(), 1u) << x;
        EXPECT_EQ(services.messages[0].title, shown);
    }

    // Ctrl+S saves the picture in its own size.
    QTemporaryDir folder;
    services.saveName = folder.filePath("spiral.png");
    services.answer = MessageAnswer::Yes;
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(QImage(services.saveName).size(), QSize(527, 527));
}

TEST_F(WindowFit, ShowsEveryControlAtOnceInBothLanguagesWithAndWithoutTheInspector) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    if (!LargeEnough()) GTEST_SKIP() << "a screen below 960 x 540 may scroll the panel";
    auto* inspector = Find<QDockWidget>("dockInspector");
    for (const int language : {intEnglish, intGerman}) {
        Choose("cboLanguage", window->findChild<QComboBox*>("cboLanguage")->findData(language));
        const char* when = language == intGerman ? "German" : "English";
        ExpectEverythingInSight(when);
        ExpectCrisp();
        QTest::keyClick(window.get(), Qt::Key_F3);
        ASSERT_TRUE(QTest::qWaitFor([&] { return inspector->isVisible(); }));
        EXPECT_FALSE(inspector->isFloating()) << when;
        ExpectEverythingInSight(language == intGerman ? "German, inspector" : "English, inspector");
        ExpectCrisp();
        QTest::keyClick(window.get(), Qt::Key_F3);
        ASSERT_TRUE(QTest::qWaitFor([&] { return inspector->isHidden(); }));
        ExpectEverythingInSight(language == intGerman ? "German, closed" : "English, closed");
    }
}

// The inspector's rays are drawn over the picture at every scale, and go again when it closes.
TEST_F(WindowFit, DrawsTheRaysOverThePicture) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    SetStart("1");
    PressEnter();
    QApplication::processEvents();
    const int before = WhitePixels();
    QTest::keyClick(window.get(), Qt::Key_F3);
    auto* picture = Find("picSpiral");
    const QPoint cell(picture->width() / 4, picture->height() / 3);
    QTest::mouseMove(picture, cell + QPoint(1, 0));
    QTest::mouseMove(picture, cell);
    PictureOverlay* overlay = window->PictureExplorer()->Overlay();
    ASSERT_TRUE(QTest::qWaitFor([&] { return overlay->ShowsRays(); }));
    // Each ray runs from the cell to the picture's edge: a good hundred screen pixels at least.
    EXPECT_GT(WhitePixels() - before, 100);
    QTest::keyClick(window.get(), Qt::Key_F3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !overlay->ShowsRays(); }));
    EXPECT_EQ(WhitePixels(), before);
}

// The cell cursor rings its cell in the screen's own pixels at every scale: from the cell
// outwards a dark line, a white one and a dark one, each a whole number of screen pixels wide;
// nothing blurred between them, and nothing of the cell itself covered.
TEST_F(WindowFit, TheCellCursorRingsItsCellCrisply) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    auto* picture = Find<SpiralPicture>("picSpiral");
    const auto shown = [&] {
        QApplication::processEvents();
        return picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    const QImage before = shown();
    CellCursor* cursor = window->PictureExplorer()->Cursor();
    ASSERT_TRUE(cursor->MoveTo(QPoint(1, -1)));
    const QImage after = shown();
    const QRect cell = cursor->CellOnScreen();
    const double ratio = picture->devicePixelRatioF();
    EXPECT_EQ(cell.width(), 15 * std::lround(ratio / picture->DisplayRatio()));
    // From the middle of each side outwards: w dark, w white, w dark screen pixels.
    const int w = std::max(1, static_cast<int>(std::lround(ratio)));
    const QPoint c = cell.center();
    for (const auto& [edge, out] : {std::pair{QPoint(cell.right() + 1, c.y()), QPoint(1, 0)},
                                    {QPoint(cell.left() - 1, c.y()), QPoint(-1, 0)},
                                    {QPoint(c.x(), cell.bottom() + 1), QPoint(0, 1)},
                                    {QPoint(c.x(), cell.top() - 1), QPoint(0, -1)}}) {
        for (int i = 0; i < 3 * w; ++i) {
            EXPECT_EQ(after.pixel(edge + out * i), i / w == 1 ? qRgb(255, 255, 255) : qRgb(0, 0, 0))
                << out.x() << "," << out.y() << " " << i << " at " << ratio;
        }
    }
    // Every pixel that changed is pure black or white, and none of them is the cell's.
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            if (after.pixel(x, y) == before.pixel(x, y)) continue;
            ASSERT_FALSE(cell.contains(x, y)) << x << "," << y;
            ASSERT_TRUE(after.pixel(x, y) == qRgb(0, 0, 0) ||
                        after.pixel(x, y) == qRgb(255, 255, 255))
                << x << "," << y;
        }
    }
}

// A second window goes beside the first where the screen has room, on the roomier side and
// no larger than that room, else a little down and right of it, smaller to keep the first
// one's title in sight; always on the screen.
TEST(WindowPlace, BesideWhereThereIsRoomElseOffset) {
    const QRect screen(0, 0, 1920, 1050);
    for (const auto& [anchor, place] :
         {std::pair{QRect(10, 20, 850, 680), QRect(860, 20, 1000, 700)},
          {QRect(700, 0, 800, 600), QRect(0, 0, 700, 700)},
          {QRect(450, 400, 1420, 600), QRect(490, 440, 1000, 610)},
          {QRect(450, 800, 1420, 200), QRect(490, 690, 1000, 360)}})
        EXPECT_EQ(PlaceBeside(anchor, QSize(1000, 700), QSize(480, 360), screen, 40), place);
}

}  // namespace
}  // namespace quorvel::testing
