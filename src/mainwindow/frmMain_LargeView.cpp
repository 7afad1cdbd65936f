// SPDX-License-Identifier: GPL-3.0-or-later
// The large view, opened from the View menu (F4): a window of its own over the spiral of any
// start number, which starts where this window's picture stands.
#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "explorer/explorer.h"
#include "largeview/frmLargeView.h"
#include "largeview/large_picture.h"
#include "largeview/largeview_texts.h"
#include "mainwindow/frmMain.h"

namespace quorvel {

void frmMain::BuildLargeViewEntry() {
    actLargeView = mnuView->addAction(QString());
    actLargeView->setObjectName(QStringLiteral("actLargeView"));
    actLargeView->setShortcut(QKeySequence(Qt::Key_F4));
    connect(actLargeView, &QAction::triggered, this, &frmMain::mnuLargeView_Click);
    SetLargeViewLanguage();
    UpdateMenuActions();
}

void frmMain::SetLargeViewLanguage() {
    if (actLargeView != nullptr) actLargeView->setText(LargeViewWords(intLanguage).menu);
    if (largeView_ != nullptr) largeView_->SetLanguage(intLanguage);
}

void frmMain::mnuLargeView_Click() {
    if (!actLargeView->isEnabled() || blnQuitting) return;
    if (largeView_ == nullptr) {
        largeView_ = new frmLargeView(this);
        largeView_->SetLanguage(intLanguage);
        connect(largeView_, &frmLargeView::pointerAtPosition, explorer_,
                &Explorer::InspectElsewhere);
    }
    if (largeView_->isHidden()) {
        largeView_->ShowSpiral(static_cast<std::uint64_t>(std::max(lastPass_.startNumber, 0)),
                               std::min(intBoxSize, LargePicture::kMaxCellSize));
        // Where this window stands, as large as the screen allows.
        const QScreen* screen =
            this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
        const QRect room = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
        largeView_->resize(std::min(1024, room.width() * 9 / 10),
                           std::min(768, room.height() * 9 / 10));
        QPoint at = frameGeometry().topLeft();
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - 1024)));
        at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - 768)));
        largeView_->move(at);
    }
    largeView_->show();
    largeView_->raise();
    largeView_->activateWindow();
}

}  // namespace quorvel
