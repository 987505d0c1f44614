#!/usr/bin/env bash
# Makes the Qt that the Windows build of Averlin links against, from Debian's
# own source package of Qt, cross-built with Debian's mingw-w64 compilers and
# this machine's Qt as host tools (moc, rcc, uic), so the two must be the
# same version: the source asked for is the installed qt6-base-dev's.
#     scripts/windows-qt.sh        prints the Qt prefix, making it if needed
# The prefix is kept in $AVERLIN_QT_WINDOWS (default
# /var/cache/averlin/qt-windows) under the version and the patches it was
# made with (scripts/qt-windows/*.patch, fixes of Qt's own that wait for
# Qt to take them, each saying why); one that is missing or was left half
# made is made again, and a new version or patch makes a new prefix.
# Only what Averlin uses is built: Core, Gui, Widgets, Test and the Windows
# platform and style plugins, in about half an hour on 2 cores.
# Debian's archive is read through this machine's own apt sources.
set -euo pipefail
cd "$(dirname "$0")/.."
toolchain=$PWD/cmake/mingw-w64.cmake

version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
patches=("$PWD"/scripts/qt-windows/*.patch)
cache=${AVERLIN_QT_WINDOWS:-/var/cache/averlin/qt-windows}
prefix=$cache/$version+$(cat "${patches[@]}" | sha256sum | cut -c1-12)
# Written last: a prefix without it is incomplete.
made=$prefix/averlin-qt-made

if [ -f "$made" ]; then
  echo "$prefix"
  exit 0
fi

work=$cache/build
rm -rf "$prefix" "$work"
mkdir -p "$work/sources.d" "$work/lists/partial"
{
  echo "== making Qt $version for Windows in $prefix (from Debian's source package)"

  # The machine's own binary sources, turned into source entries in a
  # private apt state, so that the machine's apt set-up stays as it is.
  grep -h '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    sed 's/^deb /deb-src /' >"$work/sources.list" || true
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" >"$work/sources.d/$(basename "$f")"
  done
  apt_private=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=$work/sources.d"
    -o "Dir::State::Lists=$work/lists" -o APT::Sandbox::User=root)
  apt-get "${apt_private[@]}" update -qq
  (cd "$work" && apt-get "${apt_private[@]}" source -qq --download-only "qt6-base=$version")
  # Debian's patches too: the Qt that Debian ships, security fixes included.
  dpkg-source -x "$work"/qt6-base_*.dsc "$work/src" >/dev/null
  for p in "${patches[@]}"; do patch -d "$work/src" -p1 --quiet <"$p"; done

  # Only what a widgets program on Windows needs, built as one unit per
  # batch of sources (half the time). Debian's source has no wintab (no
  # tablet events). Text is drawn with DirectWrite, as Qt 6.8 does on
  # Windows; Qt 6.8.2 builds its font database neither without DirectWrite
  # nor with it but without Direct2D, so both stay on.
  cmake -S "$work/src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=ON \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF -DQT_UNITY_BUILD=ON \
    -DINPUT_zlib=qt -DINPUT_pcre=qt -DINPUT_harfbuzz=qt -DINPUT_freetype=qt -DINPUT_libpng=qt \
    -DFEATURE_jpeg=OFF -DINPUT_opengl=no -DFEATURE_dbus=OFF -DFEATURE_icu=OFF \
    -DFEATURE_tabletevent=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_vulkan=OFF -DFEATURE_zstd=OFF >"$work/configure.log"
  cmake --build "$work/build"
  cmake --install "$work/build" >/dev/null
  touch "$made"
  rm -rf "$work"
} >&2
echo "$prefix"
