// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QRadioButton>
#include <QTimer>
#include <functional>

#include "largeview/frmLargeView.h"
#include "mainwindow/settings_file.h"
#include "mainwindow/window_places.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

class Settings : public WindowTest {
  protected:
    // Starts the window again as a new run would, after writing `content` as its file.
    void Restart(const QByteArray& content) {
        window.reset();
        QDir().mkpath(QFileInfo(SettingsPath()).absolutePath());
        QFile file(SettingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        services.messages.clear();
        window = std::make_unique<frmMain>(&services);
        window->Form_Load();
    }
    QByteArray Saved() const {
        QFile file(SettingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool Checked(const char* name) const { return Find<QAbstractButton>(name)->isChecked(); }
};

TEST_F(Settings, QuitAndCloseWriteWhatTheWindowShows) {
    window->close();
    EXPECT_EQ(Saved(), "1\r\n0\r\n1\r\n4,0,0,2\r\n\"1\"\r\n0\r\n1\r\n0\r\n0\r\n");

    Restart(Saved());
    Choose("cboLanguage", 1);
    Click("optSquares");
    Choose("cboBoxSize", 7);
    Choose("cboColorBy", 5);
    Choose("cboShow", 3);
    Choose("cboClockTicks", 0);
    SetStart("28");
    Click("chkGrid");
    Click("chkNumerals");
    Click("chkCentralNumberPrime");
    Click("chkCalculateLongest");
    Click("cmdQuit");
    EXPECT_EQ(Saved(), "1\r\n1\r\n0\r\n7,5,3,0\r\n\"28\"\r\n1\r\n0\r\n1\r\n1\r\n");

    // The next run shows it all, and draws it once.
    Restart(Saved());
    EXPECT_EQ(window->PassesRequested(), 1);
    EXPECT_EQ(Text("lblShow"), "Anzeigen:");
    EXPECT_EQ(Text("cboLanguage"), "Deutsch");
    EXPECT_TRUE(Checked("optSquares"));
    EXPECT_EQ(Text("cboBoxSize"), "75");
    EXPECT_EQ(Text("cboColorBy"), "Ostrandfarbe");
    EXPECT_EQ(Text("cboShow"), "Dreieckzahlen");
    EXPECT_EQ(Text("cboClockTicks"), "1");
    EXPECT_EQ(Text("txbStartNumber"), "28");
    EXPECT_EQ(Text("lblEndNumberOutput"), "76");
    EXPECT_TRUE(Checked("chkGrid"));
    EXPECT_FALSE(Checked("chkNumerals"));
    EXPECT_FALSE(Checked("chkCentralNumberPrime"));  // 28 is no prime
    EXPECT_TRUE(Checked("chkCalculateLongest"));
    EXPECT_TRUE(services.messages.empty());

    // An empty box is written as an empty text, and the next start draws from 1.
    Find<QLineEdit>("txbStartNumber")->clear();
    window->close();
    EXPECT_EQ(Saved().split('\n')[4], "\"\"\r");
    Restart(Saved());
    EXPECT_EQ(Text("txbStartNumber"), "1");
}

// The file holds what the window showed last, whichever way it got there.
TEST_F(Settings, WhatARunLeavesInTheFile) {
    const QByteArray defaults = "1\r\n0\r\n1\r\n4,0,0,2\r\n\"1\"\r\n0\r\n1\r\n0\r\n0\r\n";
    const auto tick = [&] { QMetaObject::invokeMethod(Find<QTimer>("ClkClock"), "timeout"); };
    struct Case {
        const char* what;
        QByteArray file;
        std::function<void()> run;
        QByteArray saved;
    };
    const Case cases[] = {
        {"values without a place, as shown",
         "1\r\n0\r\n5\r\n0,-1,-1,-1\r\n\"007\"\r\n7\r\n1\r\n1\r\n2\r\n", [] {},
         "1\r\n0\r\n0\r\n3,0,0,0\r\n\"7\"\r\n0\r\n1\r\n1\r\n0\r\n"},
        {"a refused size goes back", defaults,
         [&] {
             SetStart("2147480000");
             Choose("cboBoxSize", 0);
             EXPECT_EQ(services.messages.size(), 1u);
         },
         "1\r\n0\r\n1\r\n4,0,0,2\r\n\"2147480000\"\r\n0\r\n1\r\n0\r\n0\r\n"},
        {"the spinner's step", defaults, [&] { ClickSpinner(true); },
         "1\r\n0\r\n1\r\n4,0,0,2\r\n\"2\"\r\n0\r\n1\r\n0\r\n0\r\n"},
        {"where the moving spiral stopped", defaults,
         [&] {
             SetStart("10");
             Click("cmdSpiralOut");
             tick();
             tick();
             Click("cmdStopButton");
         },
         "1\r\n0\r\n1\r\n4,0,0,2\r\n\"8\"\r\n0\r\n1\r\n0\r\n0\r\n"},
        {"choices while paused, quit while paused", defaults,
         [&] {
             SetStart("10");
             Click("cmdSpiralIn");
             tick();
             Click("cmdPauseButton");
             Click("optSquares");
             Choose("cboColorBy", 1);
             Choose("cboClockTicks", 0);
             Click("chkGrid");
         },
         "1\r\n0\r\n0\r\n4,1,0,0\r\n\"11\"\r\n1\r\n1\r\n0\r\n0\r\n"},
        {"German, chosen twice", defaults,
         [&] {
             Choose("cboLanguage", 1);
             Find<QComboBox>("cboLanguage")->activated(1);
         },
         "1\r\n1\r\n1\r\n4,0,0,2\r\n\"1\"\r\n0\r\n1\r\n0\r\n0\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Restart(c.file);
        c.run();
        window->close();
        EXPECT_EQ(Saved(), c.saved);
    }
}

TEST_F(Settings, WhatAStartRestores) {
    struct Case {
        const char* positions;
        const char* start;
        int centralPrime;
        const char* size;
        const char* shown;
        bool centralPrimeAfter;
    };
    const Case cases[] = {
        {"0,0,0,2", "7", 1, "7", "7", true},   // sizes 1, 3 and 5 are never restored
        {"2,0,0,2", "8", 1, "7", "8", false},  // 8 is no prime
        {"5,-1,-1,-1", "0", 1, "21", "0", false}, {"4,0,0,2", "007", 1, "15", "7", true},
        {"4,0,0,2", "", 1, "15", "1", false},
    };
    for (const Case& c : cases) {
        Restart(QByteArray("1\r\n0\r\n1\r\n") + c.positions + "\r\n\"" + c.start +
                "\"\r\n0\r\n1\r\n" + QByteArray::number(c.centralPrime) + "\r\n0\r\n");
        EXPECT_EQ(Text("cboBoxSize"), c.size) << c.positions;
        EXPECT_EQ(Text("txbStartNumber"), c.shown) << c.start;
        EXPECT_EQ(Checked("chkCentralNumberPrime"), c.centralPrimeAfter) << c.start;
        EXPECT_EQ(Text("cboColorBy"), "Cluster");
        EXPECT_EQ(Text("cboClockTicks"), QString(c.positions).endsWith("-1") ? "1" : "4");
    }
}

TEST_F(Settings, DamagedFilesStartFromTheDefaults) {
    for (const QByteArray& damaged :
         {QByteArray("2\r\n1\r\n0\r\n7,5,3,0\r\n\"28\"\r\n1\r\n0\r\n1\r\n1\r\n"),
          QByteArray("1\r\n1\r\n0\r\n7,5,3,0\r\n"), QByteArray("\xff\xfe\x00junk", 7),
          QByteArray(1 << 20, '1')}) {
        Restart(damaged);
        EXPECT_EQ(Text("cboLanguage"), "English");
        EXPECT_EQ(Text("cboBoxSize"), "15");
        EXPECT_TRUE(Checked("optCircles"));
        EXPECT_TRUE(services.messages.empty());
    }
    // A start number too large is kept, and the first picture refuses it with its message:
    // over the finished window, once it has been painted, its colour key already that of the
    // saved scheme.
    Restart("1\r\n1\r\n1\r\n4,1,0,2\r\n\"99999999999\"\r\n0\r\n1\r\n0\r\n0\r\n");
    EXPECT_EQ(Text("txbStartNumber"), "99999999999");
    EXPECT_TRUE(services.messages.empty());
    // No picture: Tab passes the picture by, where no cell cursor could show.
    EXPECT_EQ(Find("picSpiral")->focusPolicy(), Qt::NoFocus);
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    Find("picSpiral")->installEventFilter(&counter);
    int paintsBefore = -1;
    bool keyShown = false;
    services.onMessage = [&] {
        paintsBefore = counter.paints;
        keyShown = !Hidden("lblColorKey") && Text("lblColorKey") == "NW-SO-Diagonalen:";
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !services.messages.empty(); }));
    EXPECT_EQ(services.messages[0].text,
              "Die Startzahl muss kleiner als 2^31 - 2 = 2147483646 sein.");
    EXPECT_GT(paintsBefore, 0);
    EXPECT_TRUE(keyShown);
    EXPECT_EQ(services.messages.size(), 1u);
}

// The windows' places come back in the next run, in a file of their own; the settings file
// keeps its nine lines.
TEST_F(Settings, WindowPlacesComeBackNextRun) {
    window->move(40, 30);
    window->findChild<QAction*>("actInspector")->trigger();
    window->findChild<QAction*>("actLargeView")->trigger();
    frmLargeView* view = window->LargeView();
    view->resize(960, 420);
    view->move(300, 200);
    const QSize size = view->size();
    window->close();
    EXPECT_EQ(Saved().count('\n'), 9);

    window.reset();
    window = std::make_unique<frmMain>(&services);
    window->Form_Load();
    EXPECT_EQ(window->pos(), QPoint(40, 30));
    EXPECT_TRUE(window->findChild<QAction*>("actInspector")->isChecked());
    window->findChild<QAction*>("actLargeView")->trigger();
    EXPECT_EQ(window->LargeView()->pos(), QPoint(300, 200));
    EXPECT_EQ(window->LargeView()->size(), size);
}

// What a places file may hold, and where a remembered place is still good.
TEST(WindowPlacesFile, ReadsWhatItCanAndKeepsPlacesOnScreen) {
    const struct {
        QByteArray content;
        WindowPlaces expected;
    } cases[] = {
        {"main=10,-20\nlargeView=5,6,700,500\ninspector=1\n",
         {QPoint(10, -20), QRect(5, 6, 700, 500), true}},
        {"inspector=0\nmain=1,2,3\nlargeView=1,2,0,5\n", {}},
        {"garbage\n=\nmain=7,x\nmain = 3 , 4 \r\n", {QPoint(3, 4), std::nullopt, false}},
        {"main=99999999999,0\n", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseWindowPlaces(c.content), c.expected) << c.content.toStdString();
        EXPECT_EQ(ParseWindowPlaces(FormatWindowPlaces(c.expected)), c.expected);
    }
    const QList<QRect> screens{QRect(0, 0, 1366, 740), QRect(1366, 0, 1920, 1050)};
    EXPECT_TRUE(FitsAScreen(QRect(0, 0, 1366, 740), screens));
    EXPECT_TRUE(FitsAScreen(QRect(2000, 100, 800, 600), screens));
    EXPECT_FALSE(FitsAScreen(QRect(1000, 100, 800, 600), screens));  // across two screens
    EXPECT_FALSE(FitsAScreen(QRect(-10, 0, 800, 600), screens));
    EXPECT_FALSE(FitsAScreen(QRect(100, 500, 800, 600), screens));
}

}  // namespace
}  // namespace quorvel::testing
