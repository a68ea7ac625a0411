#!/usr/bin/env bash
# What a screen reader hears of the main window: starts a virtual display, a session bus
# with the accessibility bus on it and the built program, then lists the name of every
# input, button and table through AT-SPI (scripts/accessibility-check.py). Needs xvfb,
# at-spi2-core and python3-pyatspi. Usage: scripts/accessibility-check.sh [PROGRAM]
# (an X display already set in DISPLAY is used instead of a virtual one).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=${1:-$here/../build/src/ssudomer}

if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:97
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null' EXIT
  sleep 1
fi

dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  launcher=$!
  sleep 1
  home=$(mktemp -d)
  HOME=$home QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$1" &
  app=$!
  sleep 3
  status=0
  /usr/bin/python3 "$2" Ссудомер || status=$?
  kill $app $launcher 2>/dev/null
  rm -rf "$home"
  exit $status
' check "$program" "$here/accessibility-check.py"
