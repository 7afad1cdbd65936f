#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file says under which licence it is, near its top, as the licence asks.
# usage: licence_test.sh SOURCE_DIR
set -u
cd "$1" || exit 1
git rev-parse --is-inside-work-tree >/dev/null 2>&1 || { echo "not a git checkout: skipped"; exit 0; }
missing=$(git ls-files '*.cpp' '*.h' '*.sh' '*.htm' 'CMakeLists.txt' '*/CMakeLists.txt' \
              Makefile 'scripts/*' .ci/run |
          while read -r file; do
              head -n 3 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' || echo "$file"
          done)
[[ -z $missing ]] || { echo "no licence line in:"; echo "$missing"; exit 1; }
[[ -f LICENSE ]] && grep -q "GNU GENERAL PUBLIC LICENSE" LICENSE || { echo "LICENSE"; exit 1; }
echo "every source file carries its licence"
