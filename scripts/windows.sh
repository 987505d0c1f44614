#!/usr/bin/env bash
# Builds Averlin for 64-bit Windows, with Debian's mingw-w64 compilers and a
# Qt cross-built from Debian's own source package (scripts/windows-qt.sh):
#     scripts/windows.sh          the program, its installer and a portable zip
#     scripts/windows.sh --test   also every test that runs on Windows, under
#                                 Wine on a private X server, and the checks
#                                 of the installer and the zip
#     scripts/windows.sh --bench  also the floor program, and the start-up
#                                 benchmark of both under Wine (BENCHMARKS.md)
# The build is Debian 13's: its Qt 6.8, a long-term-support release, and its
# gcc 14 and Wine 10. On another release it runs in a Debian 13 root
# (scripts/debian-root.sh), whose build/ is this tree's build/debian-13/.
# What it makes is in build/windows/ (build/debian-13/windows/ from a root).
set -euo pipefail
cd "$(dirname "$0")/.."
test=false
bench=false
from_root=false
for arg; do
  case $arg in
    --test) test=true ;;
    --bench) bench=true ;;
    --from-root) from_root=true ;;  # the caller outside says where the files are
    *) echo "usage: $0 [--test] [--bench] [--from-root]" >&2; exit 2 ;;
  esac
done
this=$(. /etc/os-release && echo "${VERSION_ID%%.*}")
if [ "$this" != 13 ]; then
  [ "$(id -u)" -eq 0 ] || { echo "windows.sh: run as root (the build runs in a Debian 13 root)" >&2; exit 1; }
  scripts/install-deps.sh --host-tools
  scripts/debian-root.sh 13 -- scripts/windows.sh "$@" --from-root
  ls -1 "$PWD"/build/debian-13/windows/averlin-*-windows-x64.{exe,zip}
  exit 0
fi
scripts/install-deps.sh --windows
# The programs of the build run under Wine, which wants a display.
. scripts/x11.sh
on_display -- "$0" "$@"

stage() { echo "== Windows: $* (at $SECONDS s)"; }
stage "Qt for Windows"
qt=$(scripts/windows-qt.sh)
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}

# Builds the program, the tests when TESTS is ON and the floor program when
# BENCHMARKS is ON, in the folder BUILD, and packs the program there. The
# folders of the build leave no trace in the program, so that two builds of
# one commit pack the same bytes.
build_windows() {
  local build=$1 tests=$2 benchmarks=${3:-OFF}
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DAVERLIN_WERROR=ON -DAVERLIN_BUILD_TESTS="$tests" \
    -DAVERLIN_BUILD_BENCHMARKS="$benchmarks" \
    -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$PWD=. -ffile-prefix-map=$PWD/$build=build" \
    -DCMAKE_PREFIX_PATH="$qt" -DCMAKE_FIND_ROOT_PATH="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >/dev/null
  cmake --build "$build"
  (cd "$build" && cpack -C Release >/dev/null)
}

stage build
build_windows build/windows "$($test && echo ON || echo OFF)" "$($bench && echo ON || echo OFF)"
if $test; then
  stage "tests under Wine, and the program built again in another folder"
  # A Wine server for each prefix the tests run in: each density, as
  # Windows 10 and as Windows 11.
  prefixes=()
  for dpi in 96 144; do prefixes+=("--dpi $dpi" "--dpi $dpi --windows 11"); done
  for prefix in "${prefixes[@]}"; do build/windows/wine-run $prefix --serve; done
  # The window tests take turns on the one display, which leaves a core
  # free for the second build; it yields to them (nice), so that their
  # waits keep their length.
  (renice -n 19 -p $BASHPID >/dev/null && build_windows build/windows-again OFF) >build/windows-again.log 2>&1 &
  again=$!
  trap 'kill $again 2>/dev/null || true; for prefix in "${prefixes[@]}"; do build/windows/wine-run $prefix --stop || true; done' EXIT
  ctest --test-dir build/windows -j2 --output-on-failure
  wait $again || { cat build/windows-again.log; echo "windows.sh: the second build failed" >&2; exit 1; }
  stage "installer and zip"
  scripts/windows-package-check.sh build/windows
  for f in build/windows/averlin-*-windows-x64.{exe,zip}; do
    same_builds "$f" "build/windows-again/${f##*/}" || exit 1
  done
  echo "windows.sh: built twice in two folders, the same bit for bit (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH)"
fi
if $bench; then
  stage "start-up under Wine against the floor"
  # The launcher watches the X server, where Wine maps the windows: a
  # program of this machine, built here, not of Windows.
  mkdir -p build/windows-bench
  cc -std=c11 -O2 -Wall -Wextra -Werror -o build/windows-bench/averlin-xlaunch bench/xlaunch.c \
    $(pkg-config --cflags --libs xcb)
  python3 bench/startup.py --wine --launcher build/windows-bench/averlin-xlaunch build/windows
fi
stage done
echo "The Windows installer and portable zip:"
$from_root || ls -1 "$PWD"/build/windows/averlin-*-windows-x64.{exe,zip}
