// SPDX-License-Identifier: GPL-3.0-or-later
// The large view, opened from the View menu (F4): a window of its own over the spiral of any
// start number, which starts where this window's picture stands.
#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "explorer/explorer.h"
#include "explorer/ray_panel.h"
#include "largeview/frmLargeView.h"
#include "largeview/large_picture.h"
#include "largeview/largeview_texts.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/window_fit.h"

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
    if (actLargeView != nullptr) {
        const LargeViewTexts words = LargeViewWords(intLanguage);
        actLargeView->setText(words.menu);
        actLargeView->setStatusTip(words.menuTip);
    }
    if (largeView_ != nullptr) largeView_->SetLanguage(intLanguage);
}

void frmMain::mnuLargeView_Click() {
    if (!actLargeView->isEnabled() || blnQuitting) return;
    if (largeView_ == nullptr) {
        largeView_ = new frmLargeView(this);
        largeView_->SetLanguage(intLanguage);
        connect(largeView_, &frmLargeView::pointerAtPosition, explorer_,
                &Explorer::InspectElsewhere);
        connect(largeView_, &frmLargeView::pointedCellGone, explorer_, &Explorer::ElsewhereChanged);
        // The keys of the View menu, and Quit, work there as here.
        largeView_->addActions({explorer_->InspectorAction(), actLargeView, actQuit});
    }
    if (largeView_->isHidden()) {
        largeView_->ShowSpiral(static_cast<std::uint64_t>(std::max(lastPass_.startNumber, 0)),
                               std::min(intBoxSize, LargePicture::kMaxCellSize));
        PlaceLargeView();
        // The first time in a run, where it stood when the program last ended, if that is on a
        // screen now.
        const std::optional<QRect>& kept = places_.largeView;
        if (!largeViewPlaced_ && kept &&
            FitsAScreen(QRect(kept->topLeft(), kept->size().grownBy(WindowFrame())),
                        AvailableScreens())) {
            largeView_->resize(kept->size());
            largeView_->move(kept->topLeft());
        }
        largeViewPlaced_ = true;
    }
    largeView_->show();
    largeView_->raise();
    largeView_->activateWindow();
}

// This window's frame, or before it has been framed a guess of a title bar and thin borders.
QMargins frmMain::WindowFrame() const {
    if (!isVisible() || frameGeometry() == geometry()) return {4, 30, 4, 4};
    return {geometry().left() - frameGeometry().left(), geometry().top() - frameGeometry().top(),
            frameGeometry().right() - geometry().right(),
            frameGeometry().bottom() - geometry().bottom()};
}

// Beside this window where the screen has room, so that neither covers the other, nor the
// inspector that follows the pointer there; else a little down and right of this window.
void frmMain::PlaceLargeView() {
    const QScreen* screen =
        this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    const QRect room = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QMargins frame = WindowFrame();
    const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    QRect anchor = frameGeometry();
    // A closed inspector docks on this window's right when opened: its room is kept free.
    const InspectorPanel* inspector = explorer_->Inspector();
    if (inspector->isHidden() && !inspector->isFloating())
        anchor.setRight(anchor.right() + inspector->width());
    const QSize preferred =
        QSize(std::min(1024, room.width() * 9 / 10), std::min(768, room.height() * 9 / 10)) +
        frameSize;
    const QRect place =
        PlaceBeside(anchor, preferred, QSize(480, 360) + frameSize, room, frame.top() + 16);
    largeView_->resize(place.size() - frameSize);
    largeView_->move(place.topLeft());
}

}  // namespace quorvel
