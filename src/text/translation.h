// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel {

// The program's texts in one language. English is written in the code; every other language
// comes from its catalogue, translations/quorvel_<code>.ts, which the build compiles into the
// program. Every text is written as
//
//     TextsIn(language).translate("Context", "English text")
//
// the form Qt's lupdate collects into the catalogues (the context names the room the text
// belongs to). A text the catalogue lacks stays English.
class TextsIn {
  public:
    explicit TextsIn(int language) : language_(language) {}
    QString translate(const char* context, const char* source,
                      const char* disambiguation = nullptr) const;

  private:
    int language_;
};

// The language's code, "en" or "de": the suffix of its catalogue.
QString LanguageCode(int language);

// Whether the language's catalogue is built into the program (English always is).
bool HasCatalogue(int language);

// Makes `language` the application's: its catalogue and the toolkit's own (the buttons of
// message boxes, the file dialog) are installed on the application, which tells every window
// through QEvent::LanguageChange.
void InstallLanguage(int language);

// The language installed last; English before any.
int InstalledLanguage();

}  // namespace quorvel
