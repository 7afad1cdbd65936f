#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
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
[[ $err == "spiral-render: End number would be greater than 2^31 - 2 = 2147483646." ]] || fail "end message: $err"
run start-too-large 1 --out "$dir/refused.png" --start 2147483647
[[ $err == "spiral-render: Start number must be <= 2^31 - 2 = 2147483646." ]] || fail "start message: $err"
run triangular 1 --out "$dir/refused.png" --show 3 --start 268434232
[[ $err == "spiral-render: For triangular numbers the start number is too large." ]] || fail "triangular: $err"
[[ ! -e $dir/refused.png ]] || fail "a refused pass wrote a file"

# Each bad value is named with what the option takes, after the program's name.
while IFS='|' read -r args why; do
    # shellcheck disable=SC2086
    run "bad option '$args'" 2 --out "$dir/bad.png" $args
    [[ $err == "spiral-render: $why"*usage:* ]] || fail "'$args' said: $err"
done <<'TABLE'
--box 4|--box 4: the box size is one of 1, 3, 5, 7, 15, 21, 35, 75
--box 0|--box 0: the box size is one of
--box x|--box x: the box size is one of
--show 5|--show 5: what is shown is 0 to 4
--color 7|--color 7: the colour scheme is 0 to 6
--color -1|--color -1: the colour scheme is 0 to 6
--size 0|--size 0: a picture needs at least 3 pixels a side
--size 1|--size 1: a picture needs at least 3 pixels a side
--size 2|--size 2: a picture needs at least 3 pixels a side
--size 46340|--size 46340: a picture has at most 46339 pixels a side
--size 1000000000|--size 1000000000: a picture has at most 46339 pixels a side
--size 99999999999|--size 99999999999: a picture has at most 46339 pixels a side
--size x|--size x: the side is a number of pixels, 3 to 46339
--size 1e3|--size 1e3: the side is a number of pixels, 3 to 46339
--density 0|--density 0: a density block is 2 to 999 numbers a side
--density 1|--density 1: a density block is 2 to 999 numbers a side
--density 1000|--density 1000: a density block is 2 to 999 numbers a side
--density x|--density x: a density block is 2 to 999 numbers a side
--density|--density needs a value
--start 12a|--start 12a: a start number takes only the digits 0-9
--start -5|--start -5: a start number takes only the digits 0-9
--start 1.5|--start 1.5: a start number takes only the digits 0-9
--frobnicate|unknown option '--frobnicate'
--box|--box needs a value
TABLE
# Options that do not go together: numerals need full colour, density maps draw no cells.
run big-numerals 2 --out "$dir/bad.png" --numerals --size 8193
[[ $err == *"--numerals needs full colour"*"at most --size 8192"* ]] || fail "numerals: $err"
for args in "--box 5" "--grid" "--numerals" "--longest"; do
    # shellcheck disable=SC2086
    run "density with $args" 2 --out "$dir/bad.png" --density 4 $args
    [[ $err == *"a density map draws no cells"* ]] || fail "density with $args: $err"
done
run missing-out 2 --box 15
[[ ! -e $dir/bad.png ]] || fail "a bad option wrote a file"

# --start as the start-number box holds it: digits, spaces around them, leading zeros dropped.
run plain-start 0 --out "$dir/start.png" --start 7 --size 45
plain=$out
for start in " 7 " "007" "  0007" "7   "; do
    run "start '$start'" 0 --out "$dir/start.png" --start "$start" --size 45
    [[ $out == "$plain" ]] || fail "start '$start' differs from 7: $out"
done
run zeros 0 --out "$dir/start.png" --start "000" --size 45
[[ $out == end=8$'\n'* ]] || fail "start 000 is 0: $out"
for start in "1 2" $'\t5' $'5\t' "+5" "-5" "5-" "0x5"; do
    run "start '$start'" 2 --out "$dir/bad.png" --start "$start"
    [[ $err == *usage:* ]] || fail "start '$start' printed no usage"
done
[[ ! -e $dir/bad.png ]] || fail "a refused start wrote a file"

# The toolkit sees none of the arguments: an output file named like one of its options.
(cd "$dir" && "$render" --out -platform --size 9 >/dev/null 2>"$dir/stderr")
status=$?
[[ $status -eq 0 && -s $dir/-platform ]] || fail "-platform: status $status ($(cat "$dir/stderr"))"
run platform-option 2 --out "$dir/x.png" -platform --size 9
[[ $err == *"unknown option '-platform'"* ]] || fail "-platform as an option: $err"

run unwritable 1 --out "$dir/no/such/folder/x.png"
[[ $err == "spiral-render: cannot write $dir/no/such/folder/x.png: "* ]] ||
    fail "unwritable file: $err"

# A device is written to, never replaced; a full one is a failure.
run full-device 1 --out /dev/full
[[ $err == "spiral-render: cannot write /dev/full: No space left on device" ]] ||
    fail "/dev/full: $err"
[[ -c /dev/full ]] || fail "/dev/full is no longer a device"
if mkfifo "$dir/pipe"; then
    timeout 20 cat "$dir/pipe" >"$dir/piped.png" &
    run pipe 0 --out "$dir/pipe" --size 45
    wait
    [[ -p $dir/pipe && $(png_size "$dir/piped.png") == 45x45 ]] || fail "writing into a pipe"
fi

# Past a file-size limit: a failure, and no file, or the earlier one unchanged.
mkdir "$dir/limited"
err=$( (ulimit -f 0 && "$render" --out "$dir/limited/new.png" --size 200 2>&1 >/dev/null) )
status=$?
[[ $status -eq 1 && $err == "spiral-render: cannot write $dir/limited/new.png: File too large" ]] ||
    fail "file-size limit: status $status ($err)"
[[ -z $(ls -A "$dir/limited") ]] || fail "file-size limit left $(ls -A "$dir/limited")"
cp "$dir/default.png" "$dir/limited/kept.png"
(ulimit -f 0 && "$render" --out "$dir/limited/kept.png" --size 200 >/dev/null 2>&1)
status=$?
[[ $status -eq 1 ]] || fail "file-size limit over a picture: status $status"
cmp -s "$dir/default.png" "$dir/limited/kept.png" || fail "a failed write changed the old picture"
[[ $(ls -A "$dir/limited") == kept.png ]] || fail "file-size limit left $(ls -A "$dir/limited")"

# A file name that is not UTF-8 is refused, not written under another name.
mkdir "$dir/latin1"
"$render" --out "$dir/latin1/"$'caf\xe9.png' --size 50 >/dev/null 2>"$dir/latin1.err"
status=$?
[[ $status -eq 2 && $(cat "$dir/latin1.err") == *"not valid UTF-8"* ]] ||
    fail "a name that is not UTF-8: status $status, $(cat "$dir/latin1.err")"
[[ -z $(ls -A "$dir/latin1") ]] || fail "a name that is not UTF-8 wrote $(ls -A "$dir/latin1")"

# --inspect: a number's factors, cell and ring, and the quadratic, constant and prime counts
# of each diagonal ray through it (the counts for 1 agree with an independent prime count).
run inspect-centre 0 --inspect 1
[[ $out == $'number=1\nprime=0\nfactors=\nx=0\ny=0\nring=1\nray=NE a=4 b=-2 c=1 disc=-12 constant=2.24146550710 primes=166 expected=177.337 longest=3 fdisc=-3 h=1 L1=0.604599788078 ratio=0.936071 z=-0.851331\nray=NW a=4 b=0 c=1 disc=-16 constant=2.74562692564 primes=208 expected=216.156 longest=3 fdisc=-4 h=1 L1=0.785398163397 ratio=0.962269 z=-0.554734\nray=SW a=4 b=2 c=1 disc=-12 constant=2.24146550710 primes=179 expected=176.042 longest=2 fdisc=-3 h=1 L1=0.604599788078 ratio=1.01680 z=0.222959\nray=SE a=4 b=4 c=1 disc=0 constant=0 primes=0 expected=0 longest=0 fdisc=1 reason=square ratio=nan z=nan' ]] ||
    fail "inspect 1: $out"
# 35² ends its ring: no NE ray from there.
run inspect-square 0 --inspect 1225 --terms 10
[[ $out == $'number=1225\nprime=0\nfactors=5^2*7^2\nx=17\ny=17\nring=18\nray=SW '*$'\nray=SE a=4 b=140 c=1225 disc=0 constant=0 primes=0 expected=0 longest=0 fdisc=1 reason=square ratio=nan z=nan' ]] ||
    fail "inspect 1225: $out"
# From 990, 1002 is the NE corner of the third ring, which has three rays.
run inspect-start 0 --inspect 1002 --start " 0990 " --terms 1
[[ $out == $'number=1002\nprime=0\nfactors=2*3*167\nx=2\ny=-2\nring=3\nray=NE a=4 b=14 c=1002 '*$'\nray=NW a=4 b=16 c=1002 '*$'\nray=SE a=4 b=12 c=1002 '* ]] ||
    fail "inspect 1002 from 990: $out"
run inspect-prime 0 --inspect 2147483629 --terms 1
[[ $out == $'number=2147483629\nprime=1\nfactors=2147483629\n'* ]] || fail "inspect a prime: $out"
run inspect-top 0 --inspect 2147483646 --start 2147483646 --terms 1000000
[[ $out == *$'\nray=SE a=4 b=4 c=2147483646 disc=-34359738320 constant=0 primes=0 expected=0 longest=0 fdisc=-8589934580 h=49408 L1=1.67475860872 reason=even ratio=nan z=nan' ]] ||
    fail "inspect the top with a million terms: $out"
# Far out: the discriminant passes 64 bits and is printed exactly, the class number comes from
# the class group (PARI/GP's quadclassunit agrees), and nothing is left unknown.
run inspect-far 0 --inspect 1000000000000000001 --start 1000000000000000000 --terms 10
[[ $out == *$'\nray=NE a=4 b=6 c=1000000000000000001 disc=-15999999999999999980 constant=0.6472797235'*' fdisc=-3999999999999999995 h=935197952 L1=1.46900550783 '* &&
   $out != *nan* ]] || fail "inspect far out: $out"
run inspect-last 0 --inspect 9223372036854775807 --start 1000000000000000000 --terms 10
[[ $out == $'number=9223372036854775807\nprime=0\nfactors=7^2*73*127*337*92737*649657\n'* &&
   $out == *$'\nray=NE a=4 b=11470568974 c=9223372036854775807 disc=-16000000002385000236 '*' fdisc=-444444444510694451 h=286656312 '* ]] ||
    fail "inspect the last number a cell holds: $out"
# Why a constant is 0: a square, two linear factors, a prime that divides every value.
run inspect-zero 0 --inspect 0 --start 0 --terms 10
[[ $out == *$'\nray=NE a=4 b=-2 c=0 disc=4 constant=0 '*$' fdisc=1 reason=factors ratio=nan z=nan\n'* &&
   $out == *$'\nray=NW a=4 b=0 c=0 disc=0 constant=0 '*$' fdisc=1 reason=square ratio=nan z=nan\n'* ]] ||
    fail "inspect 0 from 0: $out"
for args in "--inspect" "--inspect abc" "--inspect 12a" "--inspect -5" "--inspect +5" \
            "--inspect 9223372036854775808" "--inspect 99999999999999999999999" "--inspect 5 --start 10" \
            "--inspect 5 --start 2147483647" "--inspect 2000000000000000000 --start 1000000000000000001" "--inspect 5 --terms 0" "--inspect 5 --terms 1000001" \
            "--inspect 5 --terms x" "--inspect 5 --box 3" "--inspect 5 --out x.png" "--terms 5"; do
    # shellcheck disable=SC2086
    run "inspect '$args'" 2 $args
    [[ -z $out && $err == spiral-render:*"usage: spiral-render --inspect N"* ]] ||
        fail "'$args': no clear refusal: $out / $err"
done
[[ ! -e x.png ]] || fail "an inspection wrote a picture"

# Settings in the text chunks; a density map: statistics of its numbers, the side in pixels.
run texts 0 --out "$dir/texts.png" --start 0042 --box 21 --show 2 --color 3 --squares --grid --size 99
grep -aq "Description.start=42 box=21 show=2 color=3 shape=squares grid=1 numerals=0 density=0" \
    "$dir/texts.png" || fail "description text chunk"
grep -aq "Software.Quorvel [0-9]" "$dir/texts.png" || fail "software text chunk"
run density 0 --out "$dir/density.png" --density 5 --size 101 --color 5
[[ $out == $'end=255025\nnumbers=255025\nshown=22441\nsmallest_prime=2\nlargest_prime=255023' &&
   $(png_size "$dir/density.png") == 101x101 ]] || fail "density map: $out"
grep -aq "Description.start=1 box=1 show=0 color=5 shape=circles grid=0 numerals=0 density=5" \
    "$dir/density.png" || fail "density text chunk"

# Progress only on a terminal, and only for big pictures.
run quiet 0 --out "$dir/quiet.png" --box 1 --size 3200
[[ -z $err ]] || fail "progress into a file: $err"
if script -qec "true" /dev/null >/dev/null 2>&1; then
    shown=$(script -qec "'$render' --out '$dir/tty.png' --box 1 --size 3200 >/dev/null" /dev/null)
    [[ $shown == *"100%"* ]] || fail "no progress on a terminal: $shown"
    shown=$(script -qec "'$render' --out '$dir/tty.png' --box 1 --size 3100 >/dev/null" /dev/null)
    [[ $shown != *"%"* ]] || fail "progress for a small picture: $shown"
fi

# Two exports into one name at once: both succeed, the file is whole, nothing else is left.
mkdir "$dir/race"
"$render" --out "$dir/race/same.png" --box 1 --size 1500 --color 5 >/dev/null 2>&1 &
first=$!
"$render" --out "$dir/race/same.png" --box 1 --size 1500 --color 6 >/dev/null 2>&1
second=$?
wait "$first"
[[ $? -eq 0 && $second -eq 0 ]] || fail "two exports at once failed"
[[ $(ls -A "$dir/race") == same.png && $(png_size "$dir/race/same.png") == 1500x1500 ]] ||
    fail "two exports at once left $(ls -A "$dir/race")"
[[ $(tail -c 8 "$dir/race/same.png" | od -An -c | tr -d ' ') == 'IEND'* ]] ||
    fail "two exports at once: the file does not end whole"

# Interrupted (Ctrl+C): no file, no temporary file. One interrupt, as a terminal sends it:
# without --foreground, timeout signals the program and its own process group as well.
mkdir "$dir/interrupted"
err=$(timeout --foreground --preserve-status -s INT 2 "$render" --out "$dir/interrupted/big.png" \
      --box 1 --size 40000 2>&1 >/dev/null)
status=$?
[[ $status -eq 130 && $err == *"interrupted"* ]] || fail "interrupted: status $status ($err)"
[[ -z $(ls -A "$dir/interrupted") ]] || fail "interrupted left $(ls -A "$dir/interrupted")"

# SIGTERM: 143 and no file either; one signal also ends a wait for a named pipe that nobody
# reads, or whose reader reads nothing, and leaves the pipe a pipe with nothing beside it.
mkfifo "$dir/interrupted/f.png"
while IFS='|' read -r out_name reader signal expected; do
    [[ $reader == stuck ]] && { (exec 3<"$dir/interrupted/f.png"; sleep 8) & }
    err=$(timeout --foreground --preserve-status -k 10 -s "$signal" 1 "$render" \
          --out "$dir/interrupted/$out_name" --box 1 --size 40000 2>&1 >/dev/null)
    status=$?
    [[ $reader == stuck ]] && { kill $!; wait $!; } 2>/dev/null
    [[ $status -eq $expected && $err == *"$out_name was not written" ]] ||
        fail "$out_name ($reader) SIG$signal: status $status ($err)"
    [[ -p $dir/interrupted/f.png && $(ls -A "$dir/interrupted") == f.png ]] ||
        fail "$out_name ($reader) SIG$signal left $(ls -A "$dir/interrupted")"
done <<'TABLE'
big.png|none|TERM|143
f.png|none|TERM|143
f.png|none|INT|130
f.png|stuck|TERM|143
TABLE

# Standard output: the picture alone, whole and valid PNG; the statistics on standard error.
for target in - /dev/stdout; do
    "$render" --out "$target" --box 1 --size 701 2>"$dir/stdout.err" | cat >"$dir/stdout.png"
    [[ $(cat "$dir/stdout.err") == end=491401$'\n'* ]] || fail "--out $target: $(cat "$dir/stdout.err")"
    [[ $(tail -c 8 "$dir/stdout.png" | od -An -c | tr -d ' ') == IEND* ]] || fail "--out $target: not the PNG alone"
    command -v python3 >/dev/null || continue
    python3 - "$dir/stdout.png" <<'PY' || fail "--out $target: not a valid PNG"
import struct, sys, zlib
data, at, idat = open(sys.argv[1], "rb").read(), 8, b""
assert data[:8] == b"\x89PNG\r\n\x1a\n"
while at < len(data):
    size, kind = struct.unpack(">I4s", data[at:at + 8])
    body = data[at + 8:at + 8 + size]
    assert struct.unpack(">I", data[at + 8 + size:at + 12 + size])[0] == zlib.crc32(kind + body)
    idat, at = idat + (body if kind == b"IDAT" else b""), at + 12 + size
assert kind == b"IEND" and len(zlib.decompress(idat)) % 701 == 0
PY
done

"$render" --out /dev/stdout --box 1 --size 701 >"$dir/into-file.png" 2>/dev/null
cmp -s "$dir/stdout.png" "$dir/into-file.png" || fail "--out /dev/stdout into a file differs"

# Too little memory, and threads refused: a reason and status 1, never an abort. (Sanitizers
# need more address space than the limit leaves.)
if ! ldd "$render" | grep -q -e libasan -e libtsan; then
    for threads in 2 16; do
        err=$( (ulimit -v 475000 && QUORVEL_THREADS=$threads "$render" \
                --out "$dir/interrupted/m.png" --size 20000 --box 1 2>&1 >/dev/null) )
        status=$?
        [[ $status -eq 0 || ($status -eq 1 && $err == *memory*) ]] ||
            fail "little memory, $threads threads: status $status ($err)"
        rm -f "$dir/interrupted/m.png"
    done
fi

# --help and --version answer on stdout and succeed, whatever else is on the line.
run help 0 --help --box 4
[[ $out == usage:* && $out == *"Exit status"* && $out == *"--inspect N"* && -z $err ]] ||
    fail "--help: $out / $err"
run version 0 --version
[[ $out =~ ^spiral-render\ \(Quorvel\)\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version: $out"

if [[ $failures -gt 0 ]]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "all spiral-render checks passed"
