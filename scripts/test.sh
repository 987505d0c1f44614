#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, on the
# Debian releases Averlin is made for, and for Windows under Wine:
#     scripts/test.sh          Debian 12, 13 and testing, then Windows
#     scripts/test.sh 13       one of them (12, 13, testing or windows)
# Debian 12 gets the whole suite (scripts/suite.sh --full: its clang-tidy is
# the one the code is linted with); Debian 13 and testing get the build a
# user makes, every test in it and the package (scripts/suite.sh). A release
# that this machine does not run is tested in a root of that release
# (scripts/debian-root.sh). The Windows build is Debian 13's, cross-built
# and run under Wine (scripts/windows.sh --test): testing has no Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=("$@")
((${#targets[@]})) || targets=(12 13 testing windows)
# Testing names no version of its own.
this=$(. /etc/os-release && echo "${VERSION_ID:-testing}")
this=${this%%.*}

scripts/install-deps.sh
for target in "${targets[@]}"; do
  started=$SECONDS
  case $target in
    12 | 13 | testing)
      suite=(scripts/suite.sh)
      [ "$target" != 12 ] || suite+=(--full)
      # The newest clang++ (Debian 12's builds the sanitizer build).
      [ "$target" != testing ] || suite+=(--clang)
      if [ "$target" = "$this" ]; then
        "${suite[@]}"
      else
        scripts/debian-root.sh "$target" -- "${suite[@]}"
      fi
      echo "== Debian $target passed in $((SECONDS - started)) s" ;;
    windows)
      scripts/windows.sh --test
      echo "== Windows passed in $((SECONDS - started)) s" ;;
    *) echo "usage: $0 [12] [13] [testing] [windows]" >&2; exit 2 ;;
  esac
done
