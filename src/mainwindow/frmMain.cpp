#include "mainwindow/frmMain.h"

#include <QPixmap>

namespace quorvel {

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quorvel"));
    picSpiral_ = new QLabel(this);
    picSpiral_->setObjectName(QStringLiteral("picSpiral"));
    picSpiral_->setFixedSize(kSpiralSide, kSpiralSide);
    setCentralWidget(picSpiral_);
    surface_.SetRefreshHandler(
        [this] { picSpiral_->setPixmap(QPixmap::fromImage(surface_.Image())); });
    DrawSpiral();
}

void frmMain::DrawSpiral() {
    engine_.DrawSpiral(PassInput{}, surface_);
}

}  // namespace quorvel
