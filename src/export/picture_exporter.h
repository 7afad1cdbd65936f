// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <atomic>

#include "engine/thread_pool.h"
#include "platform/picture_export.h"

class QProgressDialog;
class QTimer;
class QWidget;

namespace quorvel {

class UiServices;

// Runs one export at a time on a thread of the pool, with a progress dialog that shows
// the percentage done and can cancel it; the window stays usable meanwhile. When it ends it
// says where the picture went, how large it is and how long it took, or why it failed. A
// cancelled or failed export leaves no file behind.
class PictureExporter : public QObject {
    Q_OBJECT

  public:
    PictureExporter(UiServices& services, QWidget* window);
    // Stops an export that is still running and waits for it.
    ~PictureExporter() override;

    bool Running() const { return running_; }
    // Starts the export; false (and a message) when one is running already.
    bool Start(const ExportSettings& settings, const QString& path, int language);
    // Asks a running export to stop and waits until it has: no file is left.
    void CancelAndWait();

    // For tests: the progress dialog of the running export, if any.
    QProgressDialog* Progress() const;

  signals:
    // The export ended, written or not.
    void Finished(ExportStatus status);

  private:
    void ShowProgress();
    void Done(const ExportResult& result);

    UiServices& services_;
    QWidget* window_;
    bool running_ = false;  // from Start until the export's end is seen here
    std::atomic<bool> cancel_{false};
    std::atomic<int> permille_{0};
    QPointer<QProgressDialog> progress_;
    QTimer* ticker_ = nullptr;
    QElapsedTimer clock_;
    ExportSettings settings_;
    QString path_;
    int language_ = 0;
    TaskGroup work_;  // last: the export ends before what it reports to goes
};

}  // namespace quorvel
