#!/usr/bin/env python3
"""A long seeded game of QVRN played by a random input bot, watched for trouble.

The bot is an input script (the --input-script path, the same one a recording replays
through): menu choices, walking, space held in bursts, pad A and, now and then, pad Back
to leave a game. The game runs at a fixed frame time with QVRN_LIVE_COUNTS set, so it
logs its live objects every time it returns to the menu. While it runs, its resident
memory is sampled from /proc. At the end the soak fails on any sanitizer report, an
exit status other than 0, resident memory that moved more than the tolerance after the
warm-up, or live counts that differ from one return to the menu to the next.

  tools/soak.py build/sanitize/run/qvrn --frames 100000 --seed 1 --report soak.md
"""

import argparse
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import time

SANITIZER_REPORT = re.compile(r"ERROR: (Address|Leak|Memory|Thread)Sanitizer|runtime error:|SUMMARY: \w+Sanitizer")
LIVE_LINE = re.compile(
    r"Live objects at the menu after (\w+): renderables (\d+), actors (\d+), boids (\d+), sounds (\d+), textures (\d+), resident (-?\d+) KiB"
)
WALK_KEYS = [["UP_ARROW", "W"], ["DOWN_ARROW", "S"], ["LEFT_ARROW", "A"], ["RIGHT_ARROW", "D"]]


class Script:
    """Key edges by frame; a key is never pressed twice without a release between."""

    def __init__(self):
        self.edges = []
        self.free_at = {}

    def hold(self, frame, kind, name, frames):
        frame = max(frame, self.free_at.get(name, 0))
        self.edges.append((frame, kind, name, "down"))
        self.edges.append((frame + frames, kind, name, "up"))
        self.free_at[name] = frame + frames + 1

    def text(self):
        lines = ["# random input bot for the soak"]
        order = sorted(range(len(self.edges)), key=lambda i: (self.edges[i][0], i))
        for i in order:
            frame, kind, name, edge = self.edges[i]
            lines.append(f"{frame} {kind} {name} {edge}")
        return "\n".join(lines) + "\n"


def make_script(frames, seed, dt):
    """A random but sensible player: it confirms on the menu, walks, lies in bursts."""
    rng = random.Random(seed)
    second = max(1, int(round(1.0 / dt)))
    script = Script()
    # The menu comes first; confirm once it is up, mostly with Enter.
    frame = second // 2
    while frame < frames:
        roll = rng.random()
        if roll < 0.04:
            # Look around the menu: a few up/down taps.
            for _ in range(rng.randint(1, 3)):
                script.hold(frame, "key", rng.choice(["UP_ARROW", "DOWN_ARROW", "W", "S"]), rng.randint(2, 8))
                frame += rng.randint(6, 20)
        elif roll < 0.12:
            # Confirm: start a game from the menu, turn a tutorial page, leave the credits.
            kind, name = rng.choice([("key", "ENTER"), ("key", "ENTER"), ("key", "SPACE"), ("pad", "P1BUTTON_A")])
            script.hold(frame, kind, name, rng.randint(2, 10))
        elif roll < 0.13:
            # Leave a game for the menu.
            script.hold(frame, "pad", "P1BUTTON_BACK", rng.randint(2, 6))
        elif roll < 0.45:
            # A burst of lying: short ones win followers, long ones run the meter dry.
            kind, name = ("pad", "P1BUTTON_A") if rng.random() < 0.2 else ("key", "SPACE")
            script.hold(frame, kind, name, rng.randint(second // 4, 4 * second))
        else:
            # Walk one way or on a diagonal, sometimes while lying.
            length = rng.randint(second // 5, 3 * second)
            for pair in rng.sample(WALK_KEYS, rng.choice([1, 1, 2])):
                script.hold(frame, "key", rng.choice(pair), length)
        # Pauses between moves, some long: the menu gets time to settle now and then.
        frame += rng.randint(second // 10, 2 * second) + (rng.randint(0, 3 * second) if rng.random() < 0.2 else 0)
    return script.text()


def count_images(folder):
    total = 0
    for _, _, files in os.walk(folder):
        total += sum(1 for name in files if name.lower().endswith((".png", ".jpg", ".jpeg", ".tga", ".bmp")))
    return total


def resident_kib(pid):
    try:
        with open(f"/proc/{pid}/status") as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def run(args):
    work = tempfile.mkdtemp(prefix="qvrn-soak-")
    script_path = os.path.join(work, "bot.script")
    with open(script_path, "w") as out:
        out.write(make_script(args.frames, args.seed, args.dt))
    log_path = os.path.join(work, "qvrn.log")
    env = dict(os.environ)
    env.update(
        {
            "QVRN_LIVE_COUNTS": "1",
            "XDG_DATA_HOME": os.path.join(work, "data"),
            # Sounds play and end on a silent device, so their handles are counted too.
            "SDL_AUDIODRIVER": env.get("SDL_AUDIODRIVER", "dummy"),
            "LP_NUM_THREADS": env.get("LP_NUM_THREADS", "0"),
        }
    )
    # Memory errors and undefined behaviour stop the run at once; the leak checker reports
    # at exit (the sanitized program carries its own suppressions for system libraries),
    # and the game's own counts show what a game leaves behind between games.
    command = [
        args.qvrn,
        "--no-msaa",
        "--no-save",
        "--seed",
        str(args.seed),
        "--fixed-dt",
        str(args.dt),
        "--frames",
        str(args.frames),
        "--input-script",
        script_path,
    ]
    start = time.monotonic()
    samples = []
    with open(log_path, "w") as log:
        process = subprocess.Popen(command, stdout=log, stderr=subprocess.STDOUT, env=env)
        while process.poll() is None:
            kib = resident_kib(process.pid)
            if kib is not None:
                samples.append((time.monotonic() - start, kib))
            time.sleep(args.sample_interval)
    wall = time.monotonic() - start
    with open(log_path, errors="replace") as log:
        log_text = log.read()
    return process.returncode, wall, samples, log_text, work


def judge(args, status, wall, samples, log_text):
    findings = []
    if status != 0:
        findings.append(f"exit status {status}")
    for line in log_text.splitlines():
        if SANITIZER_REPORT.search(line):
            findings.append("sanitizer: " + line.strip())
            break

    counts = [m.groups() for m in LIVE_LINE.finditer(log_text)]

    # Resident memory is compared where the game is in the same state, on the menu: a
    # crowded level rightly holds more than an empty one. The first returns are the
    # warm-up: start-up, page-ins, first loads and the sanitizers' pools filling.
    rss = {}
    at_menu = [int(c[6]) for c in counts if int(c[6]) > 0]
    after = at_menu[int(len(at_menu) * args.warmup) :]
    if len(after) >= 2:
        rss = {"warm": after[0], "end": after[-1], "low": min(after), "high": max(after)}
        rss["change"] = 100.0 * (rss["end"] - rss["warm"]) / rss["warm"]
        rss["spread"] = 100.0 * (rss["high"] - rss["low"]) / rss["warm"]
        if rss["spread"] > args.rss_tolerance:
            findings.append(
                f"resident memory at the menu moved {rss['spread']:.1f} % after the warm-up "
                f"({rss['low']}..{rss['high']} KiB)"
            )
    if len(after) < args.rss_min_returns:
        # A short run is all warm-up: its memory is reported, not judged.
        findings = [f for f in findings if not f.startswith("resident memory")]
    if samples:
        rss["sampled_low"] = min(kib for _, kib in samples)
        rss["sampled_high"] = max(kib for _, kib in samples)

    games = [c for c in counts if c[0] == "Play"]
    if len(games) < args.min_games:
        findings.append(f"only {len(games)} games ended (wanted {args.min_games})")
    # Renderables, actors and boids are the same at every return to the menu; sounds
    # still playing may be the menu's own; textures are cached once per file.
    if counts:
        first = counts[0]
        for index, c in enumerate(counts):
            if c[1:4] != first[1:4]:
                findings.append(f"return {index + 1} to the menu (after {c[0]}): live counts {c[1:4]} != {first[1:4]}")
                break
        if max(int(c[4]) for c in counts) > args.max_sounds:
            findings.append(f"more than {args.max_sounds} sounds playing at a return to the menu")
        # Textures are cached by file: never more than there are image files.
        images = count_images("Resources")
        if images and max(int(c[5]) for c in counts) > images:
            findings.append(f"{max(int(c[5]) for c in counts)} textures cached from {images} image files")
    return findings, rss, counts


def report(args, status, wall, rss, counts, findings, work):
    lines = [
        f"frames {args.frames} at fixed dt {args.dt}, seed {args.seed}: wall time {wall:.0f} s "
        f"({args.frames / wall:.0f} frames/s), exit status {status}",
    ]
    if "warm" in rss:
        lines.append(
            f"resident memory at the menu after warm-up {rss['warm'] / 1024:.1f} MiB, at the last return "
            f"{rss['end'] / 1024:.1f} MiB ({rss['change']:+.1f} %), range {rss['low'] / 1024:.1f}.."
            f"{rss['high'] / 1024:.1f} MiB ({rss['spread']:.1f} %)"
        )
    if "sampled_low" in rss:
        lines.append(
            f"resident memory sampled every {args.sample_interval:g} s over the whole run: "
            f"{rss['sampled_low'] / 1024:.1f}..{rss['sampled_high'] / 1024:.1f} MiB"
        )
    game = 0
    lines.append("live objects at each return to the menu:")
    for c in counts:
        if c[0] == "Play":
            game += 1
            label = f"game {game}"
        else:
            label = f"after {c[0]}"
        lines.append(
            f"  {label:>14}: renderables {c[1]}, actors {c[2]}, boids {c[3]}, sounds {c[4]}, textures {c[5]}, "
            f"resident {int(c[6]) / 1024:.1f} MiB"
        )
    lines.append("findings: " + ("; ".join(findings) if findings else "none"))
    if findings:
        lines.append(f"script and log: {work}")
    text = "\n".join(lines)
    print(text)
    if args.report:
        with open(args.report, "w") as out:
            out.write(text + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("qvrn", help="the game executable (the sanitize build's for a soak)")
    parser.add_argument("--frames", type=int, default=100000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--dt", type=float, default=1.0 / 60.0)
    parser.add_argument("--warmup", type=float, default=0.2, help="share of the returns to the menu before RSS counts")
    parser.add_argument("--rss-tolerance", type=float, default=5.0, help="percent")
    parser.add_argument("--min-games", type=int, default=20)
    parser.add_argument("--rss-min-returns", type=int, default=5, help="returns after warm-up needed to judge RSS")
    parser.add_argument("--max-sounds", type=int, default=8)
    parser.add_argument("--sample-interval", type=float, default=1.0, help="seconds")
    parser.add_argument("--report", help="also write the summary here")
    parser.add_argument("--print-script", action="store_true", help="write the bot's script and stop")
    args = parser.parse_args()
    if args.print_script:
        sys.stdout.write(make_script(args.frames, args.seed, args.dt))
        return 0
    status, wall, samples, log_text, work = run(args)
    findings, rss, counts = judge(args, status, wall, samples, log_text)
    report(args, status, wall, rss, counts, findings, work)
    if findings:
        print("\n".join(log_text.splitlines()[-40:]), file=sys.stderr)
        return 1
    # Kept only when there is something to look at: a clean run leaves nothing in /tmp.
    shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
