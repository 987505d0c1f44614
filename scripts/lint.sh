#!/usr/bin/env bash
# Checks the form of the code and fails on any finding: clang-format on every
# tracked C++ file, mandoc and groff on the manual page, and clang-tidy
# (.clang-tidy) on the program's sources in core/, window/ and app/ through
# the compilation database of a build folder: the one given, or the release
# preset's.  Usage: scripts/lint.sh [build folder]
# The tests are formatted but not tidied: their GoogleTest and Qt Test
# macros would triple the time clang-tidy takes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

mapfile -t files < <(git ls-files '*.cpp' '*.h')
echo "clang-format: ${#files[@]} files"
clang-format --dry-run --Werror "${files[@]}"

# The manual page, through both formatters that read it: mandoc's lint,
# and groff, which man uses, with every warning on.
echo "manual page: docs/averlin.1"
mandoc -T lint -W warning docs/averlin.1
groff_warnings=$(groff -ww -mandoc -z -Tutf8 docs/averlin.1 2>&1)
[ -z "$groff_warnings" ] || { echo "$groff_warnings"; exit 1; }

build=${1:-build/release}
[ -f "$build/compile_commands.json" ] || [ -n "${1:-}" ] || cmake --preset release >/dev/null
mapfile -t sources < <(git ls-files 'core/*.cpp' 'window/*.cpp' 'app/*.cpp')
echo "clang-tidy: ${#sources[@]} files"
# Two at a time, one for each core of the CI machine.
log=$build/clang-tidy.log
run-clang-tidy -quiet -j2 -p "$build" "${sources[@]/#/$PWD/}" >"$log" 2>&1 || {
  # The findings, without colours and the per-file counts of what the
  # header filter hid.
  sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -Ev '^([0-9]+ warnings? generated\.|clang-tidy(-[0-9]+)? .*)$'
  exit 1
}
echo "lint: clean"
