#!/usr/bin/env python3
"""Runs startup_probe and minimal_qt (built the same way) repeatedly on one Qt
platform and prints the medians as Markdown table rows.

    startupMeasure.py <bin folder> <runs> <platform>

Start-up is measured from just before the process is started to the moment
its first window's first frame has been flushed (the probe prints that moment
on the same monotonic clock)."""
import os
import statistics
import subprocess
import sys
import tempfile
import time

WARM_UP = 2


def run(command, platform):
    env = dict(os.environ, QT_QPA_PLATFORM=platform)
    env.setdefault("XDG_RUNTIME_DIR", tempfile.mkdtemp(prefix="probe-"))
    start = time.monotonic_ns()
    done = subprocess.run(command, env=env, capture_output=True, text=True, timeout=180)
    if done.returncode != 0:
        sys.exit(f"{' '.join(command)} failed ({done.returncode}):\n{done.stderr}")
    values = {}
    for line in done.stdout.splitlines():
        name, value = line.split()
        values[name] = int(value)
    values["startup_ms"] = (values["shown_ns"] - start) / 1e6
    return values


def series(command, platform, runs):
    for _ in range(WARM_UP):
        run(command, platform)
    return [run(command, platform) for _ in range(runs)]


def median(samples, key):
    return statistics.median(s[key] for s in samples)


def spread(samples, key):
    values = [s[key] for s in samples]
    return min(values), max(values)


def main():
    folder, runs, platform = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    quillbox = os.path.join(folder, "startup_probe")
    minimal = os.path.join(folder, "minimal_qt")
    idle_q = series([quillbox, "idle"], platform, runs)
    idle_m = series([minimal], platform, runs)
    draws = series([quillbox, "draw"], platform, max(3, runs // 3))

    def ms(samples):
        lo, hi = spread(samples, "startup_ms")
        return f"{median(samples, 'startup_ms'):.0f} ms ({lo:.0f}–{hi:.0f})"

    def mb(value_kb):
        return f"{value_kb / 1024:.1f} MB"

    diff_ms = median(idle_q, "startup_ms") - median(idle_m, "startup_ms")
    print(f"| start to first frame of the first window, {platform} | {ms(idle_q)} | "
          f"{ms(idle_m)} | {diff_ms:+.0f} ms |")
    rq, rm = median(idle_q, "idle_rss_kb"), median(idle_m, "idle_rss_kb")
    print(f"| resident memory, idle after start, {platform} | {mb(rq)} | {mb(rm)} | "
          f"{(rq - rm) / 1024:+.1f} MB |")
    pq, pm = median(draws, "draw_peak_kb"), median(idle_m, "idle_peak_kb")
    lines = int(median(draws, "list_lines"))
    print(f"| peak memory, two-blank learn-mode draw ({lines} list lines), {platform} | "
          f"{mb(pq)} | {mb(pm)} (idle peak) | {(pq - pm) / 1024:+.1f} MB |")
    lo, hi = spread(draws, "draw_ns")
    print(f"| Start Game to the list of {lines} lines shown, {platform} | "
          f"{median(draws, 'draw_ns') / 1e6:.0f} ms ({lo / 1e6:.0f}–{hi / 1e6:.0f}) | | |")


if __name__ == "__main__":
    main()
