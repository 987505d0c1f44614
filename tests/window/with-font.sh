#!/bin/sh
# Runs a command on a system whose only font is one family, and without the
# Tahoma of Wine's that the program would otherwise add by its path:
#     tests/window/with-font.sh "Noto Sans" -- COMMAND [ARG...]
# Fontconfig is given a configuration of its own, whose one folder holds
# that family's files; Wine's font folder is hidden in a mount namespace of
# the command's own (as root, or else in a user namespace).
set -eu
family=$1
[ "${2:-}" = -- ] || { echo "usage: $0 FAMILY -- COMMAND [ARG...]" >&2; exit 2; }
shift 2

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/fonts" "$dir/empty"
fc-list --format='%{file}\n' ":family=$family" | sort -u | while read -r file; do
  ln -s "$file" "$dir/fonts/"
done
[ -n "$(ls "$dir/fonts")" ] || { echo "with-font.sh: no font of the family $family is installed" >&2; exit 1; }
cat >"$dir/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig><dir>$dir/fonts</dir><cachedir>$dir/cache</cachedir></fontconfig>
CONF
export FONTCONFIG_FILE="$dir/fonts.conf"

wine_fonts=/usr/share/wine/fonts
if [ ! -d "$wine_fonts" ]; then
  "$@"
  exit
fi
namespace="--mount --propagation private"
[ "$(id -u)" -eq 0 ] || namespace="--user --map-root-user --mount"
# shellcheck disable=SC2086 # the options are words of their own
unshare $namespace -- sh -c 'mount --bind "$0" "$1" && shift && exec "$@"' "$dir/empty" "$wine_fonts" "$@"
