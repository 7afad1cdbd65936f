// SPDX-License-Identifier: GPL-3.0-or-later
// Tips: every control that takes input carries a tooltip and every menu entry a status tip, in
// the window's language; and the inspector explains its measures where the pointer rests.
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QHelpEvent>
#include <QMenu>
#include <QStatusBar>
#include <QToolTip>
#include <map>

#include "explorer/explorer.h"
#include "explorer/explorer_texts.h"
#include "explorer/ray_panel.h"
#include "largeview/frmLargeView.h"
#include "mainwindow/link_label.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

using TipsByName = std::map<QString, QString>;

// The toolkit's own parts of a control (a spin box's text field, a dock's title buttons, a
// scroll area's bars) are named qt_…, or are nameless inside a part that is.
bool ToolkitPart(const QWidget* widget) {
    for (const QObject* o = widget; o != nullptr; o = o->parent()) {
        if (!o->objectName().isEmpty()) return o->objectName().startsWith(QLatin1String("qt_"));
    }
    return false;
}

bool TakesInput(QWidget* widget) {
    if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget) ||
        qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractSpinBox*>(widget) ||
        qobject_cast<QAbstractSlider*>(widget) || qobject_cast<LinkLabel*>(widget)) {
        return true;
    }
    const auto* label = qobject_cast<QLabel*>(widget);
    return label != nullptr && label->openExternalLinks();
}

// The tip of every control under `root` that takes input, shown or not: the moving spiral's
// buttons come and go. A control without a name could not be given its tip.
TipsByName ControlTips(const QWidget& root) {
    TipsByName tips;
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        if (!TakesInput(widget) || ToolkitPart(widget)) continue;
        EXPECT_FALSE(widget->objectName().isEmpty()) << widget->metaObject()->className();
        tips[widget->objectName()] = widget->toolTip();
    }
    return tips;
}

// The status tip of every entry of the window's menus; each shows in the status bar.
TipsByName MenuTips(QMainWindow& window) {
    TipsByName tips;
    for (QMenu* menu : window.findChildren<QMenu*>()) {
        for (QAction* action : menu->actions()) {
            if (action->isSeparator() || action->menu() != nullptr) continue;
            EXPECT_FALSE(action->objectName().isEmpty()) << action->text().toStdString();
            tips[action->objectName()] = action->statusTip();
            action->showStatusText(&window);
            EXPECT_EQ(window.statusBar()->currentMessage(), action->statusTip())
                << action->objectName().toStdString();
        }
    }
    return tips;
}

// Every tip is there in both languages, and the German one is German.
void ExpectBothLanguages(const TipsByName& english, const TipsByName& german) {
    ASSERT_EQ(english.size(), german.size());
    for (const auto& [name, tip] : english) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(tip.isEmpty());
        ASSERT_EQ(german.count(name), 1u);
        EXPECT_FALSE(german.at(name).isEmpty());
        EXPECT_NE(german.at(name), tip);
    }
}

class Tips : public WindowTest {
  protected:
    InspectorPanel* Inspector() const { return window->PictureExplorer()->Inspector(); }
    // The tips of the dialog that Ctrl with `key` opens, in each language.
    std::map<int, TipsByName> DialogTips(Qt::Key key) {
        std::map<int, TipsByName> tips;
        for (const int language : {intEnglish, intGerman}) {
            Choose("cboLanguage", language);
            services.onModal = [&](QDialog& dialog) { tips[language] = ControlTips(dialog); };
            QTest::keyClick(window.get(), key, Qt::ControlModifier);
            services.onModal = nullptr;
        }
        return tips;
    }
};

TEST_F(Tips, EveryControlAndMenuEntryExplainsItselfInBothLanguages) {
    // The inspector's switch and the large view's boxes count as the window's controls.
    QTest::keyClick(window.get(), Qt::Key_F3);
    window->findChild<QAction*>("actLargeView")->trigger();
    ASSERT_NE(window->LargeView(), nullptr);
    for (const char* name : {"txbStartNumber", "cmdSpiralIn", "cboLanguage", "lblTarnwick",
                             "chkRunOverlay", "txbGoTo", "cboLargeColorBy"})
        EXPECT_FALSE(Find(name)->toolTip().isEmpty()) << name;

    const TipsByName englishControls = ControlTips(*window);
    const TipsByName englishMenus = MenuTips(*window);
    EXPECT_GE(englishControls.size(), 28u);
    EXPECT_EQ(englishMenus.size(), 11u);
    Choose("cboLanguage", 1);
    ExpectBothLanguages(englishControls, ControlTips(*window));
    ExpectBothLanguages(englishMenus, MenuTips(*window));
    // And back: the English tips return with the English captions.
    Choose("cboLanguage", 0);
    EXPECT_EQ(ControlTips(*window), englishControls);
    EXPECT_EQ(MenuTips(*window), englishMenus);
}

TEST_F(Tips, TheExportDialogExplainsItsControlsInBothLanguages) {
    const std::map<int, TipsByName> tips = DialogTips(Qt::Key_E);
    ASSERT_EQ(services.modals.size(), 2u);
    EXPECT_EQ(tips.at(intEnglish).size(), 7u);
    ExpectBothLanguages(tips.at(intEnglish), tips.at(intGerman));
}

TEST_F(Tips, TheFindNumberDialogExplainsItsControlsInBothLanguages) {
    const std::map<int, TipsByName> tips = DialogTips(Qt::Key_F);
    ASSERT_EQ(services.modals.size(), 2u);
    EXPECT_EQ(tips.at(intEnglish).size(), 3u);
    ExpectBothLanguages(tips.at(intEnglish), tips.at(intGerman));
}

// The report's discriminant, C(f), D, h, ratio and deviation each explain themselves where the
// pointer rests on them, in reading order, and nothing else in the report has a tip.
TEST_F(Tips, TheInspectorsMeasuresExplainThemselves) {
    SetStart("41");
    PressEnter();
    QTest::keyClick(window.get(), Qt::Key_F3);
    const std::optional<CellRays> cell = RaysOfPosition(1, 41);
    ASSERT_TRUE(cell);
    Inspector()->Inspect(cell);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Inspector()->ShownNumber() == 41; }));
    auto* report = Find<QLabel>("lblInspector");
    const int lineStep = std::max(report->fontMetrics().height() / 3, 1);
    const int charStep = std::max(report->fontMetrics().averageCharWidth() / 2, 1);
    for (const int language : {intEnglish, intGerman}) {
        SCOPED_TRACE(language);
        Choose("cboLanguage", language);
        QApplication::processEvents();
        QStringList seen;  // each tip once, in the order the pointer first meets it
        for (int y = 0; y < report->height(); y += lineStep) {
            for (int x = 0; x < report->width(); x += charStep) {
                QHelpEvent rest(QEvent::ToolTip, QPoint(x, y), report->mapToGlobal(QPoint(x, y)));
                QApplication::sendEvent(report, &rest);
                if (rest.isAccepted() && !seen.contains(QToolTip::text())) seen << QToolTip::text();
            }
        }
        EXPECT_EQ(seen, QStringList({RayMeasureTip(RayMeasure::Discriminant, language),
                                     RayMeasureTip(RayMeasure::Constant, language),
                                     RayMeasureTip(RayMeasure::Fundamental, language),
                                     RayMeasureTip(RayMeasure::ClassNumber, language),
                                     RayMeasureTip(RayMeasure::Ratio, language),
                                     RayMeasureTip(RayMeasure::Deviation, language)}));
    }
    for (const RayMeasure measure : {RayMeasure::Constant, RayMeasure::Fundamental,
                                     RayMeasure::ClassNumber, RayMeasure::Deviation}) {
        EXPECT_NE(RayMeasureTip(measure, intGerman), RayMeasureTip(measure, intEnglish));
    }
    QToolTip::hideText();
}

}  // namespace
}  // namespace quorvel::testing
