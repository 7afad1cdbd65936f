// SPDX-License-Identifier: GPL-3.0-or-later
// Every menu key works from every control that can hold the keyboard focus. Run here and, in
// a second test, on an X display, whose line edits claim keys such as Ctrl+E for themselves.
#include <QAction>
#include <QDockWidget>
#include <utility>

#include "largeview/frmLargeView.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

// Catches the shortcuts that reach the actions and keeps them from acting: what each does is
// tested with the action itself.
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

class WindowKeys : public WindowTest {
  protected:
    // The controls of `top` that can take the keyboard focus now.
    static QList<QWidget*> Focusable(QWidget* top) {
        QList<QWidget*> controls;
        for (QWidget* w : top->findChildren<QWidget*>()) {
            if (w->window() != top && !qobject_cast<QDockWidget*>(w->window())) continue;
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(top) && w->isEnabled())
                controls << w;
        }
        return controls;
    }
    // Presses each key of the enabled `actions` with each of `controls` focused in `top`.
    static void PressEveryKeyEverywhere(QWidget* top, const QList<QWidget*>& controls,
                                        const QList<QAction*>& actions) {
        ShortcutProbe probe(actions);
        for (QWidget* control : controls) {
            for (QAction* action : actions) {
                if (!action->isEnabled()) continue;
                for (const QKeySequence& keys : action->shortcuts()) {
                    QApplication::setActiveWindow(top);
                    control->setFocus();
                    ASSERT_EQ(QApplication::focusWidget(), control);
                    QTest::keySequence(control, keys);
                    EXPECT_EQ(probe.Take(), action->objectName())
                        << keys.toString().toStdString() << " from "
                        << control->objectName().toStdString();
                }
            }
        }
    }
    static QStringList Names(const QList<QWidget*>& controls) {
        QStringList names;
        for (const QWidget* control : controls)
            names << control->objectName();
        return names;
    }
};

// The main window still, with the inspector's switch; while the spiral is paused, with its
// buttons; and the large view, with its own keys and the main window's View keys and Quit.
TEST_F(WindowKeys, EveryKeyWorksFromEveryControl) {
    QList<QAction*> menu;
    for (QAction* action : window->findChildren<QAction*>())
        if (action->objectName().startsWith("act") && !action->shortcut().isEmpty()) menu << action;
    ASSERT_EQ(menu.size(), 7);  // Ctrl+S, Ctrl+Shift+C, Ctrl+E, Ctrl+Q, F1, F3, F4
    window->findChild<QAction*>("actInspector")->trigger();
    const QList<QWidget*> still = Focusable(window.get());
    for (const char* name : {"txbStartNumber", "cmdDraw", "cboBoxSize", "optCircles", "chkGrid",
                             "cboLanguage", "cmdQuit", "chkRunOverlay"})
        EXPECT_TRUE(Names(still).contains(name)) << name;
    PressEveryKeyEverywhere(window.get(), still, menu);

    Click("cmdSpiralIn");
    Click("cmdPauseButton");
    const QList<QWidget*> paused = Focusable(window.get());
    for (const char* name : {"cmdStopButton", "cmdResumeButton", "cboClockTicks"})
        EXPECT_TRUE(Names(paused).contains(name)) << name;
    PressEveryKeyEverywhere(window.get(), paused, menu);
    Click("cmdStopButton");

    window->findChild<QAction*>("actLargeView")->trigger();
    frmLargeView* view = window->LargeView();
    ASSERT_NE(view, nullptr);
    QStringList keysThere;
    for (const QAction* action : view->actions())
        keysThere << action->objectName();
    keysThere.sort();
    EXPECT_EQ(keysThere.join(' '), "actCloseLargeView actInspector actLargeView actQuit");
    const QList<QWidget*> inView = Focusable(view);
    EXPECT_EQ(Names(inView).join(' '),
              "txbLargeStart txbGoTo cboLargeShow cboLargeColorBy picLargeView");
    PressEveryKeyEverywhere(view, inView, view->actions());
}

}  // namespace
}  // namespace quorvel::testing
