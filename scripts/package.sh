#!/usr/bin/env bash
# Builds the Debian package from the release build, checks the desktop entry
# and AppStream description it carries, unpacks it into a scratch root and
# starts the unpacked program under its own X server until its window shows.
# The package is left in build/package/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake --preset release >/dev/null
cmake --build --preset release --target averlin
rm -rf build/package
cpack --config build/release/CPackConfig.cmake -B build/package
deb=$(echo build/package/averlin_*.deb)

fail() { echo "package.sh: $*" >&2; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

desktop-file-validate "$root"/usr/share/applications/org.averlin.Averlin.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/org.averlin.Averlin.metainfo.xml
for f in usr/bin/averlin usr/share/icons/hicolor/scalable/apps/averlin.svg usr/share/doc/averlin/copyright; do
  [ -f "$root/$f" ] || fail "$f is not in the package"
done
# The dependencies are read from the binary, so Qt must be among them.
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libqt6widgets6* ]] || fail "Depends lacks Qt: $depends"
[ "$(dpkg-deb -f "$deb" Recommends)" = fonts-wine ] || fail "Recommends is not fonts-wine"

# Start the unpacked program on a private X server until its window shows.
mkdir -m 700 "$root/run"
XDG_RUNTIME_DIR=$root/run scripts/xserver.py --screen 800x600x24 -- \
  scripts/shows-window.sh "$root/usr/bin/averlin" || fail "the installed program showed no window"
echo "package.sh: $deb installs, validates and runs"
