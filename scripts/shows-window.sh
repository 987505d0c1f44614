#!/usr/bin/env bash
# Starts a program on the current display and waits until its window named
# "Averlin" shows; then ends it. Fails when the program exits first or no
# window shows within 10 s. Usage: scripts/shows-window.sh PROGRAM [ARG...]
set -euo pipefail
. "$(dirname "$0")/x11.sh"
"$@" &
app_pid=$!
trap 'kill $app_pid 2>/dev/null || true' EXIT
await_window $app_pid >/dev/null || { echo "$1: no window" >&2; exit 1; }
echo "$1: window shown"
