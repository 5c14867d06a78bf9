#!/bin/sh
# Starts the real program on a virtual X display (no window manager) and
# checks that the main menu gets mapped and centred; then ends it.
# Usage: xvfb_smoke.sh path/to/tsubame
set -eu
# -noreset: the server would otherwise reset whenever its last client leaves
# (an xwininfo here) and turn away a program connecting just then.
if [ -z "${TSUBAME_SMOKE_DISPLAY:-}" ]; then
  TSUBAME_SMOKE_DISPLAY=1 exec xvfb-run -a -s "-noreset -screen 0 1280x1024x24" sh "$0" "$1"
fi
unset QT_QPA_PLATFORM
"$1" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

# Prints "left top width height map-state" of the root window or a named one.
place() {
  xwininfo "$@" 2>/dev/null | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} /Map State:/ {m=$3} END {print x, y, w, h, m}'
}
screen=$(place -root)
for _ in $(seq 100); do  # up to 10 s
  kill -0 "$pid" || { echo "FAIL: the program ended on its own"; exit 1; }
  # shellcheck disable=SC2086
  set -- $screen $(place -name "メインメニュ")
  if [ "${10:-}" = IsViewable ]; then
    dx=$(( ($3 - $8) / 2 - $6 )) dy=$(( ($4 - $9) / 2 - $7 ))
    if [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ]; then
      echo "ok: menu mapped at $6,$7 size $8x$9 on a $3x$4 screen"
      exit 0
    fi
  fi
  sleep 0.1
done
echo "FAIL: no centred, mapped main menu within 10 s"
xwininfo -root -tree
exit 1
