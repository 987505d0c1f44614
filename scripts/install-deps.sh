#!/usr/bin/env bash
# Installs, with apt-get, every Debian package the build, the tests and the
# tools need. Packages already present are skipped, so it is cheap to re-run.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libbenchmark-dev
  qt6-base-dev librsvg2-bin
  xvfb x11-utils x11-xserver-utils fonts-dejavu-core fonts-wine
  desktop-file-utils appstream dpkg-dev file
  lintian devscripts                      # package checks: lintian, hardening-check
  mandoc groff-base                       # manual page checks
  clang-format clang-tidy
  clang libclang-rt-14-dev                # fuzz targets (libFuzzer)
  valgrind xdotool libxcb1-dev            # memory check of the program
  python3                                 # benchmark scripts
  openbox                                 # an EWMH window manager for the window tests
  weston qt6-wayland xwayland             # Wayland sessions, native and with Xwayland
  dbus-daemon at-spi2-core python3-pyatspi  # the window driven through AT-SPI
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
