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
xvfb_pid=
app_pid=
trap 'kill $app_pid $xvfb_pid 2>/dev/null || true; rm -rf "$root"' EXIT
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

# Start the unpacked program on a free display, which Xvfb picks itself.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$root/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$root/display" ] && break; sleep 0.1; done
read -r display_number <"$root/display" || fail "Xvfb did not start"
export DISPLAY=:$display_number
export XDG_RUNTIME_DIR=$root/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
"$root/usr/bin/averlin" &
app_pid=$!
for _ in $(seq 100); do
  xwininfo -name Averlin 2>/dev/null | grep -q 'Map State: IsViewable' && break
  kill -0 "$app_pid" 2>/dev/null || fail "the installed program exited before its window showed"
  sleep 0.1
done
xwininfo -name Averlin 2>/dev/null | grep -q 'Map State: IsViewable' || fail "no window showed in 10 s"
kill "$app_pid"
wait "$app_pid" || true
app_pid=
echo "package.sh: $deb installs, validates and runs"
