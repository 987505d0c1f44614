#!/usr/bin/env bash
# Installs what building and running the program needs, builds it as a user
# would from source (CMake's Release, no tests) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --run
cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=Release -DAVERLIN_BUILD_TESTS=OFF >/dev/null
cmake --build build/run --target averlin
exec build/run/app/averlin "$@"
