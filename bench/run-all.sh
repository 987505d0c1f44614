#!/usr/bin/env bash
# Runs every benchmark and prints its figures: start-up against the floor
# program, per-action latency, the idle check and the core's number texts.
# Each benchmark starts an Xvfb of its own (AVERLIN_BENCH_DISPLAY=:N picks
# its display). The full run also profiles the start-up under callgrind and
# redraws the start-up chart, docs/startup-benchmark.svg.
#
# --short runs each benchmark for a moment only, so that CI sees them work;
# its timings mean little. Nothing judges the figures: the exit status is
# non-zero only when a benchmark fails to run.
#
# Usage: bench/run-all.sh [--short] [build folder]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
short=false
if [ "${1:-}" = --short ]; then short=true; shift; fi
build=$(cd "${1:-$here/../build/release}" && pwd)

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
# Asked of Qt itself: the package's name differs between releases
# (libqt6core6t64 on Debian 13).
qt=$(qtpaths6 --qt-query QT_VERSION 2>/dev/null)
echo "Machine: $(nproc) cores, ${cpu:-unknown CPU}, Qt ${qt:-unknown}, load average $(cut -d' ' -f1-3 /proc/loadavg)"

if $short; then
  python3 "$here/startup.py" --runs 2 --settle 0.2 "$build"
  python3 "$here/../scripts/xserver.py" --same-cpu -- "$build/bench/averlin-latency-bench" --samples=5
  python3 "$here/idle.py" --seconds 1 "$build"
  "$build/bench/averlin-core-bench" --benchmark_min_time=0.002
else
  python3 "$here/startup.py" --runs 30 --costs --svg "$here/../docs/startup-benchmark.svg" "$build"
  echo
  "$here/profile-startup.sh" "$build"
  echo
  # Twice: with the X server and the window on one CPU, then on any CPU.
  echo "Latency with the X server on the same CPU:"
  python3 "$here/../scripts/xserver.py" --same-cpu -- "$build/bench/averlin-latency-bench"
  echo
  echo "Latency with the X server on any CPU:"
  python3 "$here/../scripts/xserver.py" -- "$build/bench/averlin-latency-bench"
  echo
  python3 "$here/idle.py" --seconds 10 "$build"
  echo
  "$build/bench/averlin-core-bench"
fi
