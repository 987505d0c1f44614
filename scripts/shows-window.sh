#!/usr/bin/env bash
# Starts a program on the current display and waits until its window named
# "Averlin" shows; then ends it. Fails when the program exits first or no
# window shows within 10 s. Usage: scripts/shows-window.sh PROGRAM [ARG...]
set -euo pipefail
"$@" &
app_pid=$!
trap 'kill $app_pid 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  if xwininfo -name Averlin 2>/dev/null | grep -q 'Map State: IsViewable'; then
    echo "$1: window shown"
    exit 0
  fi
  kill -0 "$app_pid" 2>/dev/null || { echo "$1: exited before its window showed" >&2; exit 1; }
  sleep 0.1
done
echo "$1: no window showed in 10 s" >&2
exit 1
