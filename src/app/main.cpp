#include <QApplication>

#include "engine/primelib.h"
#include "mainwindow/frmMain.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    quorvel::primelib::calculate_primes(quorvel::primelib::kMaxNumber);
    quorvel::frmMain window;
    window.show();
    return QApplication::exec();
}
