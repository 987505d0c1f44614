#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: a plain
# Release build of the program and the core tests first, then the optimised
# build, then the sanitizer build, then the fuzz targets, the memory check
# of the program, the lint and the Debian package. Window tests run under a
# real X server (Xvfb), started here when no display is set.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# Everything below runs on one private X server, unless a display is set.
[ -n "${DISPLAY:-}" ] || exec scripts/xserver.py -- "$0" "$@"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

# The build a user or a distribution makes without the presets: CMake's
# Release flags (-O3) bring warnings that the presets' -O2 does not.
echo "== plain Release build"
cmake -S . -B build/plain -G Ninja -DCMAKE_BUILD_TYPE=Release -DAVERLIN_WERROR=ON >/dev/null
cmake --build build/plain --target averlin core_tests
ctest --test-dir build/plain -L core -j2 --output-on-failure

for preset in ${AVERLIN_TEST_PRESETS:-release asan}; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset" -j2
  # A sanitizer report fails the run even where its test passed.
  if grep -E 'runtime error:|ERROR: [A-Za-z]+Sanitizer' "build/$preset/Testing/Temporary/LastTest.log"; then
    echo "== sanitizer reports in the $preset tests"
    exit 1
  fi
  if [ "$preset" = release ]; then
    # A moment of each benchmark, so that they keep working; the figures
    # are not judged here (bench/run-all.sh without --short measures).
    echo "== benchmarks, short run"
    bench/run-all.sh --short "build/$preset"
  fi
done

echo "== fuzz"
scripts/fuzz.sh
echo "== memcheck"
scripts/memcheck.sh

echo "== lint"
scripts/lint.sh

echo "== package"
scripts/package.sh
