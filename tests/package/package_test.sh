#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: built from the build tree, unpacked into a folder (nothing is installed
# into the system), it holds every file a desktop expects, the program's data outside the
# documentation folder, no path of the build machine, depends on what the programs need and
# nothing of the build, and the unpacked programs run.
# usage: package_test.sh BUILD_DIR SOURCE_DIR X11_PROBE SMOKE_TEST
set -u
build=$1
sources=$2
probe=$3
smoke=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cpack -G DEB -B "$work/out" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
deb=$(ls "$work"/out/quorvel_*_amd64.deb 2>/dev/null)
[[ -f $deb ]] || { echo "FAIL: no quorvel_<version>_amd64.deb"; exit 1; }
dpkg-deb -x "$deb" "$work/root"
root=$work/root/usr

id=example.tarnwick.quorvel
files=(bin/quorvel bin/spiral-render share/applications/$id.desktop
       share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/quorvel.svg
       share/quorvel/manual.htm share/quorvel/pictures/window.png
       share/doc/quorvel/README.md share/doc/quorvel/copyright
       share/man/man1/quorvel.1.gz share/man/man1/spiral-render.1.gz)
# The German manual goes wherever the sources have one.
[[ -f $sources/docs/manual.de.htm ]] && files+=(share/quorvel/manual.de.htm)
for file in "${files[@]}"; do
    [[ -f $root/$file ]] || fail "missing $file"
done
for size in 16 22 24 32 48 64 128 256; do
    [[ -f $root/share/icons/hicolor/${size}x$size/apps/quorvel.png ]] || fail "no ${size}px icon"
done
grep -q '^License: GPL-3.0+$' "$root/share/doc/quorvel/copyright" || fail "copyright: no GPL-3.0+"
"$(dirname "$0")/lint_metadata.sh" "$root/share/applications/$id.desktop" "$work/root" \
    "$root"/share/man/man1/*.1.gz || fail "metadata"

# The programs name no folder of the machine that built them, in 8-bit or UTF-16 strings.
for program in "$root"/bin/*; do
    for folder in "$(realpath "$sources")" "$(realpath "$build")"; do
        if { strings -a "$program"; strings -a -el "$program"; } | grep -qF "$folder"; then
            fail "$(basename "$program") holds $folder"
        fi
    done
done

# Dependencies: the Qt libraries, none of the build or test tools.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
    [[ $depends == *"$needed"* ]] || fail "does not depend on $needed: $depends"
done
# The package names alone, one per line.
names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*)//; s/^ *//; s/ *$//')
while read -r name; do
    case $name in
        *primesieve* | libgtest* | libgmock* | libbenchmark* | cmake* | gcc* | g++* | cpp* | \
            clang* | make | libasan* | libubsan*)
            fail "depends on $name: $depends" ;;
    esac
done <<<"$names"
[[ $(dpkg-deb -f "$deb" Section) == math ]] || fail "section"
[[ -n $(dpkg-deb -f "$deb" Maintainer) ]] || fail "no maintainer"

# The unpacked renderer draws what the build tree's draws.
for args in "--box 1 --start 1000000" "--box 15 --show 3 --longest" "--box 5 --show 4 --color 5"; do
    # shellcheck disable=SC2086
    expected=$("$build/tools/spiral-render/spiral-render" --out "$work/a.png" $args)
    # shellcheck disable=SC2086
    got=$(QT_QPA_PLATFORM=offscreen "$root/bin/spiral-render" --out "$work/b.png" $args)
    [[ $got == "$expected" && -n $got ]] || fail "spiral-render $args: '$got' vs '$expected'"
done
"$root/bin/spiral-render" --version | grep -q "^spiral-render (Quorvel) " || fail "--version"

# The unpacked program shows its window and ends cleanly when it is closed.
"$smoke" "$root/bin/quorvel" "$probe" || fail "the unpacked program"

if [[ $failures -gt 0 ]]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "package checks passed: $(basename "$deb")"
