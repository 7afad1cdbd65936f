#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop entry, the AppStream metadata and the man pages as the desktop, the software
# centre and man read them: every validator silent, no error, warning, info or hint.
# usage: lint_metadata.sh DESKTOP_FILE METAINFO MAN_PAGE...
# METAINFO is the metainfo file, or an installed tree whose metainfo is checked together with
# the desktop entry it names; man pages may be gzipped.
set -u
desktop=$1
metainfo=$2
shift 2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate failed"
[[ -z $out ]] || fail "desktop entry: $out"

# The maker's domain lies in the reserved .example top-level domain, which no validator
# lists among the real ones: that one note on the component id is expected, nothing else.
expected='^ *I: example\.tarnwick\.quorvel:[0-9]+: cid-maybe-not-rdns example\.tarnwick\.quorvel$'
validate=validate
[[ -d $metainfo ]] && validate=validate-tree
out=$(appstreamcli $validate --pedantic --no-net "$metainfo" 2>&1)
status=$?
issues=$(grep -E '^ *[EWIP]: ' <<<"$out" | grep -Ev "$expected")
[[ $status -eq 0 && -z $issues ]] || fail "metainfo: ${issues:-$out}"

for page in "$@"; do
    out=$(zcat -f "$page" | groff -man -ww -z 2>&1) || fail "groff failed on $page"
    [[ -z $out ]] || fail "$(basename "$page"): $out"
    # The NAME line feeds whatis and apropos.
    lexgrog "$page" >/dev/null 2>&1 || fail "$(basename "$page"): no NAME line for whatis"
done

if [[ $failures -gt 0 ]]; then
    echo "$failures failure(s)"
    exit 1
fi
