#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every text the code hands to the translation system has its translation in every catalogue:
# lupdate, run over the sources into a copy of each catalogue, finds nothing new, nothing
# unfinished and nothing the code no longer uses.
# usage: catalogue_test.sh LUPDATE SOURCE_DIR
set -euo pipefail
lupdate=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mapfile -t sources < <(find "$source_dir/src/" -name '*.cpp' -o -name '*.h' | sort)
status=0
shopt -s nullglob
catalogues=("$source_dir"/translations/quorvel_*.ts)
if [[ ${#catalogues[@]} -eq 0 ]]; then
  echo "no catalogues in $source_dir/translations" >&2
  exit 1
fi
for catalogue in "${catalogues[@]}"; do
  copy=$work/$(basename "$catalogue")
  cp "$catalogue" "$copy"
  "$lupdate" -silent -locations none "${sources[@]}" -ts "$copy" >/dev/null 2>&1
  # A message lupdate marks unfinished has no translation yet; one marked vanished or
  # obsolete is a translation no text of the code asks for any more.
  if grep -q 'type="unfinished"\|type="vanished"\|type="obsolete"' "$copy"; then
    echo "$(basename "$catalogue"): texts without a translation, or translations of texts that are gone:" >&2
    python3 - "$copy" >&2 <<'PY'
import sys, xml.etree.ElementTree as ET
for context in ET.parse(sys.argv[1]).getroot().iter('context'):
    for message in context.iter('message'):
        kind = message.find('translation').get('type')
        if kind:
            print(f"  [{kind}] {context.findtext('name')}: {message.findtext('source')!r}")
PY
    status=1
  fi
done
exit $status
