#!/usr/bin/env bash
# Starts the program in a Wayland session with Xwayland (scripts/weston.py
# --xwayland) and tells from outside which platform it runs on: an X11
# client maps its window on Xwayland's display (DISPLAY); a Wayland client
# asks the compositor for a top-level surface, which WAYLAND_DEBUG shows
# (libwayland 1.21 writes the object as xdg_toplevel@15, 1.23 as #15).
#   platform-choice.sh xcb|wayland PROGRAM [ARG...]
set -euo pipefail
expected=$1
shift
log=$(mktemp)
WAYLAND_DEBUG=client "$@" 2>"$log" >/dev/null &
pid=$!
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true; rm -f "$log"' EXIT

found=
for _ in $(seq 300); do
  kill -0 "$pid" 2>/dev/null || { echo "the program ended at start:"; cat "$log"; exit 1; }
  if xdotool search --pid "$pid" --name '^Averlin$' >/dev/null 2>&1; then found=xcb; break; fi
  if grep -q 'xdg_toplevel[@#][0-9]*\.set_title("Averlin")' "$log"; then found=wayland; break; fi
  sleep 0.05
done
# A program on one platform makes no window on the other.
if [ "$found" = wayland ] && xdotool search --pid "$pid" >/dev/null 2>&1; then found="wayland and X11"; fi
if [ "$found" = xcb ] && grep -q 'xdg_toplevel' "$log"; then found="X11 and wayland"; fi
echo "QT_QPA_PLATFORM=${QT_QPA_PLATFORM-(unset)} arguments: ${*:2}"
echo "expected: $expected; found: ${found:-no window}"
[ "$found" = "$expected" ]
