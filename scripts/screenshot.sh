#!/usr/bin/env bash
# Starts the calculator under its own Xvfb and saves a picture of its window.
# Usage: scripts/screenshot.sh [output.png] [build folder]
set -euo pipefail
out=${1:-docs/averlin.png}
build=${2:-build/release}
command -v import >/dev/null || { apt-get install -y -qq imagemagick >/dev/null; }
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
sleep 0.5
DISPLAY=$display "$build/app/averlin" &
app=$!
# Wait until the window is mapped.
for _ in $(seq 50); do
  geometry=$(DISPLAY=$display xwininfo -root -tree 2>/dev/null |
    awk '/"Averlin"/ && $NF ~ /^\+/ {split($(NF-1), s, "+"); if (s[1] != "1x1") {print $(NF-1); exit}}')
  [ -n "${geometry:-}" ] && break
  sleep 0.1
done
sleep 0.5
mkdir -p "$(dirname "$out")"
# The window's own size and place on the root window, e.g. 584x465+0+0.
DISPLAY=$display import -window root -crop "$geometry" +repage "$out"
echo "saved $out"
