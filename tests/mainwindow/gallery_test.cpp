// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the window for people to look at: run with QUORVEL_GALLERY_DIR set to a folder
// and every state below is saved there as PNG. Skipped otherwise.
#include <QCheckBox>
#include <QDir>
#include <QSpinBox>

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
    QTest::keyClick(window.get(), Qt::Key_F3);
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

}  // namespace
}  // namespace quorvel::testing
