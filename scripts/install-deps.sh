#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages that Averlin needs:
#     scripts/install-deps.sh           everything: build, tests, tools, package
#     scripts/install-deps.sh --run     only what building and running the program needs
#     scripts/install-deps.sh --host-tools   only what makes another release's root
#     scripts/install-deps.sh --windows      what building Qt and Averlin for Windows,
#                                            and testing them under Wine, needs
# Every name exists on Debian 12, 13 and testing alike, but for those marked
# with a trailing "?", which are installed where the release's archive has
# them and left out, with word of it, where it has not. Packages already
# present are skipped, so it is cheap to re-run.
set -euo pipefail

run=(
  cmake ninja-build g++
  qt6-base-dev librsvg2-bin
  fonts-wine?                             # the Tahoma the window is laid out for;
                                          # testing has no Wine, and the window
                                          # fits its captions to the system's font
)
host_tools=(
  mmdebstrap debian-archive-keyring       # a root of the other Debian release
)
windows=(
  cmake ninja-build git
  g++-mingw-w64-x86-64-posix              # the cross compilers and the mingw-w64 runtime
  qt6-base-dev dpkg-dev                   # Qt's host tools; unpacking Qt's source package
  librsvg2-bin icoutils                   # the icon, and the .ico that the program carries
  googletest                              # GoogleTest's sources, built for Windows
  wine wine64 fonts-wine?                 # the Windows programs run, with Windows' Tahoma
  xvfb xauth x11-utils python3            # on a private X server
  nsis                                    # the installer
  gcc pkg-config libxcb1-dev              # the start-up benchmark's launcher, for this machine
)
tests=(
  "${run[@]}" "${host_tools[@]}"
  pkg-config libgtest-dev libbenchmark-dev
  xvfb xauth x11-utils x11-xserver-utils
  fontconfig fonts-dejavu-core fonts-noto-core fonts-liberation2 fonts-cantarell  # the window without Tahoma
  desktop-file-utils appstream dpkg-dev file
  lintian devscripts                      # package checks: lintian, hardening-check
  mandoc groff-base                       # manual page checks
  clang-format clang-tidy
  clang libclang-rt-dev                   # the sanitizer build and the fuzz targets (clang++)
  valgrind xdotool libxcb1-dev            # memory check of the program
  imagemagick                             # screenshots of the window (scripts/screenshot.sh)
  python3 git                             # benchmark scripts; the commit a package is dated by
  openbox                                 # an EWMH window manager for the window tests
  weston qt6-wayland xwayland             # Wayland sessions, native and with Xwayland
  dbus-daemon at-spi2-core python3-pyatspi  # the window driven through AT-SPI
)

case ${1:-} in
  "") packages=("${tests[@]}") ;;
  --run) packages=("${run[@]}") ;;
  --host-tools) packages=("${host_tools[@]}") ;;
  --windows) packages=("${windows[@]}") ;;
  *) echo "usage: $0 [--run | --host-tools | --windows]" >&2; exit 2 ;;
esac

missing=()
optional=()
for p in "${packages[@]}"; do
  name=${p%\?}
  dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q "install ok installed" && continue
  missing+=("$name")
  [ "$name" = "$p" ] || optional+=("$name")
done

if ((${#missing[@]})); then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  install=()
  for name in "${missing[@]}"; do
    # The policy is read whole first: grep -q would stop reading early,
    # and apt-cache's pipe break would count as no candidate (pipefail).
    if [[ " ${optional[*]} " == *" $name "* ]] &&
      ! grep -q '^ *Candidate: [^(]' <<<"$(apt-cache policy "$name")"; then
      echo "Leaving out $name: this release's archive has no such package"
    else
      install+=("$name")
    fi
  done
  if ((${#install[@]})); then
    echo "Installing: ${install[*]}"
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${install[@]}"
  fi
fi
