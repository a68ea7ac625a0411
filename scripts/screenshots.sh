#!/usr/bin/env bash
# Photographs the program for the documentation and puts the pictures the Markdown pages
# show into docs/images/. Run it after any change to a window.
#
#   scripts/screenshots.sh              on a virtual X display (Xvfb) with a window manager
#                                       (openbox), so that every window has its frame and
#                                       caption as on a desktop
#   scripts/screenshots.sh --offscreen  on Qt's offscreen platform: no X server, and the
#                                       windows without their frames
#
# The photographs come from the window tools of the test suite (tests/gui/*screenshots.cpp),
# which drive the real windows; every picture they take is kept in build/screenshots/ too.
set -euo pipefail
cd "$(dirname "$0")/.."

platform=xcb
case "${1:-}" in
  "") ;;
  --offscreen) platform=offscreen ;;
  *) echo "usage: scripts/screenshots.sh [--offscreen]" >&2; exit 64 ;;
esac

tools=(gui_screenshots print_screenshots planner_screenshots)
# The pictures docs/ and README.md link to, by the names the tools give them.
pictures=(
  main_empty main_schedule main_payments payments_forecast forecast_settings save_question
  menu_file menu_settings full_cost annuity_hint print_page1_zoom30 print_page1_zoom100
  planner_window planner_goal
)

if [ "$platform" = xcb ]; then
  scripts/install-deps.sh openbox libxcb1-dev
else
  scripts/install-deps.sh
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target "${tools[@]}"

work=$(mktemp -d)
server_pids=()
cleanup() {
  for pid in "${server_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

if [ "$platform" = xcb ]; then
  # Xvfb picks a free display itself and says which; openbox tells when it is running.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  server_pids+=($!)
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(cat "$work/display")"
  openbox --startup "touch $work/openbox-ready" >"$work/openbox.log" 2>&1 &
  server_pids+=($!)
  for _ in $(seq 100); do [ -e "$work/openbox-ready" ] && break; sleep 0.1; done
  [ -e "$work/openbox-ready" ] || { cat "$work/openbox.log" >&2; echo "openbox did not start" >&2; exit 1; }
fi

# The pictures do not depend on the person's settings: the tools fix the decimal separator,
# and the window's texts are its own.
export QT_QPA_PLATFORM=$platform LC_ALL=C.UTF-8
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI
photos=build/screenshots
mkdir -p "$photos"
for tool in "${tools[@]}"; do
  echo "== $tool"
  build/tests/gui/$tool "$photos" 2> >(grep -v 'XDG_RUNTIME_DIR\|does not support' >&2)
done

mkdir -p docs/images
for picture in "${pictures[@]}"; do
  cp "$photos/$picture.png" "docs/images/$picture.png"
done
echo "Wrote ${#pictures[@]} pictures into docs/images/ (every photograph is in $photos/)."
