// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/window_keys.h"

#include <QAction>
#include <QDockWidget>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPointer>
#include <QWidget>

namespace quorvel {
namespace {

class WindowKeys : public QObject {
  public:
    explicit WindowKeys(QWidget* window) : QObject(window), window_(window) { Watch(window); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ChildAdded) {
            QObject* child = static_cast<QChildEvent*>(event)->child();
            if (child->isWidgetType()) Watch(static_cast<QWidget*>(child));
        } else if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
                   InWindow(static_cast<QWidget*>(watched)) &&
                   IsActionKey(*static_cast<QKeyEvent*>(event))) {
            // Not claimed: the shortcut goes first. The event still travels up to the window,
            // past every control that would claim it.
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void Watch(QWidget* widget) {
        widget->installEventFilter(this);
        for (QWidget* child : widget->findChildren<QWidget*>())
            child->installEventFilter(this);
    }

    // A control of the window itself, or of a panel torn off it; not of a window of its own
    // (a dialog, another view) that it happens to own.
    bool InWindow(const QWidget* widget) const {
        const QWidget* top = widget->window();
        while (top != window_ && qobject_cast<const QDockWidget*>(top) != nullptr &&
               top->parentWidget() != nullptr) {
            top = top->parentWidget()->window();
        }
        return top == window_;
    }

    bool IsActionKey(const QKeyEvent& key) const {
        if (window_.isNull()) return false;
        const QKeySequence pressed(key.keyCombination());
        QList<QAction*> actions = window_->actions();
        actions += window_->findChildren<QAction*>();
        for (const QAction* action : actions) {
            if (!action->isEnabled() || !action->isVisible() ||
                action->shortcutContext() == Qt::WidgetShortcut) {
                continue;
            }
            if (action->shortcuts().contains(pressed)) return true;
        }
        return false;
    }

    QPointer<QWidget> window_;
};

}  // namespace

void LetWindowKeysThrough(QWidget* window) {
    new WindowKeys(window);
}

}  // namespace quorvel
