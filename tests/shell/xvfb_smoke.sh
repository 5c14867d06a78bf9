#!/bin/sh
# Starts the real program on a virtual X display (no window manager), checks
# that the main menu gets mapped and centred with its icon, opens the loan
# calculator and leaves it by "戻る" from the keyboard, then ends the program
# with "終了".
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
# Waits up to 10 s until the window named $1 is viewable (or, with "gone", is not).
await() {
  for _ in $(seq 100); do
    state=$(place -name "$1" | awk '{print $5}')
    if { [ "${2:-}" = gone ] && [ "$state" != IsViewable ]; } ||
       { [ "${2:-}" != gone ] && [ "$state" = IsViewable ]; }; then
      return 0
    fi
    sleep 0.1
  done
  echo "FAIL: window $1 ${2:-not shown} within 10 s"
  exit 1
}

screen=$(place -root)
menu_ok=
for _ in $(seq 100); do  # up to 10 s
  kill -0 "$pid" || { echo "FAIL: the program ended on its own"; exit 1; }
  # shellcheck disable=SC2086
  set -- $screen $(place -name "メインメニュ")
  if [ "${10:-}" = IsViewable ]; then
    dx=$(( ($3 - $8) / 2 - $6 )) dy=$(( ($4 - $9) / 2 - $7 ))
    if [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ]; then
      echo "ok: menu mapped at $6,$7 size $8x$9 on a $3x$4 screen"
      menu_ok=1
      break
    fi
  fi
  sleep 0.1
done
if [ -z "$menu_ok" ]; then
  echo "FAIL: no centred, mapped main menu within 10 s"
  xwininfo -root -tree
  exit 1
fi

# The icon the title bar and the task switcher show, as X holds it.
menu_id=$(xwininfo -name "メインメニュ" | awk '/Window id:/ {print $4}')
for _ in $(seq 20); do  # set once the menu is up
  icons=$(xprop -id "$menu_id" _NET_WM_ICON |
    sed -n 's/.*Icon (\([0-9]*\) x \([0-9]*\)).*/\1x\2/p' | sort -n | tr '\n' ' ')
  [ -n "$icons" ] && break
  sleep 0.1
done
if [ "$icons" != "16x16 32x32 48x48 64x64 128x128 " ]; then
  echo "FAIL: window icon sizes: ${icons:-none}"
  exit 1
fi
echo "ok: window icon at $icons"

# The focus starts on "借入金": Space opens the calculator; eight Tabs reach
# "戻る"; back in the menu, two Tabs reach "終了".
xdotool key space
await "借入金計算"
echo "ok: loan calculator shown"
xdotool key Tab Tab Tab Tab Tab Tab Tab Tab space
await "借入金計算" gone
await "メインメニュ"
xdotool key Tab Tab space
for _ in $(seq 50); do
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" && echo "ok: 終了 ended the program" && exit 0
    echo "FAIL: the program ended with an error"
    exit 1
  fi
  sleep 0.1
done
echo "FAIL: 終了 did not end the program"
exit 1
