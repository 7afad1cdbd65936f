// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// spiral-render --inspect: what the explorer knows about one number of a spiral, as text.
namespace quorvel::render {

// The lines --help prints about --inspect.
extern const char* const kInspectHelp;

// True when the command line asks for an inspection rather than a picture.
bool WantsInspect(int argc, char* argv[]);

// Runs `spiral-render --inspect N [--start S] [--terms K]`: prints the number, whether it is
// prime, its factors, its cell and ring, and one line per ray. Returns the exit status: 0, or
// 2 with a message on stderr for anything it cannot inspect.
int RunInspect(int argc, char* argv[]);

}  // namespace quorvel::render
