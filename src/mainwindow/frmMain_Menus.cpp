// SPDX-License-Identifier: GPL-3.0-or-later
// The menu bar: File (save, copy, quit), View (for what shows more of the picture) and Help.
// Every entry does what the button or click it stands for does, with its key as a shortcut.
#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QUrl>

#include "export/export_dialog.h"
#include "export/export_texts.h"
#include "export/picture_exporter.h"
#include "mainwindow/export_choices_file.h"
#include "mainwindow/frmMain.h"
#include "text/captions.h"
#include "text/frmManual.h"
#include "text/weblink.h"

namespace quorvel {
namespace {

QAction* AddEntry(QMenu* menu, const char* name, const QKeySequence& keys) {
    auto* action = menu->addAction(QString());
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    return action;
}

}  // namespace

void frmMain::BuildMenus() {
    mnuFile = menuBar()->addMenu(QString());
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    actSavePicture = AddEntry(mnuFile, "actSavePicture", QKeySequence(Qt::CTRL | Qt::Key_S));
    actCopyPicture =
        AddEntry(mnuFile, "actCopyPicture", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    actExportPicture = AddEntry(mnuFile, "actExportPicture", QKeySequence(Qt::CTRL | Qt::Key_E));
    mnuFile->addSeparator();
    actQuit = AddEntry(mnuFile, "actQuit", QKeySequence(Qt::CTRL | Qt::Key_Q));
    actQuit->setMenuRole(QAction::QuitRole);

    // Empty until a view adds its entry; an empty menu would look unfinished.
    mnuView = menuBar()->addMenu(QString());
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuView->menuAction()->setVisible(false);
    mnuView->installEventFilter(this);

    mnuHelp = menuBar()->addMenu(QString());
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    actHelp = AddEntry(mnuHelp, "actHelp", QKeySequence(Qt::Key_F1));
    actUserManual = AddEntry(mnuHelp, "actUserManual", QKeySequence());
    mnuHelp->addSeparator();
    actAboutQuorvel = AddEntry(mnuHelp, "actAboutQuorvel", QKeySequence());
    actAboutQuorvel->setMenuRole(QAction::AboutRole);
    actAboutQt = AddEntry(mnuHelp, "actAboutQt", QKeySequence());
    actAboutQt->setMenuRole(QAction::AboutQtRole);

    connect(actSavePicture, &QAction::triggered, this, &frmMain::mnuSavePicture_Click);
    connect(actCopyPicture, &QAction::triggered, this, &frmMain::mnuCopyPicture_Click);
    connect(actExportPicture, &QAction::triggered, this, &frmMain::mnuExportPicture_Click);
    exporter_ = new PictureExporter(*services_, this);
    connect(actQuit, &QAction::triggered, this, &frmMain::cmdQuit_Click);
    connect(actHelp, &QAction::triggered, this, &frmMain::mnuHelp_Click);
    connect(actUserManual, &QAction::triggered, this, &frmMain::mnuUserManual_Click);
    connect(actAboutQuorvel, &QAction::triggered, this, &frmMain::mnuAboutQuorvel_Click);
    connect(actAboutQt, &QAction::triggered, this, &frmMain::mnuAboutQt_Click);
    // The entries follow the window's state as it changes (UpdateBusy); an open menu looks
    // once more.
    for (QMenu* menu : {mnuFile, mnuHelp})
        connect(menu, &QMenu::aboutToShow, this, &frmMain::UpdateMenuActions);
}

void frmMain::SetMenuCaptions() {
    const auto w = [this](Word word) { return WordOf(word, intLanguage); };
    mnuFile->setTitle(w(Word::FileMenu));
    actSavePicture->setText(w(Word::SavePicture));
    actCopyPicture->setText(w(Word::CopyPicture));
    actExportPicture->setText(w(Word::ExportPicture));
    actQuit->setText(w(Word::QuitProgram));
    mnuView->setTitle(w(Word::ViewMenu));
    mnuHelp->setTitle(w(Word::HelpMenu));
    actHelp->setText(w(Word::HelpWindow));
    actUserManual->setText(w(Word::UserManual));
    actAboutQuorvel->setText(w(Word::AboutQuorvel));
    actAboutQt->setText(w(Word::AboutQt));
    // What an entry does shows in the status bar while the pointer rests on it.
    for (const Caption& tip : MenuStatusTips(intLanguage)) {
        if (auto* action = findChild<QAction*>(QString::fromLatin1(tip.control)))
            action->setStatusTip(tip.text);
    }
    SetCellCursorLanguage();
}

// While a pass draws or the spiral moves, nothing that would start other work can be
// chosen, by menu or key, as the controls that would are locked: the walk lets events
// through, and a dialog's own event loop must not open inside it. Copying takes the picture
// between two steps of the spiral; the inspector and Quit are always there. A dialog that is
// up keeps a second one out in the handlers.
void frmMain::UpdateMenuActions() {
    const bool idle = !blnDrawing && !(Moving() && !blnPaused()) && !blnQuitting;
    for (QAction* action : {actSavePicture, actExportPicture, actUserManual, actAboutQuorvel,
                            actAboutQt, actLargeView, actFindNumber}) {
        if (action != nullptr) action->setEnabled(idle);
    }
    actCopyPicture->setEnabled(!blnDrawing && !blnQuitting);
    // The Help button is away while the spiral moves, paused or not.
    actHelp->setEnabled(idle && !Moving());
}

void frmMain::mnuSavePicture_Click() {
    AskToSavePicture();
}

// The picture as it is on screen; half a picture is never copied.
// A picture of any size from the window's settings, made on a worker thread while the window
// goes on; one at a time.
void frmMain::mnuExportPicture_Click() {
    if (!actExportPicture->isEnabled() || blnDialogOpen || blnQuitting) return;
    if (exporter_->Running()) {
        const ExportTexts words = ExportWords(intLanguage);
        services_->ShowMessage(this, words.reportTitle, words.running, MessageButtons::Ok,
                               MessageIcon::Information);
        return;
    }
    PassInput picture = CurrentPassInput();
    picture.moving = false;
    // Numerals are printed only where cells have room for them, as in the window. The longest
    // runs are not measured: the export reports none, and on the largest pictures they would
    // take seconds that Cancel could not cut short.
    picture.numerals = picture.numerals && picture.boxSize > 7;
    picture.calculateLongest = false;
    ExportDialog dialog(*services_, picture, intLanguage, this, exportChoices_);
    blnDialogOpen = true;
    services_->RunModal(dialog);
    blnDialogOpen = false;
    if (dialog.result() != QDialog::Accepted || blnQuitting) return;
    exportChoices_ = dialog.Choices();
    // Kept at once: a run that ends without Quit keeps them too. A failed write costs the
    // next run these choices, nothing else.
    WriteExportChoices(strExportChoicesFile, exportChoices_);
    exporter_->Start(dialog.Settings(), dialog.FileName(), intLanguage);
}

void frmMain::mnuCopyPicture_Click() {
    if (blnDrawing || blnQuitting) return;
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setImage(surface_.Image());
}

// The Help button's click. The button is away while the spiral moves, and so is its key.
void frmMain::mnuHelp_Click() {
    if (!actHelp->isEnabled() || blnDialogOpen || blnQuitting) return;
    blnDialogOpen = true;
    cmdHelp_Click();
    blnDialogOpen = false;
}

void frmMain::mnuUserManual_Click() {
    if (!actUserManual->isEnabled() || blnDialogOpen || blnQuitting) return;
    blnDialogOpen = true;
    // The manual is always readable: in the desktop's browser where one opens it, otherwise
    // in a window of the program's own; where it is missing, a message says so.
    const QString address = ManualAddress(intLanguage);
    const QString file = QUrl(address).toLocalFile();
    if (!QFileInfo(file).isFile()) {
        services_->ShowMessage(this, ManualWindowTitle(intLanguage),
                               ManualMissingText(file, intLanguage), MessageButtons::Ok,
                               MessageIcon::Warning);
    } else if (services_->OpenUrl(QUrl(address)) <= 32) {
        if (manual_ == nullptr) manual_ = new frmManual(this);
        manual_->ShowManual(file, intLanguage);
    }
    blnDialogOpen = false;
}

void frmMain::mnuAboutQuorvel_Click() {
    if (!actAboutQuorvel->isEnabled() || blnDialogOpen || blnQuitting) return;
    blnDialogOpen = true;
    const AboutTexts about = AboutQuorvel(intLanguage);
    services_->ShowMessage(this, about.title, about.text, MessageButtons::Ok, MessageIcon::Program);
    blnDialogOpen = false;
}

void frmMain::mnuAboutQt_Click() {
    if (!actAboutQt->isEnabled() || blnDialogOpen || blnQuitting) return;
    blnDialogOpen = true;
    services_->ShowAboutToolkit(this);
    blnDialogOpen = false;
}

}  // namespace quorvel
