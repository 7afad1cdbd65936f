// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/button_keys.h"

#include <QKeyEvent>
#include <QPushButton>

namespace quorvel {
namespace {

// Outside a dialog a push button ignores Enter; this presses it, once per key press.
class EnterPresses : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
        if (key->modifiers() & ~Qt::KeypadModifier) return false;
        auto* button = qobject_cast<QPushButton*>(watched);
        if (button == nullptr || !button->isEnabled() || !button->isVisible()) return false;
        if (!key->isAutoRepeat()) button->click();
        return true;
    }
};

}  // namespace

void LetEnterPressButtons(QWidget* root) {
    auto* filter = new EnterPresses(root);
    for (QPushButton* button : root->findChildren<QPushButton*>())
        button->installEventFilter(filter);
}

}  // namespace quorvel
