// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace quorvel {

// A text box claims some keys for itself before a window's shortcuts see them: on Linux
// desktops Ctrl+E moves a line edit's caret to the end of the line, so the menu's Ctrl+E did
// nothing while the box had the focus. This lets every key that is the shortcut of an enabled
// action of `window` (the entries of its menus, and the actions added to it) reach that action
// from whichever of the window's controls has the focus; a key no action takes still goes to
// the control. Controls added to the window later are covered as they come.
void LetWindowKeysThrough(QWidget* window);

}  // namespace quorvel
