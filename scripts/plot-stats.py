#!/usr/bin/env python3
"""Draws the frame times of a `vexel --stats FILE` run as an SVG chart.

    scripts/plot-stats.py STATS.csv OUT.svg [--title TEXT]

One line per column of milliseconds in the file: the frame time and, for a
run with --gpu-timing, the GPU time of each frame. The first frame, which
carries the start-up, is left out, like in the end-of-run line. Python's
standard library only.
"""
import argparse
import csv
import sys

WIDTH, HEIGHT = 900, 360
LEFT, RIGHT, TOP, BOTTOM = 60, 20, 40, 40
COLOURS = {"frame_ms": "#1f6fb4", "gpu_frame_ms": "#d9661f"}
LABELS = {"frame_ms": "frame time (renderer's clock)", "gpu_frame_ms": "GPU time per frame"}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("stats")
    parser.add_argument("out")
    parser.add_argument("--title", default="Frame times")
    args = parser.parse_args()

    with open(args.stats, newline="") as f:
        rows = [row for row in csv.DictReader(f) if row["frame"] != "1"]
    if not rows:
        sys.exit("plot-stats: no frame after the first in " + args.stats)
    columns = [c for c in COLOURS if c in rows[0]]
    series = {c: [(int(r["frame"]), float(r[c])) for r in rows if r[c]] for c in columns}
    frames = [f for c in columns for f, _ in series[c]]
    values = [v for c in columns for _, v in series[c]]
    first, last = min(frames), max(frames)
    # The 99.5th percentile sets the scale, so one stall does not flatten the rest.
    ordered = sorted(values)
    top = max(ordered[min(len(ordered) - 1, int(len(ordered) * 0.995))] * 1.15, 1e-3)

    def x(frame):
        return LEFT + (frame - first) / max(last - first, 1) * (WIDTH - LEFT - RIGHT)

    def y(ms):
        return TOP + (1 - min(ms, top) / top) * (HEIGHT - TOP - BOTTOM)

    out = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH}" height="{HEIGHT}" '
           f'font-family="sans-serif" font-size="12">',
           f'<rect width="{WIDTH}" height="{HEIGHT}" fill="white"/>',
           f'<text x="{LEFT}" y="20" font-size="14">{args.title}</text>']
    for i in range(6):
        ms = top * i / 5
        out.append(f'<line x1="{LEFT}" x2="{WIDTH - RIGHT}" y1="{y(ms):.1f}" y2="{y(ms):.1f}" '
                   f'stroke="#ddd"/>')
        out.append(f'<text x="{LEFT - 6}" y="{y(ms) + 4:.1f}" text-anchor="end">{ms:.1f}</text>')
    out.append(f'<text x="14" y="{TOP + (HEIGHT - TOP - BOTTOM) / 2}" '
               f'transform="rotate(-90 14 {TOP + (HEIGHT - TOP - BOTTOM) / 2})" '
               f'text-anchor="middle">ms</text>')
    out.append(f'<text x="{LEFT}" y="{HEIGHT - 12}">frame {first}</text>')
    out.append(f'<text x="{WIDTH - RIGHT}" y="{HEIGHT - 12}" text-anchor="end">frame {last}</text>')
    for n, c in enumerate(columns):
        points = " ".join(f"{x(f):.1f},{y(v):.1f}" for f, v in series[c])
        out.append(f'<polyline fill="none" stroke="{COLOURS[c]}" stroke-width="1" '
                   f'points="{points}"/>')
        lx = WIDTH - RIGHT - 260
        ly = 20 + 14 * n
        out.append(f'<line x1="{lx}" x2="{lx + 20}" y1="{ly - 4}" y2="{ly - 4}" '
                   f'stroke="{COLOURS[c]}" stroke-width="2"/>')
        out.append(f'<text x="{lx + 26}" y="{ly}">{LABELS[c]}</text>')
    out.append("</svg>")
    with open(args.out, "w") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
