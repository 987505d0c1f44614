#!/usr/bin/env bash
# The test suite on the Debian release this runs on:
#     scripts/suite.sh           installs what is missing, then the build that a
#                                user or a distribution makes (CMake's Release,
#                                -O3, warnings as errors), every test in it, and
#                                the Debian package with its checks
#     scripts/suite.sh --clang   also the whole tree built with clang++
#     scripts/suite.sh --full    also the sanitizer build (clang++) and its
#                                tests, the benchmarks for a moment, the fuzz
#                                targets, the memory check, the lint, and the
#                                check that the package builds bit for bit
#                                the same twice
# Window tests run under a real X server (Xvfb), started here when no
# display is set. scripts/test.sh runs it on each release.
set -euo pipefail
cd "$(dirname "$0")/.."
full=false
clang=false
case ${1:-} in
  "") ;;
  --full) full=true ;;
  --clang) clang=true ;;
  *) echo "usage: $0 [--full | --clang]" >&2; exit 2 ;;
esac
scripts/install-deps.sh

# Everything below runs on one private X server, unless a display is set.
. scripts/x11.sh
on_display -- "$0" "$@"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
. /etc/os-release
echo "== $PRETTY_NAME: $(c++ --version | head -n1), Qt $(qtpaths6 --qt-query QT_VERSION 2>/dev/null || echo unknown)"

# Each stage says when it starts, in seconds since the suite did.
stage() { echo "== $* (at $SECONDS s)"; }

# A sanitizer report fails the run even where its test passed.
no_sanitizer_reports() {
  if grep -E 'runtime error:|ERROR: [A-Za-z]+Sanitizer' "$1/Testing/Temporary/LastTest.log"; then
    echo "== sanitizer reports in the tests of $1"
    exit 1
  fi
}

stage plain Release build
cmake -S . -B build/plain -G Ninja -DCMAKE_BUILD_TYPE=Release -DAVERLIN_WERROR=ON \
  -DAVERLIN_BUILD_BENCHMARKS=$($full && echo ON || echo OFF) >/dev/null
cmake --build build/plain

if $full; then
  # The lint judges the code, not its timing: it reads the plain build's
  # compilation database at the lowest priority, on whatever the stages
  # below leave idle (the gaps between tests, the benchmarks, the memory
  # check, the last batch of fuzz targets), and its report is read at the end.
  stage "lint, beside what follows"
  (renice -n 19 -p $BASHPID >/dev/null && scripts/lint.sh build/plain) >build/plain/lint.log 2>&1 &
  lint=$!
  trap 'kill $lint 2>/dev/null || true' EXIT
fi
stage "tests of the plain build"
ctest --test-dir build/plain -j2 --output-on-failure

if $clang; then
  # The release's clang++ builds the whole tree without a warning too (the
  # full suite's sanitizer build is clang's).
  stage clang++ build
  cmake -S . -B build/clang -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release \
    -DAVERLIN_WERROR=ON >/dev/null
  cmake --build build/clang
fi

if $full; then
  # A moment of each benchmark, so that they keep working; the figures
  # are not judged here (bench/run-all.sh without --short measures).
  stage benchmarks, short run
  bench/run-all.sh --short build/plain

  stage asan build
  cmake --preset asan >/dev/null
  cmake --build --preset asan
  ctest --preset asan -j2
  no_sanitizer_reports build/asan

  stage fuzz
  scripts/fuzz.sh
  stage memcheck
  scripts/memcheck.sh build/plain
  stage "lint, its report"
  lint_status=0
  wait $lint || lint_status=$?
  trap - EXIT
  cat build/plain/lint.log
  [ $lint_status -eq 0 ]
fi

stage package
if $full; then scripts/package.sh --twice; else scripts/package.sh; fi
stage "passed"
