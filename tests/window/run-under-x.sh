#!/usr/bin/env bash
# Runs a window test on the current display, or under a private Xvfb when
# there is none.
if [ -n "${DISPLAY:-}" ]; then exec "$@"; fi
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"
