// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QIcon>

#include "mainwindow/frmMain.h"
#include "platform/file_writing.h"

int main(int argc, char* argv[]) {
    // Under a file-size limit, saving the settings at the end fails quietly instead of
    // killing the program.
    quorvel::IgnoreFileSizeSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setDesktopFileName(QStringLiteral("example.tarnwick.quorvel"));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/quorvel-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    quorvel::frmMain window;
    window.Form_Load();
    return QApplication::exec();
}
