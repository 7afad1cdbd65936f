// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBrowser>

#include "text/help_texts.h"
#include "text/weblink.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

using Help = WindowTest;

struct Seen {
    QString title, close, text;
    QRect geometry;
    QSize textBox;
};

TEST_F(Help, TakesLanguageSizeAndPlaceOnEveryOpening) {
    std::vector<Seen> seen;
    services.onModal = [&](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), "frmHelp");
        EXPECT_TRUE(dialog.isModal());
        seen.push_back(
            {dialog.windowTitle(), dialog.findChild<QAbstractButton*>("cmdClose")->text(),
             dialog.findChild<QPlainTextEdit*>("txbHelp1")->toPlainText(), dialog.frameGeometry(),
             dialog.findChild<QPlainTextEdit*>("txbHelp1")->size()});
    };
    const int frameTop = Find("fraStartNumberFrame")->mapTo(window.get(), QPoint()).y();
    // The help window gets the frame the window manager gives the main window: its frame
    // starts at `corner`, its inside is as wide as the main window's and `height` high.
    const auto inner = [&](QPoint corner, int height) {
        const QRect f = window->frameGeometry(), g = window->geometry();
        return QRect(corner + (g.topLeft() - f.topLeft()), QSize(g.width(), height));
    };
    Choose("cboLanguage", 1);
    window->move(40, 30);
    Click("cmdHelp");
    Choose("cboLanguage", 0);
    window->move(120, 90);
    Click("cmdHelp");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].title, "Hilfe");
    EXPECT_EQ(seen[0].close, "Schliessen");
    EXPECT_EQ(seen[0].text,
              HelpText(intGerman, ManualAddress(intGerman), ColoursAddress(intGerman)));
    EXPECT_EQ(seen[0].geometry, inner(QPoint(40, 30 + frameTop + 48), 400));
    EXPECT_EQ(seen[1].title, "Help");
    EXPECT_EQ(seen[1].close, "Close");
    EXPECT_EQ(seen[1].text, HelpText(intEnglish, ManualAddress(), ColoursAddress()));
    EXPECT_EQ(seen[1].geometry, inner(QPoint(120, 90 + frameTop + 48), 392));
    // The text box shows whole in both languages: 7 pixels from the top, 378 high.
    for (const Seen& s : seen) {
        EXPECT_EQ(s.textBox, QSize(505, 378));
        EXPECT_GE(s.geometry.height(), 7 + 378);
    }
    // Help never draws, and the keyboard is back in the start-number box.
    EXPECT_EQ(window->PassesRequested(), 1);
    EXPECT_EQ(QApplication::focusWidget(), Find("txbStartNumber"));
}

TEST_F(Help, OpensAgainAndAgain) {
    for (int i = 0; i < 50; ++i) {
        Choose("cboLanguage", i % 2);
        Click("cmdHelp");
    }
    EXPECT_EQ(services.modals.size(), 50u);
    EXPECT_EQ(services.modals.front(), services.modals.back());  // the same window, kept
}

// Where no browser opens the manual it shows in the program's own window, pictures and all,
// in the window's language; where a browser opens it, no window of its own comes.
TEST_F(Help, UserManualShowsInItsOwnWindowWhereNoBrowserOpensIt) {
    auto* entry = window->findChild<QAction*>("actUserManual");
    entry->trigger();
    EXPECT_EQ(window->findChild<QWidget*>("frmManual"), nullptr);
    for (const auto& [language, title, words] :
         {std::tuple{intEnglish, "Quorvel – User Manual", "Start number"},
          std::tuple{intGerman, "Quorvel – Benutzerhandbuch", "Anfangszahl"}}) {
        Choose("cboLanguage", language);
        services.openCode = 31;
        services.messages.clear();
        entry->trigger();
        auto* manual = window->findChild<QWidget*>("frmManual");
        ASSERT_NE(manual, nullptr);
        EXPECT_TRUE(manual->isVisible());
        EXPECT_EQ(manual->windowTitle(), QString::fromUtf8(title));
        EXPECT_TRUE(services.messages.empty());
        auto* browser = manual->findChild<QTextBrowser*>("txtManual");
        EXPECT_EQ(browser->source(), QUrl(ManualAddress(language)));
        EXPECT_TRUE(browser->toPlainText().contains(QString::fromUtf8(words)));
        // Its pictures are found beside it.
        const QTextDocument* document = browser->document();
        const QString html = document->toHtml();
        const qsizetype at = html.indexOf(QStringLiteral("<img src=\""));
        ASSERT_GE(at, 0);
        const QString picture = html.mid(at + 10, html.indexOf('"', at + 10) - at - 10);
        const QVariant image = document->resource(QTextDocument::ImageResource, QUrl(picture));
        EXPECT_TRUE(image.isValid() && !image.value<QImage>().isNull()) << picture.toStdString();
        manual->close();
    }
}

TEST_F(Help, LinksOpenTheirAddressesOrSayWhyNot) {
    Click("lblOnlineDocumentation");
    Click("lblTarnwick");
    EXPECT_EQ(services.openedUrls,
              std::vector<QString>({ManualAddress(), "https://tarnwick.example/"}));
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(Find("lblTarnwick")->toolTip(),
              "Click here for the Tarnwick website at https://tarnwick.example/.");
    EXPECT_EQ(Find("lblOnlineDocumentation")->toolTip(),
              "Click here for the online user manual at " + ManualAddress() + ".");
    // In German, the link and the menu open the German manual, and the tips are German.
    Choose("cboLanguage", 1);
    EXPECT_EQ(Find("lblOnlineDocumentation")->toolTip(),
              QString::fromUtf8("Hier klicken für das Benutzerhandbuch unter ") +
                  ManualAddress(intGerman) + ".");
    EXPECT_TRUE(Find("lblTarnwick")->toolTip().startsWith(QString::fromUtf8("Hier klicken für")));
    services.openedUrls.clear();
    Click("lblOnlineDocumentation");
    window->findChild<QAction*>("actUserManual")->trigger();
    EXPECT_EQ(services.openedUrls, std::vector<QString>(2, ManualAddress(intGerman)));
    EXPECT_TRUE(ManualAddress(intGerman).endsWith("manual.de.htm"));
    Choose("cboLanguage", 0);

    struct Case {
        const char* link;
        int code;
        const char* text;
    };
    const Case cases[] = {
        {"lblOnlineDocumentation", 31,
         "Error launching web browser, error code = 31.\n\nFile extension 'htm' is not "
         "associated with any application program."},
        {"lblOnlineDocumentation", 2,
         "Error launching web browser, error code = 2.\n\nPlease try once more."},
        {"lblTarnwick", 8, "Error launching web browser, error code = 8.\n\nOut of memory."},
        {"lblTarnwick", 5, "Error launching web browser, error code = 5."},
    };
    Choose("cboLanguage", 1);  // the warnings are English in both languages
    for (const Case& c : cases) {
        services.messages.clear();
        services.openCode = c.code;
        Click(c.link);
        ASSERT_EQ(services.messages.size(), 1u) << c.code;
        EXPECT_EQ(services.messages[0].title, "Cannot launch web browser");
        EXPECT_EQ(services.messages[0].text, c.text);
        EXPECT_EQ(services.messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(services.messages[0].buttons, MessageButtons::Ok);
    }
}

}  // namespace
}  // namespace quorvel::testing
