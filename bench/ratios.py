#!/usr/bin/env python3
"""Prints, from Google Benchmark JSON output, each "<case>/ours" against its "<case>/sdl" twin and every
benchmark against the "memcpy_frame" floor.

    build/bench/jizdavo_bench --benchmark_format=json > out.json && bench/ratios.py out.json
    build/bench/jizdavo_bench --benchmark_format=json | bench/ratios.py --cpu

Times are real (wall) time per iteration unless --cpu is given. When the run has repetitions, the
median of each benchmark is used.
"""
import argparse
import json
import sys

UNIT_NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}
FLOOR = "memcpy_frame"


def times_ns(report, field):
    """Maps each benchmark name to its time in nanoseconds, preferring the median aggregate."""
    plain, medians = {}, {}
    for b in report.get("benchmarks", []):
        ns = b[field] * UNIT_NS[b.get("time_unit", "ns")]
        if b.get("run_type") == "aggregate":
            if b.get("aggregate_name") == "median":
                medians[b["run_name"]] = ns
        else:
            plain.setdefault(b.get("run_name", b["name"]), ns)
    plain.update(medians)
    return plain


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("json", nargs="?", help="benchmark JSON file (default: standard input)")
    parser.add_argument("--cpu", action="store_true", help="use CPU time instead of real time")
    args = parser.parse_args()
    with (open(args.json) if args.json else sys.stdin) as f:
        times = times_ns(json.load(f), "cpu_time" if args.cpu else "real_time")

    pairs = sorted(n[: -len("/ours")] for n in times if n.endswith("/ours") and n[: -len("/ours")] + "/sdl" in times)
    if pairs:
        print(f"{'case':44} {'ours':>12} {'sdl':>12} {'ours/sdl':>9}")
        for case in pairs:
            ours, sdl = times[case + "/ours"], times[case + "/sdl"]
            print(f"{case:44} {ours:10.0f}ns {sdl:10.0f}ns {ours / sdl:9.2f}")
    if FLOOR in times:
        floor = times[FLOOR]
        print(f"\n{'benchmark':44} {'time':>12} {'/' + FLOOR:>14}")
        for name in sorted(times):
            print(f"{name:44} {times[name]:10.0f}ns {times[name] / floor:14.3f}")


if __name__ == "__main__":
    main()
