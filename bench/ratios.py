#!/usr/bin/env python3
"""Runs the benchmarks and prints each plugin figure as a ratio to its plain-libwebp twin.

Pairs share the case name: BM_Extractor_X or BM_Writer_X against BM_Libwebp_X, and
BM_Extractor_OddOrigin512 against BM_Even_OddOrigin512.
usage: ratios.py path/to/velmar_bench [benchmark arguments...]
"""
import json
import subprocess
import sys

out = subprocess.run([sys.argv[1], "--benchmark_format=json", *sys.argv[2:]],
                     check=True, capture_output=True, text=True).stdout
runs = {b["name"]: b for b in json.loads(out)["benchmarks"] if b.get("run_type") == "iteration"}
print(f"{'case':28} {'plugin ms':>10} {'reference ms':>13} {'ratio':>7}")
for name, run in sorted(runs.items()):
    unit, case = name[3:].split("_", 1)
    if unit not in ("Extractor", "Writer"):
        continue
    twin = runs.get(f"BM_Libwebp_{case}") or runs.get(f"BM_Even_{case}")
    if twin:
        print(f"{case:28} {run['real_time']:10.2f} {twin['real_time']:13.2f} "
              f"{run['real_time'] / twin['real_time']:7.3f}")
