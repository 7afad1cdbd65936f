// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel {

// The help window's text in a language: how the spiral is laid out, what the colour schemes
// mean, and where to read more. `manualAddress` and `coloursAddress` stand in it as single
// tokens that can be selected and copied. Line breaks are "\n".
QString HelpText(int language, const QString& manualAddress, const QString& coloursAddress);

}  // namespace quorvel
