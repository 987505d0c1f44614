#!/usr/bin/env bash
# Runs a command of this source tree inside a root of another Debian release,
# so that one machine builds and tests on Debian 12, 13 and testing alike:
#     scripts/debian-root.sh 13 -- scripts/suite.sh
#     scripts/debian-root.sh testing -- scripts/suite.sh
# The root is made with mmdebstrap from Debian's archive, through the mirror
# that this machine's own apt sources name, and kept between runs in
# $AVERLIN_ROOTS (default /var/cache/averlin); one that is missing, was
# left half made or is more than 30 days old (so that it follows the
# release's updates) is made again. The source tree is seen at the same path
# inside the root; its build/ is the tree's build/debian-<release>/, so the
# two releases never share a build folder. Everything mounted for the run
# lives in a mount namespace of its own and goes with it. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."
source=$PWD

usage() { echo "usage: $0 12|13|testing -- COMMAND [ARG...]" >&2; exit 2; }
[ $# -ge 3 ] && [ "$2" = -- ] || usage
release=$1
shift 2
# A stable release takes its updates too, so that the root has what a
# machine of that release installs today. Testing has none; its Release
# file is valid for a week only, which a mirror that serves a snapshot of
# the archive outlives, so its date is not held against it.
apt_options=()
case $release in
  12) suites=(bookworm bookworm-updates) ;;
  13) suites=(trixie trixie-updates) ;;
  testing) suites=(testing); apt_options=(--aptopt='Acquire::Check-Valid-Until "false"') ;;
  *) usage ;;
esac

[ "$(id -u)" -eq 0 ] || { echo "debian-root.sh: run as root (it makes a root and chroots into it)" >&2; exit 1; }

roots=${AVERLIN_ROOTS:-/var/cache/averlin}
root=$roots/debian-$release
# Written last when a root is made: a root without it is incomplete.
made=$root/etc/averlin-root-made

mirror() {
  # The first Debian archive among the machine's apt sources, in either
  # format; security and other archives are not the release's own.
  local uri
  uri=$(sed -n 's/^URIs:[[:space:]]*//p' /etc/apt/sources.list.d/*.sources 2>/dev/null |
    tr ' ' '\n' | grep -v -e security -e '^$' | head -n1 || true)
  [ -n "$uri" ] || uri=$(awk '$1 == "deb" && $0 !~ /security/ { for (i = 2; i <= NF; i++)
      if ($i ~ /^[a-z]+:\/\//) { print $i; exit } }' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true)
  [ -n "$uri" ] || { echo "debian-root.sh: no Debian mirror in this machine's apt sources" >&2; exit 1; }
  echo "$uri"
}

if [ ! -f "$made" ] || [ -n "$(find "$made" -mtime +30)" ]; then
  command -v mmdebstrap >/dev/null || scripts/install-deps.sh --host-tools
  echo "== making a Debian $release root in $root"
  rm -rf "$root"
  mkdir -p "$roots"
  keyring=/usr/share/keyrings/debian-archive-keyring.gpg
  url=$(mirror)
  sources=()
  for suite in "${suites[@]}"; do sources+=("deb [signed-by=$keyring] $url $suite main"); done
  mmdebstrap --variant=apt --include=ca-certificates,python3 "${apt_options[@]}" "${suites[0]}" "$root" \
    "${sources[@]}"
  date -u +%FT%TZ >"$made"
fi

mkdir -p "build/debian-$release" "$root$source"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# The caller's environment stays outside, but for what the tests read.
env_args=(HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8)
for name in CI FUZZ_SECONDS AVERLIN_SOAK_SEED; do
  [ -z "${!name:-}" ] || env_args+=("$name=${!name}")
done

exec unshare --mount --propagation private -- /bin/bash -euo pipefail -c '
  root=$1 source=$2 release=$3
  shift 3
  # The root as a mount of its own, as in a system booted from it: a
  # program inside that makes a mount namespace of its own changes the
  # propagation of /, which only a mount point has.
  mount --bind "$root" "$root"
  mount --rbind /proc "$root/proc"
  mount --rbind /sys "$root/sys"
  mount --rbind /dev "$root/dev"
  mount -t tmpfs -o mode=1777 tmpfs "$root/tmp"
  mkdir -p "$root$source"  # again, should the tree lie under /tmp
  mount --bind "$source" "$root$source"
  mount --bind "$source/build/debian-$release" "$root$source/build"
  exec chroot "$root" /usr/bin/env -i "$@"
' debian-root "$root" "$source" "$release" "${env_args[@]}" /bin/sh -c 'cd "$0" && exec "$@"' "$source" "$@"
