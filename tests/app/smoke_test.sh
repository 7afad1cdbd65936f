#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on a real (virtual) X display: it starts, shows its window with a drawn
# spiral, takes typing, and ends with status 0 when the window is closed as a window manager
# closes it, leaving its settings file; the next start carries on from there.
# usage: smoke_test.sh QUORVEL X11_PROBE
set -u
program=$1
probe=$2

if [[ -z ${SMOKE_INSIDE_XVFB:-} ]]; then
    exec env SMOKE_INSIDE_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

export QT_QPA_PLATFORM=xcb
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
settings=$XDG_CONFIG_HOME/Tarnwick/kvr.usr

fail() { echo "FAIL: $*"; [[ -n ${pid:-} ]] && kill "$pid" 2>/dev/null; exit 1; }

# run KEYS...: starts the program, checks its picture, types the keys, closes the window.
# FILE_LIMIT, when set, is the file-size limit (ulimit -f) the program runs under.
run() {
    (
        [[ -n ${FILE_LIMIT:-} ]] && ulimit -f "$FILE_LIMIT"
        exec "$program"
    ) &
    pid=$!
    window=$("$probe" wait Quorvel 30) || fail "no window appeared"
    # The first picture follows the window within moments.
    for _ in $(seq 50); do
        "$probe" lit "$window" >/dev/null && break
        sleep 0.1
    done
    "$probe" lit "$window" || fail "the picture area shows no spiral"
    if [[ $# -gt 0 ]]; then "$probe" type "$window" "$@" || fail "cannot type"; fi
    "$probe" close "$window"
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "still running 5 s after its window was closed"
    wait "$pid"
    local status=$?
    [[ $status -eq 0 ]] || fail "exit status $status"
    pid=
}

line5() { sed -n 5p "$settings" | tr -d '\r'; }

# A first start writes its settings when closed: the typed start number among them.
run BackSpace 1 2 3 4 5 Return
[[ -f $settings ]] || fail "no settings file written"
[[ $(wc -l <"$settings") -eq 9 && $(grep -c $'\r$' "$settings") -eq 9 ]] ||
    fail "settings file is not nine CR LF lines: $(od -c "$settings" | head)"
[[ $(line5) == '"12345"' ]] || fail "start number not saved: $(line5)"
# The second start begins where the first ended, and saves it again.
run
[[ $(line5) == '"12345"' ]] || fail "the second start did not show the saved start number"

# A named pipe where the settings file belongs: the start does not wait on it, nor the end,
# and the pipe is left as it was.
rm -f "$settings"
mkfifo "$settings"
run
[[ -p $settings ]] || fail "the pipe at the settings path was replaced"
rm -f "$settings"

# Under a file-size limit the settings cannot be written: the program still ends normally
# (the limit's signal would end it with status 153), and nothing half-written is left.
FILE_LIMIT=0 run 5
[[ ! -s $settings ]] || fail "settings written past the file-size limit"
echo "smoke test passed"
