#!/usr/bin/env bash
# Starts the program under valgrind memcheck, waits for its window, closes
# it the way a window manager does (WM_DELETE_WINDOW) and fails on any
# memory error or definite leak. Reports that lie wholly inside Qt, X11,
# D-Bus and the like are suppressed by tests/valgrind.supp, each entry
# explained there. Runs on the current display, or under its own Xvfb.
# Usage: scripts/memcheck.sh [build folder]  (default: the release preset's)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/x11.sh
on_display -- "$0" "$@"

build=${1:-build/release}
[ -n "${1:-}" ] || cmake --preset release >/dev/null
cmake --build "$build" --target averlin wm_close
log=$build/memcheck.log

valgrind --tool=memcheck --error-exitcode=99 --leak-check=full \
  --show-leak-kinds=definite --errors-for-leak-kinds=definite \
  --suppressions=tests/valgrind.supp --gen-suppressions=all --num-callers=40 \
  --child-silent-after-fork=yes --log-file="$log" \
  "$build"/app/averlin &
pid=$!
# libdbus forks a helper when there is no session bus; the option above
# keeps that child's copy of the process out of the report.
trap 'kill $pid 2>/dev/null || true' EXIT

started=$SECONDS
await_window $pid 120 >/dev/null || { echo "memcheck: the window did not appear"; exit 1; }
windows=$(xdotool search --onlyvisible --name '^Averlin$')
echo "memcheck: window shown after $((SECONDS - started)) s"
sleep 1  # let it paint and fall idle
"$build"/tests/wm_close $windows

for _ in $(seq 600); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then
  echo "memcheck: the program did not end after its window was closed"
  exit 1
fi
status=0
wait $pid || status=$?
trap - EXIT

grep -E 'definitely lost:|indirectly lost:|possibly lost:|ERROR SUMMARY' "$log" | sed 's/^==[0-9]*== */memcheck: /'
if [ $status -ne 0 ]; then
  echo "memcheck: exit status $status; the reports, from $log:"
  grep -v '^==[0-9]*== *$' "$log" | sed -n '/ERROR SUMMARY/q;p' | tail -n +7
  exit 1
fi
echo "memcheck: clean start and close in $((SECONDS - started)) s"
