#!/usr/bin/env python3
"""Times two builds of one benchmark program against each other, in turns.

    python3 bench/compare_builds.py OLD_PROGRAM NEW_PROGRAM [--filter REGEX]
                                    [--rounds N] [--cpu K]

On a shared or virtual machine the speed of a core drifts by a third from
one second to the next, so two programs timed minutes apart cannot be
compared. Here the two run in turns, one short run each per round, pinned to
one core, and each round gives the ratio of the pair it timed. The median of
those ratios is the figure to quote; the range shows how far to trust it.

A benchmark's figure is its per_hand counter when it has one (eval_bench),
else its time per item (sim_bench's deals). To build an older commit:

    git worktree add --detach /tmp/orvix-old COMMIT
    cmake -S /tmp/orvix-old -B /tmp/orvix-old/build -DORVIX_PYTHON=OFF
    cmake --build /tmp/orvix-old/build -j2 --target eval_bench sim_bench
"""

import argparse
import re
import statistics
import subprocess

LINE = re.compile(r"^(BM_\S+)\s+(\S+) (\w+)\s+(\S+) (\w+)\s+\d+(.*)$")
UNITS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def run(program, pattern, cpu):
    """{benchmark: nanoseconds per hand or per item} from one short run."""
    command = ["taskset", "-c", str(cpu), program, "--benchmark_filter=" + pattern, "--benchmark_min_time=0.2"]
    out = subprocess.run(command, capture_output=True, text=True, check=True).stdout
    figures = {}
    for line in out.splitlines():
        m = LINE.match(line)
        if not m or re.search(r"_(mean|median|stddev|cv|max)$", m.group(1)):
            continue
        # A benchmark with repetitions of its own prints a line for each: the
        # median of them stands for it.
        name, rest = re.sub(r"/(min_time|repeats):[^/]*", "", m.group(1)), m.group(6)
        per_hand = re.search(r"per_hand=([\d.]+)(\w+)", rest)
        items = re.search(r"items_per_second=([\d.]+)([kMG]?)/s", rest)
        if per_hand:
            figures.setdefault(name, []).append(float(per_hand.group(1)) * UNITS[per_hand.group(2)])
        elif items:
            scale = {"": 1, "k": 1e3, "M": 1e6, "G": 1e9}[items.group(2)]
            figures.setdefault(name, []).append(1e9 / (float(items.group(1)) * scale))
    return {name: statistics.median(values) for name, values in figures.items()}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("--filter", default=".")
    parser.add_argument("--rounds", type=int, default=9)
    parser.add_argument("--cpu", type=int, default=1)
    args = parser.parse_args()

    old, new = {}, {}
    for r in range(args.rounds):
        # Alternate which goes first, so a drift within the round favours neither.
        first, second = (args.old, args.new) if r % 2 == 0 else (args.new, args.old)
        a = run(first, args.filter, args.cpu)
        b = run(second, args.filter, args.cpu)
        o, n = (a, b) if r % 2 == 0 else (b, a)
        for name in o.keys() & n.keys():
            old.setdefault(name, []).append(o[name])
            new.setdefault(name, []).append(n[name])

    print(f"{'benchmark':34} {'old ns':>8} {'new ns':>8} {'speed-up':>9}  range over {args.rounds} rounds")
    for name in sorted(old):
        ratios = [x / y for x, y in zip(old[name], new[name])]
        print(f"{name:34} {statistics.median(old[name]):8.2f} {statistics.median(new[name]):8.2f} "
              f"{statistics.median(ratios):8.2f}x  {min(ratios):.2f}x .. {max(ratios):.2f}x")


if __name__ == "__main__":
    main()
