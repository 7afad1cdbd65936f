// SPDX-License-Identifier: GPL-3.0-or-later
// The picture from the keyboard: the cell cursor that the arrow keys move once the picture has
// the focus, Enter on it, and View › Find Number (Ctrl+F), which puts it on a number's cell.
#include <QAction>
#include <QMenu>

#include "explorer/cell_cursor.h"
#include "explorer/explorer.h"
#include "mainwindow/cell_cursor_texts.h"
#include "mainwindow/find_number.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/spiral_picture.h"

namespace quorvel {

void frmMain::BuildCellCursor() {
    connect(explorer_->Cursor(), &CellCursor::Activated, this,
            [this](QPointF at) { picSpiral_MouseUp(Qt::LeftButton, at); });
    mnuView->addSeparator();
    actFindNumber = mnuView->addAction(QString());
    actFindNumber->setObjectName(QStringLiteral("actFindNumber"));
    actFindNumber->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(actFindNumber, &QAction::triggered, this, &frmMain::mnuFindNumber_Click);
    SetCellCursorLanguage();
    UpdateMenuActions();
}

void frmMain::SetCellCursorLanguage() {
    if (actFindNumber == nullptr) return;
    const FindNumberTexts words = FindNumberWords(intLanguage);
    actFindNumber->setText(words.menu);
    actFindNumber->setStatusTip(words.menuTip);
    picSpiral->setAccessibleDescription(PictureDescription(intLanguage));
}

// Asks for a number and puts the cell cursor on its cell in the picture on screen, so that the
// readout and the inspector tell about it; or says that the picture does not hold it.
void frmMain::mnuFindNumber_Click() {
    if (!actFindNumber->isEnabled() || blnDialogOpen || blnQuitting) return;
    FindNumberDialog dialog(*services_, intLanguage, strFindText, this);
    blnDialogOpen = true;
    services_->RunModal(dialog);
    blnDialogOpen = false;
    if (dialog.result() != QDialog::Accepted || blnQuitting || !PictureIsStill()) return;
    strFindText = dialog.Text().trimmed();
    const std::int64_t number = dialog.Number();
    const PassGeometry& g = lastPass_.geometry;
    const std::optional<QPoint> cell = CellOfNumber(g, lastPass_.startNumber, number);
    if (cell && explorer_->Cursor()->MoveTo(*cell)) return;
    std::optional<std::pair<std::int64_t, std::int64_t>> shown;
    if (g.boxSize > 0)
        shown = {lastPass_.startNumber,
                 static_cast<std::int64_t>(lastPass_.startNumber) + g.numberOfNumbers - 1};
    services_->ShowMessage(this, FindNumberWords(intLanguage).title,
                           NotInPictureText(number, shown, intLanguage), MessageButtons::Ok,
                           MessageIcon::Information);
}

}  // namespace quorvel
