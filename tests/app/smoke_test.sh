#!/usr/bin/env bash
# The real program on a real (virtual) X display: it starts, shows its window with a drawn
# spiral, and ends with status 0 when the window is closed as a window manager closes it.
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
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

"$program" &
pid=$!
fail() { echo "FAIL: $*"; kill "$pid" 2>/dev/null; exit 1; }

window=$("$probe" wait Quorvel 30) || fail "no window appeared"
# The first picture follows the window within moments.
for _ in $(seq 50); do
    "$probe" lit "$window" >/dev/null && break
    sleep 0.1
done
"$probe" lit "$window" || fail "the picture area shows no spiral"
"$probe" close "$window"
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "still running 5 s after its window was closed"
wait "$pid"
status=$?
[[ $status -eq 0 ]] || fail "exit status $status"
echo "smoke test passed"
