#!/usr/bin/env bash
# Runs a window test on the current display, or under a private X server
# when there is none.
exec python3 "$(dirname "$0")/../../scripts/xserver.py" --unless-display -- "$@"
