#!/usr/bin/env python3
"""A private X server: Xvfb on a free display, stopped by its PID when the
work is done. Every script, test and benchmark that needs an X server starts
it through here.

As a program it runs a command under such a server:
    scripts/xserver.py [--display :N] [--screen WxHxD] [--dpi N] [--wm openbox]
                       [--same-cpu] -- COMMAND [ARG...]
Without --display, AVERLIN_BENCH_DISPLAY names the display when it is set.
--dpi sets Xft.dpi on the server, the way GNOME and KDE tell X11 programs
the screen's density. --wm openbox starts Debian's openbox, a small EWMH
window manager, on the server and waits until it manages the screen, so that
the command's windows get a frame as on a desktop. --same-cpu runs the server and the command on one
CPU, so that a round trip to the server costs no wake-up of another CPU (on
a virtual machine that wake-up can take longer than the work on both
sides).
"""

import argparse
import os
import signal
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree


class Xvfb:
    """Context manager: starts Xvfb and yields its display name (":N")."""

    def __init__(self, display=None, screen="1280x1024x24", cpu=None, dpi=None, wm=None):
        self.display = display or os.environ.get("AVERLIN_BENCH_DISPLAY")
        self.screen = screen
        self.cpu = cpu
        self.dpi = dpi
        self.wm = wm
        self.process = None
        self.wm_process = None

    def __enter__(self):
        read_end, write_end = os.pipe()
        # -displayfd: the server writes its display number once it accepts
        # clients; without a display given it takes the first free one.
        # -noreset: no server reset, which would drop the resources set
        # below, whenever the last client leaves.
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
        if self.dpi:
            # -nocpp: xrdb would run the C preprocessor, which a minimal machine lacks.
            subprocess.run(["xrdb", "-nocpp", "-merge"], input=f"Xft.dpi: {self.dpi}\n", text=True,
                           check=True, env=dict(os.environ, DISPLAY=self.display))
        if self.wm:
            self.start_window_manager()
        return self.display

    def start_window_manager(self):
        env = dict(os.environ, DISPLAY=self.display)
        # --sm-disable: no session manager to look for.
        self.wm_process = subprocess.Popen([self.wm, "--sm-disable"], env=env, stdout=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL)
        # An EWMH window manager announces itself on the root window
        # (_NET_SUPPORTING_WM_CHECK), but openbox does so as it begins to start:
        # a window mapped before it has started is never managed, and so never
        # shown. It has started once it manages a window of ours: a probe,
        # mapped again while it goes unmanaged.
        deadline = time.monotonic() + 60
        wait = 0.5
        while time.monotonic() < deadline and self.wm_process.poll() is None:
            if "window id" not in root_property(env, "_NET_SUPPORTING_WM_CHECK"):
                time.sleep(0.05)
                continue
            probe = subprocess.Popen(["xev", "-geometry", "1x1+0+0"], env=env, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
            managed = until(lambda: "0x" in root_property(env, "_NET_CLIENT_LIST"), wait)
            probe.terminate()
            probe.wait()
            if managed and until(lambda: "0x" not in root_property(env, "_NET_CLIENT_LIST"), 20):
                return
            wait *= 2
        self.__exit__()
        raise RuntimeError(f"{self.wm} did not start on {self.display}")

    def __exit__(self, *exc):
        if self.wm_process:
            self.wm_process.terminate()
            self.wm_process.wait()
        self.process.terminate()
        self.process.wait()
        return False


def root_property(env, name):
    """What xprop says of a property of the root window."""
    return subprocess.run(["xprop", "-root", name], env=env, capture_output=True, text=True).stdout


def until(condition, timeout):
    """Polls the condition until it holds or the time is up; whether it held."""
    deadline = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.05)
    return True


def on_cpu(cpu):
    """A preexec_fn that keeps the child on the CPU, or None for any CPU."""
    return None if cpu is None else lambda: os.sched_setaffinity(0, {cpu})


def environment(display, runtime=None, **settings):
    """The environment for a program on the display; benchmarks pin Qt to it with QT_QPA_PLATFORM="xcb".
    runtime is the XDG_RUNTIME_DIR to give where none is set (a new one when not given)."""
    env = dict(os.environ, DISPLAY=display, **settings)
    if "XDG_RUNTIME_DIR" not in env:
        env["XDG_RUNTIME_DIR"] = runtime or tempfile.mkdtemp(prefix="averlin-x-")
    return env


def parse_with_command(parser):
    """Parses the options and the command after them (after a "--"), and lets a
    signal to this process (a test's time-out, Ctrl-C) still stop what it starts."""
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command
    if not command:
        parser.error("no command given")
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(128 + signal.SIGTERM))
    return args, command


def main():
    parser = argparse.ArgumentParser(description="Runs a command under an Xvfb of its own.")
    parser.add_argument("--display", help="display to use, e.g. :65 (default: the first free one)")
    parser.add_argument("--screen", default="1280x1024x24", help="screen size and depth (default 1280x1024x24)")
    parser.add_argument("--dpi", type=int, help="Xft.dpi to set on the server")
    parser.add_argument("--wm", choices=["openbox"], help="window manager to start on the server")
    parser.add_argument("--same-cpu", action="store_true", help="run the server and the command on one CPU")
    args, command = parse_with_command(parser)
    cpu = min(os.sched_getaffinity(0)) if args.same_cpu else None
    with Xvfb(args.display, args.screen, cpu, args.dpi, args.wm) as display, \
            tempfile.TemporaryDirectory(prefix="averlin-x-") as runtime:
        try:
            return subprocess.run(command, env=environment(display, runtime),
                                  preexec_fn=on_cpu(cpu)).returncode
        except KeyboardInterrupt:
            return 130


if __name__ == "__main__":
    sys.exit(main())
