"""Runs a program under averlin-xlaunch (bench/xlaunch.c) and reads the
figures it reports; the benchmarks' way to end on a program that failed."""

import os
import subprocess
import sys


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
