#include <QApplication>

#include "mainwindow/frmMain.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    quorvel::frmMain window;
    window.Form_Load();
    return QApplication::exec();
}
