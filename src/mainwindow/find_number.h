// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPoint>
#include <cstdint>
#include <optional>

#include "engine/spiral_pass.h"
#include "mainwindow/cell_cursor_texts.h"

class QLineEdit;

namespace quorvel {

class UiServices;

// A number typed to be found: digits, spaces around them allowed; or why it is none that a
// picture can hold (0 … lngMaxNumber).
struct FindRequest {
    FindProblem problem = FindProblem::None;
    std::int64_t number = 0;
};
FindRequest ParseFindNumber(const QString& text);

// The cell (x columns east, y rows south of the centre) of `number` in the picture of
// `geometry` around the central number `start`; nothing where that picture does not hold it.
std::optional<QPoint> CellOfNumber(const PassGeometry& geometry, std::int64_t start,
                                   std::int64_t number);

// Asks for the number to find. Find checks the text first and explains in a message what is
// wrong with it; the dialog then stays open.
class FindNumberDialog : public QDialog {
    Q_OBJECT

  public:
    FindNumberDialog(UiServices& services, int language, const QString& text,
                     QWidget* parent = nullptr);

    QString Text() const;
    // The number, once accepted.
    std::int64_t Number() const { return number_; }

    void accept() override;

  private:
    UiServices& services_;
    int language_;
    QLineEdit* txbFindNumber = nullptr;
    std::int64_t number_ = 0;
};

}  // namespace quorvel
