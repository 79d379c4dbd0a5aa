"""Prints the benchmark medians and the image loaders' overhead over the
library's plain decode of the same bytes."""

import json
import sys

results = json.load(open(sys.argv[1]))
median = {}
for run in results["benchmarks"]:
    if run.get("aggregate_name") == "median":
        scale = {"ns": 0.001, "us": 1.0, "ms": 1000.0, "s": 1e6}[run["time_unit"]]
        median[run["run_name"]] = run["real_time"] * scale  # microseconds

labels = {}
for run in results["benchmarks"]:
    if run.get("label"):
        labels[run["run_name"]] = run["label"]
for name, time in sorted(median.items()):
    print("%-40s %10.1f us  %s" % (name, time, labels.get(name, "")))


def overhead(loader, plains, uploads):
    if loader not in median:
        return
    plain = sum(median[p] for p in plains)
    upload = sum(median[u] for u in uploads)
    decode = median[loader] - upload
    print("%s: decode %.1f us (loader %.1f minus upload %.1f) vs plain %.1f us: ratio %.3f"
          % (loader, decode, median[loader], upload, plain, decode / plain))


overhead("BM_AtlasLoader", ["BM_PlainColour", "BM_PlainMask"], ["BM_UploadAtlas"])
overhead("BM_LogoLoader", ["BM_PlainLogo"], ["BM_UploadLogo"])
