#!/usr/bin/env bash
# Checks what a Windows user downloads, as made by scripts/windows.sh in the
# build folder BUILD, under Wine on the current display:
#     scripts/windows-package-check.sh BUILD
# - the portable zip holds the program with every DLL and plugin it loads:
#   unpacked alone, with no other DLL folder on Wine's path, it shows its
#   window;
# - the installer installs silently into a Wine prefix of its own, with a
#   Start-menu entry and an uninstaller registered with Windows; the
#   installed program shows its window; the uninstaller removes all of it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: $0 BUILD}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
installer=$build/averlin-$version-windows-x64.exe
zip=$build/averlin-$version-windows-x64.zip
fail() { echo "windows-package-check: $*" >&2; exit 1; }
[ -f "$installer" ] && [ -f "$zip" ] || fail "no installer or zip for $version in $build"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# A prefix of the check's own, a copy of a fresh one, as a machine that
# never had Averlin; no DLL folders of the build's on the path.
unset WINEPATH
mkdir "$scratch/wine"
cp -a "$(scripts/wine.sh --prefix)" "$scratch/wine/dpi-96"
export AVERLIN_WINE=$scratch/wine
wine=(scripts/wine.sh)

# Waits up to 30 s for a condition (a command) to hold.
await() {
  for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done
  return 1
}

"${wine[@]}" --serve
trap '"${wine[@]}" --stop || true; rm -rf "$scratch"' EXIT

echo "== the zip"
mkdir "$scratch/zip"
(cd "$scratch/zip" && cmake -E tar xf "$OLDPWD/$zip")
portable=$scratch/zip/averlin-$version-windows-x64
for f in averlin.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
  styles/qmodernwindowsstyle.dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll LICENSE.txt; do
  [ -f "$portable/$f" ] || fail "the zip has no $f"
done
scripts/shows-window.sh "${wine[@]}" "$portable/averlin.exe"

echo "== the installer"
"${wine[@]}" "$installer" /S
prefix=$AVERLIN_WINE/dpi-96
installed="$prefix/drive_c/Program Files/Averlin"
menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Averlin"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Averlin'
[ -f "$installed/averlin.exe" ] || fail "nothing installed in Program Files\\Averlin"
[ -f "$menu/Averlin.lnk" ] || fail "no Start-menu entry"
"${wine[@]}" reg query "$uninstall_key" /v DisplayVersion | grep -q "$version" ||
  fail "no uninstaller of version $version registered"
scripts/shows-window.sh "${wine[@]}" "$installed/averlin.exe"

# The uninstaller copies itself away and returns at once; what it removes
# goes while it runs, the Start-menu entry after the program's folder.
"${wine[@]}" "$installed/Uninstall.exe" /S
await test ! -e "$installed" || fail "the uninstaller left $(ls -A "$installed" | tr '\n' ' ')"
await test ! -e "$menu" || fail "the uninstaller left the Start-menu entry"
unregistered() { ! "${wine[@]}" reg query "$uninstall_key" >/dev/null 2>&1; }
await unregistered || fail "the uninstaller left its registry key"
echo "windows-package-check: installed, started and uninstalled, nothing left behind"

