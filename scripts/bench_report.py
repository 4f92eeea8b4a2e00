#!/usr/bin/env python3
"""The performance report of scripts/bench.sh: reads the raw results of its benchmark runs and
prints one table (figure, value, target, met?), and writes the same as JSON.

    scripts/bench_report.py RAW_FOLDER JSON_FILE
"""
import json, os, platform, sys
raw, out = sys.argv[1], sys.argv[2]

def load(name):
    path = os.path.join(raw, name)
    return json.load(open(path)) if os.path.exists(path) else None

def counters(data):
    return {b["name"]: b for b in data["benchmarks"]} if data else {}

floor = counters(load("transfer_floor.json"))
receive = counters(load("link_receive.json"))
files = counters(load("configuration_file_bench.json"))
desktop = load("desktop_upload.json")
apply = load("apply.json")

rows = []  # (figure, value, unit, target text, met: True/False/None)
def add(figure, value, unit, target=None, met=None):
    rows.append({"figure": figure, "value": value, "unit": unit, "target": target or "", "met": met})

def transfer(name):
    return floor.get("BM_Transfer/" + name + "/iterations:1")

up, up_reply = transfer("upload_mandated"), transfer("upload_reply")
for label, b in (("upload, mandated pacing", up), ("upload, reply pacing", up_reply),
                 ("download", transfer("download")), ("Open (start-up read), mandated", transfer("open_mandated")),
                 ("Open (start-up read), reply pacing", transfer("open_reply"))):
    if not b:
        continue
    add(f"virtual clock: {label}", b["virtual_s"], "s")
    mandated = "reply" not in label
    add(f"virtual clock: {label}: floor", b["floor_s"], "s")
    add(f"virtual clock: {label}: time / floor", b["ratio"], "x",
        "<= 1.01" if mandated else None, b["ratio"] <= 1.01 if mandated else None)
if up and up_reply:
    add("virtual clock: upload speed-up, reply / mandated", up["virtual_s"] / up_reply["virtual_s"], "x")

if desktop:
    by = {u["pacing"]: u for u in desktop["uploads"]}
    add("desktop: first painted window (offscreen)", desktop["first_paint_ms"], "ms")
    m, r = by.get("mandated"), by.get("reply")
    if m and up:
        add("pty: upload, mandated pacing (wall)", m["wall_s"], "s")
        ratio = m["wall_s"] / up["virtual_s"]
        add("pty: upload, mandated / virtual clock", ratio, "x", "<= 1.02", ratio <= 1.02)
    if r and up_reply:
        add("pty: upload, reply pacing (wall)", r["wall_s"], "s")
        add("pty: upload, reply pacing / its virtual clock", r["wall_s"] / up_reply["virtual_s"], "x")
    if m and r:
        speed = m["wall_s"] / r["wall_s"]
        add("pty: upload speed-up, reply / mandated", speed, "x", ">= 1.6", speed >= 1.6)
        add("pty: both pacings read the same settings", desktop["same_settings"], "", "true",
            bool(desktop["same_settings"]))
        if not desktop["same_settings"]:
            add("pty: images that differ", ", ".join(map(str, desktop.get("differing_images", []))) or "?", "")
    for u in desktop["uploads"]:
        add(f"desktop: longest event-loop stall, {u['pacing']} upload", u["worst_stall_ms"], "ms",
            "<= 50", u["worst_stall_ms"] <= 50)
        add(f"desktop: event-loop stalls over 50 ms, {u['pacing']} upload", u["stalls_over_50ms"], "",
            "0", u["stalls_over_50ms"] == 0)

if apply:
    for pacing, target in (("reply", 5), ("mandated", 2)):
        times = apply[pacing]
        add(f"pty: full download, {pacing} pacing", times["download_ms"] / 1000, "s")
        add(f"pty: apply of {apply['differences']} differences, {pacing} pacing", times["apply_ms"] / 1000, "s")
        speed = times["download_ms"] / times["apply_ms"]
        add(f"pty: apply speed-up over a full download, {pacing} pacing", speed, "x", f">= {target}", speed >= target)

worst_rate = None
for name, b in receive.items():
    kind = name.split("/", 1)[1]
    add(f"CPU per received frame: {kind}", b["cpu_time"] * {"ns": 1e-3, "us": 1, "ms": 1e3}[b["time_unit"]], "us")
    rate = b["items_per_second"]
    add(f"frames per CPU-second: {kind}", rate, "/s", ">= 500000", rate >= 500000)

def cpu_ms(b):
    return b["cpu_time"] * {"ns": 1e-6, "us": 1e-3, "ms": 1}[b["time_unit"]]
load_b, save_b, report_b = (files.get(n) for n in ("BM_LoadConfiguration", "BM_SaveConfiguration", "BM_BuildReport"))
if load_b and save_b:
    add("configuration: load", cpu_ms(load_b), "ms")
    add("configuration: save", cpu_ms(save_b), "ms")
    total = cpu_ms(load_b) + cpu_ms(save_b)
    add("configuration: load + save", total, "ms", "< 5", total < 5)
if report_b:
    add("configuration: report", cpu_ms(report_b), "ms")

machine = {"cpus": os.cpu_count(), "machine": platform.machine(), "system": platform.platform()}
try:
    for line in open("/proc/cpuinfo"):
        if line.startswith("model name"):
            machine["cpu"] = line.split(":", 1)[1].strip()
            break
except OSError:
    pass
json.dump({"machine": machine, "figures": rows}, open(out, "w"), indent=2)

def fmt(v):
    if isinstance(v, bool):
        return "true" if v else "false"
    if v is None:
        return "-"
    if isinstance(v, str):
        return v
    return f"{v:,.3f}" if abs(v) < 100 else f"{v:,.0f}"
width = max(len(r["figure"]) for r in rows)
print(f"{'figure':<{width}}  {'value':>14}  {'unit':<4}  {'target':<10}  met?")
for r in rows:
    met = "" if r["met"] is None else ("yes" if r["met"] else "NO")
    print(f"{r['figure']:<{width}}  {fmt(r['value']):>14}  {r['unit']:<4}  {r['target']:<10}  {met}")
print(f"\nmachine: {machine.get('cpu', '?')}, {machine['cpus']} cores; JSON: {out}")
