#!/bin/sh
# Makes the Debian package from the build, as `make package` does, and checks
# what apt would install: the files, the control fields and Depends, the menu
# entry, the icons, the manual page; lintian must find no error nor warning.
# Usage: package_check.sh build-dir version
set -eu
build=$1 version=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log"; fail "cpack"; }
deb=$out/tsubame_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no package $(basename "$deb")"

# The control fields, and Depends entries: the libraries found by
# dpkg-shlibdeps (under the names of the release built on: Debian 13's Qt
# libraries carry t64) and what Qt and the windows need at run time.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)/$(field Version)/$(field Section)" = "tsubame/$version/math" ] ||
  fail "package, version or section: $(field Package)/$(field Version)/$(field Section)"
field Maintainer | grep -q '<.*@.*>' || fail "no maintainer address"
[ "$(field Description | wc -l)" -ge 4 ] || fail "no long description"
depends=$(field Depends | sed 's/ *([^)]*)//g; s/, /\n/g')
for d in libc6 'libstdc\+\+6' 'libqt6core6(t64)?' 'libqt6gui6(t64)?' 'libqt6widgets6(t64)?' \
  qt6-qpa-plugins 'fonts-ipafont-gothic \| fonts-noto-cjk' qt6-translations-l10n; do
  echo "$depends" | grep -qxE "$d" || fail "Depends lacks $d: $(field Depends)"
done

# Exactly these files, no more.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort >"$out/files"
sort >"$out/expected" <<LIST
./usr/bin/tsubame
./usr/share/applications/tsubame.desktop
./usr/share/doc/tsubame/changelog.gz
./usr/share/doc/tsubame/copyright
./usr/share/icons/hicolor/16x16/apps/tsubame.png
./usr/share/icons/hicolor/32x32/apps/tsubame.png
./usr/share/icons/hicolor/48x48/apps/tsubame.png
./usr/share/icons/hicolor/64x64/apps/tsubame.png
./usr/share/icons/hicolor/128x128/apps/tsubame.png
./usr/share/icons/hicolor/256x256/apps/tsubame.png
./usr/share/icons/hicolor/scalable/apps/tsubame.svg
./usr/share/man/man1/tsubame.1.gz
./usr/share/metainfo/example.c_seed_4606eb3f.tsubame.metainfo.xml
LIST
diff "$out/expected" "$out/files" || fail "the package's files differ (< missing, > extra)"

root=$out/root
dpkg-deb -x "$deb" "$root"
entry=$root/usr/share/applications/tsubame.desktop
grep -qx 'Exec=tsubame' "$entry" || fail "the menu entry does not start the installed program"
icon=$(sed -n 's/^Icon=//p' "$entry")
for size in 16 32 48 64 128 256; do
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  dims=$(od -An -tu1 -j16 -N8 "$root/usr/share/icons/hicolor/${size}x$size/apps/$icon.png" |
    awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}')
  [ "$dims" = "${size}x$size" ] || fail "icon ${size}x$size is $dims"
done
grep -q '^License: Expat' "$root/usr/share/doc/tsubame/copyright" || fail "copyright names no licence"
LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$root/usr/share/man/man1/tsubame.1.gz" >"$out/man.txt" 2>&1
grep -q 'tsubame - loan repayment' "$out/man.txt" || fail "manual page: $(head -5 "$out/man.txt")"
grep -q 'メインメニュ' "$out/man.txt" || fail "manual page without the window names"

lintian --fail-on error,warning "$deb" >"$out/lintian.txt" 2>&1 || { cat "$out/lintian.txt"; fail "lintian"; }
cat "$out/lintian.txt"
echo "ok: $(basename "$deb"): $(wc -l <"$out/files") files, Depends: $(field Depends)"
