// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QRadioButton>

#include "window_fixture.h"

namespace quorvel::testing {
namespace {

using Start = WindowTest;

TEST_F(Start, FirstStartShowsTheDefaultsAndTheirPicture) {
    EXPECT_TRUE(window->StartupCompleted());
    EXPECT_EQ(window->PassesRequested(), 1);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(window->windowTitle(), "Quorvel");

    EXPECT_TRUE(Find<QRadioButton>("optCircles")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>("optSquares")->isChecked());
    EXPECT_EQ(Items("cboBoxSize"), QStringList({"1", "3", "5", "7", "15", "21", "35", "75"}));
    EXPECT_EQ(Text("cboBoxSize"), "15");
    EXPECT_EQ(Items("cboClockTicks"), QStringList({"1=1000", "2=500", "4=250"}));
    EXPECT_EQ(Text("cboClockTicks"), "4");
    EXPECT_EQ(Text("cboColorBy"), "Cluster");
    EXPECT_EQ(Text("cboShow"), "Prime numbers");
    EXPECT_EQ(Text("cboLanguage"), "English");
    EXPECT_EQ(Text("txbStartNumber"), "1");
    EXPECT_FALSE(Find<QCheckBox>("chkGrid")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("chkNumerals")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("chkCentralNumberPrime")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("chkCalculateLongest")->isChecked());

    // The statistics of the default picture: 35 cells a side from 1.
    EXPECT_EQ(Text("lblEndNumberOutput"), "1225");
    EXPECT_EQ(Text("lblNumberOfNumbersOutput"), "1225");
    EXPECT_EQ(Text("lblNumberShownOutput"), "200");
    EXPECT_EQ(Text("lblSmallestPrimeOutput"), "2");
    EXPECT_EQ(Text("lblLargestPrimeOutput"), "1223");
    EXPECT_EQ(Text("lblLongestNWSEOutput"), "");
    EXPECT_EQ(Text("lblP"), " ");

    // What is hidden and what is enabled after start-up.
    for (const char* hidden :
         {"cmdStopCalc", "cmdStopButton", "cmdPauseButton", "cmdResumeButton", "lblClockTicks",
          "cboClockTicks", "lblSpiralling", "Picture1_0", "Picture1_5"})
        EXPECT_TRUE(Hidden(hidden)) << hidden;
    for (const char* shown :
         {"cmdSpiralIn", "cmdSpiralOut", "cmdDraw", "cmdHelp", "lblSmallestPrime", "lblNumberShown",
          "txbStartNumber", "vsbStartNumber", "lblStartNumberOutput"})
        EXPECT_FALSE(Hidden(shown)) << shown;
    for (const char* enabled :
         {"optCircles", "cboBoxSize", "txbStartNumber", "vsbStartNumber", "cmdDraw", "chkGrid",
          "chkNumerals", "chkCentralNumberPrime", "chkCalculateLongest", "cboLanguage"})
        EXPECT_TRUE(Enabled(enabled)) << enabled;

    // The picture: 2 lies one cell east of the centre, in light blue; 1 is not marked.
    const QImage& picture = window->Picture();
    ASSERT_EQ(picture.size(), QSize(527, 527));
    EXPECT_EQ(picture.pixel(263 + 15, 263), 0xFF0000FFu);
    EXPECT_EQ(picture.pixel(263, 263), 0xFF000000u);
    EXPECT_EQ(Find("picSpiral")->size(), QSize(527, 527));
    EXPECT_EQ(QApplication::focusWidget(), Find("txbStartNumber"));
}

// During start-up the handlers stay quiet although start-up sets every control: the one pass
// is start-up's own. Afterwards each control does its part, and only its part.
TEST_F(Start, ControlsDrawOnlyWhenTheirRuleSays) {
    struct Case {
        const char* what;
        std::function<void()> act;
        int passes;
    };
    const std::vector<Case> cases = {
        {"squares", [&] { Click("optSquares"); }, 1},
        {"circles", [&] { Click("optCircles"); }, 1},
        {"grid", [&] { Click("chkGrid"); }, 1},
        {"numerals", [&] { Click("chkNumerals"); }, 1},
        {"central prime", [&] { Click("chkCentralNumberPrime"); }, 0},
        {"longest", [&] { Click("chkCalculateLongest"); }, 0},
        {"same size", [&] { Find<QComboBox>("cboBoxSize")->activated(4); }, 0},
        {"size 21", [&] { Choose("cboBoxSize", 5); }, 1},
        {"scheme", [&] { Choose("cboColorBy", 3); }, 1},
        {"show", [&] { Choose("cboShow", 2); }, 1},
        {"clock", [&] { Choose("cboClockTicks", 0); }, 0},
        {"language", [&] { Choose("cboLanguage", 1); }, 0},
        {"draw", [&] { Click("cmdDraw"); }, 1},
        {"enter", [&] { PressEnter(); }, 1},
        {"typing", [&] { Type("23"); }, 0},
    };
    for (const Case& c : cases) {
        const int before = window->PassesRequested();
        c.act();
        EXPECT_EQ(window->PassesRequested() - before, c.passes) << c.what;
        EXPECT_EQ(QApplication::focusWidget(), Find("txbStartNumber")) << c.what;
    }
    EXPECT_TRUE(services.messages.empty());
    // Checking "Calculate longest" took effect with the next drawing.
    EXPECT_NE(Text("lblLongestNWSEOutput"), "");
}

TEST_F(Start, BoxSizeFallsBackOnlyAfterAnEndNumberRefusal) {
    // 1225 numbers from 2147482422 end exactly at the largest number.
    SetStart("2147482422");
    PressEnter();
    EXPECT_EQ(Text("lblEndNumberOutput"), "2147483646");
    Choose("cboBoxSize", 3);  // size 7 would end past it
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, "End number would be greater than 2^31 - 2 = 2147483646.");
    EXPECT_EQ(services.messages[0].title, "Error");
    EXPECT_EQ(services.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(services.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(Text("cboBoxSize"), "15");
    EXPECT_EQ(Text("lblEndNumberOutput"), "2147483646");
    Choose("cboBoxSize", 7);  // size 75 has fewer numbers
    EXPECT_EQ(Text("lblEndNumberOutput"), "2147482470");

    // A triangular refusal keeps the new size in the list, though it was never drawn.
    services.messages.clear();
    SetStart("268435000");
    Choose("cboShow", 3);
    Choose("cboBoxSize", 4);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, "For triangular numbers the start number is too large.");
    EXPECT_EQ(Text("cboBoxSize"), "15");
    // 75 is still the accepted size: choosing it again only draws nothing.
    const int before = window->PassesRequested();
    Choose("cboBoxSize", 7);
    EXPECT_EQ(window->PassesRequested(), before);
    EXPECT_EQ(services.messages.size(), 1u);
}

TEST_F(Start, GridNumeralsAndSpiralButtonsFollowSizeAndShow) {
    struct Case {
        int box;
        int show;
        bool grid, numerals, spiralButtons;
    };
    for (const Case& c : {Case{0, 0, false, false, false}, Case{1, 0, false, false, true},
                          Case{3, 2, false, false, true}, Case{4, 0, true, true, true},
                          Case{4, 1, true, true, false}, Case{6, 4, false, true, false},
                          Case{7, 3, true, true, true}}) {
        Choose("cboShow", c.show);
        Choose("cboBoxSize", c.box);
        EXPECT_EQ(Enabled("chkGrid"), c.grid) << c.box << "/" << c.show;
        EXPECT_EQ(Enabled("chkNumerals"), c.numerals) << c.box << "/" << c.show;
        EXPECT_EQ(Hidden("cmdSpiralIn"), !c.spiralButtons) << c.box << "/" << c.show;
        EXPECT_EQ(Hidden("cmdSpiralOut"), !c.spiralButtons) << c.box << "/" << c.show;
    }
}

TEST_F(Start, LegendShowsTheCycleOfTheScheme) {
    // Swatches shown per scheme: none for Cluster, Ostrand and white, five for the sequence.
    const int shown[] = {0, 6, 6, 6, 5, 0, 0};
    for (int scheme = 6; scheme >= 0; --scheme) {
        Choose("cboColorBy", scheme);
        for (int i = 0; i < 6; ++i) {
            const QByteArray name = "Picture1_" + QByteArray::number(i);
            EXPECT_EQ(Hidden(name.constData()), i >= shown[scheme]) << scheme << " " << i;
        }
    }
    // The swatches show the cycle's colours in order.
    const auto* second = Find("Picture1_1");
    EXPECT_EQ(second->palette().color(QPalette::Window), QColor(0x00, 0xFF, 0x00));
}

TEST_F(Start, StatisticsFollowTheShowMode) {
    Choose("cboShow", 2);  // squares: 1, 4, …, 1225 are 35 of them
    EXPECT_EQ(Text("lblNumberShownOutput"), "35");
    EXPECT_TRUE(Hidden("lblSmallestPrime"));
    EXPECT_TRUE(Hidden("lblLargestPrimeOutput"));
    Choose("cboShow", 4);  // all numbers: nothing to count
    EXPECT_TRUE(Hidden("lblNumberShown"));
    EXPECT_TRUE(Hidden("lblNumberShown2"));
    EXPECT_TRUE(Hidden("lblNumberShownOutput"));
    Choose("cboShow", 0);
    EXPECT_FALSE(Hidden("lblNumberShownOutput"));
    EXPECT_FALSE(Hidden("lblSmallestPrime"));
    // No prime in view (19610 … 19658 lie in the gap after 19609): the prime labels stay
    // hidden, and runs of nothing are 0.
    Click("chkCalculateLongest");
    Choose("cboBoxSize", 7);  // 75 pixels: 7 cells a side
    SetStart("19610");
    PressEnter();
    EXPECT_EQ(Text("lblNumberShownOutput"), "0");
    EXPECT_TRUE(Hidden("lblSmallestPrime"));
    EXPECT_TRUE(Hidden("lblLargestPrimeOutput"));
    EXPECT_EQ(Text("lblLongestNWSEOutput"), "0");
    EXPECT_EQ(Text("lblLongestSWNEOutput"), "0");
}

}  // namespace
}  // namespace quorvel::testing
