// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QStaticText>

namespace quorvel {

// A one-line label that lays its text out once per text, not on every paint: the readout
// changes with every move of the pointer and is painted as often.
class ReadoutLabel : public QLabel {
    Q_OBJECT

  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QStaticText laidOut_;
};

}  // namespace quorvel
