// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/picture_exporter.h"

#include <QProgressDialog>
#include <QTimer>
#include <cmath>
#include <exception>

#include "export/export_texts.h"
#include "platform/file_writing.h"
#include "platform/ui_services.h"
#include "text/captions.h"
#include "text/dictionary.h"

namespace quorvel {

PictureExporter::PictureExporter(UiServices& services, QWidget* window)
    : QObject(window), services_(services), window_(window) {
    setObjectName(QStringLiteral("exporter"));
    ticker_ = new QTimer(this);
    ticker_->setInterval(100);
    connect(ticker_, &QTimer::timeout, this, &PictureExporter::ShowProgress);
}

PictureExporter::~PictureExporter() {
    CancelAndWait();
}

QProgressDialog* PictureExporter::Progress() const {
    return progress_.data();
}

bool PictureExporter::Start(const ExportSettings& settings, const QString& path, int language) {
    const ExportTexts words = ExportWords(language);
    if (Running()) {
        services_.ShowMessage(window_, words.reportTitle, words.running, MessageButtons::Ok,
                              MessageIcon::Information);
        return false;
    }
    settings_ = settings;
    path_ = path;
    language_ = language;
    cancel_ = false;
    permille_ = 0;
    clock_.start();

    progress_ = new QProgressDialog(words.progress, words.cancel, 0, 1000, window_);
    progress_->setObjectName(QStringLiteral("dlgExportProgress"));
    progress_->setWindowTitle(words.title);
    // The window stays usable while the picture is made; the dialog only reports and cancels.
    progress_->setWindowModality(Qt::NonModal);
    progress_->setMinimumDuration(0);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    progress_->setValue(0);
    connect(progress_, &QProgressDialog::canceled, this, [this] { cancel_ = true; });
    progress_->show();
    ticker_->start();

    running_ = true;
    // Where the pool has no threads the export runs right here; its end is reported later,
    // from the event loop, all the same.
    work_.Run([this, settings, path] {
        ExportResult result;
        try {
            // The window writes only into regular files: a pipe or device would hold the
            // worker (and the window's Quit, which waits for it) until someone reads.
            SafeFileWriter file(path, SpecialFiles::Refuse, &cancel_);
            result = ExportPicture(
                settings, file,
                [this](double fraction) {
                    permille_ =
                        static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * 1000));
                },
                &cancel_);
        } catch (const std::exception&) {
            // Whatever ran short, the export ends and says so; the window waits for its end.
            result = ExportResult();
            result.error = QStringLiteral("not enough memory");
        }
        // Back on the window's thread; a window already gone drops the call with this object.
        QMetaObject::invokeMethod(
            this, [this, result] { Done(result); }, Qt::QueuedConnection);
    });
    return true;
}

void PictureExporter::CancelAndWait() {
    if (!running_) return;
    cancel_ = true;
    work_.Wait();
    running_ = false;
    ticker_->stop();
    if (progress_) progress_->deleteLater();
}

void PictureExporter::ShowProgress() {
    if (progress_ && !progress_->wasCanceled()) progress_->setValue(permille_.load());
}

void PictureExporter::Done(const ExportResult& result) {
    work_.Wait();
    running_ = false;
    ticker_->stop();
    if (progress_) {
        progress_->hide();
        progress_->deleteLater();
    }
    const double seconds = static_cast<double>(clock_.elapsed()) / 1000.0;
    const ExportTexts words = ExportWords(language_);
    switch (result.status) {
        case ExportStatus::Written:
            services_.ShowMessage(window_, words.reportTitle,
                                  words.saved + QLatin1Char('\n') + path_ + QLatin1Char('\n') +
                                      ExportSizeAndTime(settings_.side, seconds, language_),
                                  MessageButtons::Ok, MessageIcon::Information);
            break;
        case ExportStatus::Refused:
            services_.ShowMessage(window_, WordOf(Word::Error, language_),
                                  RefusalMessage(result.pass.outcome, language_),
                                  MessageButtons::Ok, MessageIcon::None);
            break;
        case ExportStatus::Cancelled:
            break;  // asked for; nothing was written
        case ExportStatus::WriteFailed:
        case ExportStatus::Failed:
            services_.ShowMessage(
                window_, words.reportTitle,
                words.notSaved + QLatin1Char('\n') + path_ + QLatin1Char('\n') + result.error,
                MessageButtons::Ok, MessageIcon::Warning);
            break;
    }
    emit Finished(result.status);
}

}  // namespace quorvel
