// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

using Languages = WindowTest;

QStringList AllCaptions(const frmMain& window) {
    QStringList captions;
    for (const QLabel* label : window.findChildren<QLabel*>())
        captions << label->objectName() + "=" + label->text();
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        captions << button->objectName() + "=" + button->text();
    captions.sort();
    return captions;
}

TEST_F(Languages, GermanAndBackKeepsEverythingButTheWords) {
    Choose("cboColorBy", 6);
    Choose("cboShow", 2);
    SetStart("42");
    const QStringList english = AllCaptions(*window);
    const int passes = window->PassesRequested();

    Choose("cboLanguage", 1);
    EXPECT_EQ(window->Language(), intGerman);
    EXPECT_EQ(Text("lblShow"), "Anzeigen:");
    EXPECT_EQ(Text("optCircles"), "Kreise");
    EXPECT_EQ(Text("lblNumberShown"), "Anzahl der sicht-");
    EXPECT_EQ(Text("lblNumberShown2"), "baren Zahlen:");
    EXPECT_EQ(Items("cboLanguage"), QStringList({"Englisch=0", "Deutsch=1"}));
    EXPECT_EQ(Text("cboLanguage"), "Deutsch");
    EXPECT_EQ(Text("cboColorBy"), "Keine (Weiss)");
    EXPECT_EQ(Text("cboShow"), "Quadratzahlen");
    EXPECT_EQ(Text("txbStartNumber"), "42");
    EXPECT_EQ(Text("lblTarnwick"), "Tarnwick");
    EXPECT_EQ(Text("cmdStopButton"), "Stop");
    EXPECT_EQ(Text("cmdPauseButton"), "Pause");
    EXPECT_EQ(Text("lblClockTicks"), "Clock ticks per sec.");

    // Choosing the language already shown changes nothing.
    Find<QComboBox>("cboLanguage")->activated(1);
    EXPECT_EQ(window->Language(), intGerman);

    Choose("cboLanguage", 0);
    EXPECT_EQ(AllCaptions(*window), english);
    EXPECT_EQ(Text("cboColorBy"), "None (white)");
    EXPECT_EQ(Text("cboShow"), "Square numbers");
    EXPECT_EQ(window->PassesRequested(), passes);
    EXPECT_EQ(QApplication::focusWidget(), Find("txbStartNumber"));
}

TEST_F(Languages, MessagesComeInTheCurrentLanguage) {
    struct Case {
        int language;
        const char* start;
        int show;
        const char* title;
        const char* text;
    };
    const Case cases[] = {
        {0, "2147483647", 0, "Error", "Start number must be <= 2^31 - 2 = 2147483646."},
        {1, "2147483647", 0, "Fehler",
         "Die Startzahl muss kleiner als 2^31 - 2 = 2147483646 sein."},
        {0, "2147483000", 0, "Error", "End number would be greater than 2^31 - 2 = 2147483646."},
        {1, "2147483000", 0, "Fehler", "Die Endzahl würde 2^31 - 2 = 2147483646 übersteigen."},
        {0, "268435000", 3, "Error", "For triangular numbers the start number is too large."},
        {1, "268435000", 3, "Fehler", "Bei Dreieckzahlen ist die Startzahl zu gross."},
    };
    for (const Case& c : cases) {
        Choose("cboLanguage", c.language);
        SetStart("1");
        Choose("cboShow", c.show);
        services.messages.clear();
        Find<QLineEdit>("txbStartNumber")->setText(QString::fromLatin1(c.start));
        services.messages.clear();  // the box's own complaint about a too large number
        PressEnter();
        ASSERT_EQ(services.messages.size(), 1u) << c.text;
        EXPECT_EQ(services.messages[0].title, c.title);
        EXPECT_EQ(services.messages[0].text, QString::fromUtf8(c.text));
        EXPECT_EQ(services.messages[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(services.messages[0].icon, MessageIcon::None);
        EXPECT_EQ(QApplication::focusWidget(), Find("txbStartNumber"));
        // The old picture and its numbers stay.
        EXPECT_EQ(Text("lblEndNumberOutput"), "1225");
    }
}

}  // namespace
}  // namespace quorvel::testing
