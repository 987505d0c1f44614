#!/usr/bin/env python3
"""An X server of the benchmark's own: Xvfb on a free display, or on the one
given, stopped again when the benchmark is done.

As a program it runs a command under such a server:
    bench/xserver.py [--display :N] -- COMMAND [ARG...]
Without --display, AVERLIN_BENCH_DISPLAY names the display when it is set.
"""

import argparse
import os
import subprocess
import sys
import tempfile


class Xvfb:
    """Context manager: starts Xvfb and yields its display name (":N")."""

    def __init__(self, display=None, screen="1280x1024x24"):
        self.display = display or os.environ.get("AVERLIN_BENCH_DISPLAY")
        self.screen = screen
        self.process = None

    def __enter__(self):
        read_end, write_end = os.pipe()
        # -displayfd: the server writes its display number once it accepts
        # clients; without a display given it takes the first free one.
        # -noreset: no server reset, refusing clients, whenever the last one leaves.
        args = ["Xvfb"] + ([self.display] if self.display else [])
        args += ["-screen", "0", self.screen, "-nolisten", "tcp", "-noreset", "-displayfd", str(write_end)]
        self.process = subprocess.Popen(args, pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as ready:
            number = ready.readline().strip()
        if not number:
            self.process.wait()
            raise RuntimeError(f"Xvfb did not start (display {self.display or 'any'})")
        self.display = ":" + number
        return self.display

    def __exit__(self, *exc):
        self.process.terminate()
        self.process.wait()
        return False


def environment(display):
    """The environment for a Qt program on the display."""
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
    if "XDG_RUNTIME_DIR" not in env:
        env["XDG_RUNTIME_DIR"] = tempfile.mkdtemp(prefix="averlin-bench-")
    return env


def launch(launcher, options, command, env, timeout=60):
    """Runs a program under averlin-xlaunch; returns the figures it reported."""
    result = subprocess.run([launcher] + options + ["--"] + command, env=env, capture_output=True,
                            text=True, timeout=timeout)
    if result.returncode != 0:
        raise RuntimeError(f"{command[0]}: {result.stderr.strip() or 'exit status %d' % result.returncode}")
    return dict(line.split("=", 1) for line in result.stdout.split())


def run_benchmark(main):
    """Exits with main's status; a program that failed to run ends it with 1."""
    try:
        sys.exit(main())
    except (RuntimeError, subprocess.TimeoutExpired) as error:
        print(f"{os.path.basename(sys.argv[0])}: {error}", file=sys.stderr)
        sys.exit(1)


def main():
    parser = argparse.ArgumentParser(description="Runs a command under an Xvfb of its own.")
    parser.add_argument("--display", help="display to use, e.g. :65 (default: the first free one)")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command
    if not command:
        parser.error("no command given")
    with Xvfb(args.display) as display:
        return subprocess.run(command, env=environment(display)).returncode


if __name__ == "__main__":
    sys.exit(main())
