#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole number range at box size 1, 46339 x 46339 pixels with the PNG written, as whole
# processes against primesieve counting every prime below 2^31 on one core, run beside each
# picture (the machine is shared: the primesieve time is the median of its runs around them).
# Usage: bench/whole_range.sh [BUILD_DIR]   Exit status 1 when a target is missed.
set -u
build=${1:-build}
render="$build/tools/spiral-render/spiral-render"
if [ ! -x "$render" ]; then echo "whole_range: no $render (build it first)" >&2; exit 2; fi
if ! command -v primesieve >/dev/null 2>&1; then
    echo "whole_range: primesieve not installed (Debian package primesieve-bin)" >&2; exit 2
fi
out=$(mktemp -d) || exit 2
trap 'rm -rf "$out"' EXIT
trap 'exit 130' INT TERM
export QT_QPA_PLATFORM=offscreen

now() { date +%s.%N; }
# Wall seconds of a command, its output thrown away; -1 when it failed.
seconds() {
    start=$(now)
    "$@" >/dev/null 2>&1 || { echo -1; return; }
    awk -v a="$start" -v b="$(now)" 'BEGIN { printf "%.3f", b - a }'
}
sieve() { seconds primesieve 2147483646 --count --threads=1; }
# Peak memory in MiB with GNU time where it is installed.
peak() {
    if [ -x /usr/bin/time ]; then
        /usr/bin/time -f '%M' -o "$out/peak" "$@" >/dev/null 2>&1
        awk '{ printf "%d MiB", $1 / 1024 }' "$out/peak"
    else
        "$@" >/dev/null 2>&1
        echo "?"
    fi
}

sieves=$(sieve)
missed=0
printf '\nThe whole range as whole processes (against primesieve, median of the runs beside them):\n'
for spec in "white|--color 6|12" "cluster|--color 0|30" "ostrand|--show 4 --color 5|50"; do
    name=${spec%%|*}
    rest=${spec#*|}
    options=${rest%|*}
    limit=${rest#*|}
    start=$(now)
    # shellcheck disable=SC2086 # the options are separate words
    memory=$(peak "$render" --size 46339 --box 1 --start 1 $options --out "$out/$name.png")
    took=$(awk -v a="$start" -v b="$(now)" 'BEGIN { printf "%.3f", b - a }')
    [ -s "$out/$name.png" ] || took=-1
    rm -f "$out/$name.png"
    sieves="$sieves $(sieve)"
    median=$(printf '%s\n' $sieves | sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
    line=$(awk -v t="$took" -v m="$median" -v l="$limit" 'BEGIN {
        r = t / m; ok = t > 0 && r <= l
        printf "%7.2f s / primesieve %5.2f s  %7.2f  (target <= %s)  %s", t, m, r, l, ok ? "ok" : "MISSED"
        exit ok ? 0 : 1 }') || missed=1
    printf '  whole range %-8s %s   peak %s\n' "$name" "$line" "$memory"
done
exit $missed
