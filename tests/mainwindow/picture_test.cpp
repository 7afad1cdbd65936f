// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>

#include <QDir>
#include <QImageReader>
#include <QLocale>
#include <QTemporaryDir>

#include "mainwindow/grafix.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

class Picture : public WindowTest {
  protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        WindowTest::SetUp();
    }
    // Releases a mouse button at a pixel of the picture; returns the title it showed, if any.
    QString ClickAt(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        services.messages.clear();
        QTest::mouseClick(Find("picSpiral"), button, {}, QPoint(x, y));
        return services.messages.empty() ? QStringLiteral("-") : services.messages[0].title;
    }
    // Right click, answer Yes, and give `name` to the save dialog.
    void SaveAs(const QString& name) {
        services.saveName = name;
        services.answer = MessageAnswer::Yes;
        ClickAt(263, 263, Qt::RightButton);
    }
    QStringList Files() const { return QDir(folder.path()).entryList(QDir::Files); }
    QString Path(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }

    QTemporaryDir folder;
};

TEST_F(Picture, LeftClickNamesTheNumber) {
    struct Case {
        const char* start;
        int show;
        bool squares;
        int x, y;
        const char* shown;  // "-": nothing shown
        const char* text;   // what the box says, since many desktops never show its title
    };
    const Case cases[] = {
        {"2", 0, false, 263, 263, "2", "2 is prime"},        // the centre
        {"2", 0, false, 263 + 15, 263, "3", "3 is prime"},   // east of it
        {"1", 0, false, 263, 263, "-", ""},                  // 1 is not marked: black
        {"1", 0, false, 263 + 7, 263 - 7, "-", ""},          // the corner of an empty cell
        {"1", 4, false, 263 + 15, 263 + 15, "9", "9 = 3²"},  // south-east corner of ring 2
        {"1", 4, false, 263 + 15 * 17, 263 + 15 * 17, "1,225", "1225 = 5² · 7²"},  // outermost
        {"1234560", 4, false, 263, 263, "1,234,560", "1234560 = 2⁷ · 3 · 5 · 643"},
        // A pixel names the cell whose mark holds it: the centre's reaches 7 pixels either
        // side of the middle, its east neighbour's far edge lies 22 pixels out.
        {"1", 4, false, 270, 263, "1", "1 has no prime factors"},
        {"1", 4, false, 271, 263, "2", "2 is prime"},
        {"1", 0, false, 285, 263, "2", "2 is prime"},
        {"1", 4, true, 1, 263, "1,174", "1174 = 2 · 587"},  // squares: black counts, in the block
        {"1", 4, true, 0, 263, "-", ""},                    // the margin left of the block
        {"1", 4, true, 526, 263, "-", ""},  // the margin past the block holds no number
        {"2147482422", 4, false, 263 + 15 * 17, 263 + 15 * 17, "2,147,483,646",
         "2147483646 = 2 · 3² · 7 · 11 · 31 · 151 · 331"},
        {"0", 4, false, 263, 263, "0", "0 is divisible by every prime"},
    };
    for (const Case& c : cases) {
        SetStart(QString::fromLatin1(c.start));
        Choose("cboShow", c.show);
        if (Find<QAbstractButton>("optSquares")->isChecked() != c.squares)
            Click(c.squares ? "optSquares" : "optCircles");
        PressEnter();
        EXPECT_EQ(ClickAt(c.x, c.y), QString::fromLatin1(c.shown)) << c.start << " " << c.x;
        if (!services.messages.empty()) {
            EXPECT_EQ(services.messages[0].text, QString::fromUtf8(c.text));
            EXPECT_EQ(services.messages[0].buttons, MessageButtons::Ok);
            EXPECT_EQ(services.messages[0].icon, MessageIcon::None);
        }
    }
    // A release outside the picture (the press was inside) names nothing.
    services.messages.clear();
    QTest::mousePress(Find("picSpiral"), Qt::LeftButton, {}, QPoint(263, 263));
    QTest::mouseRelease(Find("picSpiral"), Qt::LeftButton, {}, QPoint(600, -40));
    EXPECT_TRUE(services.messages.empty());
    // The middle button does nothing.
    EXPECT_EQ(ClickAt(263, 263, Qt::MiddleButton), "-");
}

// Wherever the pointer is, a click names the number the status bar names there.
TEST_F(Picture, TheClickNamesTheCellTheReadoutNames) {
    Choose("cboShow", 4);  // all numbers in squares: every pixel of the block names one
    Click("optSquares");
    QWidget* picture = Find("picSpiral");
    for (const int size : kBoxSizes) {
        Choose("cboBoxSize", BoxSizePosition(size));
        for (int i = 0; i < frmMain::kSpiralSide; ++i) {
            // A row and a column through the middle: every edge between two cells on the way.
            for (const QPoint at : {QPoint(i, 263), QPoint(263 - size / 2, i)}) {
                QTest::mouseMove(picture, at);
                QApplication::processEvents();
                const QString readout = Text("lblPointerReadout");
                const QString clicked = ClickAt(at.x(), at.y()).remove(QLatin1Char(','));
                ASSERT_EQ(clicked == "-" ? QString() : clicked,
                          readout.section(QLatin1Char(' '), 0, 0).remove(QLatin1Char(':')))
                    << "box size " << size << " at " << at.x() << "," << at.y();
            }
        }
    }
}

TEST_F(Picture, RightClickSavesExactlyThePicture) {
    SaveAs(Path("spiral.png"));
    ASSERT_EQ(services.messages.size(), 2u);
    EXPECT_EQ(services.messages[0].title, "Save image?");
    EXPECT_EQ(services.messages[0].text, "Do you wish to save this image?");
    EXPECT_EQ(services.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(services.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(services.saveDialogs.back(), "Save image as|PNG graphics file (*.png)");
    EXPECT_EQ(services.messages[1].title, "Save image");
    EXPECT_EQ(services.messages[1].text,
              "The image has been saved in the PNG file\n" + Path("spiral.png"));
    EXPECT_EQ(services.messages[1].icon, MessageIcon::Information);
    EXPECT_EQ(Files(), QStringList({"spiral.png"}));
    QImageReader reader(Path("spiral.png"));
    EXPECT_EQ(reader.format(), "png");
    const QImage saved = reader.read().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(saved, window->Picture());

    // No, and a cancelled dialog: nothing happens.
    services.answer = MessageAnswer::No;
    services.saveDialogs.clear();
    ClickAt(10, 10, Qt::RightButton);
    EXPECT_TRUE(services.saveDialogs.empty());
    SaveAs("");
    EXPECT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(Files(), QStringList({"spiral.png"}));
}

TEST_F(Picture, BitmapNamesAndFailures) {
    // The converter fails: the bitmap stays, under the name the message gives; a file it left
    // behind goes, the user's old file of that name stays.
    QFile old(Path("old.png"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the user's picture");
    old.close();
    window->SetGraphicsConverter([](const QString&, const QString& png) {
        QFile half(png);
        if (!half.exists() && half.open(QIODevice::WriteOnly)) half.write("half");
        return QStringLiteral("Disk full");
    });
    SaveAs(Path("old.png"));
    QFile kept(Path("old.png"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "the user's picture");
    QFile::remove(Path("old.png"));
    QFile::remove(Path("old.bmp"));
    SaveAs(Path("a.png"));
    EXPECT_EQ(services.messages.back().text,
              "Save error.  The image has been saved instead in the BMP file\n" + Path("a.bmp"));
    EXPECT_EQ(Files(), QStringList({"a.bmp"}));
    EXPECT_EQ(QImage(Path("a.bmp")).convertToFormat(QImage::Format_RGB32), window->Picture());

    // a.bmp is the user's now: the next bitmap goes beside it, and it stays untouched.
    const auto size = QFileInfo(Path("a.bmp")).size();
    SaveAs(Path("a.png"));
    EXPECT_TRUE(services.messages.back().text.endsWith(Path("a-1.bmp")));
    EXPECT_EQ(QFileInfo(Path("a.bmp")).size(), size);

    // A short name gets ".bmp"; a name without extension follows the rule: "spiral" → "spibmp".
    SaveAs(Path("ab"));
    EXPECT_TRUE(services.messages.back().text.endsWith(Path("ab.bmp")));
    SaveAs(Path("spiral"));
    EXPECT_TRUE(services.messages.back().text.endsWith(Path("spibmp")));

    // The converter works again: a user who types x.bmp gets a PNG named x.bmp, and the
    // bitmap on the way does not overwrite it.
    window->SetGraphicsConverter(ConvertToPng);
    SaveAs(Path("x.bmp"));
    EXPECT_EQ(services.messages.back().text,
              "The image has been saved in the PNG file\n" + Path("x.bmp"));
    EXPECT_EQ(QImageReader(Path("x.bmp")).format(), "png");
    EXPECT_FALSE(QFile::exists(Path("x-1.bmp")));

    // Nothing can be written: a warning, and no file.
    Choose("cboLanguage", 1);
    SaveAs(Path("missing/folder/b.png"));
    EXPECT_EQ(services.messages.back().title, "Bild speichern");
    EXPECT_EQ(services.messages.back().text,
              "Fehler!  Das Bild konnte nicht in der folgenden Datei gespeichert werden:\n" +
                  Path("missing/folder/b.png"));
    EXPECT_EQ(services.messages.back().icon, MessageIcon::Warning);
    EXPECT_FALSE(QDir(Path("missing")).exists());
}

// A named pipe or a device as the name: refused at once with a warning, in the window's
// language; nothing waits for a reader and no bitmap is left beside it. One that turns up
// while the bitmap is written is refused all the same: the bitmap stays, as on any failure.
TEST_F(Picture, PipesAndDevicesAreRefusedBeforeAnythingIsWritten) {
    const QString fifo = Path("pipe.png");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    SaveAs(fifo);
    EXPECT_EQ(services.messages.at(1).title, "Save image");
    EXPECT_EQ(services.messages[1].text,
              "This name belongs to a pipe, a device or a socket, not to an ordinary file. "
              "Pictures are saved only in ordinary files: please choose another name.\n" +
                  fifo);
    EXPECT_EQ(services.messages[1].icon, MessageIcon::Warning);
    Choose("cboLanguage", 1);
    SaveAs("/dev/null");
    EXPECT_TRUE(services.messages.at(1).text.startsWith("Dieser Name gehört zu einer Pipe"));
    EXPECT_FALSE(QFile::exists(BitmapNameFor("/dev/null")));
    window->SetGraphicsConverter([](const QString& bmp, const QString& png) {
        ::mkfifo(QFile::encodeName(png).constData(), 0600);
        return ConvertToPng(bmp, png);
    });
    SaveAs(Path("late.png"));
    EXPECT_TRUE(services.messages.back().text.endsWith(Path("late.bmp")));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::Files | QDir::System),
              QStringList({"late.bmp", "pipe.png"}));
}

TEST_F(Picture, GermanTexts) {
    Choose("cboLanguage", 1);
    SaveAs(Path("s.png"));
    ASSERT_EQ(services.messages.size(), 2u);
    EXPECT_EQ(services.messages[0].title, "Bild speichern?");
    EXPECT_EQ(services.messages[0].text, "Moechten Sie dieses Bild speichern?");
    EXPECT_EQ(services.saveDialogs.back(), "Bild speichern als|PNG-Grafikdatei (*.png)");
    EXPECT_EQ(services.messages[1].text,
              "Das Bild ist im folgende PNG-Datei gespeichert worden:\n" + Path("s.png"));
    window->SetGraphicsConverter([](const QString&, const QString&) { return "no"; });
    SaveAs(Path("t.png"));
    EXPECT_EQ(services.messages.back().text,
              "Fehler!  Das Image ist stattdessen in der folgende BMP-Datei gespeichert:\n" +
                  Path("t.bmp"));
    SetStart("41");
    PressEnter();
    EXPECT_EQ(ClickAt(263, 263), "41");
    EXPECT_EQ(services.messages[0].text, "41 ist eine Primzahl");
}

TEST_F(Picture, ClicksWaitWhileTheSpiralMoves) {
    SetStart("2");
    Click("cmdSpiralIn");
    EXPECT_EQ(ClickAt(263, 263, Qt::RightButton), "-");
    EXPECT_EQ(ClickAt(263, 263), "-");
    Click("cmdPauseButton");
    services.answer = MessageAnswer::No;
    EXPECT_EQ(ClickAt(263, 263, Qt::RightButton), "Save image?");
    EXPECT_EQ(ClickAt(263, 263), "2");
    Click("cmdStopButton");
}

}  // namespace
}  // namespace quorvel::testing
