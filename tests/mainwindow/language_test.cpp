// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QMenu>
#include <QRegularExpression>
#include <map>
#include <set>

#include "largeview/frmLargeView.h"
#include "text/translation.h"
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

// Every text a person reads under `root`, by the name of what shows it: captions, list
// entries, menu entries, the window's title.
std::map<QString, QString> ShownTexts(const QWidget& root) {
    std::map<QString, QString> texts;
    texts[root.objectName() + ".title"] = root.windowTitle();
    for (const QLabel* label : root.findChildren<QLabel*>())
        texts[label->objectName()] = label->text();
    for (const QAbstractButton* button : root.findChildren<QAbstractButton*>())
        texts[button->objectName()] = button->text();
    for (const QComboBox* list : root.findChildren<QComboBox*>()) {
        for (int i = 0; i < list->count(); ++i)
            texts[list->objectName() + QString::number(i)] = list->itemText(i);
    }
    for (const QMenu* menu : root.findChildren<QMenu*>()) {
        texts[menu->objectName()] = menu->title();
        for (const QAction* action : menu->actions())
            texts[action->objectName()] = action->text();
    }
    return texts;
}

// A German window shows no English text but the few the two languages share.
TEST_F(Languages, NothingStaysEnglishInGerman) {
    // Names, numbers and symbols, and the moving spiral's speed and buttons, which the
    // window has always shown in English.
    const std::set<QString> shared = {"Quorvel", "Tarnwick", "Stop", "Pause",
                                      "Clock ticks per sec."};
    QTest::keyClick(window.get(), Qt::Key_F3);
    window->findChild<QAction*>("actLargeView")->trigger();
    ASSERT_NE(window->LargeView(), nullptr);
    const auto everything = [&] {
        std::map<QString, QString> texts = ShownTexts(*window);
        texts.merge(ShownTexts(*window->LargeView()));
        return texts;
    };
    const std::map<QString, QString> english = everything();
    Choose("cboLanguage", intGerman);
    const std::map<QString, QString> german = everything();
    ASSERT_EQ(german.size(), english.size());
    int compared = 0;
    for (const auto& [name, text] : english) {
        // Numbers, empty captions and pictures have nothing to translate.
        if (!text.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2}")))) continue;
        ++compared;
        if (shared.count(text) == 0) {
            EXPECT_NE(german.at(name).toStdString(), text.toStdString()) << name.toStdString();
        }
    }
    EXPECT_GE(compared, 60);
}

// A language installed on the application reaches the large view through the toolkit's
// LanguageChange, as it reaches any window.
TEST_F(Languages, TheLargeViewFollowsTheInstalledLanguage) {
    window->findChild<QAction*>("actLargeView")->trigger();
    frmLargeView* view = window->LargeView();
    ASSERT_NE(view, nullptr);
    InstallLanguage(intGerman);
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->windowTitle().contains("Große Ansicht"); }));
    InstallLanguage(intEnglish);
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->windowTitle().contains("Large View"); }));
}

}  // namespace
}  // namespace quorvel::testing
