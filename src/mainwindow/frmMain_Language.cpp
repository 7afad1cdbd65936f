// SPDX-License-Identifier: GPL-3.0-or-later
// English and German: the captions and lists in the current language, and the switch between
// them while the program runs.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <string_view>

#include "explorer/explorer.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/link_label.h"
#include "mainwindow/statistics_labels.h"
#include "text/captions.h"
#include "text/translation.h"
#include "text/weblink.h"

namespace quorvel {
namespace {

// Refills a list with nothing selected, as a fresh list is. Filling it raises no change:
// only selecting an entry afterwards does, as a user's choice would.
void Fill(QComboBox* list, const std::vector<ListItem>& items) {
    const QSignalBlocker quiet(list);
    list->clear();
    for (const ListItem& item : items)
        list->addItem(item.text, item.data);
    list->setCurrentIndex(-1);
}

// Refills a list and selects the position chosen. Start-up fills the lists before it chooses
// in them: a list that shows no choice yet is left without one.
void Refill(QComboBox* list, const std::vector<ListItem>& items, int chosen) {
    const bool showsChoice = list->currentIndex() != -1;
    Fill(list, items);
    if (showsChoice) list->setCurrentIndex(chosen);
}

}  // namespace

void frmMain::SetLanguageDependentCaptions() {
    bool twoLines = false;  // the count's caption takes two lines
    for (const Caption& caption : LanguageDependentCaptions(intLanguage)) {
        if (std::string_view(caption.control) == "lblNumberShown2")
            twoLines = !caption.text.isEmpty();
        QWidget* control = findChild<QWidget*>(QString::fromLatin1(caption.control));
        if (auto* label = qobject_cast<QLabel*>(control)) {
            label->setText(caption.text);
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            button->setText(caption.text);
        }
    }
    for (const Caption& tip : LanguageDependentToolTips(intLanguage)) {
        if (auto* control = findChild<QWidget*>(QString::fromLatin1(tip.control)))
            control->setToolTip(tip.text);
    }
    // The count stands level with the line of its caption that ends in the colon.
    const Qt::Alignment level = twoLines ? Qt::AlignBottom : Qt::AlignTop;
    for (QLabel* count : {lblNumberShownOutput,
                          findChild<QLabel*>(QStringLiteral("lblNumberShownOutputStandIn"))}) {
        if (count != nullptr) count->setAlignment(Qt::AlignRight | level);
    }
    if (standIns_ != nullptr) standIns_->RefreshTexts();
    SetMenuCaptions();
    if (explorer_ != nullptr) explorer_->SetLanguage(intLanguage);
    SetLargeViewLanguage();
    // The link opens the manual in the window's language; the tips speak it too.
    const TextsIn texts(intLanguage);
    lblOnlineDocumentation->setToolTip(
        (texts.translate("MainWindow", "Click here for the online user manual at %1."))
            .arg(ManualAddress(intLanguage)));
    lblTarnwick->setToolTip(
        (texts.translate("MainWindow", "Click here for the Tarnwick website at %1."))
            .arg(TarnwickAddress()));
    lblP->setToolTip(texts.translate("MainWindow", "P: the central number is prime"));
}

void frmMain::SetLanguageDependentLists() {
    Fill(cboLanguage, LanguageItems(intLanguage));
    cboLanguage->setCurrentIndex(FindLanguageListIndex(intLanguage));
    Refill(cboColorBy, ColorByItems(intLanguage), settings_.colorBy);
    Refill(cboShow, ShowItems(intLanguage), settings_.show);
}

int frmMain::FindLanguageListIndex(int language) const {
    const int found = cboLanguage->findData(language);
    return found >= 0 ? found : intEnglish;
}

void frmMain::SetLanguageDependentText() {
    SetLanguageDependentCaptions();
    blnRefillingLists = true;
    SetLanguageDependentLists();
    blnRefillingLists = false;
}

void frmMain::cboLanguage_Click() {
    // Refilling the list below selects an entry again; that second call finds the language
    // already chosen.
    const QVariant chosen = cboLanguage->currentData();
    if (chosen.isValid() && chosen.toInt() != intLanguage) {
        intLanguage = chosen.toInt();
        SetLanguageDependentText();
        InstallLanguage(intLanguage);
        strCalculating = CalculatingText(intLanguage);
        ExplainColors();
        FitToScreen();
    }
    update();
    RestoreFocus();
}

}  // namespace quorvel
