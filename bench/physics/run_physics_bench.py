#!/usr/bin/env python3
"""Times the physics scene in C++ on the engine, in Python under the runner, and on LÖVE.

Builds nothing: the Release build must be there (cmake --preset release && cmake --build
--preset release). Run it inside ONE X server, so that no program's timing includes
starting one:
    xvfb-run -a -s "-screen 0 1280x1024x24" python3 bench/physics/run_physics_bench.py --reps 5
Each repetition runs every program once, in an order rotated from one repetition to the
next; before each run it waits for the machine to be quiet, and a run during which other
processes (Xvfb aside) used more than --max-other % of a core is kept in the raw file as
not clean and run again. It writes results/physics-raw/<time>-<tag>.csv (every run) and
.md (the table of medians and ratios to LÖVE) under bench/, and prints the table.
"""
import argparse
import csv
import os
import re
import resource
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
# 1/60 s as the engine reads it: its float is the physics step's own, so every frame runs
# exactly one step (the programs count them).
FIXED_DT = "0.016666667"
RESULT = re.compile(r"RESULT .*median_ms=([\d.]+) mean_fps=([\d.]+)")
PARTS = re.compile(r"PARTS (.*)")
STATE = re.compile(r"STATE awake=(\d+) mean_y=(-?[\d.]+)")
FRAME_STATS = re.compile(r"^\s+(update|draw)\s+median ([\d.]+)", re.M)


def engine_programs(a, build, suffix=""):
    build = os.path.abspath(build)
    run_folder = os.path.join(build, "run")
    n, frames, warmup = str(a.n), str(a.frames), str(a.warmup)
    python = [os.path.join(build, "Runner", "tarvo"), os.path.join(HERE, "python"), "--fixed-dt", FIXED_DT,
              "--no-msaa", "--frame-stats", "--frames", str(a.frames + a.warmup + 10)]
    python_env = {"PHYS_N": n, "PHYS_FRAMES": frames, "PHYS_WARMUP": warmup}
    return [
        ("tarvo-cpp" + suffix, run_folder, [os.path.join(build, "bench", "physics_bench"), n, frames, warmup], {}),
        ("tarvo-python" + suffix, run_folder, python, python_env),
        # Side run: every circle a Python subclass, so the World's walk calls into the
        # script for each body and frame.
        ("tarvo-python-subclass" + suffix, run_folder, python, dict(python_env, PHYS_SUBCLASS="1")),
        # The engine with LÖVE's solver passes: the same simulation work on both sides.
        ("tarvo-cpp-8x3" + suffix, run_folder, [os.path.join(build, "bench", "physics_bench"), n, frames, warmup, "8x3"],
         {}),
        ("tarvo-python-8x3" + suffix, run_folder, python, dict(python_env, PHYS_ITERATIONS="8x3")),
    ]


def variants(a):
    """(label, working folder, argv, extra environment) of each program, in the base order."""
    love = ["love", os.path.join(HERE, "love"), str(a.n), str(a.frames), str(a.warmup)]
    found = engine_programs(a, a.build) + [
        ("love", HERE, love + ["8x3", "32"], {}),
        # Side runs: LÖVE with the engine's iterations, and with the segments its
        # circle() picks by itself for a disc of this size.
        ("love-10x10", HERE, love + ["10x10", "32"], {}),
        ("love-auto-segments", HERE, love + ["8x3", "auto"], {}),
    ]
    if a.baseline:
        found += engine_programs(a, a.baseline, "@baseline")
    if a.variants:
        chosen = a.variants.split(",")
        found = [v for v in found if v[0] in chosen]
    return found


def busy_cpu_seconds():
    """Busy CPU seconds of the whole machine so far, all cores together."""
    fields = [int(x) for x in open("/proc/stat").readline().split()[1:]]
    return (sum(fields) - fields[3] - fields[4]) / os.sysconf("SC_CLK_TCK")


def children_cpu_seconds():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def find_x_server():
    """The Xvfb serving $DISPLAY: its drawing work belongs to the program being timed."""
    display = os.environ.get("DISPLAY", "").encode()
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            command = open(f"/proc/{pid}/cmdline", "rb").read().split(b"\0")
        except OSError:
            continue
        if command and command[0].endswith(b"Xvfb") and display in command:
            return pid
    return None


X_SERVER = find_x_server()


def x_server_cpu_seconds():
    if not X_SERVER:
        return 0.0
    try:
        fields = open(f"/proc/{X_SERVER}/stat").read().rsplit(")", 1)[1].split()
    except OSError:
        return 0.0
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def wait_until_quiet(limit_percent, max_wait):
    """Waits until everything but Xvfb used less than limit_percent of a core over one second."""
    start = time.time()
    while True:
        busy, x_server = busy_cpu_seconds(), x_server_cpu_seconds()
        time.sleep(1.0)
        other = busy_cpu_seconds() - busy - (x_server_cpu_seconds() - x_server)
        if other * 100 < limit_percent or time.time() - start > max_wait:
            return round(time.time() - start - 1.0, 1)


def run_once(label, folder, argv, extra_env, timeout):
    env = dict(os.environ, **extra_env)
    # Under Xvfb the swap never waits for a screen anyway; this keeps it so elsewhere.
    env["vblank_mode"] = "0"
    busy, children, x_server = busy_cpu_seconds(), children_cpu_seconds(), x_server_cpu_seconds()
    start = time.perf_counter()
    done = subprocess.run(argv, cwd=folder, env=env, capture_output=True, text=True, timeout=timeout)
    wall = time.perf_counter() - start
    x_cpu = x_server_cpu_seconds() - x_server
    other = max(0.0, (busy_cpu_seconds() - busy) - (children_cpu_seconds() - children) - x_cpu)
    result = RESULT.search(done.stdout)
    if done.returncode != 0 or not result:
        print(f"FAILED {label}: status {done.returncode}\n{done.stdout}\n{done.stderr}", file=sys.stderr)
        return None
    row = dict(label=label, median_ms=float(result.group(1)), mean_fps=float(result.group(2)),
               wall_s=round(wall, 2), xvfb_cpu_pct=round(x_cpu / wall * 100, 1),
               other_cpu_pct=round(other / wall * 100, 1))
    parts = PARTS.search(done.stdout)
    if parts:
        for pair in parts.group(1).split():
            key, value = pair.split("=")
            row[key] = float(value) if "." in value else int(value)
    # The runner's own frame statistics (over every frame, warm-up included).
    for half, value in FRAME_STATS.findall(done.stdout + done.stderr):
        row.setdefault(half + "_ms", float(value))
    state = STATE.search(done.stdout)
    if state:
        row["awake"], row["mean_y"] = int(state.group(1)), float(state.group(2))
    return row


def rotated(sequence, k):
    k %= len(sequence)
    return sequence[k:] + sequence[:k]


KEYS = ["rep", "attempt", "label", "n", "frames", "warmup", "median_ms", "mean_fps", "update_ms", "draw_ms",
        "steps", "awake", "mean_y", "wall_s", "xvfb_cpu_pct", "other_cpu_pct", "clean", "waited_s"]


def table(rows, labels, reference="love"):
    """Markdown: per program the median over clean repetitions, its range, the halves of the
    frame, and the ratio to LÖVE, overall and within each repetition (runs next to each other
    in time, so less moved by a machine whose speed drifts)."""
    clean = [r for r in rows if r["clean"]]
    by_label = {label: [r for r in clean if r["label"] == label] for label in labels}
    reference_rows = {r["rep"]: r["median_ms"] for r in by_label.get(reference, [])}
    reference_median = statistics.median(reference_rows.values()) if reference_rows else None
    lines = ["| program | median frame (ms) | range (ms) | update / draw (ms) | reps | ratio to LÖVE "
             "| per-rep ratio: median (min–max) |",
             "|---|---|---|---|---|---|---|"]
    for label in labels:
        got = by_label[label]
        if not got:
            continue
        times = [r["median_ms"] for r in got]
        median = statistics.median(times)
        halves = [statistics.median(r[k] for r in got if r.get(k) is not None) if any(r.get(k) is not None for r in got)
                  else float("nan") for k in ("update_ms", "draw_ms")]
        ratio = "%.2f" % (median / reference_median) if reference_median else "–"
        per_rep = [r["median_ms"] / reference_rows[r["rep"]] for r in got if r["rep"] in reference_rows]
        spread = ("%.2f (%.2f–%.2f)" % (statistics.median(per_rep), min(per_rep), max(per_rep))) if per_rep else "–"
        lines.append("| %s | %.2f | %.2f–%.2f | %.1f / %.1f | %d | %s | %s |"
                     % (label, median, min(times), max(times), halves[0], halves[1], len(got), ratio, spread))
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=os.path.join(REPO, "build", "release"), help="the Release build folder")
    parser.add_argument("--reps", type=int, default=5)
    parser.add_argument("--n", type=int, default=2000)
    parser.add_argument("--frames", type=int, default=300)
    parser.add_argument("--warmup", type=int, default=60)
    parser.add_argument("--variants", default="", help="comma-separated labels; default all")
    parser.add_argument("--baseline", default="",
                        help="another Release build (a copy made before a change) whose programs run "
                             "alongside, labelled ...@baseline")
    parser.add_argument("--tag", default="frames", help="the result files' name after the time")
    parser.add_argument("--out", default=os.path.join(REPO, "bench", "results", "physics-raw"))
    parser.add_argument("--table", default="", help="print the table of a raw CSV file written earlier, and stop")
    parser.add_argument("--max-wait", type=float, default=300.0,
                        help="seconds to wait at most for a quiet machine before each run")
    parser.add_argument("--max-other", type=float, default=20.0,
                        help="a run during which other processes used more than this %% of a core is run again")
    parser.add_argument("--attempts", type=int, default=5, help="runs at most per program and repetition")
    a = parser.parse_args()
    if a.table:
        rows = [dict(r) for r in csv.DictReader(open(a.table))]
        for row in rows:
            for key in ("rep", "clean"):
                row[key] = int(row[key])
            for key in ("median_ms", "update_ms", "draw_ms"):
                row[key] = float(row[key]) if row[key] else None
        labels = list(dict.fromkeys(r["label"] for r in rows))
        print(table(rows, labels))
        return
    if not X_SERVER:
        print("WARNING: no Xvfb serves $DISPLAY; its CPU time is counted as other load", file=sys.stderr)

    programs = variants(a)
    rows = []
    for rep in range(a.reps):
        for label, folder, argv, env in rotated(programs, rep):
            for attempt in range(1, a.attempts + 1):
                waited = wait_until_quiet(a.max_other / 2, a.max_wait)
                row = run_once(label, folder, argv, env, timeout=900)
                if not row:
                    break
                row.update(rep=rep, attempt=attempt, n=a.n, frames=a.frames, warmup=a.warmup, waited_s=waited,
                           clean=int(row["other_cpu_pct"] <= a.max_other))
                rows.append(row)
                print(rep, {k: row.get(k) for k in KEYS if k in row and k != "rep"}, flush=True)
                if row["clean"]:
                    break

    os.makedirs(a.out, exist_ok=True)
    stem = os.path.join(a.out, time.strftime("%Y-%m-%d-%H%M") + "-" + a.tag)
    with open(stem + ".csv", "w", newline="") as out:
        writer = csv.DictWriter(out, KEYS)
        writer.writeheader()
        for row in rows:
            writer.writerow({k: row.get(k) for k in KEYS})
    labels = [p[0] for p in programs]
    text = table(rows, labels)
    with open(stem + ".md", "w") as out:
        out.write("%d circles, %d timed frames after %d, %d repetitions; %s\n\n%s\n"
                  % (a.n, a.frames, a.warmup, a.reps, os.path.basename(stem) + ".csv", text))
    print("\n" + text + "\n\nraw results: " + stem + ".csv")


if __name__ == "__main__":
    main()
