#!/usr/bin/env python3
"""An X server of the benchmark's own: Xvfb on a free display, or on the one
given, stopped again when the benchmark is done.

As a program it runs a command under such a server:
    bench/xserver.py [--display :N] [--same-cpu] -- COMMAND [ARG...]
Without --display, AVERLIN_BENCH_DISPLAY names the display when it is set.
--same-cpu runs the server and the command on one CPU, so that a round
trip to the server costs no wake-up of another CPU (on a virtual machine
that wake-up can take longer than the work on both sides).
"""

import argparse
import os
import subprocess
import sys
import tempfile


class Xvfb:
    """Context manager: starts Xvfb and yields its display name (":N")."""

    def __init__(self, display=None, screen="1280x1024x24", cpu=None):
        self.display = display or os.environ.get("AVERLIN_BENCH_DISPLAY")
        self.screen = screen
        self.cpu = cpu
        self.process = None

    def __enter__(self):
        read_end, write_end = os.pipe()
        # -displayfd: the server writes its display number once it accepts
        # clients; without a display given it takes the first free one.
        # -noreset: no server reset, refusing clients, whenever the last one leaves.
        args = ["Xvfb"] + ([self.display] if self.display else [])
        args += ["-screen", "0", self.screen, "-nolisten", "tcp", "-noreset", "-displayfd", str(write_end)]
        self.process = subprocess.Popen(args, pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, preexec_fn=on_cpu(self.cpu))
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


def on_cpu(cpu):
    """A preexec_fn that keeps the child on the CPU, or None for any CPU."""
    return None if cpu is None else lambda: os.sched_setaffinity(0, {cpu})


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
    parser.add_argument("--same-cpu", action="store_true", help="run the server and the command on one CPU")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command
    if not command:
        parser.error("no command given")
    cpu = min(os.sched_getaffinity(0)) if args.same_cpu else None
    with Xvfb(args.display, cpu=cpu) as display:
        return subprocess.run(command, env=environment(display), preexec_fn=on_cpu(cpu)).returncode


if __name__ == "__main__":
    sys.exit(main())
