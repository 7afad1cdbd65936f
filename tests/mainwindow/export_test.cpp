// SPDX-License-Identifier: GPL-3.0-or-later
// Exporting from the window: the dialog's refusals in the window's own words, an export that
// runs beside the window with its progress, Cancel and Quit leaving no file, one at a time;
// and the settings the window's pictures carry in their PNG files.
#include <sys/stat.h>

#include <QCheckBox>
#include <QImageReader>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include "export/export_dialog.h"
#include "export/export_texts.h"
#include "export/picture_exporter.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

class Export : public WindowTest {
  protected:
    // Opens the export dialog with Ctrl+E, fills it in and presses Export.
    void ExportAs(int side, int density, const QString& file) {
        services.onModal = [=](QDialog& dialog) {
            dialog.findChild<QSpinBox*>("spnExportSide")->setValue(side);
            dialog.findChild<QCheckBox*>("chkExportDensity")->setChecked(density > 0);
            if (density > 0) dialog.findChild<QSpinBox*>("spnExportDensity")->setValue(density);
            dialog.findChild<QLineEdit*>("txbExportFile")->setText(file);
            dialog.accept();
        };
        QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
        services.onModal = nullptr;
    }
    PictureExporter* Exporter() const { return window->findChild<PictureExporter*>("exporter"); }
    QTemporaryDir folder;
};

TEST_F(Export, TheDialogRefusesInTheWindowsWords) {
    struct Case {
        const char* start;
        int show, box, language, side, density;
        const char* file;
        const char* message;
    };
    const Case cases[] = {
        {"2147000000", 0, 4, 0, 46339, 0, "a.png",
         "End number would be greater than 2^31 - 2 = 2147483646."},
        {"2147000000", 0, 4, 1, 46339, 0, "a.png",
         "Die Endzahl würde 2^31 - 2 = 2147483646 übersteigen."},
        {"268435000", 3, 0, 0, 4096, 0, "a.png",
         "For triangular numbers the start number is too large."},
        {"1", 0, 0, 0, 46339, 999, "a.png",
         "End number would be greater than 2^31 - 2 = 2147483646."},
        {"1", 0, 4, 0, 9000, 0, "a.png",  // numerals on
         "Numerals fit only pictures of up to 8192 pixels a side."},
        {"1", 0, 4, 1, 1000, 0, "",
         "Bitte waehlen Sie eine Datei, in die das Bild gespeichert wird."},
    };
    for (const Case& c : cases) {
        Choose("cboLanguage", c.language);
        Choose("cboShow", c.show);
        Choose("cboBoxSize", c.box);
        SetStart(c.start);
        services.messages.clear();
        ExportAs(c.side, c.density, c.file[0] ? folder.filePath(c.file) : QString());
        ASSERT_EQ(services.messages.size(), 1u) << c.message;
        EXPECT_EQ(services.messages[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(services.messages[0].title, c.language == 1 ? "Fehler" : "Error");
        EXPECT_FALSE(Exporter()->Running());
        EXPECT_TRUE(QDir(folder.path()).isEmpty());
    }
}

TEST_F(Export, AnExportRunsBesideTheWindowAndSaysWhatItMade) {
    const QString file = folder.filePath("spiral.png");
    ExportAs(601, 0, file);
    ASSERT_TRUE(Exporter()->Running());
    // The window goes on meanwhile.
    const int passes = window->PassesRequested();
    Click("cmdDraw");
    EXPECT_EQ(window->PassesRequested(), passes + 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Exporter()->Running(); }, 20000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !services.messages.empty(); }));
    EXPECT_EQ(services.messages[0].icon, MessageIcon::Information);
    EXPECT_TRUE(services.messages[0].text.startsWith(
        "The picture has been saved in the PNG file\n" + file + "\n601 × 601 pixels in "));
    QImageReader png(file);
    EXPECT_EQ(png.size(), QSize(601, 601));
    EXPECT_EQ(png.text("Description"),
              "start=1 box=15 show=0 color=0 shape=circles grid=0 numerals=1 density=0");
}

TEST_F(Export, CancelAndQuitLeaveNoFileAndOneExportRunsAtATime) {
    // A picture that takes a while: every number, in the colours of its factors.
    Choose("cboShow", 4);
    Choose("cboColorBy", 5);
    Choose("cboBoxSize", 0);
    const QString file = folder.filePath("big.png");
    ExportAs(8192, 0, file);
    ASSERT_TRUE(Exporter()->Running());
    ASSERT_NE(Exporter()->Progress(), nullptr);
    // A second export is refused while the first runs.
    QApplication::setActiveWindow(window.get());
    services.messages.clear();
    QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_TRUE(services.messages[0].text.startsWith("A picture is being exported already."));
    EXPECT_EQ(services.modals.size(), 1u);  // the first export's dialog only
    // Cancel, as the progress dialog's button does it: no file, no report.
    auto* cancel = Exporter()->Progress()->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    cancel->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Exporter()->Running(); }, 20000));
    QApplication::processEvents();
    EXPECT_EQ(services.messages.size(), 1u);
    EXPECT_TRUE(QDir(folder.path()).isEmpty())
        << QDir(folder.path()).entryList().join(' ').toStdString();
    // Quit while an export runs: it stops, and nothing is left.
    QApplication::setActiveWindow(window.get());  // back from the progress dialog
    ExportAs(8192, 0, file);
    ASSERT_TRUE(Exporter()->Running());
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(Exporter()->Running());
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

// A named pipe or a device as the file: the dialog says so in the window's language and
// starts nothing; one that turns up after the dialog fails the export at once instead of
// holding it, and the next export starts.
TEST_F(Export, PipesAndDevicesAreRefusedAndNothingWaits) {
    const QString fifo = folder.filePath("pipe.png");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ExportAs(601, 0, fifo);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].title, "Error");
    EXPECT_TRUE(services.messages[0].text.startsWith("This name belongs to a pipe, a device"));
    Choose("cboLanguage", 1);
    ExportAs(601, 0, "/dev/null");
    EXPECT_TRUE(services.messages.at(1).text.startsWith("Dieser Name gehört zu einer Pipe"));
    EXPECT_FALSE(Exporter()->Running());

    ASSERT_TRUE(Exporter()->Start(ExportSettings(), fifo, intEnglish));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Exporter()->Running(); }, 20000));
    EXPECT_TRUE(services.messages.at(2).text.endsWith(fifo + "\nnot a regular file"));
    QApplication::setActiveWindow(window.get());
    ExportAs(601, 0, folder.filePath("next.png"));
    EXPECT_TRUE(Exporter()->Running());
}

// The dialog proposes a name that says what is drawn, in the folder last used, lists what a
// density map uses when one is chosen, says what the picture costs, and opens next time as it
// was left; a name the user typed stays.
TEST_F(Export, TheDialogProposesANameAndRemembersItsChoices) {
    const struct {
        const char* start;
        ShowMode show;
        ColorScheme scheme;
        int side, density;
        const char* name;
    } names[] = {
        {"1", ShowMode::Primes, ColorScheme::Cluster, 46339, 0, "spiral-1-46339-cluster.png"},
        {" 41", ShowMode::Squares, ColorScheme::White, 600, 0, "spiral-41-600-white-squares.png"},
        {"", ShowMode::Primes, ColorScheme::RingNumber, 4213, 11,
         "density-1-4213-block11-primes.png"},
    };
    for (const auto& n : names) {
        PassInput input;
        input.startText = n.start;
        input.show = n.show;
        input.colorBy = n.scheme;
        EXPECT_EQ(ProposedExportName(input, n.side, n.density), n.name);
    }

    PassInput picture;
    picture.startText = "1";
    picture.boxSize = 1;
    ExportDialog dialog(services, picture, intEnglish, nullptr, {527, false, 11, folder.path()});
    auto* file = dialog.findChild<QLineEdit*>("txbExportFile");
    EXPECT_EQ(file->text(), folder.filePath("spiral-1-527-cluster.png"));
    EXPECT_EQ(dialog.findChild<QLabel*>("lblExportCost")->text(),
              "277729 numbers, 0.3 MiB of memory");
    dialog.findChild<QCheckBox*>("chkExportDensity")->setChecked(true);
    EXPECT_EQ(file->text(), folder.filePath("density-1-527-block11-primes.png"));
    EXPECT_EQ(dialog.findChild<QLabel*>("lblExportSettings")->text(), "start 1, Prime numbers");
    file->setText(folder.filePath("mine.png"));
    dialog.findChild<QSpinBox*>("spnExportSide")->setValue(600);
    EXPECT_EQ(file->text(), folder.filePath("mine.png"));

    // Through the window: the next export opens with the last one's side and folder.
    ExportAs(601, 0, folder.filePath("x.png"));
    services.onModal = [&](QDialog& next) {
        EXPECT_EQ(next.findChild<QSpinBox*>("spnExportSide")->value(), 601);
        EXPECT_TRUE(next.findChild<QLineEdit*>("txbExportFile")
                        ->text()
                        .startsWith(folder.filePath("spiral-1-601-")));
        next.reject();
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Exporter()->Running(); }, 20000));
    QApplication::setActiveWindow(window.get());
    QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
    services.onModal = nullptr;
}

// The next run's dialog opens with the side, density map and folder of this run's last export;
// the settings file keeps its nine lines.
TEST_F(Export, TheDialogsChoicesComeBackNextRun) {
    ExportAs(640, 5, folder.filePath("dense.png"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Exporter()->Running(); }, 20000));
    window->close();
    QFile settings(SettingsPath());
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_EQ(settings.readAll().count('\n'), 9);

    window.reset();
    window = std::make_unique<frmMain>(&services);
    window->Form_Load();
    QApplication::setActiveWindow(window.get());
    services.onModal = [&](QDialog& next) {
        EXPECT_EQ(next.findChild<QSpinBox*>("spnExportSide")->value(), 640);
        EXPECT_TRUE(next.findChild<QCheckBox*>("chkExportDensity")->isChecked());
        EXPECT_EQ(next.findChild<QSpinBox*>("spnExportDensity")->value(), 5);
        EXPECT_EQ(next.findChild<QLineEdit*>("txbExportFile")->text(),
                  folder.filePath("density-1-640-block5-primes.png"));
        next.reject();
    };
    QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
    services.onModal = nullptr;
    EXPECT_EQ(services.modals.size(), 2u);
}

TEST_F(Export, AFileIsReplacedOnlyWhenTheUserSaysSo) {
    const QString file = folder.filePath("kept.png");
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("mine");
    old.close();
    services.answer = MessageAnswer::No;
    ExportAs(601, 0, file);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text,
              "The following file exists already. Do you want to replace it?\n" + file);
    EXPECT_EQ(services.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_FALSE(Exporter()->Running());
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "mine");
    // A name without a folder means the home folder, not wherever the program was started.
    ExportDialog dialog(services, PassInput(), intEnglish);
    dialog.findChild<QLineEdit*>("txbExportFile")->setText("pictures/x.png");
    EXPECT_EQ(dialog.FileName(), QDir::home().filePath("pictures/x.png"));
}

TEST_F(Export, TheWindowsSavedPictureCarriesItsSettings) {
    Click("optSquares");
    Choose("cboColorBy", 3);
    SetStart("0042");
    PressEnter();
    services.saveName = folder.filePath("saved.png");
    services.answer = MessageAnswer::Yes;
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    QImageReader png(services.saveName);
    EXPECT_EQ(png.text("Description"),
              "start=42 box=15 show=0 color=3 shape=squares grid=0 numerals=1 density=0");
    EXPECT_TRUE(png.text("Software").startsWith("Quorvel "));
}

}  // namespace
}  // namespace quorvel::testing
