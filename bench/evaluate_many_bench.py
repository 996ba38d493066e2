#!/usr/bin/env python3
"""orvix.evaluate_many on four million random seven-card hands from one deck.

    PYTHONPATH=build/python /usr/bin/python3 bench/evaluate_many_bench.py

Prints hands per second per core (CPU time of one thread, so a busy machine
does not skew it, as Google Benchmark's items_per_second) and per wall
second on every core. Median of five repetitions.
"""

import statistics
import time

import numpy as np

import orvix

rng = np.random.default_rng(1)
deck = orvix.codes([r + s for r in "23456789TJQKA" for s in "dsch"])
hands = deck[np.argsort(rng.random((4_000_000, 52)), axis=1)[:, :7]]
n = len(hands)

cpu = []
wall = []
for _ in range(5):
    c, w = time.process_time(), time.perf_counter()
    orvix.evaluate_many(hands, threads=1)
    cpu.append(n / (time.process_time() - c))
    w2 = time.perf_counter()
    orvix.evaluate_many(hands)
    wall.append(n / (time.perf_counter() - w2))
print("one core:   %.1f M hands per CPU second" % (statistics.median(cpu) / 1e6))
print("all cores:  %.1f M hands per wall second" % (statistics.median(wall) / 1e6))
