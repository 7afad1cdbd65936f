// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <utility>
#include <vector>

namespace quorvel {

// A statistics value: right-aligned in figures of equal width, so that numbers in a column
// line up digit for digit, and a faint dash while it holds nothing, so that an empty value
// never looks like a hole. Its text stays exactly what the window sets.
class OutputLabel : public QLabel {
    Q_OBJECT

  public:
    explicit OutputLabel(QWidget* parent = nullptr);

    // The dash an empty value shows.
    static QString Dash();

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// True when every digit of the font is as wide as every other.
bool HasTabularDigits(const QFontMetrics& metrics);

// Keeps the place of labels that the window's rules hide. While a label is hidden its stand-in
// shows in the same spot: a greyed copy of a caption, or a dash for a value. The hidden label
// itself stays hidden; the stand-in only follows it.
class StandIns : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;

    // Makes the stand-in of `label` beside it (same parent) and returns it, for the layout to
    // put in the same place.
    QLabel* Add(QLabel* label, bool value);
    // Captions' stand-ins take their labels' texts again (after a change of language).
    void RefreshTexts();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Pair {
        QLabel* label;
        QLabel* standIn;
        bool value;
    };
    void Follow(const Pair& pair);
    std::vector<Pair> pairs_;
};

}  // namespace quorvel
