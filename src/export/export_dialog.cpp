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
#include "export/file_target.h"
#include "platform/ui_services.h"
#include "text/captions.h"
#include "text/dictionary.h"

namespace quorvel {

ExportDialog::ExportDialog(UiServices& services, const PassInput& picture, int language,
                           QWidget* parent, const ExportChoices& choices)
    : QDialog(parent),
      services_(services),
      picture_(picture),
      language_(language),
      folder_(choices.folder.isEmpty() ? QDir::homePath() : choices.folder) {
    setObjectName(QStringLiteral("dlgExport"));
    setModal(true);
    const ExportTexts words = ExportWords(language);
    setWindowTitle(words.title);

    lblExportSettings = new QLabel(this);
    lblExportSettings->setObjectName(QStringLiteral("lblExportSettings"));
    lblExportSettings->setWordWrap(true);
    lblExportCost = new QLabel(this);
    lblExportCost->setObjectName(QStringLiteral("lblExportCost"));
    spnExportSide = new QSpinBox(this);
    spnExportSide->setObjectName(QStringLiteral("spnExportSide"));
    // From the window's own size up to the whole number range at one pixel a cell.
    spnExportSide->setRange(527, kLargestPictureSide);
    spnExportSide->setValue(choices.side);
    spnExportSide->setAccelerated(true);
    chkExportDensity = new QCheckBox(words.density, this);
    chkExportDensity->setObjectName(QStringLiteral("chkExportDensity"));
    spnExportDensity = new QSpinBox(this);
    spnExportDensity->setObjectName(QStringLiteral("spnExportDensity"));
    spnExportDensity->setRange(kSmallestDensityBlock, kLargestDensityBlock);
    spnExportDensity->setValue(choices.block);
    chkExportDensity->setChecked(choices.density);
    spnExportDensity->setEnabled(choices.density);
    connect(chkExportDensity, &QCheckBox::toggled, spnExportDensity, &QWidget::setEnabled);
    connect(chkExportDensity, &QCheckBox::toggled, this, &ExportDialog::Update);
    connect(spnExportSide, &QSpinBox::valueChanged, this, &ExportDialog::Update);
    connect(spnExportDensity, &QSpinBox::valueChanged, this, &ExportDialog::Update);
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
    form->addRow(words.settings, lblExportSettings);
    form->addRow(words.side, spnExportSide);
    form->addRow(QString(), chkExportDensity);
    form->addRow(words.block, spnExportDensity);
    form->addRow(words.file, file);
    form->addRow(QString(), lblExportCost);
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
    Update();
}

void ExportDialog::Update() {
    const ExportSettings settings = Settings();
    lblExportSettings->setText(settings.density > 0 ? DensitySettingsLine(picture_, language_)
                                                    : ExportSettingsLine(picture_, language_));
    const ExportCost cost = CostOf(settings);
    lblExportCost->setText(ExportCostLine(cost.numbers, cost.bytes, language_));
    const QString proposed =
        QDir(folder_).filePath(ProposedExportName(picture_, settings.side, settings.density));
    if (txbExportFile->text().isEmpty() || txbExportFile->text() == proposed_)
        txbExportFile->setText(proposed);
    proposed_ = proposed;
}

ExportChoices ExportDialog::Choices() const {
    const QString file = FileName();
    return {spnExportSide->value(), chkExportDensity->isChecked(), spnExportDensity->value(),
            file.isEmpty() ? folder_ : QFileInfo(file).absolutePath()};
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
    if (auto problem = PictureTargetProblem(file, language)) return *problem;
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
