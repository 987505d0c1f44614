#!/usr/bin/env bash
# Starts the calculator under its own X server and saves a picture of its window.
# Usage: scripts/screenshot.sh [output.png] [build folder]
# A Windows build's program runs under Wine, at the density in
# AVERLIN_SCREENSHOT_DPI (96 unless set), as the Windows version in
# AVERLIN_SCREENSHOT_WINDOWS (10 unless set, or 11).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/averlin.png}
build=${2:-build/release}
. scripts/x11.sh
on_display --private --screen 800x600x24 -- "$0" "$out" "$build"

program=("$build/app/averlin")
[ ! -x "$build/wine-run" ] || program=("$build/wine-run" --dpi "${AVERLIN_SCREENSHOT_DPI:-96}"
  --windows "${AVERLIN_SCREENSHOT_WINDOWS:-10}" "$build/app/averlin.exe")
"${program[@]}" &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
geometry=$(await_window $app)
sleep 0.5
mkdir -p "$(dirname "$out")"
# The window's own size and place on the root window, e.g. 584x465+0+0.
import -window root -crop "$geometry" +repage "$out"
echo "saved $out"
