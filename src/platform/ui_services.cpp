// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace quorvel {

MessageAnswer QtUiServices::ShowMessage(QWidget* parent, const QString& title, const QString& text,
                                        MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    // Plain text, so that line breaks show as line breaks and nothing is read as markup.
    box.setTextFormat(Qt::PlainText);
    switch (icon) {
        case MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MessageIcon::Program:
            box.setIconPixmap(QApplication::windowIcon().pixmap(64, 64));
            break;
    }
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int answer = box.exec();
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void QtUiServices::Beep() {
    QApplication::beep();
}

QString QtUiServices::AskSaveFileName(QWidget* parent, const QString& title,
                                      const QString& nameFilter) {
    return QFileDialog::getSaveFileName(parent, title, QString(), nameFilter);
}

namespace {

// Whether the desktop has a browser for a local page. The toolkit hands pages to xdg-open and
// calls that a success whether or not a browser follows; xdg-open tries the desktop's choice
// for HTML, then $BROWSER, then the usual browsers.
bool BrowserSetUp() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()) return false;
    if (!qEnvironmentVariableIsEmpty("BROWSER")) return true;
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    if (query.waitForFinished(3000) && !query.readAllStandardOutput().trimmed().isEmpty())
        return true;
    for (const char* browser : {"x-www-browser", "firefox", "firefox-esr", "chromium",
                                "google-chrome", "epiphany", "konqueror", "falkon"}) {
        if (!QStandardPaths::findExecutable(QString::fromLatin1(browser)).isEmpty()) return true;
    }
    return false;
#else
    return true;
#endif
}

}  // namespace

int QtUiServices::OpenUrl(const QUrl& url) {
    constexpr int kLaunched = 33;
    constexpr int kFileNotFound = 2;
    constexpr int kNoAssociation = 31;
    // A missing file (the manual, run from an unusual place) is said as such, not left to a
    // browser that might open nothing.
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) return kFileNotFound;
    if (url.isLocalFile() && !BrowserSetUp()) return kNoAssociation;
    return QDesktopServices::openUrl(url) ? kLaunched : kNoAssociation;
}

void QtUiServices::RunModal(QDialog& dialog) {
    dialog.exec();
}

void QtUiServices::ShowAboutToolkit(QWidget* parent) {
    QMessageBox::aboutQt(parent);
}

void QtUiServices::StartLongWork() {
    sinceLastLook_.start();
}

bool QtUiServices::UserInputMayBePending() {
    if (!sinceLastLook_.isValid() || sinceLastLook_.elapsed() < kInputPollMs) return false;
    sinceLastLook_.restart();
    return true;
}

}  // namespace quorvel
