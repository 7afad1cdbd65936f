// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDockWidget>
#include <atomic>
#include <optional>

#include "engine/bateman_horn.h"
#include "engine/thread_pool.h"

class QCheckBox;
class QLabel;

namespace quorvel {

// The inspector: the number of the cell under the pointer and, for each ray through it, the
// quadratic, its discriminant and Bateman-Horn constant, and the primes along it against the
// primes expected. The rays are measured off the user-interface thread; only the newest cell's
// answer is shown, and older requests are dropped.
class InspectorPanel : public QDockWidget {
    Q_OBJECT

  public:
    // Terms of each ray measured.
    static constexpr std::int64_t kTerms = 1000;

    explicit InspectorPanel(QWidget* parent = nullptr);
    ~InspectorPanel() override;

    // Inspects the cell, or, with none, says what the panel is for.
    void Inspect(const std::optional<CellRays>& cell);
    void SetLanguage(int language);

    // The overlay switch for the longest runs (on by default).
    bool ShowRuns() const;

    // For tests: the number of the cell whose answer is on show.
    std::optional<std::int64_t> ShownNumber() const { return shownNumber_; }

  signals:
    void ShowRunsChanged(bool show);

  private:
    void Show(std::uint64_t generation, const CellRays& cell, const CellRayReports& reports);
    void ShowIdle();

    QLabel* lblInspector = nullptr;
    QCheckBox* chkRunOverlay = nullptr;
    std::uint64_t generation_ = 0;          // of the newest request
    std::atomic<std::uint64_t> wanted_{0};  // the same, for the tasks: older ones do nothing
    std::optional<CellRays> cell_;          // asked for last
    std::optional<CellRays> shownCell_;     // whose answer is on show
    std::optional<CellRayReports> reports_;
    std::optional<std::int64_t> shownNumber_;
    int language_ = 0;
    TaskGroup work_;  // last: no task outlives the panel it reports to
};

}  // namespace quorvel
