// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <functional>

namespace quorvel {

// The start-number box. Every key that produces a character is shown to a filter first, as
// its character code (Backspace 8, Enter 13, Ctrl+C 3, Ctrl+V 22, …), which may discard it;
// keys without a character (arrows, Home, End, Delete) pass unfiltered. Text that arrives any
// other way (pasting by key, menu or middle button, dropping, an input method) is reduced to
// its decimal digits first; with no digit left the box stays as it was and the beeper sounds.
// So the box only ever holds digits.
class StartNumberBox : public QLineEdit {
    Q_OBJECT

  public:
    explicit StartNumberBox(QWidget* parent = nullptr);

    // Returns false to discard the key.
    void SetKeyFilter(std::function<bool(int keyAscii)> filter) { keyFilter_ = std::move(filter); }
    void SetBeeper(std::function<void()> beep) { beep_ = std::move(beep); }

    // The character code a key event produces, or 0 when it produces none.
    static int KeyAscii(const QKeyEvent& event);
    // The decimal digits of a text.
    static QString DigitsOf(const QString& text);

    // Inserts the digits of `text` at the caret, replacing the selection.
    void InsertDigitsOf(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

  private:
    void PasteDigits();
    void Beep();

    std::function<bool(int)> keyFilter_;
    std::function<void()> beep_;
};

}  // namespace quorvel
