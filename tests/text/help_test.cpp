// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <utility>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <vector>

#include "platform/ui_services.h"
#include "text/help_texts.h"
#include "text/language.h"
#include "text/weblink.h"

namespace quorvel {
namespace {

TEST(HelpText, BothLanguagesWhole) {
    const QString m = "file:///m.htm", c = "file:///m.htm#c";
    EXPECT_EQ(HelpText(intEnglish, m, c),
              "Starting with a number (1 or higher) the numbers are arranged in a spiral as in "
              "the image at right. The prime numbers are marked (here with blue boxes).  The "
              "primes tend to fall in straight lines on the diagonals.  Instead of primes, random "
              "numbers, all numbers, or only square numbers, can be shown.  Spiralling in or out "
              "produces a moving spiral.  For a full explanation of this program please see "
              "file:///m.htm (you can select this text and paste it into your browser).\n\n"
              "The primes can be colored in various ways.  In some color schemes the colors "
              "repeat after five or six colors (in which case they are shown at the bottom in "
              "order).  The color schemes are mostly self-explanatory, except that:\n"
              "(i) Ring number is the number of the ring in which the prime occurs, where the "
              "central number (here 1) is ring 1, the next 8 numbers (here 2 to 9) form ring 2, "
              "and so on.\n"
              "(ii) Sequence colors show the position of the number in the number sequence, so "
              "every 5th number has the same color.\n"
              "(iii) Ostrand color is the color of the number as explained at file:///m.htm#c.");
    EXPECT_EQ(HelpText(intGerman, m, c),
              "Die Zahlen sind, beginnend mit der Zahl 1 (oder groesser), in einer Spirale "
              "angeordnet, wie im Bild rechts angezeigt.  Die Primzahlen sind markiert (in diesem "
              "Fall mit Kaestchen).  Die Primzahlen haben die Tendenz auf gerade Linien "
              "(diagonal) zu fallen.  Anstelle von Primzahlen koennen Zufallszahlen, alle Zahlen "
              "oder nur die Quadratzahlen angezeigt werden.  Indem sie auswaerts oder einwaerts "
              "wandern, formen sie eine sich bewegende Spirale.  Eine ausfuehrliche Erlaeuterung "
              "dieses Programms erhalten Sie unter der Webadresse file:///m.htm (Sie koennen "
              "diesen Text auswaehlen und in das Adressfenster Ihres Browsers kopieren).\n\n"
              "Die Primzahlen koennen in unterschiedlicher Weise gefaerbt werden.  In einigen "
              "Farbmustern wiederholen sich die Farben nach fuenf oder sechs Farben (in diesem "
              "Fall werden sie unten in der Reihenfolge angezeigt).  Die Farbmuster erklaeren "
              "sich in der Regel selbst, mit einer Ausnahme:\n"
              "(i) Die Ringzahl bezeichnet die Nummer des Rings, in den die Primzahl "
              "hineinfaellt, wobei die zentrale Zahl (hier die 1) den Ring mit der Nummer 1 "
              "bezeichnet, die naechsten 8 Zahlen (hier 2-9) bilden den Ring 2, und so weiter.\n"
              "(ii) Die Reihenfolge der Farben zeigt die Position der Zahl in der Folge der "
              "Zahlen an, so hat jede 5.Zahl dieselbe Farbe.\n"
              "(iii) Jeder Zahl ist eine eindeutig definierte Ostrandfarbe zugeordnet; das "
              "Ostrand-Farbschema wird erklaert unter der Adresse file:///m.htm#c.");
}

TEST(WebLinks, FileExtensionOf) {
    struct Case {
        const char* name;
        bool lower;
        const char* extension;
    };
    for (const Case& c :
         {Case{"manual.HTM", true, "htm"}, Case{"manual.HTM", false, "HTM"},
          Case{"C:\\docs.d\\readme", true, ""}, Case{"a.b\\c.txt", false, "txt"},
          Case{"file:///usr/share/quorvel/manual.htm", true, "htm"},
          Case{"https://tarnwick.example/", true, "example/"}, Case{"noextension", true, ""},
          Case{"", true, ""}, Case{"trailing.", true, ""}})
        EXPECT_EQ(FileExtensionOf(c.name, c.lower), c.extension) << c.name;
}

TEST(WebLinks, LaunchMessages) {
    EXPECT_EQ(WebLaunchMessage(31, "htm"),
              "Error launching web browser, error code = 31.\n\nFile extension 'htm' is not "
              "associated with any application program.");
    EXPECT_EQ(WebLaunchMessage(8, "htm"),
              "Error launching web browser, error code = 8.\n\nOut of memory.");
    EXPECT_EQ(WebLaunchMessage(2, "htm"),
              "Error launching web browser, error code = 2.\n\nPlease try once more.");
    EXPECT_EQ(WebLaunchMessage(5, "htm"), "Error launching web browser, error code = 5.");
    EXPECT_EQ(WebLaunchMessage(0, "htm"), "Error launching web browser, error code = 0.");
}

TEST(WebLinks, Addresses) {
    // Run from the build tree, the program finds its manual in both languages the way an
    // installed one does: in the data folder beside its own folder, never in /usr/share/doc.
    const QString programs = QDir(QCoreApplication::applicationDirPath()).absolutePath();
    for (const int language : {intEnglish, intGerman}) {
        const QUrl manual(ManualAddress(language));
        ASSERT_TRUE(manual.isLocalFile());
        const QString file = manual.toLocalFile();
        EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
        EXPECT_TRUE(file.startsWith(QDir::cleanPath(programs + "/../share/quorvel/")))
            << file.toStdString();
        EXPECT_EQ(ColoursAddress(language), ManualAddress(language) + "#ostrand-colours");
    }
    EXPECT_EQ(ManualAddress(), ManualAddress(intEnglish));
    EXPECT_TRUE(QUrl(TarnwickAddress()).host().endsWith(".example"));
    // A manual that is not there is said to be missing, and nothing is launched.
    QtUiServices services;
    EXPECT_EQ(services.OpenUrl(QUrl::fromLocalFile("/no/such/folder/manual.htm")), 2);
}

// A German user gets the German manual where there is one, and the English one otherwise.
TEST(WebLinks, ManualInTheLanguage) {
    struct Case {
        bool english, german;
        int language;
        const char* file;
    };
    for (const Case& c :
         {Case{true, true, intGerman, "manual.de.htm"}, Case{true, true, intEnglish, "manual.htm"},
          Case{true, true, 7, "manual.htm"}, Case{true, false, intGerman, "manual.htm"},
          Case{false, false, intGerman, "manual.htm"}}) {
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        for (const auto& [present, name] :
             {std::pair{c.english, "manual.htm"}, std::pair{c.german, "manual.de.htm"}}) {
            QFile file(folder.filePath(name));
            if (present) {
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            }
        }
        EXPECT_EQ(ManualFile(folder.path(), c.language), folder.filePath(c.file))
            << c.english << c.german << c.language;
    }
}

// Every link and picture of both manuals leads somewhere that exists, and the two have the same
// anchors, so that an address such as #ostrand-colours works in either language.
TEST(Manual, EveryLinkResolvesInBothLanguages) {
    std::vector<QSet<QString>> anchors;
    for (const char* name : {"manual.htm", "manual.de.htm"}) {
        SCOPED_TRACE(name);
        QFile file(QStringLiteral(QUORVEL_SOURCE_DIR "/docs/") + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString page = QString::fromUtf8(file.readAll());
        // Without it a browser may show the umlauts as mojibake.
        EXPECT_TRUE(page.contains(QLatin1String("<meta charset=\"utf-8\">")));
        QSet<QString> ids;
        for (const auto& m : QRegularExpression(R"re( id="([^"]+)")re").globalMatch(page))
            ids.insert(m.captured(1));
        EXPECT_TRUE(ids.contains("ostrand-colours"));
        int links = 0;
        for (const auto& m :
             QRegularExpression(R"re((?:href|src)="([^"]+)")re").globalMatch(page)) {
            const QString target = m.captured(1);
            ++links;
            if (target.startsWith('#')) {
                EXPECT_TRUE(ids.contains(target.mid(1))) << target.toStdString();
            } else {
                EXPECT_FALSE(target.contains(':'))
                    << "not self-contained: " << target.toStdString();
                EXPECT_TRUE(QFile::exists(QStringLiteral(QUORVEL_SOURCE_DIR "/docs/") + target))
                    << target.toStdString();
            }
        }
        EXPECT_GT(links, 20);
        EXPECT_FALSE(page.contains("<script"));
        anchors.push_back(ids);
    }
    ASSERT_EQ(anchors.size(), 2u);
    const auto onlyIn = [](const QSet<QString>& a, const QSet<QString>& b) {
        QStringList names = (a - b).values();
        names.sort();
        return names.join(' ').toStdString();
    };
    EXPECT_EQ(onlyIn(anchors[0], anchors[1]), "") << "anchors of the English manual only";
    EXPECT_EQ(onlyIn(anchors[1], anchors[0]), "") << "anchors of the German manual only";
}

}  // namespace
}  // namespace quorvel
