// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QComboBox>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QWheelEvent>
#include <cstdint>

#include "engine/number_theory.h"
#include "engine/spiral_layout.h"
#include "engine/spiral_tiles.h"
#include "explorer/explorer.h"
#include "explorer/ray_panel.h"
#include "largeview/frmLargeView.h"
#include "largeview/large_picture.h"
#include "largeview/tile_renderer.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

constexpr std::uint64_t k1e18 = 1'000'000'000'000'000'000u;

class LargeViewTest : public WindowTest {
  protected:
    frmLargeView* Open() {
        window->findChild<QAction*>("actLargeView")->trigger();
        frmLargeView* view = window->LargeView();
        EXPECT_NE(view, nullptr);
        EXPECT_TRUE(view->isVisible());
        return view;
    }
    static LargePicture* Picture(frmLargeView* view) {
        return view->findChild<LargePicture*>("picLargeView");
    }
    // (Waits long enough for the sanitizer builds, which draw many times slower.)
    static bool Drawn(LargePicture* picture) {
        return QTest::qWaitFor([&] { return !picture->property("rendering").toBool(); }, 60000);
    }
    static void Enter(frmLargeView* view, const char* box, const QString& text) {
        auto* edit = view->findChild<QLineEdit*>(box);
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
};

// F4 opens the window at the main window's start number and cell size, in its language.
TEST_F(LargeViewTest, OpensWhereTheMainWindowStands) {
    Find<QLineEdit>("txbStartNumber")->setText("41");
    window->DrawSpiral();
    frmLargeView* view = Open();
    LargePicture* picture = Picture(view);
    EXPECT_EQ(picture->property("startNumber").toULongLong(), 41u);
    EXPECT_EQ(picture->property("cellSize").toInt(), 15);
    EXPECT_EQ(picture->property("centreX").toLongLong(), 0);
    EXPECT_EQ(view->windowTitle(), "Quorvel – Large View");
    EXPECT_EQ(window->findChild<QAction*>("actLargeView")->shortcut(), QKeySequence(Qt::Key_F4));
    Find<QComboBox>("cboLanguage")
        ->setCurrentIndex(Find<QComboBox>("cboLanguage")->findData(intGerman));
    EXPECT_EQ(window->findChild<QAction*>("actLargeView")->text(), "&Große Ansicht");
    EXPECT_EQ(view->windowTitle(), "Quorvel – Große Ansicht");
    // The view speaks as the main window does, its umlauts kept, each caption with a key of its
    // own.
    QStringList keys;
    for (QLabel* caption : view->findChildren<QLabel*>()) {
        const qsizetype amp = caption->text().indexOf('&');
        if (amp >= 0) keys << caption->text().mid(amp + 1, 1).toLower();
        EXPECT_FALSE(caption->text().contains("Startzahl")) << caption->text().toStdString();
        EXPECT_FALSE(caption->text().contains("ae")) << caption->text().toStdString();
    }
    EXPECT_EQ(keys.size(), 4);
    EXPECT_EQ(keys.removeDuplicates(), 0) << keys.join(' ').toStdString();
    EXPECT_TRUE(keys.contains(QString::fromUtf8("f")));
}

// The picture's pixels: cell (x, y) at the square the geometry gives, prime white, others
// black, cells past 2^63 - 1 dark grey; the view's corners included.
TEST_F(LargeViewTest, CellsLieWhereTheGeometrySays) {
    frmLargeView* view = Open();
    LargePicture* picture = Picture(view);
    view->resize(420, 330);
    for (const auto& [start, cx, cy, c] :
         {std::tuple<std::uint64_t, std::int64_t, std::int64_t, int>{1, 0, 0, 5},
          {k1e18, -7, 3, 4},
          {k1e18, kMaxCellRadius - 100, -50, 2},
          {1, kMaxCellRadius + 1, 0, 3}}) {
        picture->setProperty("startNumber", QVariant::fromValue<qulonglong>(start));
        picture->setProperty("cellSize", c);
        picture->setProperty("centreX", QVariant::fromValue<qlonglong>(cx));
        picture->setProperty("centreY", QVariant::fromValue<qlonglong>(cy));
        ASSERT_TRUE(Drawn(picture));
        const QImage image = picture->grab().toImage();
        const int w = picture->width();
        const int h = picture->height();
        const std::int64_t cols = w / c / 2 - 1;
        const std::int64_t rows = h / c / 2 - 1;
        int checked = 0;
        for (const std::int64_t x : {cx - cols, cx - 1, cx, cx + 1, cx + cols}) {
            for (const std::int64_t y : {cy - rows, cy, cy + 1, cy + rows}) {
                const auto px = w / 2 + (x - cx) * c - c / 2;
                const auto py = h / 2 + (y - cy) * c - c / 2;
                const auto n = NumberOfCell(start, x, y);
                const QRgb expected = !n ? 0xFF404040 : IsPrime64(*n) ? 0xFFFFFFFF : 0xFF000000;
                for (const auto& [dx, dy] : {std::pair{0, 0}, {c - 1, c - 1}}) {
                    ASSERT_EQ(image.pixel(int(px + dx), int(py + dy)), expected)
                        << "cell " << x << "," << y << " start " << start;
                }
                EXPECT_EQ(picture->CellUnder(QPointF(double(px), double(py))), std::pair(x, y));
                ++checked;
            }
        }
        EXPECT_EQ(checked, 20);
    }
}

// Bad go-to and start texts leave the view alone and say why, in either language.
TEST_F(LargeViewTest, BadEntriesAreRefusedWithAMessage) {
    frmLargeView* view = Open();
    LargePicture* picture = Picture(view);
    picture->setProperty("startNumber", QVariant::fromValue<qulonglong>(100));
    const struct {
        const char* box;
        QString text;
        int language;
        QString message;
    } cases[] = {
        {"txbGoTo", "-5", intEnglish,
         "“-5” is not a whole number. Use the digits 0–9 only, from 100 … "
         "9223372036854775807."},
        {"txbGoTo", "+5", intEnglish, ""},
        {"txbGoTo", "1 000", intEnglish, ""},
        {"txbGoTo", "", intEnglish, "Enter a number from 100 … 9223372036854775807."},
        {"txbGoTo", "99", intEnglish,
         "99 is not in this spiral: it holds 100 … 9223372036854775807."},
        {"txbGoTo", "18446744073709551616", intEnglish, ""},
        {"txbGoTo", "1234567890123456789012345", intGerman,
         "1234567890123456789012345 liegt nicht in dieser Spirale: Sie reicht von 100 … "
         "9223372036854775807."},
        {"txbGoTo", "9223372036854775808", intEnglish,
         "9223372036854775808 is not in this spiral: it holds 100 … 9223372036854775807."},
        {"txbGoTo", QString::fromUtf8("١٢"), intGerman, ""},
        {"txbLargeStart", "9223372036854775807", intGerman,
         "9223372036854775807 ist als Anfangszahl zu groß: erlaubt ist 0 … "
         "1000000000000000000."},
        {"txbLargeStart", "abc", intEnglish, ""},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.text.toStdString());
        view->SetLanguage(t.language);
        view->statusBar()->clearMessage();
        Enter(view, t.box, t.text);
        const QString shown = view->statusBar()->currentMessage();
        EXPECT_FALSE(shown.isEmpty());
        if (!t.message.isEmpty()) {
            EXPECT_EQ(shown, t.message);
        }
        EXPECT_EQ(picture->property("startNumber").toULongLong(), 100u);
        EXPECT_EQ(picture->property("centreX").toLongLong(), 0);
        EXPECT_EQ(picture->property("centreY").toLongLong(), 0);
    }
    // Good ones: blanks around a number are forgiven.
    Enter(view, "txbGoTo", " 101 ");
    EXPECT_EQ(picture->property("centreX").toLongLong(), 1);
    EXPECT_TRUE(view->statusBar()->currentMessage().isEmpty());
    Enter(view, "txbGoTo", "1000000000000000000");
    const SpiralCell far = CellOfPosition(static_cast<std::int64_t>(k1e18 - 100 + 1));
    EXPECT_EQ(picture->property("centreX").toLongLong(), far.x);
    EXPECT_EQ(picture->property("centreY").toLongLong(), far.y);
    Enter(view, "txbLargeStart", "1000000000000000000");
    EXPECT_EQ(picture->property("startNumber").toULongLong(), k1e18);
}

// Go to takes every number the view shows, from the start to 2^63 - 1, and centres its cell.
TEST_F(LargeViewTest, GoToCentresEveryNumberTheViewShows) {
    frmLargeView* view = Open();
    LargePicture* picture = Picture(view);
    constexpr std::uint64_t kLast = 9'223'372'036'854'775'807u;
    for (const auto& [start, number] : {std::pair{k1e18, k1e18 + 9},
                                        {k1e18, kLast},
                                        {std::uint64_t{0}, kLast},
                                        {std::uint64_t{0}, kLast - 1},
                                        {std::uint64_t{5}, std::uint64_t{5}},
                                        {std::uint64_t{7}, std::uint64_t{1'000'000'007}}}) {
        SCOPED_TRACE(::testing::Message() << start << " " << number);
        picture->setProperty("startNumber", QVariant::fromValue<qulonglong>(start));
        view->statusBar()->clearMessage();
        Enter(view, "txbGoTo", QString::number(number));
        EXPECT_EQ(view->statusBar()->currentMessage(), "");
        EXPECT_EQ(NumberOfCell(start, picture->CentreX(), picture->CentreY()), number);
    }
    EXPECT_EQ(view->findChild<QLineEdit*>("txbGoTo")->toolTip(),
              "A number of the spiral, up to 2^63 − 1 = 9223372036854775807, the largest a cell "
              "holds: Enter centres the view on its cell");
    view->SetLanguage(intGerman);
    EXPECT_TRUE(view->findChild<QLineEdit*>("txbGoTo")->toolTip().contains("größte"));
}

// Dragging, a wheel notch and each key move the view as a user expects.
TEST_F(LargeViewTest, DragWheelAndKeysMoveTheView) {
    frmLargeView* view = Open();
    LargePicture* picture = Picture(view);
    view->resize(400, 300);
    picture->setProperty("cellSize", 10);
    picture->SetCentre(0, 0);
    const QPoint from(200, 150);
    QTest::mousePress(picture, Qt::LeftButton, {}, from);
    QTest::mouseMove(picture, from + QPoint(30, -20));
    QTest::mouseRelease(picture, Qt::LeftButton, {}, from + QPoint(30, -20));
    EXPECT_EQ(picture->CentreX(), -3);
    EXPECT_EQ(picture->CentreY(), 2);

    // A notch up zooms in about the pointer: the cell under it stays under it.
    const QPointF at(300, 100);
    const auto before = picture->CellUnder(at);
    QWheelEvent notch(at, picture->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(picture, &notch);
    EXPECT_EQ(picture->CellSize(), 12);
    EXPECT_EQ(picture->CellUnder(at), before);

    picture->SetCellSize(10);
    const int screenX = picture->width() / 10;
    const int screenY = picture->height() / 10;
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::int64_t dx, dy;
    } keys[] = {{Qt::Key_Right, {}, 1, 0},
                {Qt::Key_Left, {}, -1, 0},
                {Qt::Key_Up, {}, 0, -1},
                {Qt::Key_Down, {}, 0, 1},
                {Qt::Key_Right, Qt::ShiftModifier, screenX, 0},
                {Qt::Key_Down, Qt::ShiftModifier, 0, screenY}};
    for (const auto& k : keys) {
        const std::int64_t x = picture->CentreX();
        const std::int64_t y = picture->CentreY();
        QTest::keyClick(picture, k.key, k.modifiers);
        EXPECT_EQ(picture->CentreX(), x + k.dx) << k.key;
        EXPECT_EQ(picture->CentreY(), y + k.dy) << k.key;
    }
    QTest::keyClick(picture, Qt::Key_Plus);
    EXPECT_EQ(picture->CellSize(), 12);
    QTest::keyClick(picture, Qt::Key_Minus);
    QTest::keyClick(picture, Qt::Key_Minus);
    EXPECT_EQ(picture->CellSize(), 8);
    QTest::keyClick(picture, Qt::Key_Home);
    EXPECT_EQ(picture->CentreX(), 0);
    EXPECT_EQ(picture->CentreY(), 0);
}

// The readout names the number under the pointer; the inspector follows it.
TEST_F(LargeViewTest, TheReadoutAndTheInspectorFollowThePointer) {
    window->findChild<QAction*>("actInspector")->trigger();
    frmLargeView* view = Open();
    LargePicture* picture = Picture(view);
    picture->setProperty("startNumber", QVariant::fromValue<qulonglong>(k1e18));
    picture->setProperty("cellSize", 8);
    picture->SetCentre(0, 0);
    // Cell (1, 0) holds 10^18 + 1.
    const QPoint over(picture->width() / 2 + 8, picture->height() / 2);
    ASSERT_EQ(picture->CellUnder(over), std::pair(std::int64_t{1}, std::int64_t{0}));
    QTest::mouseMove(picture, over);
    EXPECT_EQ(view->findChild<QLabel*>("lblLargeViewReadout")->text(),
              "1000000000000000001 = 101 · 9901 · 999999000001     ring 2");
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return window->PictureExplorer()->Inspector()->ShownNumber() == std::int64_t(k1e18 + 1);
    }));
}

// The view moved or changed under a still pointer: the readout and the inspector name the cell
// now under it. Changed while the pointer is away, the inspector lets go of the view's cell.
TEST_F(LargeViewTest, TheReadoutFollowsTheViewUnderAStillPointer) {
    window->findChild<QAction*>("actInspector")->trigger();
    frmLargeView* view = Open();
    LargePicture* picture = Picture(view);
    picture->setProperty("startNumber", QVariant::fromValue<qulonglong>(1));
    picture->setProperty("cellSize", 8);
    picture->SetCentre(0, 0);
    auto* readout = view->findChild<QLabel*>("lblLargeViewReadout");
    // A move to where the pointer already is would be no move at all: it comes from beside.
    const QPoint over(picture->width() / 2 + 8, picture->height() / 2);
    QTest::mouseMove(picture, over + QPoint(1, 0));
    QTest::mouseMove(picture, over);
    EXPECT_EQ(readout->text(), "2: prime     ring 2");
    const struct {
        Qt::Key key;
        const char* readout;  // of the cell under the pointer, one east of the middle
        std::int64_t number;
    } keys[] = {
        {Qt::Key_Right, "11: prime     ring 3", 11},
        {Qt::Key_Down, "10 = 2 · 5     ring 3", 10},
        {Qt::Key_Home, "2: prime     ring 2", 2},
    };
    InspectorPanel* inspector = window->PictureExplorer()->Inspector();
    for (const auto& k : keys) {
        QTest::keyClick(picture, k.key);
        EXPECT_EQ(readout->text(), QString::fromUtf8(k.readout)) << k.key;
        EXPECT_TRUE(QTest::qWaitFor([&] { return inspector->ShownNumber() == k.number; })) << k.key;
    }
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(picture, &leave);
    EXPECT_EQ(readout->text(), "");
    EXPECT_EQ(inspector->ShownNumber(), 2);  // the cell last pointed at stays, until
    Enter(view, "txbLargeStart", "100");
    EXPECT_EQ(inspector->ShownNumber(), std::nullopt);
}

// The view opens beside the main window where the screen has room (see WindowPlace), else a
// little down and right of it: never right over it, hiding it and the inspector.
TEST_F(LargeViewTest, OpensBesideTheMainWindowOrOffset) {
    frmLargeView* view = Open();
    const QRect main = window->frameGeometry();
    const QRect placed = view->frameGeometry();
    EXPECT_TRUE(window->screen()->availableGeometry().contains(placed));
    if (placed.intersects(main)) {
        EXPECT_GT(placed.left(), main.left());
        EXPECT_GT(placed.top(), main.top());
    }
}

// Esc and Ctrl+W close the view; F3 does there what it does in the main window (the key table
// in window_keys_test.cpp presses every key from every control).
TEST_F(LargeViewTest, ItsKeysCloseItAndTheInspectorsKeyWorksThere) {
    frmLargeView* view = Open();
    QStringList closedBy;
    for (const char* keys : {"Esc", "Ctrl+W", "F3"}) {
        QApplication::setActiveWindow(view);
        Picture(view)->setFocus();
        QTest::keySequence(Picture(view), QKeySequence(keys));
        if (view->isHidden()) closedBy << keys;
        window->findChild<QAction*>("actLargeView")->trigger();
    }
    EXPECT_EQ(closedBy.join(' '), "Esc Ctrl+W");
    EXPECT_FALSE(window->PictureExplorer()->Inspector()->isHidden());
}

// Closing the large view or the main window while tiles are drawn leaves no thread behind.
TEST_F(LargeViewTest, ClosingWhileDrawingEndsTheWorkers) {
    frmLargeView* view = Open();
    LargePicture* picture = Picture(view);
    view->resize(1600, 1000);
    picture->setProperty("cellSize", 1);
    picture->setProperty("startNumber", QVariant::fromValue<qulonglong>(k1e18));
    EXPECT_GT(picture->WorkerThreads(), 0);
    view->close();
    EXPECT_EQ(picture->WorkerThreads(), 0);
    EXPECT_FALSE(picture->Rendering());

    Open();
    picture->setProperty("startNumber", QVariant::fromValue<qulonglong>(k1e18 - 12345));
    picture->setProperty("cellSize", 1);
    EXPECT_GT(picture->WorkerThreads(), 0);
    window->findChild<QAction*>("actQuit")->trigger();
    EXPECT_EQ(picture->WorkerThreads(), 0);
    EXPECT_FALSE(view->isVisible());
}

// A large view that shrinks lets go of the tiles of its larger self, also of those still on
// their way: what stays is bounded by what the smaller view shows.
TEST_F(LargeViewTest, ShrinkingGivesTheTileMemoryBack) {
    LargePicture* picture = Picture(Open());
    picture->setProperty("cellSize", 4);
    for (const bool drawnWhole : {true, false}) {
        picture->setFixedSize(3072, 2048);
        if (drawnWhole) {
            ASSERT_TRUE(Drawn(picture));
        }
        EXPECT_TRUE(!drawnWhole || picture->CachedTiles() >= 24 * 16);
        picture->setFixedSize(960, 720);
        ASSERT_TRUE(Drawn(picture));
        QApplication::processEvents();
        const int bound = 4 * (960 / kTileSide + 2) * (720 / kTileSide + 2) + 64;
        EXPECT_LE(picture->CachedTiles(), bound);
        EXPECT_LE(picture->HeldBytes(), std::int64_t{bound} * kTileSide * kTileSide * 4);
    }
}

// Resizing to one pixel and to 8K while drawing, zooming in between: nothing breaks.
TEST_F(LargeViewTest, ExtremeSizesWhileDrawing) {
    frmLargeView* view = Open();
    LargePicture* picture = Picture(view);
    picture->setProperty("startNumber", QVariant::fromValue<qulonglong>(k1e18));
    for (const QSize size : {QSize(1, 1), QSize(7680, 4320), QSize(3, 2)}) {
        picture->setMinimumSize(size);
        picture->setMaximumSize(size);
        picture->resize(size);
        picture->setProperty("cellSize", 64);
        picture->setProperty("cellSize", 16);
        EXPECT_TRUE(Drawn(picture));
    }
}

// At one pixel a cell around the centre of the spiral of 1 the large view shows, pixel for
// pixel, the main window's picture at box size 1, in every kind of number and every colour:
// cells coloured from themselves, and Cluster and random numbers from the walk out of the
// centre.
TEST_F(LargeViewTest, DrawsWhatTheMainWindowDraws) {
    frmLargeView* view = Open();
    LargePicture* picture = Picture(view);
    view->resize(360, 300);
    picture->setProperty("startNumber", QVariant::fromValue<qulonglong>(1));
    picture->setProperty("cellSize", 1);
    picture->SetCentre(0, 0);
    SetStart("1");
    Choose("cboBoxSize", 0);
    for (int show = 0; show < kShowModeCount; ++show) {
        for (int scheme = 0; scheme < kColorSchemeCount; ++scheme) {
            SCOPED_TRACE(::testing::Message() << "show " << show << " scheme " << scheme);
            Choose("cboShow", show);
            Choose("cboColorBy", scheme);
            const QImage expected = window->Picture().copy();
            view->findChild<QComboBox*>("cboLargeShow")->setCurrentIndex(show);
            view->findChild<QComboBox*>("cboLargeColorBy")->setCurrentIndex(scheme);
            ASSERT_EQ(picture->property("showMode").toInt(), show);
            ASSERT_EQ(picture->property("colorScheme").toInt(), scheme);
            ASSERT_TRUE(Drawn(picture));
            const QImage image = picture->grab().toImage();
            const int cx = picture->width() / 2;
            const int cy = picture->height() / 2;
            const int reach = std::min({cx, cy, picture->width() - 1 - cx,
                                        picture->height() - 1 - cy, frmMain::kSpiralSide / 2});
            for (int dy = -reach; dy <= reach; ++dy)
                for (int dx = -reach; dx <= reach; ++dx)
                    ASSERT_EQ(image.pixel(cx + dx, cy + dy),
                              expected.pixel(frmMain::kSpiralSide / 2 + dx,
                                             frmMain::kSpiralSide / 2 + dy))
                        << "cell " << dx << "," << dy;
        }
    }
}

// Far out, cells write only their last digits and the status bar the digits they share;
// small cells write nothing, and nothing is said.
TEST_F(LargeViewTest, SharedDigitsAreSaidOnce) {
    frmLargeView* view = Open();
    LargePicture* picture = Picture(view);
    view->resize(640, 400);
    picture->setProperty("startNumber", QVariant::fromValue<qulonglong>(k1e18));
    picture->setProperty("cellSize", 64);
    ASSERT_TRUE(Drawn(picture));
    const QString shared = picture->property("sharedDigits").toString();
    EXPECT_FALSE(shared.isEmpty());
    EXPECT_TRUE(QString::number(k1e18).startsWith(shared)) << shared.toStdString();
    EXPECT_TRUE(view->findChild<QLabel*>("lblLargeCellSize")->text().contains(shared + "…"));
    picture->setProperty("cellSize", 4);
    ASSERT_TRUE(Drawn(picture));
    EXPECT_TRUE(picture->property("sharedDigits").toString().isEmpty());
    EXPECT_FALSE(view->findChild<QLabel*>("lblLargeCellSize")->text().contains("…"));
}

// Out of a walk's reach Cluster and random numbers are greyed in the lists, with the reason as
// a tip, and their cells hatched; the lists follow the picture's properties.
TEST_F(LargeViewTest, WhatCannotBeDrawnHereIsGreyed) {
    frmLargeView* view = Open();
    LargePicture* picture = Picture(view);
    view->resize(400, 300);
    auto* shows = view->findChild<QComboBox*>("cboLargeShow");
    auto* schemes = view->findChild<QComboBox*>("cboLargeColorBy");
    ASSERT_EQ(shows->count(), kShowModeCount);
    ASSERT_EQ(schemes->count(), kColorSchemeCount);
    EXPECT_EQ(shows->currentIndex(), static_cast<int>(ShowMode::Primes));
    EXPECT_EQ(schemes->currentIndex(), static_cast<int>(ColorScheme::White));
    const auto enabled = [](QComboBox* list, int i) {
        return qobject_cast<QStandardItemModel*>(list->model())->item(i)->isEnabled();
    };
    const int cluster = static_cast<int>(ColorScheme::Cluster);
    const int random = static_cast<int>(ShowMode::Random);
    picture->setProperty("startNumber", QVariant::fromValue<qulonglong>(1));
    picture->setProperty("cellSize", 4);
    EXPECT_TRUE(enabled(schemes, cluster));
    EXPECT_TRUE(enabled(shows, random));
    picture->setProperty("startNumber", QVariant::fromValue<qulonglong>(k1e18));
    EXPECT_FALSE(enabled(schemes, cluster));
    EXPECT_FALSE(enabled(shows, random));
    EXPECT_TRUE(enabled(schemes, static_cast<int>(ColorScheme::RingNumber)));
    EXPECT_TRUE(schemes->itemData(cluster, Qt::ToolTipRole).toString().contains("4096 rings"));
    view->SetLanguage(intGerman);
    EXPECT_TRUE(shows->itemData(random, Qt::ToolTipRole).toString().contains("4096 Ringen"));

    // Chosen anyway, by its property: the cells are hatched, neither black nor white.
    picture->setProperty("colorScheme", cluster);
    EXPECT_EQ(schemes->currentIndex(), cluster);
    ASSERT_TRUE(Drawn(picture));
    const QImage image = picture->grab().toImage();
    int hatched = 0;
    for (int x = 0; x < 16; ++x) {
        const QRgb rgb = image.pixel(picture->width() / 2 + x, picture->height() / 2);
        EXPECT_TRUE(rgb == kOutOfReachColor || rgb == kBeyondColor) << x;
        hatched += rgb == kBeyondColor;
    }
    EXPECT_EQ(hatched, 2);  // every eighth pixel along a row
}

}  // namespace
}  // namespace quorvel::testing
