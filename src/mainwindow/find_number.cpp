// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/find_number.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/spiral_layout.h"
#include "platform/ui_services.h"
#include "text/captions.h"
#include "text/dictionary.h"

namespace quorvel {

FindRequest ParseFindNumber(const QString& text) {
    QString digits = text.trimmed();
    if (digits.isEmpty()) return {FindProblem::Empty, 0};
    const bool negative = digits.startsWith(QLatin1Char('-'));
    if (negative) digits.remove(0, 1);
    if (digits.isEmpty()) return {FindProblem::NotANumber, 0};
    for (const QChar ch : digits) {
        // Only the digits 0 to 9: "1.5" or "1e6" is no number of a cell, nor is "١٢".
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) return {FindProblem::NotANumber, 0};
    }
    if (negative) return {FindProblem::Negative, 0};
    // Counted digit by digit, so that no length of text can overflow.
    std::int64_t number = 0;
    for (const QChar ch : digits) {
        number = number * 10 + (ch.unicode() - '0');
        if (number > lngMaxNumber) return {FindProblem::TooLarge, 0};
    }
    return {FindProblem::None, number};
}

std::optional<QPoint> CellOfNumber(const PassGeometry& geometry, std::int64_t start,
                                   std::int64_t number) {
    if (geometry.boxSize < 1 || number < start) return std::nullopt;
    const std::int64_t position = number - start + 1;
    if (position > geometry.numberOfNumbers) return std::nullopt;
    const SpiralCell cell = CellOfPosition(position);
    return QPoint(static_cast<int>(cell.x), static_cast<int>(cell.y));
}

FindNumberDialog::FindNumberDialog(UiServices& services, int language, const QString& text,
                                   QWidget* parent)
    : QDialog(parent), services_(services), language_(language) {
    setObjectName(QStringLiteral("dlgFindNumber"));
    setModal(true);
    const FindNumberTexts words = FindNumberWords(language);
    setWindowTitle(words.title);
    txbFindNumber = new QLineEdit(text, this);
    txbFindNumber->setObjectName(QStringLiteral("txbFindNumber"));
    txbFindNumber->setToolTip(words.boxTip);
    txbFindNumber->setMinimumWidth(fontMetrics().averageCharWidth() * 16);
    txbFindNumber->selectAll();
    auto* prompt = new QLabel(words.prompt, this);
    prompt->setObjectName(QStringLiteral("lblFindNumber"));
    prompt->setBuddy(txbFindNumber);

    auto* buttons = new QDialogButtonBox(this);
    auto* find = buttons->addButton(words.find, QDialogButtonBox::AcceptRole);
    find->setObjectName(QStringLiteral("cmdFindNumber"));
    find->setToolTip(words.findTip);
    find->setDefault(true);
    auto* cancel = buttons->addButton(words.cancel, QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdFindNumberCancel"));
    cancel->setToolTip(words.cancelTip);
    connect(buttons, &QDialogButtonBox::accepted, this, &FindNumberDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(prompt, txbFindNumber);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QString FindNumberDialog::Text() const {
    return txbFindNumber->text();
}

void FindNumberDialog::accept() {
    const FindRequest request = ParseFindNumber(Text());
    if (request.problem != FindProblem::None) {
        services_.ShowMessage(this, WordOf(Word::Error, language_),
                              FindProblemText(request.problem, Text().trimmed(), language_),
                              MessageButtons::Ok, MessageIcon::None);
        txbFindNumber->setFocus();
        txbFindNumber->selectAll();
        return;
    }
    number_ = request.number;
    QDialog::accept();
}

}  // namespace quorvel
