// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <array>
#include <atomic>
#include <memory>

#include "text/language.h"

namespace quorvel {
namespace {

struct Language {
    const char* code;
    QLocale::Language locale;
};

// Index = the language's number in the settings file and the language list.
constexpr std::array<Language, 2> kLanguages = {{
    {"en", QLocale::English},
    {"de", QLocale::German},
}};

bool Known(int language) {
    return language >= 0 && language < static_cast<int>(kLanguages.size());
}

// The program's catalogue of a language, loaded once on first use; null for English and for
// a language whose catalogue is missing.
const QTranslator* Catalogue(int language) {
    struct Loaded {
        std::array<std::unique_ptr<QTranslator>, kLanguages.size()> catalogues;
        Loaded() {
            for (std::size_t i = 1; i < kLanguages.size(); ++i) {
                auto translator = std::make_unique<QTranslator>();
                if (translator->load(QStringLiteral(":/i18n/quorvel_%1.qm")
                                         .arg(QLatin1String(kLanguages[i].code))))
                    catalogues[i] = std::move(translator);
            }
        }
    };
    static const Loaded loaded;
    return Known(language) ? loaded.catalogues[static_cast<std::size_t>(language)].get() : nullptr;
}

std::atomic<int> installed{intEnglish};

}  // namespace

QString TextsIn::translate(const char* context, const char* source,
                           const char* disambiguation) const {
    if (const QTranslator* catalogue = Catalogue(language_)) {
        QString text = catalogue->translate(context, source, disambiguation);
        if (!text.isEmpty()) return text;
    }
    return QString::fromUtf8(source);
}

QString LanguageCode(int language) {
    return QLatin1String(kLanguages[Known(language) ? static_cast<std::size_t>(language) : 0].code);
}

bool HasCatalogue(int language) {
    return language == intEnglish || Catalogue(language) != nullptr;
}

void InstallLanguage(int language) {
    if (!Known(language)) language = intEnglish;
    // Owned here for the program's life; the application only borrows installed translators.
    static QTranslator program;
    static QTranslator toolkit;
    QCoreApplication::removeTranslator(&program);
    QCoreApplication::removeTranslator(&toolkit);
    installed = language;
    // Installing and removing a catalogue each tell the windows.
    if (language != intEnglish) {
        const QLocale locale(kLanguages[static_cast<std::size_t>(language)].locale);
        if (toolkit.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(&toolkit);
        if (program.load(QStringLiteral(":/i18n/quorvel_%1.qm").arg(LanguageCode(language))))
            QCoreApplication::installTranslator(&program);
    }
}

int InstalledLanguage() {
    return installed;
}

}  // namespace quorvel
