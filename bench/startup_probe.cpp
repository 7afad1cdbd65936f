// SPDX-License-Identifier: GPL-3.0-or-later
// startup-probe: a whole process that starts like the program and ends as soon as its window
// shows a picture, for timing start-up from outside.
//   startup-probe full   the program's own start-up, up to its first picture on screen
//   startup-probe bare   the same window and widgets with a black picture and nothing else
//                        started: what any Qt program of this size needs to get on screen
#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <cstring>

#include "mainwindow/frmMain.h"

namespace {

// Ends the program once the picture has been painted.
class QuitAfterPaint : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const bool handled = watched->event(event);
            QCoreApplication::exit(0);
            return handled;
        }
        return false;
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    const bool full = argc > 1 && std::strcmp(argv[1], "full") == 0;
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    quorvel::frmMain window;
    QuitAfterPaint quit;
    window.findChild<QWidget*>(QStringLiteral("picSpiral"))->installEventFilter(&quit);
    if (full) {
        window.Form_Load();
    } else {
        window.show();
    }
    return QApplication::exec();
}
