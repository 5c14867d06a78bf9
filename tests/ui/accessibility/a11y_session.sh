#!/bin/sh
# Runs a command in a real X server with its own session bus and the
# accessibility bus (AT-SPI) started on it, with Qt exporting its windows to
# that bus as it does when a screen reader runs.
# Usage: a11y_session.sh <command> [args...]
set -eu
if [ -z "${TSUBAME_A11Y_SESSION:-}" ]; then
  export TSUBAME_A11Y_SESSION=1
  exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi
# Qt joins the accessibility bus only if it is already there: start it.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
  >/dev/null
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
exec "$@"
