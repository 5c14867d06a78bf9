#!/bin/sh
# Installs the build into a temporary prefix and checks what a desktop
# finds there: the program, its menu entry and its icon.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*"; exit 1; }
[ -x "$prefix/bin/tsubame" ] || fail "no executable bin/tsubame"
entry="$prefix/share/applications/tsubame.desktop"
[ -f "$entry" ] || fail "no menu entry"
grep -qx 'Name=ツバメ' "$entry" || fail "menu entry without Name=ツバメ"
grep -q '^Comment=' "$entry" || fail "no English comment"
grep -q '^Comment\[ja\]=' "$entry" || fail "no Japanese comment"
grep -qx 'Exec=tsubame' "$entry" || fail "Exec is not the installed program"
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "icon $icon not installed"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "menu entry does not validate"
fi
echo "installed: bin/tsubame, tsubame.desktop, $icon.svg"
