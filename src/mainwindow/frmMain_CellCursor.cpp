// SPDX-License-Identifier: GPL-3.0-or-later
// The picture from the keyboard: the cell cursor that the arrow keys move once the picture has
// the focus, and Enter on it.
#include "explorer/cell_cursor.h"
#include "explorer/explorer.h"
#include "mainwindow/cell_cursor_texts.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/spiral_picture.h"

namespace quorvel {

void frmMain::BuildCellCursor() {
    connect(explorer_->Cursor(), &CellCursor::Activated, this,
            [this](QPointF at) { picSpiral_MouseUp(Qt::LeftButton, at); });
    SetCellCursorLanguage();
}

void frmMain::SetCellCursorLanguage() {
    picSpiral->setAccessibleDescription(PictureDescription(intLanguage));
}

}  // namespace quorvel
