#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Two commands timed in interleaved pairs (A, B, A, B, ...), so that the
# machine's drift falls on both alike: the median of each, the median of
# the pairs' ratios B/A and its spread (the middle half of the ratios).
# With --printed, each command prints its own time in milliseconds (as
# xdamage_start does) and that is taken instead of its whole run.
#   bench/pairs.py [--printed] RUNS 'command A' 'command B'
import shlex, statistics, subprocess, sys, time

printed = sys.argv[1] == '--printed'
args = sys.argv[2:] if printed else sys.argv[1:]
runs, a, b = int(args[0]), shlex.split(args[1]), shlex.split(args[2])
sys.argv = [sys.argv[0]] + args

def once(command):
    start = time.perf_counter()
    done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=True)
    return float(done.stdout.split()[-1]) / 1000 if printed else time.perf_counter() - start

for _ in range(3):  # warm the caches
    once(a), once(b)
pairs = [(once(a), once(b)) for _ in range(runs)]
ratios = sorted(tb / ta for ta, tb in pairs)
quartiles = statistics.quantiles(ratios, n=4)
print(f'A: median {statistics.median(t for t, _ in pairs) * 1000:.1f} ms  {sys.argv[2]}')
print(f'B: median {statistics.median(t for _, t in pairs) * 1000:.1f} ms  {sys.argv[3]}')
print(f'B/A: median {statistics.median(ratios):.2f}, middle half {quartiles[0]:.2f} to {quartiles[2]:.2f}, {runs} pairs')
