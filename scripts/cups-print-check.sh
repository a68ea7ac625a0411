#!/usr/bin/env bash
# Prints the payment pages of a 120-month schedule through a real print queue (CUPS with
# the cups-pdf virtual printer), through the print window's own print path, and compares
# the PDF that CUPS writes with the output of `ssudomer-cli ... --pdf`, page by page: the
# page count, where the ink of each page lies, and the share of pixels that differ at
# 50 dpi. (cups-pdf writes through Ghostscript with Type 3 fonts that carry no Unicode
# map, so the text of its PDF cannot be read back; the pages are compared as pictures.)
#
#   scripts/cups-print-check.sh [BUILD_FOLDER]     (default: build; run as root)
#
# Starts cupsd when it is not running (and stops it again afterwards), adds the queue
# "SsudomerPDF", and leaves the files in BUILD_FOLDER/cups-check/.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out="$build/cups-check"
queue=SsudomerPDF

packages=(cups printer-driver-cups-pdf poppler-utils imagemagick)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake --build "$build" --target print_screenshots ssudomer-cli

cupsd_pid=""
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  /usr/sbin/cupsd -f &
  cupsd_pid=$!
  for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.1; done
fi
stop_cupsd() {
  if [ -n "$cupsd_pid" ]; then
    kill "$cupsd_pid" 2>/dev/null || true
    wait "$cupsd_pid" 2>/dev/null || true
  fi
}
trap stop_cupsd EXIT

lpadmin -p "$queue" -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
cupsdest="$(getent passwd "$(id -un)" | cut -d: -f6)/PDF"
mkdir -p "$out" "$cupsdest"
rm -f "$out"/*.pdf "$out"/*.png "$out"/*.txt
before=$(ls -1 "$cupsdest" 2>/dev/null | wc -l)

# "Печать" in the print window, the dialog answered with the CUPS queue.
QT_QPA_PLATFORM=offscreen "$build/tests/gui/print_screenshots" "$out" --printer "$queue"
# The same state through the command line.
"$build/src/ssudomer-cli" schedule --sum 120000 --rate 12 --term 120 \
  --decimal-separator , --pdf "$out/cli.pdf" >/dev/null

echo "waiting for the queue to finish"
for _ in $(seq 300); do
  [ -z "$(lpstat -o "$queue" 2>/dev/null)" ] &&
    [ "$(ls -1 "$cupsdest" 2>/dev/null | wc -l)" -gt "$before" ] && break
  sleep 0.2
done
printed=$(ls -1t "$cupsdest"/*.pdf 2>/dev/null | head -1)
if [ -z "$printed" ]; then
  echo "CUPS wrote no PDF (see /var/log/cups/error_log)" >&2
  exit 1
fi
cp "$printed" "$out/cups.pdf"

pages_cli=$(pdfinfo "$out/cli.pdf" | awk '/^Pages:/ {print $2}')
pages_cups=$(pdfinfo "$out/cups.pdf" | awk '/^Pages:/ {print $2}')
echo "pages: --pdf $pages_cli, CUPS $pages_cups"
status=0
[ "$pages_cli" = "$pages_cups" ] || status=1
echo "Glyphs are drawn differently (Ghostscript's Type 3 fonts); lines and text places agree"
echo "when the ink boxes agree to a pixel or two."
for ((page = 1; page <= pages_cli; page++)); do
  for name in cli cups; do
    pdftoppm -f $page -l $page -r 50 -gray -singlefile -png "$out/$name.pdf" "$out/$name-$page" \
      2>/dev/null
  done
  # The box holding all ink: width x height + left + top, in pixels at 50 dpi.
  ink_cli=$(convert "$out/cli-$page.png" -format '%@' info:)
  ink_cups=$(convert "$out/cups-$page.png" -format '%@' info:)
  differing=$(compare -metric AE -fuzz 25% "$out/cli-$page.png" "$out/cups-$page.png" null: 2>&1 || true)
  total=$(identify -format '%[fx:w*h]' "$out/cli-$page.png")
  echo "page $page: ink within $ink_cli (--pdf) and $ink_cups (CUPS);" \
    "pixels differing $differing of $total"
done
exit $status
