#!/usr/bin/python3
"""Runs a command on an accessibility bus of its own, as a screen reader's
desktop has one: a private D-Bus session bus, and on it at-spi-bus-launcher,
which starts the accessibility bus and, on demand, the AT-SPI registry.

    atspi_session.py -- COMMAND [ARG...]

The session bus activates nothing (its service folder is empty), and this
process adopts whatever its children leave behind, so that every process
started for the command, down to the registry, is stopped by its PID when
the command ends. The command gets DBUS_SESSION_BUS_ADDRESS and
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1, so that Qt programs it starts join the
bus at once.
"""

import ctypes
import os
import signal
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True

PR_SET_CHILD_SUBREAPER = 36
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

SESSION_CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir={folder}</listen>
  <servicedir>{folder}/services</servicedir>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
"""


def adopted_children():
    """PIDs of this process's children, the adopted orphans included."""
    pids = []
    for task in os.listdir(f"/proc/{os.getpid()}/task"):
        with open(f"/proc/{os.getpid()}/task/{task}/children") as children:
            pids += [int(pid) for pid in children.read().split()]
    return pids


def stop(pid, grace=3.0):
    """Ends one child: SIGTERM, then SIGKILL after the grace time."""
    try:
        os.kill(pid, signal.SIGTERM)
    except ProcessLookupError:
        return
    deadline = time.monotonic() + grace
    while time.monotonic() < deadline:
        if os.waitpid(pid, os.WNOHANG)[0] == pid:
            return
        time.sleep(0.02)
    os.kill(pid, signal.SIGKILL)
    os.waitpid(pid, 0)


def wait_for_name(env, name, timeout=10.0):
    """Waits until a name is owned on the session bus."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        owner = subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
             "org.freedesktop.DBus.NameHasOwner", f"string:{name}"],
            env=env, capture_output=True, text=True)
        if "boolean true" in owner.stdout:
            return
        time.sleep(0.05)
    raise RuntimeError(f"{name} did not appear on the session bus")


def main():
    command = sys.argv[1:]
    if command[:1] == ["--"]:
        command = command[1:]
    if not command:
        sys.exit("usage: atspi_session.py -- COMMAND [ARG...]")
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)
    # A test's time-out ends this process with SIGTERM: clean up all the same.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(128 + signal.SIGTERM))
    started = []
    with tempfile.TemporaryDirectory(prefix="averlin-atspi-") as folder:
        os.mkdir(os.path.join(folder, "services"))
        config = os.path.join(folder, "session.conf")
        with open(config, "w") as f:
            f.write(SESSION_CONFIG.format(folder=folder))
        try:
            # Its one complaint here, that a container does not let it raise
            # its limit of open files, is of no interest.
            bus = subprocess.Popen(["dbus-daemon", "--config-file", config, "--nofork", "--print-address"],
                                   stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
            started.append(bus.pid)
            address = bus.stdout.readline().strip()
            if not address:
                raise RuntimeError("dbus-daemon did not start")
            env = dict(os.environ, DBUS_SESSION_BUS_ADDRESS=address, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                       # No dconf: the settings the bus launcher reads stay in memory.
                       GSETTINGS_BACKEND="memory", XDG_RUNTIME_DIR=folder)
            env.pop("AT_SPI_BUS_ADDRESS", None)
            # at-spi2-core 2.62's launcher ends with its usage message when
            # given --a11y=1, which older ones took: accessibility is
            # switched on through the bus's own property instead, as a
            # desktop's settings do.
            launcher = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            started.append(launcher.pid)
            wait_for_name(env, "org.a11y.Bus")
            subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                            "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:IsEnabled",
                            "variant:boolean:true"], env=env, check=True, stdout=subprocess.DEVNULL)
            return subprocess.run(command, env=env).returncode
        except RuntimeError as error:
            print(f"atspi_session.py: {error}", file=sys.stderr)
            return 1
        finally:
            # The launcher stops the accessibility bus, which ends the
            # registry; whatever is left has been adopted by this process.
            for pid in reversed(started):
                stop(pid)
            for pid in adopted_children():
                stop(pid)


if __name__ == "__main__":
    sys.exit(main())
