// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;

namespace quorvel {

class LargePicture;

// The large view: a window of any size over the spiral of any start number up to 10^18, with
// boxes for the start number and a number to go to, and the number under the pointer in its
// status bar.
class frmLargeView : public QMainWindow {
    Q_OBJECT

  public:
    explicit frmLargeView(QWidget* parent = nullptr);
    ~frmLargeView() override;

    // Shows the spiral of `start` at `cellSize` (clamped to 1 … 64), centred on the centre.
    void ShowSpiral(std::uint64_t start, int cellSize);
    void SetLanguage(int language);
    LargePicture* Picture() const { return picLargeView; }

  signals:
    // The pointer rests over the cell at `position` of the spiral of `start` (both within
    // 64-bit signed numbers), for the explorer's inspector to follow.
    void pointerAtPosition(qint64 position, qint64 start);
    // The view changed while the pointer was elsewhere: the cell last pointed at is gone from
    // under it.
    void pointedCellGone();

  protected:
    void closeEvent(QCloseEvent* event) override;
    // The language the application installs, through QEvent::LanguageChange.
    void changeEvent(QEvent* event) override;

  private:
    void txbLargeStart_Enter();
    void txbGoTo_Enter();
    void ShowReadout();
    void ShowCellSize();
    void ShowMessage(const QString& text);
    // The lists in the language, and which of their entries the view can draw where it stands.
    void FillLists();
    void UpdateLists();

    LargePicture* picLargeView = nullptr;
    QLabel* lblLargeStart = nullptr;
    QLineEdit* txbLargeStart = nullptr;
    QLabel* lblGoTo = nullptr;
    QLineEdit* txbGoTo = nullptr;
    QLabel* lblLargeShow = nullptr;
    QComboBox* cboLargeShow = nullptr;
    QLabel* lblLargeColorBy = nullptr;
    QComboBox* cboLargeColorBy = nullptr;
    QLabel* lblLargeViewReadout = nullptr;
    QLabel* lblLargeCellSize = nullptr;
    int intLanguage = 0;
};

}  // namespace quorvel
