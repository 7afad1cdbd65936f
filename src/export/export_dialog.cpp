// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/export_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "engine/density_map.h"
#include "export/export_texts.h"
#include "platform/ui_services.h"
#include "text/captions.h"
#include "text/dictionary.h"

namespace quorvel {

ExportDialog::ExportDialog(UiServices& services, const PassInput& picture, int language,
                           QWidget* parent)
    : QDialog(parent), services_(services), picture_(picture), language_(language) {
    setObjectName(QStringLiteral("dlgExport"));
    setModal(true);
    const ExportTexts words = ExportWords(language);
    setWindowTitle(words.title);

    auto* settings = new QLabel(ExportSettingsLine(picture, language), this);
    settings->setObjectName(QStringLiteral("lblExportSettings"));
    settings->setWordWrap(true);
    spnExportSide = new QSpinBox(this);
    spnExportSide->setObjectName(QStringLiteral("spnExportSide"));
    // From the window's own size up to the whole number range at one pixel a cell.
    spnExportSide->setRange(527, kLargestPictureSide);
    spnExportSide->setValue(4096);
    spnExportSide->setAccelerated(true);
    chkExportDensity = new QCheckBox(words.density, this);
    chkExportDensity->setObjectName(QStringLiteral("chkExportDensity"));
    spnExportDensity = new QSpinBox(this);
    spnExportDensity->setObjectName(QStringLiteral("spnExportDensity"));
    spnExportDensity->setRange(kSmallestDensityBlock, kLargestDensityBlock);
    spnExportDensity->setValue(11);
    spnExportDensity->setEnabled(false);
    connect(chkExportDensity, &QCheckBox::toggled, spnExportDensity, &QWidget::setEnabled);
    txbExportFile = new QLineEdit(this);
    txbExportFile->setObjectName(QStringLiteral("txbExportFile"));
    txbExportFile->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    auto* browse = new QPushButton(words.browse, this);
    browse->setObjectName(QStringLiteral("cmdExportBrowse"));
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &ExportDialog::Browse);

    auto* file = new QHBoxLayout;
    file->addWidget(txbExportFile, 1);
    file->addWidget(browse);
    auto* form = new QFormLayout;
    form->addRow(words.settings, settings);
    form->addRow(words.side, spnExportSide);
    form->addRow(QString(), chkExportDensity);
    form->addRow(words.block, spnExportDensity);
    form->addRow(words.file, file);
    auto* buttons = new QDialogButtonBox(this);
    auto* start = buttons->addButton(words.start, QDialogButtonBox::AcceptRole);
    start->setObjectName(QStringLiteral("cmdExportStart"));
    start->setDefault(true);
    auto* cancel = buttons->addButton(words.cancel, QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdExportCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ExportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    for (const Caption& tip : ExportToolTips(language)) {
        if (auto* control = findChild<QWidget*>(QString::fromLatin1(tip.control)))
            control->setToolTip(tip.text);
    }
}

ExportSettings ExportDialog::Settings() const {
    ExportSettings settings;
    settings.pass = picture_;
    settings.side = spnExportSide->value();
    settings.density = chkExportDensity->isChecked() ? spnExportDensity->value() : 0;
    return settings;
}

QString ExportDialog::FileName() const {
    const QString name = txbExportFile->text().trimmed();
    if (name.isEmpty()) return name;
    return QDir::cleanPath(QDir::home().absoluteFilePath(QDir::fromNativeSeparators(name)));
}

QString ExportDialog::Problem(const ExportSettings& settings, const QString& file, int language) {
    const ExportTexts words = ExportWords(language);
    // The numbers first, with the window's own messages for the same refusals.
    const PassOutcome refusal = ExportRefusal(settings);
    if (IsRefusal(refusal)) return RefusalMessage(refusal, language);
    if (settings.density == 0 && settings.pass.numerals && settings.side > kLargestNumeralsSide)
        return words.numerals;
    if (file.isEmpty()) return words.noFile;
    return {};
}

void ExportDialog::accept() {
    const QString problem = Problem(Settings(), FileName(), language_);
    if (!problem.isEmpty()) {
        services_.ShowMessage(this, WordOf(Word::Error, language_), problem, MessageButtons::Ok,
                              MessageIcon::None);
        return;
    }
    // A file that is there already is replaced only when the user says so, once.
    const QString file = FileName();
    if (QFileInfo::exists(file) && file != confirmed_) {
        const ExportTexts words = ExportWords(language_);
        if (services_.ShowMessage(this, words.title, words.replace + QLatin1Char('\n') + file,
                                  MessageButtons::YesNo,
                                  MessageIcon::Question) != MessageAnswer::Yes) {
            return;
        }
    }
    QDialog::accept();
}

void ExportDialog::Browse() {
    const SaveImageTexts texts = SaveTexts(language_);
    QString name = services_.AskSaveFileName(this, texts.dialogTitle, texts.nameFilter);
    if (name.isEmpty()) return;
    // The file dialog asked about replacing the name it gave; a ".png" added here makes another
    // name, which Export asks about itself.
    if (name.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        confirmed_ = QDir::cleanPath(name);
    } else {
        name += QStringLiteral(".png");
    }
    txbExportFile->setText(name);
}

}  // namespace quorvel
