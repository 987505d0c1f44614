# The jobs of the scripts that work on an X display, one way each; sourced:
#     . scripts/x11.sh
#     on_display [--private] [XSERVER OPTION...] -- "$0" "$@"
#         with no display set (or, with --private, unless the script already
#         runs on a private one), runs the script again under a private X
#         server: scripts/xserver.py with the options given
#     await_window PID [SECONDS]
#         waits (10 s unless told) until a window named "Averlin" is viewable
#         and prints its place on the screen (584x465+0+0); fails when the
#         program PID ends first or no window shows in time
#     same_builds FILE AGAIN
#         fails unless the two builds of a file are the same bytes; for a
#         Debian package, names the members that differ

on_display() {
  local private=false options=()
  [ "${1:-}" != --private ] || { private=true; shift; }
  while [ "$1" != -- ]; do options+=("$1"); shift; done
  shift
  if [ -n "${AVERLIN_PRIVATE_X:-}" ] || { ! $private && [ -n "${DISPLAY:-}" ]; }; then return 0; fi
  AVERLIN_PRIVATE_X=1 exec "$(dirname "${BASH_SOURCE[0]}")/xserver.py" ${options[@]+"${options[@]}"} -- "$@"
}

await_window() {
  local pid=$1 tenths=$((${2:-10} * 10)) window
  for _ in $(seq "$tenths"); do
    # The window of the title "Averlin" with a size of its own (Qt and Wine
    # keep a 1x1 one of that title too, never shown): its id and its place,
    # the root's coordinates last.
    window=$(xwininfo -root -tree 2>/dev/null |
      awk '/"Averlin"/ && $NF ~ /^\+/ {split($(NF-1), s, "+"); if (s[1] != "1x1") {print $1, $(NF-1); exit}}')
    if [ -n "$window" ] && xwininfo -id "${window% *}" 2>/dev/null | grep -q 'Map State: IsViewable'; then
      echo "${window#* }"
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before its window showed" >&2; return 1; }
    sleep 0.1
  done
  echo "no window showed in $((tenths / 10)) s" >&2
  return 1
}

same_builds() {
  local file=$1 again=$2 member
  cmp -s "$file" "$again" && return 0
  echo "${file##*/} differs between two builds" >&2
  if [[ $file == *.deb ]]; then
    for member in $(ar t "$file"); do
      cmp -s <(ar p "$file" "$member") <(ar p "$again" "$member") || echo "  member $member differs" >&2
    done
  fi
  return 1
}
