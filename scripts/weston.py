#!/usr/bin/env python3
"""A private Wayland session: weston's headless backend with a runtime
directory of its own, stopped by its PID when the work is done. The window
tests that need a Wayland compositor start it through here; it needs no X
server.

    scripts/weston.py [--xwayland] [--size WxH] -- COMMAND [ARG...]

The command runs as a program of a Wayland session would: XDG_RUNTIME_DIR,
WAYLAND_DISPLAY and XDG_SESSION_TYPE=wayland set; DISPLAY set to weston's
Xwayland display with --xwayland (Xwayland starts with the first X client),
and unset without. QT_QPA_PLATFORM is passed on as it is: the command
chooses (or leaves the choice to the program).
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree

from xserver import parse_with_command

SOCKET = "averlin-wayland"


class Weston:
    """Context manager: starts weston headless and yields the command's environment."""

    def __init__(self, xwayland=False, size="1280x1024"):
        self.xwayland = xwayland
        self.size = size
        self.process = None
        self.runtime = None

    def __enter__(self):
        # weston refuses a runtime directory that others may read.
        self.runtime = tempfile.mkdtemp(prefix="averlin-wayland-")
        os.chmod(self.runtime, 0o700)
        log = os.path.join(self.runtime, "weston.log")
        width, height = self.size.split("x")
        args = ["weston", "--backend=headless-backend.so", f"--socket={SOCKET}", f"--width={width}",
                f"--height={height}", "--idle-time=0", f"--log={log}"] + (["--xwayland"] if self.xwayland else [])
        env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime)
        for name in ("WAYLAND_DISPLAY", "WAYLAND_SOCKET", "DISPLAY"):
            env.pop(name, None)
        self.process = subprocess.Popen(args, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        display = self._wait_until_ready(log)
        session = dict(os.environ, XDG_RUNTIME_DIR=self.runtime, WAYLAND_DISPLAY=SOCKET,
                       XDG_SESSION_TYPE="wayland")
        session.pop("DISPLAY", None)
        if display:
            session["DISPLAY"] = display
        return session

    def _wait_until_ready(self, log):
        """Waits for the socket (and Xwayland's display); returns that display or None."""
        socket = os.path.join(self.runtime, SOCKET)
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError(f"weston ended at start:\n{read(log)}")
            # Clients that connect before weston runs its loop wait in the socket's queue.
            if os.path.exists(socket):
                if not self.xwayland:
                    return None
                for line in read(log).splitlines():
                    if "xserver listening on display" in line:
                        return line.rsplit(" ", 1)[1]
            time.sleep(0.05)
        raise RuntimeError(f"weston did not get ready:\n{read(log)}")

    def __exit__(self, *exc):
        self.process.terminate()
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.runtime, ignore_errors=True)
        return False


def read(path):
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            return f.read()
    except FileNotFoundError:
        return ""


def main():
    parser = argparse.ArgumentParser(description="Runs a command in a headless weston session of its own.")
    parser.add_argument("--xwayland", action="store_true", help="start Xwayland and set DISPLAY to it")
    parser.add_argument("--size", default="1280x1024", help="output size (default 1280x1024)")
    args, command = parse_with_command(parser)
    try:
        with Weston(args.xwayland, args.size) as env:
            try:
                return subprocess.run(command, env=env).returncode
            except KeyboardInterrupt:
                return 130
    except RuntimeError as error:
        print(f"weston.py: {error}", file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
