#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, on the
# Debian releases Averlin is made for:
#     scripts/test.sh          Debian 12 and 13
#     scripts/test.sh 13       one of them
# Debian 12 gets the whole suite (scripts/suite.sh --full: its clang-tidy is
# the one the code is linted with); Debian 13 gets the build a user makes,
# every test in it and the package (scripts/suite.sh). A release that this
# machine does not run is tested in a root of that release
# (scripts/debian-root.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
releases=("$@")
((${#releases[@]})) || releases=(12 13)
this=$(. /etc/os-release && echo "${VERSION_ID%%.*}")

scripts/install-deps.sh
for release in "${releases[@]}"; do
  case $release in
    12) suite=(scripts/suite.sh --full) ;;
    13) suite=(scripts/suite.sh) ;;
    *) echo "usage: $0 [12] [13]" >&2; exit 2 ;;
  esac
  started=$SECONDS
  if [ "$release" = "$this" ]; then
    "${suite[@]}"
  else
    scripts/debian-root.sh "$release" -- "${suite[@]}"
  fi
  echo "== Debian $release passed in $((SECONDS - started)) s"
done
