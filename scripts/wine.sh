#!/usr/bin/env bash
# Runs a Windows program under Wine, as on a Windows desktop of a given
# density and version (10 or 11), on the display that is set
# (scripts/xserver.py starts one):
#     scripts/wine.sh [--dpi N] [--windows 10|11] [--qtest] PROGRAM.exe [ARG...]
#     scripts/wine.sh [--dpi N] [--windows 10|11] --serve | --stop | --prefix
# Each density and version has a Wine prefix of its own, made on first use
# (its first start takes minutes) and kept, by Wine's version, in
# $AVERLIN_WINE (default /var/cache/averlin/wine); --prefix prints its
# folder. Wine tells a program it runs on Windows 10 unless its prefix is
# set to Windows 11, where Qt draws in another style. It has
# Windows' fonts as a
# Windows machine has them (Tahoma, from Debian's fonts-wine, which Qt
# does not find where Wine keeps it) and the density as Windows' display
# settings give it (LogPixels). --qtest writes a Qt Test's report to a file
# and prints it, since a Windows console's output does not reach the
# terminal from Qt Test under Wine. The DLL folders come from WINEPATH.
# --serve starts Wine's server and services for the prefix and leaves them
# running, detached from the caller's output, until --stop: a run of many
# programs then starts each in a quarter of a second rather than seconds,
# and no service that a program would start holds the caller's output
# open (CTest waits for it to close).
set -euo pipefail
dpi=96
windows=10
qtest=false
server=
while (($#)); do
  case $1 in
    --dpi) dpi=$2; shift 2 ;;
    --windows) windows=$2; shift 2 ;;
    --qtest) qtest=true; shift ;;
    --serve | --stop | --prefix) server=$1; shift ;;
    *) break ;;
  esac
done
usage="usage: $0 [--dpi N] [--windows 10|11] [--qtest] PROGRAM.exe [ARG...] | --serve | --stop | --prefix"
{ (($#)) || [ -n "$server" ]; } && [[ $windows =~ ^1[01]$ ]] || { echo "$usage" >&2; exit 2; }

# Before the first call of wine, whose wrapper in Debian otherwise asks
# for 32-bit Wine each time; the programs here are all 64-bit.
export WINEDEBUG=${WINEDEBUG:--all}
prefix_name=dpi-$dpi
[ "$windows" = 10 ] || prefix_name=windows-$windows-dpi-$dpi
export WINEPREFIX=${AVERLIN_WINE:-/var/cache/averlin/wine/$(wine --version)}/$prefix_name
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}  # no Mono or Gecko to offer

mkdir -p "$WINEPREFIX"
(
  flock 9
  if [ ! -f "$WINEPREFIX/averlin-prefix-made" ]; then
    # None of Wine's processes gets the lock's descriptor: the lock would be
    # held as long as they run.
    wineboot -i >/dev/null 2>&1 9>&-
    [ "$windows" = 10 ] || wine winecfg /v "win$windows" >/dev/null 2>&1 9>&-
    cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 9>&-
    # The first start sets up what Wine keeps for later ones.
    wine wineboot </dev/null >/dev/null 2>&1 9>&-
    wineserver -w
    touch "$WINEPREFIX/averlin-prefix-made"
  fi
) 9>"$WINEPREFIX.lock"

case $server in
  --serve) wineserver -p </dev/null >/dev/null 2>&1; exec wine wineboot </dev/null >/dev/null 2>&1 ;;
  --stop) exec wineserver -k ;;
  --prefix) echo "$WINEPREFIX"; exit 0 ;;
esac

if ! $qtest; then exec wine "$@"; fi
report=$(mktemp)
trap 'rm -f "$report"' EXIT
status=0
wine "$@" -o "$(winepath -w "$report" 2>/dev/null)",txt || status=$?
cat "$report"
exit $status
