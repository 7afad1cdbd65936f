#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>

#include "mainwindow/frmMain.h"

namespace quorvel {
namespace {

TEST(frmMain, ShowsTheDefaultSpiral) {
    frmMain window;
    EXPECT_EQ(window.windowTitle(), "Quorvel");
    const auto* picture = window.findChild<QLabel*>("picSpiral");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->size(), QSize(527, 527));
    const QImage shown = picture->pixmap().toImage();
    ASSERT_EQ(shown.size(), QSize(527, 527));
    // 2 lies one cell east of the centre, in light blue.
    EXPECT_EQ(shown.pixel(263 + 15, 263), 0xFF0000FFu);
    EXPECT_EQ(shown.pixel(263, 263), 0xFF000000u);
}

}  // namespace
}  // namespace quorvel
