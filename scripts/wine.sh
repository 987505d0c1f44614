#!/usr/bin/env bash
# Runs a Windows program under Wine, as on a Windows desktop of a given
# density, on the display that is set (scripts/xserver.py starts one):
#     scripts/wine.sh [--dpi N] [--qtest] PROGRAM.exe [ARG...]
# Each density has a Wine prefix of its own, made on first use and kept in
# $AVERLIN_WINE (default: build/wine of this tree): Windows' fonts as a
# Windows machine has them (Tahoma, from Debian's fonts-wine, which Qt
# does not find where Wine keeps it) and the density as Windows' display
# settings give it (LogPixels). --qtest writes a Qt Test's report to a file
# and prints it, since a Windows console's output does not reach the
# terminal from Qt Test under Wine. The DLL folders come from WINEPATH.
set -euo pipefail
dpi=96
qtest=false
while (($#)); do
  case $1 in
    --dpi) dpi=$2; shift 2 ;;
    --qtest) qtest=true; shift ;;
    *) break ;;
  esac
done
(($#)) || { echo "usage: $0 [--dpi N] [--qtest] PROGRAM.exe [ARG...]" >&2; exit 2; }

tree=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${AVERLIN_WINE:-$tree/build/wine}/dpi-$dpi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}  # no Mono or Gecko to offer

mkdir -p "$WINEPREFIX"
(
  flock 9
  if [ ! -f "$WINEPREFIX/averlin-prefix-made" ]; then
    wineboot -i >/dev/null 2>&1
    cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/averlin-prefix-made"
  fi
  # One server for all the programs of a run, and Wine's own services
  # started apart: each program then starts in a quarter of a second
  # rather than seconds, and no service holds the caller's output open
  # (CTest would wait for it to close). They end a minute after the last
  # program. Neither gets the lock's descriptor: the lock would be held as
  # long as they run, and the next program would wait for them to end.
  if wineserver -p60 </dev/null >/dev/null 2>&1 9>&-; then wine wineboot </dev/null >/dev/null 2>&1 9>&-; fi
) 9>"$WINEPREFIX.lock"

if ! $qtest; then exec wine "$@"; fi
report=$(mktemp)
trap 'rm -f "$report"' EXIT
status=0
wine "$@" -o "$(winepath -w "$report" 2>/dev/null)",txt || status=$?
cat "$report"
exit $status
