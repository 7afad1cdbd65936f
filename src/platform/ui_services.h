// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QString>

class QDialog;
class QUrl;
class QWidget;

namespace quorvel {

enum class MessageButtons { Ok, YesNo };
// Program: the program's own icon, as an About box shows it.
enum class MessageIcon { None, Information, Warning, Question, Program };
enum class MessageAnswer { Ok, Yes, No };

// Everything the windows do that blocks, makes a noise or leaves the process goes through
// here: the shipped program uses the toolkit's dialogs, tests substitute a recorder so that no
// test ever waits on a modal window.
class UiServices {
  public:
    virtual ~UiServices() = default;

    // A modal message box; the answer is Ok for an OK-only box.
    virtual MessageAnswer ShowMessage(QWidget* parent, const QString& title, const QString& text,
                                      MessageButtons buttons, MessageIcon icon) = 0;
    virtual void Beep() = 0;
    // The name of a file to save, or an empty string when the user cancelled.
    virtual QString AskSaveFileName(QWidget* parent, const QString& title,
                                    const QString& nameFilter) = 0;
    // Opens an address in the user's browser. Answers as the desktop shell does: a number
    // above 32 on success, else an error code (2: no such file, 31: nothing opens this kind
    // of address).
    virtual int OpenUrl(const QUrl& url) = 0;
    // Shows a dialog modally and returns when it is closed.
    virtual void RunModal(QDialog& dialog) = 0;
    // The toolkit's own About box, modal.
    virtual void ShowAboutToolkit(QWidget* parent) = 0;
    // Asked again and again by a long drawing pass: whether user input may be waiting, so that
    // processing events is worth its cost. StartLongWork() is called when such a pass begins.
    virtual void StartLongWork() {}
    virtual bool UserInputMayBePending() = 0;
};

// The real thing: QMessageBox, QApplication::beep, QFileDialog, QDesktopServices.
class QtUiServices : public UiServices {
  public:
    MessageAnswer ShowMessage(QWidget* parent, const QString& title, const QString& text,
                              MessageButtons buttons, MessageIcon icon) override;
    void Beep() override;
    QString AskSaveFileName(QWidget* parent, const QString& title,
                            const QString& nameFilter) override;
    int OpenUrl(const QUrl& url) override;
    void RunModal(QDialog& dialog) override;
    void ShowAboutToolkit(QWidget* parent) override;
    void StartLongWork() override;
    // The toolkit has no cheap "is input waiting?" query, so a long pass looks every
    // kInputPollMs milliseconds: often enough for the Stop button to answer at once, rarely
    // enough that a fast pass never stops to process events.
    bool UserInputMayBePending() override;

    static constexpr int kInputPollMs = 40;

  private:
    QElapsedTimer sinceLastLook_;
};

}  // namespace quorvel
