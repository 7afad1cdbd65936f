// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the window for people to look at: run with QUORVEL_GALLERY_DIR set to a folder
// and every state below is saved there as PNG. Skipped otherwise.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QSpinBox>

#include "engine/spiral_layout.h"
#include "explorer/explorer.h"
#include "explorer/ray_panel.h"
#include "largeview/frmLargeView.h"
#include "largeview/large_picture.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

using Gallery = WindowTest;

TEST_F(Gallery, SavesTheWindowInItsStates) {
    const QString folder = qEnvironmentVariable("QUORVEL_GALLERY_DIR");
    if (folder.isEmpty()) GTEST_SKIP() << "QUORVEL_GALLERY_DIR not set";
    QDir().mkpath(folder);
    const auto save = [&](const char* name) {
        QApplication::processEvents();
        EXPECT_TRUE(window->grab().save(folder + "/" + name + ".png")) << name;
    };
    save("english-default");
    Choose("cboColorBy", 4);
    Click("chkCalculateLongest");
    Click("optSquares");
    Click("chkGrid");
    save("english-sequence-squares-grid");
    Choose("cboLanguage", 1);
    save("german-sequence-squares-grid");
    Choose("cboBoxSize", 0);
    Choose("cboColorBy", 0);
    save("german-box1-cluster");
    Choose("cboLanguage", 0);
    Choose("cboShow", 4);
    Choose("cboColorBy", 5);
    Choose("cboBoxSize", 2);
    save("english-all-ostrand-box5");
    Choose("cboShow", 2);
    Find("cmdDraw")->setFocus();
    save("english-squares-focus-on-draw");
    // The moving spiral, running and paused.
    Choose("cboShow", 0);
    Choose("cboBoxSize", 3);
    Click("cmdSpiralOut");
    save("english-spiralling-out");
    Click("cmdPauseButton");
    Choose("cboLanguage", 1);
    save("german-spiralling-paused");
    Click("cmdStopButton");
    Choose("cboLanguage", 0);
    // The explorer: the inspector open, the pointer on Euler's diagonal from 41, the longest
    // runs outlined.
    SetStart("41");
    Choose("cboColorBy", 2);
    Choose("cboBoxSize", 3);
    PressEnter();
    QTest::keyClick(window.get(), Qt::Key_F3);
    QTest::mouseMove(Find("picSpiral"), QPoint(264 + 7 * 3, 263 - 7 * 3));
    QTest::mouseMove(Find("picSpiral"), QPoint(263 + 7 * 3, 263 - 7 * 3));
    QTest::qWait(300);
    save("english-inspector");
    // Find Number: its dialog, and the cell cursor on the number found, which the readout and
    // the inspector follow.
    services.onModal = [&](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("txbFindNumber")->setText("1601");
        dialog.show();
        QApplication::processEvents();
        EXPECT_TRUE(dialog.grab().save(folder + "/find-number-english.png"));
        dialog.hide();
        dialog.accept();
    };
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    services.onModal = nullptr;
    QApplication::setActiveWindow(window.get());
    QTest::mouseMove(Find("picSpiral"), QPoint(5, 5));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Find("picSpiral"), &leave);
    InspectorPanel* inspector = window->PictureExplorer()->Inspector();
    EXPECT_TRUE(QTest::qWaitFor([&] { return inspector->ShownNumber() == 1601; }));
    save("english-cell-cursor");
    QTest::keyClick(window.get(), Qt::Key_F3);
    Find("picSpiral")->setFocus();
    save("english-cell-cursor-alone");
    // The help window in both languages.
    const char* helpName = "help-english";
    services.onModal = [&](QDialog& dialog) {
        dialog.show();
        QApplication::processEvents();
        EXPECT_TRUE(dialog.grab().save(folder + "/" + helpName + ".png"));
        dialog.hide();
    };
    Click("cmdHelp");
    Choose("cboLanguage", 1);
    helpName = "help-german";
    Click("cmdHelp");
    // The export dialog in both languages, set for a density map of the whole range.
    Choose("cboLanguage", 0);
    Click("optCircles");
    Choose("cboColorBy", 0);
    Choose("cboShow", 0);
    Choose("cboBoxSize", 0);
    Find<QCheckBox>("chkGrid")->setChecked(false);
    Find<QCheckBox>("chkNumerals")->setChecked(false);
    SetStart("1");
    PressEnter();
    struct Shot {
        int language;
        const char* name;
        const char* file;
    };
    for (const Shot& shot : {Shot{0, "export-english", "/home/anna/primes.png"},
                             Shot{1, "export-german", "/home/anna/primzahlen.png"}}) {
        Choose("cboLanguage", shot.language);
        services.onModal = [&](QDialog& dialog) {
            dialog.findChild<QSpinBox*>("spnExportSide")->setValue(4213);
            dialog.findChild<QCheckBox*>("chkExportDensity")->setChecked(true);
            dialog.findChild<QSpinBox*>("spnExportDensity")->setValue(11);
            dialog.findChild<QLineEdit*>("txbExportFile")->setText(shot.file);
            dialog.show();
            QApplication::processEvents();
            EXPECT_TRUE(dialog.grab().save(folder + "/" + shot.name + ".png"));
            dialog.hide();
        };
        const std::size_t opened = services.modals.size();
        QApplication::setActiveWindow(window.get());
        QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
        EXPECT_EQ(services.modals.size(), opened + 1) << shot.name;
    }
}

// The large view in both languages: numerals at 10^18, the cells at 3 pixels, the grey edge
// past 2^63 - 1, and a refused entry.
TEST_F(Gallery, SavesTheLargeView) {
    const QString folder = qEnvironmentVariable("QUORVEL_GALLERY_DIR");
    if (folder.isEmpty()) GTEST_SKIP() << "QUORVEL_GALLERY_DIR not set";
    QDir().mkpath(folder);
    window->findChild<QAction*>("actLargeView")->trigger();
    frmLargeView* view = window->LargeView();
    ASSERT_NE(view, nullptr);
    view->resize(900, 620);
    LargePicture* picture = view->Picture();
    const auto save = [&](const char* name) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !picture->Rendering(); }));
        QTest::mouseMove(picture,
                         QPoint(picture->width() / 2 + picture->CellSize(), picture->height() / 2));
        QApplication::processEvents();
        EXPECT_TRUE(view->grab().save(folder + "/" + name + ".png")) << name;
    };
    const struct {
        const char* name;
        int language;
        qulonglong start;
        qlonglong x;
        int cell;
        const char* goTo;
        ShowMode show = ShowMode::Primes;
        ColorScheme scheme = ColorScheme::White;
    } shots[] = {
        {"largeview-english-1e18-numerals", intEnglish, 1'000'000'000'000'000'000u, 0, 64, ""},
        {"largeview-german-41-cells", intGerman, 41, 0, 3, ""},
        {"largeview-german-numerals-near-4289", intGerman, 4000, 0, 64, ""},
        {"largeview-english-edge", intEnglish, 1, kMaxCellRadius + 20, 2, ""},
        {"largeview-german-bad-goto", intGerman, 1'000'000'000'000'000'000u, 0, 12, "12a"},
        {"largeview-english-cluster", intEnglish, 1, 0, 3, "", ShowMode::Primes,
         ColorScheme::Cluster},
        {"largeview-german-ostrand-all-numerals", intGerman, 1'000'000'000'000'000'000u, 0, 48, "",
         ShowMode::All, ColorScheme::Ostrand},
        {"largeview-english-ring-1e18", intEnglish, 1'000'000'000'000'000'000u, 0, 2, "",
         ShowMode::Primes, ColorScheme::RingNumber},
        {"largeview-english-cluster-out-of-reach", intEnglish, 1, 4000, 4, "", ShowMode::Primes,
         ColorScheme::Cluster},
    };
    for (const auto& shot : shots) {
        view->SetLanguage(shot.language);
        picture->setProperty("startNumber", shot.start);
        picture->setProperty("cellSize", shot.cell);
        picture->setProperty("centreX", shot.x);
        picture->setProperty("centreY", 0);
        picture->setProperty("showMode", static_cast<int>(shot.show));
        picture->setProperty("colorScheme", static_cast<int>(shot.scheme));
        if (*shot.goTo != 0) {
            auto* box = view->findChild<QLineEdit*>("txbGoTo");
            box->setText(QString::fromLatin1(shot.goTo));
            QTest::keyClick(box, Qt::Key_Return);
        }
        save(shot.name);
    }
}

}  // namespace
}  // namespace quorvel::testing
