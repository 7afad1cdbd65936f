#!/usr/bin/env bash
# Command-line behaviour of spiral-render: statistics, refusals, bad options, exit codes.
set -u
render=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# run NAME EXPECTED_STATUS ARGS… : runs the renderer, keeps stdout/stderr in $out/$err.
run() {
    local name=$1 expected=$2
    shift 2
    out=$("$render" "$@" 2>"$dir/stderr")
    local status=$?
    err=$(cat "$dir/stderr")
    [[ $status -eq $expected ]] || fail "$name: exit status $status, expected $expected ($err)"
}

# The width and height stored in a PNG header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'; }

run default 0 --out "$dir/default.png"
[[ $out == $'end=1225\nnumbers=1225\nshown=200\nsmallest_prime=2\nlargest_prime=1223' ]] ||
    fail "default statistics: $out"
[[ -f $dir/default.png && $(png_size "$dir/default.png") == 527x527 ]] || fail "default picture"

run longest 0 --out "$dir/longest.png" --longest --size 200 --box 5 --color 6 --show 4
[[ $out == *$'\nlongest_nwse=39\nlongest_swne=39' ]] || fail "longest runs: $out"

run top 0 --out "$dir/top.png" --box 1 --start 2147205918
[[ $out == $'end=2147483646\nnumbers=277729\nshown=12931\nsmallest_prime=2147205953\nlargest_prime=2147483629' ]] ||
    fail "top window: $out"

run blank-start 0 --out "$dir/blank.png" --start "   " --size 45 --squares --grid --numerals
[[ $out == end=9$'\n'* ]] || fail "blank start counts as 1: $out"

run end-too-large 1 --out "$dir/refused.png" --box 1 --start 2147205919
[[ $err == "End number would be greater than 2^31 - 2 = 2147483646." ]] || fail "end message: $err"
run start-too-large 1 --out "$dir/refused.png" --start 2147483647
[[ $err == "Start number must be <= 2^31 - 2 = 2147483646." ]] || fail "start message: $err"
run triangular 1 --out "$dir/refused.png" --show 3 --start 268434232
[[ $err == "For triangular numbers the start number is too large." ]] || fail "triangular: $err"
[[ ! -e $dir/refused.png ]] || fail "a refused pass wrote a file"

for args in "--box 4" "--box 0" "--box x" "--show 5" "--color 7" "--color -1" "--size 0" \
            "--size 8193" "--start 12a" "--start -5" "--start 1.5" "--frobnicate" "--box"; do
    # shellcheck disable=SC2086
    run "bad option '$args'" 2 --out "$dir/bad.png" $args
    [[ $err == *usage:* ]] || fail "'$args' printed no usage"
done
run missing-out 2 --box 15
[[ ! -e $dir/bad.png ]] || fail "a bad option wrote a file"

run unwritable 1 --out "$dir/no/such/folder/x.png"
[[ $err == *"cannot write"* ]] || fail "unwritable file: $err"

if [[ $failures -gt 0 ]]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "all spiral-render checks passed"
