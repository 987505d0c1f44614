#!/usr/bin/env python3
"""Idle check: the program, started under an Xvfb of the benchmark's own and
then left alone with the pointer resting on a control, should use no CPU
time and wake up for nothing. Reads utime+stime (/proc/PID/stat), time on a
CPU (schedstat) and voluntary context switches (/proc/PID/task/*/status)
before and after the idle time, for the calculator and for the floor
program, twice: as under a bare X server, where the window has no keyboard
focus, and with the focus given to it as a window manager would, when the
caret blinks in the focused field.

    bench/idle.py [--seconds S] [BUILD_DIR]

Figures only; the exit status is non-zero only when a program fails.
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scripts"))
from xserver import Xvfb, environment

from launcher import launch, run_benchmark

# Inside the window: the middle of the "A1 AND A2" button, which has a hint.
POINTER = "125,300"


def idle_figures(launcher, program, seconds, focus, env):
    options = ["--settle", "1", "--idle", str(seconds), "--pointer", POINTER] + (["--focus"] if focus else [])
    return launch(launcher, options, [program], env, timeout=seconds + 60)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("build", nargs="?", default=os.path.join(here, "..", "build", "release"))
    parser.add_argument("--seconds", type=float, default=10, help="idle time (default 10)")
    parser.add_argument("--display", help="X display to start Xvfb on (default: the first free one)")
    args = parser.parse_args()
    launcher = os.path.join(args.build, "bench", "averlin-xlaunch")
    programs = [("averlin", os.path.join(args.build, "app", "averlin")),
                ("floor", os.path.join(args.build, "bench", "averlin-floor"))]

    rows = []
    with Xvfb(args.display) as display:
        env = environment(display, QT_QPA_PLATFORM="xcb")
        for focus in (False, True):
            for name, program in programs:
                rows.append((name, focus, idle_figures(launcher, program, args.seconds, focus, env)))

    print(f"Idle for {args.seconds:g} s, pointer still over a control (Xvfb {display}):")
    print(f"{'':8} {'keyboard focus':15} {'utime+stime ticks':18} {'CPU ms':>7} {'run µs':>8} "
          f"{'voluntary switches (all threads)':33} {'main thread':>11} {'threads':>7}")
    for name, focus, f in rows:
        ticks = f"{f['cpu_ticks_before']} → {f['cpu_ticks_after']}"
        switches = f"{f['wakeups_before']} → {f['wakeups_after']} (+{f['idle_wakeups']})"
        print(f"{name:8} {'given' if focus else 'none (bare X)':15} {ticks:18} {f['idle_cpu_ms']:>7} "
              f"{f['idle_run_us']:>8} {switches:33} {'+' + f['idle_main_wakeups']:>11} {f['threads']:>7}")
    quiet = next(f for name, focus, f in rows if name == "averlin" and not focus)
    still = quiet["idle_cpu_ms"] == "0" and quiet["idle_wakeups"] == "0"
    print(f"averlin without focus: {'no CPU time and no wake-ups' if still else 'NOT idle'}"
          f" (target: none of either: {'met' if still else 'missed'})")
    return 0


if __name__ == "__main__":
    run_benchmark(main)
