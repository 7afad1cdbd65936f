// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/start_number_box.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace quorvel {

StartNumberBox::StartNumberBox(QWidget* parent) : QLineEdit(parent) {}

int StartNumberBox::KeyAscii(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers mods = event.modifiers();
    switch (key) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        default:
            break;
    }
    // Control with a letter gives the control codes 1 (Ctrl+A) to 26 (Ctrl+Z).
    if ((mods & Qt::ControlModifier) && !(mods & (Qt::AltModifier | Qt::MetaModifier)) &&
        key >= Qt::Key_A && key <= Qt::Key_Z) {
        return key - Qt::Key_A + 1;
    }
    const QString text = event.text();
    if (text.isEmpty()) return 0;
    const char16_t ch = text.front().unicode();
    // Platforms differ in the text they give keys like Delete; none of them types anything.
    if (ch < 0x20 || ch == 0x7F) return 0;
    return ch;
}

QString StartNumberBox::DigitsOf(const QString& text) {
    QString digits;
    for (const QChar ch : text) {
        if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) digits += ch;
    }
    return digits;
}

void StartNumberBox::Beep() {
    if (beep_) beep_();
}

void StartNumberBox::InsertDigitsOf(const QString& text) {
    const QString digits = DigitsOf(text);
    if (digits.isEmpty()) {
        Beep();
        return;
    }
    insert(digits);
}

void StartNumberBox::PasteDigits() {
    if (isReadOnly()) return;
    InsertDigitsOf(QGuiApplication::clipboard()->text());
}

void StartNumberBox::keyPressEvent(QKeyEvent* event) {
    const int keyAscii = KeyAscii(*event);
    if (keyAscii != 0 && keyFilter_ && !keyFilter_(keyAscii)) {
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        PasteDigits();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void StartNumberBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The menu's own Paste would insert the clipboard as it is.
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste")) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &StartNumberBox::PasteDigits);
        }
    }
    menu->popup(event->globalPos());
}

void StartNumberBox::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasText() && !DigitsOf(event->mimeData()->text()).isEmpty()) {
        QLineEdit::dragEnterEvent(event);
    } else {
        event->ignore();
    }
}

void StartNumberBox::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasText() && !DigitsOf(event->mimeData()->text()).isEmpty()) {
        QLineEdit::dragMoveEvent(event);
    } else {
        event->ignore();
    }
}

void StartNumberBox::dropEvent(QDropEvent* event) {
    const QString digits =
        event->mimeData()->hasText() ? DigitsOf(event->mimeData()->text()) : QString();
    if (digits.isEmpty()) {
        event->ignore();
        Beep();
        return;
    }
    // The box's own drop, with only the digits: a drag within the box still moves its text.
    QMimeData filtered;
    filtered.setText(digits);
    QDropEvent digitsOnly(event->position(), event->possibleActions(), &filtered, event->buttons(),
                          event->modifiers(), event->type());
    digitsOnly.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&digitsOnly);
    event->setDropAction(digitsOnly.dropAction());
    event->setAccepted(digitsOnly.isAccepted());
}

void StartNumberBox::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the selection on X11.
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
        if (!isReadOnly()) {
            deselect();
            setCursorPosition(cursorPositionAt(event->position().toPoint()));
            InsertDigitsOf(clipboard->text(QClipboard::Selection));
        }
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void StartNumberBox::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (commit.isEmpty() || DigitsOf(commit) == commit) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent digitsOnly(event->preeditString(), event->attributes());
    digitsOnly.setCommitString(DigitsOf(commit), event->replacementStart(),
                               event->replacementLength());
    if (digitsOnly.commitString().isEmpty()) Beep();
    QLineEdit::inputMethodEvent(&digitsOnly);
}

}  // namespace quorvel
