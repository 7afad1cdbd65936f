#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole number range in one picture, as whole processes: spiral-render writing the PNG of
# every number from 1 to 2147302921, against primesieve counting the primes below 2^31 on one
# core, run in turns so that both see the same machine. Prints the ratios and exits 1 when one
# misses its target.
#   usage: bench/whole_range.sh PATH/TO/spiral-render
set -euo pipefail

render=${1:?usage: whole_range.sh PATH/TO/spiral-render}
command -v primesieve >/dev/null || { echo "whole_range: primesieve not found" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

TIMEFORMAT=%R
# Seconds on the wall for one run of the command, its output thrown away.
seconds() {
  local t
  t=$( { time "$@" >/dev/null 2>&1; } 2>&1 ) || { echo "whole_range: failed: $*" >&2; exit 2; }
  echo "$t"
}
anchor() { seconds primesieve 2147483646 --count --threads=1; }

names=(white cluster ostrand)
targets=(12 30 50)
options=("--color 6" "--color 0" "--show 4 --color 5")
anchors=("$(anchor)")
times=()
for i in "${!names[@]}"; do
  # shellcheck disable=SC2206  # the options are words on purpose
  args=(${options[$i]})
  times+=("$(seconds "$render" --out "$work/whole.png" --box 1 --size 46339 --start 1 "${args[@]}")")
  rm -f "$work/whole.png"
  anchors+=("$(anchor)")
done

# The anchor is the median of its runs between and around the pictures.
median=$(printf '%s\n' "${anchors[@]}" | sort -g | awk '{a[NR]=$1} END {print (a[int((NR+1)/2)]+a[int(NR/2)+1])/2}')
echo
echo "Whole range as processes, against primesieve 2147483646 --count --threads=1 (${median} s):"
missed=0
for i in "${!names[@]}"; do
  read -r ratio met < <(awk -v t="${times[$i]}" -v a="$median" -v lim="${targets[$i]}" \
    'BEGIN {r = t / a; printf "%.2f %s\n", r, (r <= lim ? "ok" : "MISSED")}')
  [[ $met == ok ]] || missed=$((missed + 1))
  printf '  %-34s %8.2f s  %9s  (target <= %s)  %s\n' \
    "Whole/spiral_render_${names[$i]}" "${times[$i]}" "$ratio" "${targets[$i]}" "$met"
done
[[ $missed -eq 0 ]] && echo "All whole-range targets met." || echo "$missed whole-range target(s) missed."
[[ $missed -eq 0 ]]
