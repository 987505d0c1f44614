#!/usr/bin/env bash
# Counts the instructions that the calculator and the floor programs execute
# from process start until their event loop begins (the window is shown and
# its map requested by then), under callgrind: figures that do not depend
# on the machine's load. It then lists what the calculator's start-up spends
# them on.
# Usage: bench/profile-startup.sh [build folder] [output folder]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build/release}" && pwd)
out=${2:-$(mktemp -d)}
mkdir -p "$out"

profile() {  # name program [option]
  local name=$1; shift
  # The first dump is taken on entry to the event loop: it holds the start-up.
  python3 "$here/../scripts/xserver.py" -- "$build/bench/averlin-xlaunch" --settle 1 -- \
    valgrind --tool=callgrind --dump-before='QCoreApplication::exec*' \
    --callgrind-out-file="$out/$name.out" "$@" >/dev/null 2>&1
  callgrind_annotate "$out/$name.out.1" 2>/dev/null | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}'
}

declare -A ir
for variant in averlin floor floor+font floor+icon; do
  case $variant in
    averlin) ir[$variant]=$(profile averlin "$build/app/averlin") ;;
    floor) ir[$variant]=$(profile floor "$build/bench/averlin-floor") ;;
    floor+font) ir[$variant]=$(profile floor-font "$build/bench/averlin-floor" --with-font) ;;
    floor+icon) ir[$variant]=$(profile floor-icon "$build/bench/averlin-floor" --with-icon) ;;
  esac
done

echo "Instructions from process start to the event loop (callgrind):"
for variant in averlin floor floor+font floor+icon; do
  awk -v n="$variant" -v ir="${ir[$variant]}" -v base="${ir[floor]}" \
    'BEGIN { printf "  %-14s %7.2f M   %+6.2f M  (%.3f x floor)\n", n, ir / 1e6, (ir - base) / 1e6, ir / base }'
done

echo
echo "The calculator's start-up by function, inclusive (the floor pays for Qt's share as well):"
root=$(cd "$here/.." && pwd)
callgrind_annotate --inclusive=yes --auto=no --threshold=100 "$out/averlin.out.1" 2>/dev/null |
  grep -E '^ *[0-9,]+ .*(main\.cpp:main|/app/|/window/|QApplication::QApplication|QWidget::show\(\) \[|_dl_start )' |
  grep -v 'below main' | sed -E "s| \[[^]]*\]\$||; s|$root/||" | awk '{ f = $0; sub(/^[^%]*%\)  /, "", f) } !seen[f]++ && shown++ < 12'
# (no head: it would end the pipe early, and pipefail would take that for a failure)
echo "(callgrind files in $out)"
