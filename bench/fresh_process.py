#!/usr/bin/env python3
"""Fresh processes, each measured from start to exit (wall time and peak resident memory):

  plot     tracewell-plot's finest sin(x) at x range 50 against its coarsest, and the same
           samples as a C++ -O2 loop (formula_loop) against its coarsest: what the finest
           plot costs beyond the coarsest, as a ratio to what the loop's samples cost;
  long     a pasted text of 5,000 terms at level 14, x range 50, with --jobs 1 and with the
           default of one thread per processor.

Runs alternate between the commands compared. PROGRAM is another tracewell-plot to measure
(say, an older build's) instead of BUILD_DIR's. The peak memory of a child counts the Python
process it was forked from until the program replaces it, so only figures above that (some
14 MB) say anything. Usage:
  bench/fresh_process.py plot BUILD_DIR [RUNS [PROGRAM]]
  bench/fresh_process.py long BUILD_DIR [RUNS [PROGRAM]]
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time


def measure(cmd):
    start = time.perf_counter()
    child = subprocess.Popen(cmd, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    elapsed = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"failed: {' '.join(cmd)}")
    return elapsed * 1000, usage.ru_maxrss / 1024  # ms, MB


def series(commands, runs):
    results = {name: [] for name in commands}
    for _ in range(runs):
        for name, cmd in commands.items():
            results[name].append(measure(cmd))
    return {name: (statistics.median(t for t, _ in r), max(m for _, m in r))
            for name, r in results.items()}


def long_text():
    return "+".join(f"x^{1 + i % 4}*{1 + i * 7 % 9}" for i in range(5000))


def main():
    if len(sys.argv) < 3 or sys.argv[1] not in ("plot", "long"):
        sys.exit(__doc__)
    mode, build = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else (11 if mode == "plot" else 1)
    plot = sys.argv[4] if len(sys.argv) > 4 else os.path.join(build, "cli", "tracewell-plot")
    loop = os.path.join(build, "bench", "formula_loop")
    png = os.path.join(tempfile.mkdtemp(), "plot.png")
    if mode == "plot":
        r = series({
            "plot finest": [plot, "--xrange", "50", "--level", "14", "--png", png, "sin(x)"],
            "plot coarsest": [plot, "--xrange", "50", "--level", "0", "--png", png, "sin(x)"],
            "loop finest": [loop, "50", "0.00008"],
            "loop coarsest": [loop, "50", "0.1"],
        }, runs)
        for name, (ms, mb) in r.items():
            print(f"{name:15} {ms:8.1f} ms  {mb:6.1f} MB peak")
        plot_cost = r["plot finest"][0] - r["plot coarsest"][0]
        loop_cost = r["loop finest"][0] - r["loop coarsest"][0]
        print(f"finest minus coarsest: plot {plot_cost:.1f} ms, loop {loop_cost:.1f} ms, "
              f"ratio {plot_cost / loop_cost:.2f}; peak memory {r['plot finest'][1] - r['plot coarsest'][1]:+.1f} MB")
    else:
        text = long_text()
        assert len(text) == 29999
        base = [plot, "--xrange", "50", "--level", "14", "--png", png]
        old = subprocess.run([plot, "--help"], capture_output=True, text=True).stdout.find("--jobs") < 0
        r = series({"jobs 1": base + ([] if old else ["--jobs", "1"]) + [text],
                    "every processor": base + [text]}, runs)
        for name, (ms, mb) in r.items():
            print(f"{name:15} {ms / 1000:8.2f} s  {mb:6.1f} MB peak")
        print(f"speed-up {r['jobs 1'][0] / r['every processor'][0]:.2f}x")


if __name__ == "__main__":
    main()
