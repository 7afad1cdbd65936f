// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QUrl>
#include <functional>
#include <memory>
#include <vector>

#include "mainwindow/frmMain.h"

namespace quorvel::testing {

struct RecordedMessage {
    QString title;
    QString text;
    MessageButtons buttons;
    MessageIcon icon;
};

// Stands in for every dialog, the beep and the browser, and says when input may be waiting.
class RecordingServices : public UiServices {
  public:
    MessageAnswer ShowMessage(QWidget*, const QString& title, const QString& text,
                              MessageButtons buttons, MessageIcon icon) override {
        messages.push_back({title, text, buttons, icon});
        if (onMessage) onMessage();
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : answer;
    }
    void Beep() override { ++beeps; }
    QString AskSaveFileName(QWidget*, const QString& title, const QString& filter) override {
        saveDialogs.push_back(title + QLatin1Char('|') + filter);
        return saveName;
    }
    int OpenUrl(const QUrl& url) override {
        openedUrls.push_back(url.toString());
        return openCode;
    }
    void RunModal(QDialog& dialog) override {
        modals.push_back(&dialog);
        if (onModal) onModal(dialog);
    }
    void ShowAboutToolkit(QWidget*) override { ++aboutToolkit; }
    bool UserInputMayBePending() override {
        ++inputPolls;
        if (onInputPoll) onInputPoll();
        return inputPending;
    }

    std::vector<RecordedMessage> messages;
    int beeps = 0;
    MessageAnswer answer = MessageAnswer::Yes;
    std::function<void()> onMessage;
    std::vector<QString> saveDialogs;
    QString saveName;
    std::vector<QString> openedUrls;
    int openCode = 33;
    std::vector<QDialog*> modals;
    std::function<void(QDialog&)> onModal;
    int aboutToolkit = 0;
    bool inputPending = false;
    int inputPolls = 0;
    std::function<void()> onInputPoll;
};

// A started main window with recorded services.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Every test starts as a first start, unless it wrote a settings file itself.
        QFile::remove(SettingsPath());
        QFile::remove(PlacesPath());
        QFile::remove(ExportChoicesPath());
        window = std::make_unique<frmMain>(&services);
        window->Form_Load();
        QApplication::setActiveWindow(window.get());
    }
    void TearDown() override { window.reset(); }

    static QString SettingsPath() {
        return qEnvironmentVariable("XDG_CONFIG_HOME") + "/Tarnwick/kvr.usr";
    }
    static QString PlacesPath() {
        return qEnvironmentVariable("XDG_CONFIG_HOME") + "/Tarnwick/quorvel-windows.usr";
    }
    static QString ExportChoicesPath() {
        return qEnvironmentVariable("XDG_CONFIG_HOME") + "/Tarnwick/quorvel-export.usr";
    }

    template <typename T = QWidget>
    T* Find(const char* name) const {
        auto* widget = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // What a control shows: a label's or button's caption, a box's text, a list's choice.
    QString Text(const char* name) const {
        QWidget* w = Find(name);
        if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
        if (auto* box = qobject_cast<QLineEdit*>(w)) return box->text();
        if (auto* list = qobject_cast<QComboBox*>(w)) return list->currentText();
        return {};
    }
    // The items of a list, as "text=data" where an item carries data.
    QStringList Items(const char* name) const {
        auto* list = Find<QComboBox>(name);
        QStringList items;
        for (int i = 0; i < list->count(); ++i) {
            const QVariant data = list->itemData(i);
            items << (data.isValid() ? list->itemText(i) + "=" + data.toString()
                                     : list->itemText(i));
        }
        return items;
    }
    bool Hidden(const char* name) const { return Find(name)->isHidden(); }
    bool Enabled(const char* name) const { return Find(name)->isEnabled(); }

    // Chooses a list entry as a user does: opens nothing, just picks, which raises the change.
    void Choose(const char* list, int index) { Find<QComboBox>(list)->setCurrentIndex(index); }
    void Click(const char* button) {
        QWidget* w = Find(button);
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    }
    // Types text into the start-number box key by key.
    void Type(const QString& keys) {
        for (const QChar ch : keys)
            QTest::keyClick(Find("txbStartNumber"), ch.toLatin1());
    }
    void SetStart(const QString& text) {
        auto* box = Find<QLineEdit>("txbStartNumber");
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        Type(text);
    }
    void PressEnter() { QTest::keyClick(Find("txbStartNumber"), Qt::Key_Return); }
    // Clicks the upper or the lower arrow of the spinner.
    void ClickSpinner(bool up) {
        auto* bar = Find<QScrollBar>("vsbStartNumber");
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = Qt::Vertical;
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.singleStep = bar->singleStep();
        option.pageStep = bar->pageStep();
        option.subControls = QStyle::SC_All;
        const QRect arrow = bar->style()->subControlRect(
            QStyle::CC_ScrollBar, &option,
            up ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine, bar);
        QTest::mouseClick(bar, Qt::LeftButton, {}, arrow.center());
    }

    RecordingServices services;
    std::unique_ptr<frmMain> window;
};

}  // namespace quorvel::testing
