// SPDX-License-Identifier: GPL-3.0-or-later
// Every key of a window's actions works from every control that can hold the keyboard focus.
// Run offscreen and again on an X display, whose line edits claim keys such as Ctrl+E.
#include <QAction>
#include <QDockWidget>
#include <QRegularExpression>
#include <utility>

#include "largeview/frmLargeView.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

// Catches the shortcuts that reach the actions and keeps them from acting: what each action
// does is tested with the action itself.
class ShortcutProbe : public QObject {
  public:
    explicit ShortcutProbe(const QList<QAction*>& actions) {
        for (QAction* action : actions)
            action->installEventFilter(this);
    }
    QString Take() { return std::exchange(hit_, QString()); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Shortcut) return false;
        hit_ += watched->objectName();
        return true;
    }

  private:
    QString hit_;
};

// Presses each key of the enabled `actions` with each control of `top` focused that can take
// the focus now; returns those controls' names.
QString PressEveryKeyEverywhere(QWidget* top, const QList<QAction*>& actions) {
    ShortcutProbe probe(actions);
    QStringList names;
    for (QWidget* control : top->findChildren<QWidget*>()) {
        if (control->window() != top && !qobject_cast<QDockWidget*>(control->window())) continue;
        if (!(control->focusPolicy() & Qt::TabFocus) || !control->isVisibleTo(top) ||
            !control->isEnabled())
            continue;
        names << control->objectName();
        for (QAction* action : actions) {
            for (const QKeySequence& keys :
                 action->isEnabled() ? action->shortcuts() : QList<QKeySequence>()) {
                QApplication::setActiveWindow(top);
                control->setFocus();
                QTest::keySequence(control, keys);
                EXPECT_EQ(probe.Take(), action->objectName())
                    << keys.toString().toStdString() << " from "
                    << control->objectName().toStdString();
            }
        }
    }
    return names.join(' ');
}

using WindowKeys = WindowTest;

// The main window still, with the inspector's switch, and paused, with the moving spiral's
// buttons; the large view, with its own keys and the main window's View keys and Quit.
TEST_F(WindowKeys, EveryKeyWorksFromEveryControl) {
    QList<QAction*> menu = window->findChildren<QAction*>(QRegularExpression("^act"));
    menu.removeIf([](const QAction* action) { return action->shortcut().isEmpty(); });
    ASSERT_EQ(menu.size(), 8);  // Ctrl+S, Ctrl+Shift+C, Ctrl+E, Ctrl+Q, F1, F3, F4, Ctrl+F
    window->findChild<QAction*>("actInspector")->trigger();
    const QString still = PressEveryKeyEverywhere(window.get(), menu);
    for (const char* name :
         {"txbStartNumber", "cboBoxSize", "optCircles", "chkRunOverlay", "picSpiral"})
        EXPECT_TRUE(still.contains(name)) << name;
    Click("cmdSpiralIn");
    Click("cmdPauseButton");
    EXPECT_TRUE(PressEveryKeyEverywhere(window.get(), menu).contains("cmdResumeButton"));
    Click("cmdStopButton");

    window->findChild<QAction*>("actLargeView")->trigger();
    frmLargeView* view = window->LargeView();
    QStringList keysThere;
    for (const QAction* action : view->actions())
        keysThere << action->objectName();
    EXPECT_EQ(keysThere.join(' '), "actCloseLargeView actInspector actLargeView actQuit");
    EXPECT_EQ(PressEveryKeyEverywhere(view, view->actions()),
              "txbLargeStart txbGoTo cboLargeShow cboLargeColorBy picLargeView");
}

}  // namespace
}  // namespace quorvel::testing
