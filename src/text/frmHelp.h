// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace quorvel {

class UiServices;

// The help window: the help text beside a small example spiral, and a Close button. Modal;
// each showing takes the language, and the left edge, width and top from the main window.
class frmHelp : public QDialog {
    Q_OBJECT

  public:
    explicit frmHelp(QWidget* parent = nullptr);

    // Shows the window modally in `language`, lined up with `mainWindow`: its left edge and
    // width, its top plus `frameTop` (the start-number frame's top inside the main window)
    // plus 48 pixels. Returns when it is closed.
    void ShowFor(UiServices& services, const QWidget& mainWindow, int frameTop, int language);

    // Heights of the window's inside: the German text is longer. Both hold the whole text
    // box (7 + 378 pixels) and a margin under it.
    static constexpr int kEnglishHeight = 392;
    static constexpr int kGermanHeight = 400;
    // The narrowest inside that shows the text box and the picture beside it.
    static constexpr int kMinimumWidth = 796;

  private:
    void Form_Load();

    QPlainTextEdit* txbHelp1 = nullptr;
    QLabel* imgSpiral = nullptr;
    QPushButton* cmdClose = nullptr;
    QString strHelpText[2];
    bool blnLoaded = false;
};

// The example picture: a 7 x 7 number spiral from 1, primes in blue, the path of the numbers
// traced in yellow from the centre out past 49.
QImage ExampleSpiral();

}  // namespace quorvel
