// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/statistics_labels.h"

#include <QEvent>
#include <QFontDatabase>
#include <QPainter>

namespace quorvel {

bool HasTabularDigits(const QFontMetrics& metrics) {
    const int width = metrics.horizontalAdvance(QLatin1Char('0'));
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (metrics.horizontalAdvance(QLatin1Char(digit)) != width) return false;
    }
    return true;
}

OutputLabel::OutputLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Most sans-serif fonts have digits of one width; where this one has not, a fixed-pitch
    // font of the same size keeps the columns straight.
    if (!HasTabularDigits(fontMetrics())) {
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        fixed.setPointSizeF(font().pointSizeF());
        setFont(fixed);
    }
}

QString OutputLabel::Dash() {
    return QStringLiteral("–");
}

void OutputLabel::paintEvent(QPaintEvent* event) {
    if (!text().isEmpty()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
    painter.drawText(contentsRect(), static_cast<int>(alignment()), Dash());
}

QLabel* StandIns::Add(QLabel* label, bool value) {
    QLabel* standIn =
        value ? new OutputLabel(label->parentWidget()) : new QLabel(label->parentWidget());
    standIn->setObjectName(label->objectName() + QStringLiteral("StandIn"));
    // Greyed: it says what would stand here, not a value of this picture.
    standIn->setEnabled(false);
    standIn->setAlignment(label->alignment());
    if (value) {
        standIn->setFixedSize(label->size());
        standIn->setMinimumSize(label->minimumSize());
        standIn->setMaximumSize(label->maximumSize());
    }
    QSizePolicy policy = standIn->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    standIn->setSizePolicy(policy);
    pairs_.push_back({label, standIn, value});
    label->installEventFilter(this);
    Follow(pairs_.back());
    return standIn;
}

void StandIns::RefreshTexts() {
    for (const Pair& pair : pairs_) {
        if (!pair.value) pair.standIn->setText(pair.label->text());
    }
}

void StandIns::Follow(const Pair& pair) {
    if (!pair.value && pair.label->isHidden()) pair.standIn->setText(pair.label->text());
    pair.standIn->setVisible(pair.label->isHidden());
}

bool StandIns::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) {
        for (const Pair& pair : pairs_) {
            if (pair.label == watched) Follow(pair);
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace quorvel
