// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <span>
#include <vector>

#include "engine/spiral_pass.h"
#include "text/dictionary.h"

namespace quorvel {

// A control's caption: the control is named as in the window (its objectName).
struct Caption {
    const char* control;
    QString text;
};

// A caption as the code writes it: its English text, the key to the other languages'.
struct CaptionSource {
    const char* control;
    const char* english;
};

// A word as it stands inside a caption or a line: lower-cased in every language but German,
// which writes its nouns with a capital.
QString Lowered(Word word, int language);

// The captions of a table in `language`, its texts translated in `context`.
std::vector<Caption> CaptionsIn(int language, const char* context,
                                std::span<const CaptionSource> sources);

// Every language-dependent caption of the main window, in the order they are set.
std::vector<Caption> LanguageDependentCaptions(int language);

// The tips of the main window's controls, by objectName: all but the colour list's, which
// follows the scheme chosen, and the links' and the P's, which the window words itself.
std::vector<Caption> LanguageDependentToolTips(int language);
// The status-bar tips of the File and Help menus' entries, by objectName.
std::vector<Caption> MenuStatusTips(int language);

// An entry of a list control and the number it carries (0 where it carries none).
struct ListItem {
    QString text;
    int data = 0;
};

// The language list: "English", "German" in the given language, with the language indices.
std::vector<ListItem> LanguageItems(int language);
// The colour schemes, with the length of each scheme's colour cycle.
std::vector<ListItem> ColorByItems(int language);
// The show modes, in the order of their indices.
std::vector<ListItem> ShowItems(int language);

// "Calculating ..." in the language: the banner over a slow drawing.
QString CalculatingText(int language);

// The three validation messages of the start number.
enum class Message { StartNumberTooLarge, EndNumberTooLarge, TriangularStartTooLarge };
QString MessageText(Message message, int language);

// What saving the picture says and asks.
struct SaveImageTexts {
    QString question;  // asked on a right click
    QString questionTitle;
    QString dialogTitle;  // the save-file dialog
    QString nameFilter;   // the dialog's file type, pattern in parentheses
    QString reportTitle;
    QString saved;          // followed by a line break and the PNG path
    QString savedAsBitmap;  // the conversion failed: followed by the BMP path
    QString notSaved;       // nothing could be written: followed by the PNG path
};
SaveImageTexts SaveTexts(int language);

// The About box: the program, its version and purpose, its copyright and licence.
struct AboutTexts {
    QString title;
    QString text;
};
AboutTexts AboutQuorvel(int language);

// The message of a drawing pass that was refused; empty for a pass that drew or stopped.
QString RefusalMessage(PassOutcome outcome, int language);

}  // namespace quorvel
