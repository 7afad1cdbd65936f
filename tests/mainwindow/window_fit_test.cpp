// SPDX-License-Identifier: GPL-3.0-or-later
// The window on the screen it starts on: run on a large screen, a laptop at 200 % and a small
// screen (see CMakeLists.txt), it must fit, every control must be reachable, and the picture
// must still name and save the right cells.
#include <QImage>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryDir>
#include <cmath>

#include "mainwindow/window_fit.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

using WindowFit = WindowTest;

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

    // Clicks name the cells under the pointer: at 15 pixels a cell, the centre and its east.
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
