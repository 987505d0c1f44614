#!/usr/bin/env python3
"""Start-up benchmark: time from process start until the top-level window is
mapped, and peak resident memory (VmHWM) a second after that, for the
calculator and for the floor program (the same widgets with nothing behind
them), run in turns A B A B under an Xvfb of the benchmark's own.

    bench/startup.py [--runs N] [--costs] [--compare NAME=PROGRAM]... [--svg FILE] [BUILD_DIR]
    bench/startup.py --wine --launcher AVERLIN_XLAUNCH [--runs N] WINDOWS_BUILD_DIR

--costs adds two variants of the floor that each do one step of the
calculator's own start-up (choosing the window's font, setting the icon), so that
their cost shows as the difference to the plain floor. --compare adds any
other program to the turns, such as another build of the calculator.
--wine measures a Windows build instead: every program, --compare's too,
is started under Wine through the build's wine-run, by a launcher built for
this machine (it watches the X server, where Wine maps the windows).
Figures only: nothing here judges them. The exit status is non-zero only
when a program fails to start or dies.
"""

import argparse
import os
import platform
import statistics
import subprocess
import sys
from dataclasses import dataclass, field

sys.dont_write_bytecode = True  # no __pycache__ in the source tree

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scripts"))
from xserver import Xvfb, environment

from launcher import launch, run_benchmark

TIME_TARGET = 1.15    # averlin / floor, at most
MEMORY_TARGET = 1.10


@dataclass
class Program:
    name: str
    command: list
    times: list = field(default_factory=list)      # ms from start to map
    cpu: list = field(default_factory=list)        # ms of CPU time used by then
    memories: list = field(default_factory=list)   # MiB, VmHWM

    def start(self, launcher, settle, env):
        """One start-up; returns the launcher's figures."""
        return launch(launcher, ["--settle", str(settle)], self.command, env)

    def measure(self, launcher, settle, env):
        figures = self.start(launcher, settle, env)
        self.times.append(float(figures["map_ms"]))
        self.cpu.append(float(figures["map_cpu_ms"]))
        self.memories.append(int(figures["hwm_kb"]) / 1024)


def spread(values, unit):
    return (f"{statistics.median(values):8.1f} {unit}   "
            f"{min(values):.1f}–{max(values):.1f}")


def machine(wine=False):
    cpu = next((line.split(":", 1)[1].strip() for line in open("/proc/cpuinfo")
                if line.startswith("model name")), platform.machine())
    # The Qt built against, one name on Debian 12 and 13 (whose library is libqt6core6t64); a
    # Windows build's Qt is made from the same version's source (scripts/windows-qt.sh).
    qt = subprocess.run(["dpkg-query", "-W", "-f", "${Version}", "qt6-base-dev"],
                        capture_output=True, text=True).stdout.split("+")[0] or "unknown"
    if not wine:
        return f"{os.cpu_count()} × {cpu}, Qt {qt}"
    wine_version = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout.strip()
    return f"{os.cpu_count()} × {cpu}, Qt {qt} for Windows, {wine_version or 'Wine'}"


def svg_chart(programs, title):
    """Two bar panels, time and memory: bar = median, whisker = min–max."""
    width, height, top, bottom = 720, 340, 60, 250
    colours = ["#3566a8", "#9aa7b8", "#c9a227", "#5b9a5b"]
    out = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
           f'viewBox="0 0 {width} {height}" font-family="sans-serif" font-size="12">',
           f'<rect width="{width}" height="{height}" fill="white"/>',
           f'<text x="{width / 2}" y="22" text-anchor="middle" font-size="15">Start-up: Averlin beside the floor</text>',
           f'<text x="{width / 2}" y="40" text-anchor="middle" fill="#555">{title}</text>']
    panels = [("time to window mapped (ms)", "times"), ("peak resident memory (MiB)", "memories")]
    panel_width = width / 2
    for p, (label, attribute) in enumerate(panels):
        left = p * panel_width + 50
        plot_width = panel_width - 80
        peak = max(max(getattr(prog, attribute)) for prog in programs) * 1.15
        scale = (bottom - top) / peak
        out.append(f'<line x1="{left}" y1="{bottom}" x2="{left + plot_width}" y2="{bottom}" stroke="#333"/>')
        out.append(f'<text x="{left + plot_width / 2}" y="{bottom + 50}" text-anchor="middle">{label}</text>')
        slot = plot_width / len(programs)
        for i, prog in enumerate(programs):
            values = getattr(prog, attribute)
            median, low, high = statistics.median(values), min(values), max(values)
            x = left + i * slot + slot * 0.15
            w = slot * 0.7
            out.append(f'<rect x="{x:.1f}" y="{bottom - median * scale:.1f}" width="{w:.1f}" '
                       f'height="{median * scale:.1f}" fill="{colours[i % len(colours)]}"/>')
            cx = x + w / 2
            out.append(f'<line x1="{cx:.1f}" y1="{bottom - low * scale:.1f}" x2="{cx:.1f}" '
                       f'y2="{bottom - high * scale:.1f}" stroke="#000"/>')
            out.append(f'<text x="{cx:.1f}" y="{bottom - high * scale - 6:.1f}" text-anchor="middle">{median:.1f}</text>')
            out.append(f'<text x="{cx:.1f}" y="{bottom + 16}" text-anchor="middle" font-size="11">{prog.name}</text>')
    out.append(f'<text x="{width / 2}" y="{height - 10}" text-anchor="middle" fill="#555" font-size="11">'
               'bar: median; line: fastest to slowest (least to most memory)</text>')
    out.append("</svg>")
    return "\n".join(out) + "\n"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("build", nargs="?", metavar="BUILD_DIR", default=os.path.join(here, "..", "build", "release"))
    parser.add_argument("--runs", type=int, default=20, help="start-ups of each program (default 20)")
    parser.add_argument("--settle", type=float, default=1.0, help="seconds from the map to the memory reading")
    parser.add_argument("--display", help="X display to start Xvfb on (default: the first free one)")
    parser.add_argument("--costs", action="store_true", help="also measure the floor with the window's font, with the icon")
    parser.add_argument("--compare", action="append", default=[], metavar="NAME=PROGRAM",
                        help="also start this program, shown under this name")
    parser.add_argument("--svg", help="write a chart of the figures to this file")
    parser.add_argument("--wine", action="store_true", help="BUILD_DIR is a Windows build: start under Wine")
    parser.add_argument("--launcher", help="the averlin-xlaunch to start with (default: BUILD_DIR's)")
    args = parser.parse_args()

    launcher = args.launcher or os.path.join(args.build, "bench", "averlin-xlaunch")
    runner, exe = ([os.path.join(args.build, "wine-run")], ".exe") if args.wine else ([], "")
    floor = runner + [os.path.join(args.build, "bench", "averlin-floor" + exe)]
    programs = [Program("averlin", runner + [os.path.join(args.build, "app", "averlin" + exe)]),
                Program("floor", floor)]
    if args.costs:
        programs += [Program("floor+font", floor + ["--with-font"]), Program("floor+icon", floor + ["--with-icon"])]
    for extra in args.compare:
        name, _, program = extra.partition("=")
        if not program:
            parser.error(f"--compare {extra}: NAME=PROGRAM expected")
        programs.append(Program(name, runner + [program]))

    with Xvfb(args.display) as display:
        # Wine hands a Windows program no QT_* variable; it has one platform anyway.
        env = environment(display) if args.wine else environment(display, QT_QPA_PLATFORM="xcb")
        for prog in programs:   # one start each to fill the page cache (and start Wine's server), not counted
            prog.start(launcher, 0, env)
        for _ in range(args.runs):
            for prog in programs:
                prog.measure(launcher, args.settle, env)

    averlin, base = programs[0], programs[1]
    where = "under Wine on Xvfb" if args.wine else "under Xvfb"
    print(f"Start-up, {args.runs} runs each in turns, {where} {display}; {machine(args.wine)}")
    # The targets are the Linux program's; under Wine the figures are only shown.
    time_target, memory_target = (None, None) if args.wine else (TIME_TARGET, MEMORY_TARGET)
    columns = [("time to map", "times", "ms", time_target), ("CPU time to map", "cpu", "ms", None),
               ("peak RSS (VmHWM)", "memories", "MiB", memory_target)]
    print(f"{'':14}" + "".join(f" {title + ': median  min–max':34}" for title, *_ in columns))
    for prog in programs:
        print(f"{prog.name:14}" + "".join(f" {spread(getattr(prog, a), unit):34}" for _, a, unit, _ in columns))
    row = f"{'averlin/floor':14}"
    for _, a, _, target in columns:
        ratio = statistics.median(getattr(averlin, a)) / statistics.median(getattr(base, a))
        verdict = f"(target ≤ {target:.2f}: {'met' if ratio <= target else 'missed'})" if target else ""
        row += f" {ratio:8.3f} {verdict:25}"
    print(row)
    # Under Wine the difference tells more than the ratio: both hold Wine's own start.
    for prog in [averlin] + programs[2:]:
        label = "cost of " + prog.name.split("+")[1] if "+" in prog.name else prog.name + " - floor"
        row = f"{label:14}"
        for _, a, unit, _ in columns:
            difference = statistics.median(getattr(prog, a)) - statistics.median(getattr(base, a))
            row += f" {difference:+8.2f} {unit:25}"
        print(row)

    if args.svg:
        with open(args.svg, "w") as chart:
            chart.write(svg_chart(programs, f"{args.runs} start-ups each {where}; {machine(args.wine)}"))
        print(f"chart written to {args.svg}")
    return 0


if __name__ == "__main__":
    run_benchmark(main)
