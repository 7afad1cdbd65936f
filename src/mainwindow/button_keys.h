// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace quorvel {

// Every push button under `root` presses on Enter (and the keypad's Enter) when it has the
// keyboard focus, as it does on Space. Buttons made later are not included.
void LetEnterPressButtons(QWidget* root);

}  // namespace quorvel
