#!/usr/bin/env python3
"""Checks the include structure of src/ against the layers of docs/architecture.md.

Each folder of src/ sits on one layer; a file may include its own folder and
folders on lower layers only, and no two files may include each other round a
circle (a room is a source with its header). Exits 1 and lists the faults.
  check_layers.py          check
  check_layers.py --dot    print the folder graph (graphviz) with include counts
"""
import os
import re
import sys

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
src = os.path.join(root, "src")


def layers_from_doc():
    """The 'layer N: folder folder' lines of the fenced layer block."""
    text = open(os.path.join(root, "docs", "architecture.md"), encoding="utf-8").read()
    rank = {}
    for number, folders in re.findall(r"^layer (\d+): (.+)$", text, re.M):
        for folder in folders.split():
            rank[folder] = int(number)
    return rank


def include_edges():
    """room -> rooms it includes, for the project's own headers."""
    edges = {}
    for dirpath, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.join(dirpath, name)
            room = os.path.splitext(os.path.relpath(path, src))[0]
            for line in open(path, encoding="utf-8", errors="replace"):
                m = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
                if m and os.path.exists(os.path.join(src, m.group(1))):
                    target = os.path.splitext(m.group(1))[0]
                    if target != room:
                        edges.setdefault(room, set()).add(target)
    return edges


def cycles(edges):
    """Strongly connected components of more than one room (Tarjan)."""
    index, low, stack, on, found, counter = {}, {}, [], set(), [], [0]

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on.add(v)
        for w in sorted(edges.get(v, ())):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            component = []
            while True:
                w = stack.pop()
                on.discard(w)
                component.append(w)
                if w == v:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    sys.setrecursionlimit(10000)
    for v in sorted(set(edges) | {t for ts in edges.values() for t in ts}):
        if v not in index:
            visit(v)
    return found


def main():
    rank = layers_from_doc()
    edges = include_edges()
    folder = lambda room: room.split("/")[0]
    if "--dot" in sys.argv:
        counts = {}
        for a, targets in edges.items():
            for b in targets:
                if folder(a) != folder(b):
                    key = (folder(a), folder(b))
                    counts[key] = counts.get(key, 0) + 1
        print("digraph kel {\n  node [shape=box, fontname=\"DejaVu Sans\"];")
        levels = sorted(set(rank.values()), reverse=True)
        for n in levels:
            names = " ".join(f'"{f}"' for f in sorted(rank) if rank[f] == n)
            print(f"  {{ rank=same; {names} }}")
        # Invisible edges stack the layers top (highest) to bottom.
        first = {n: min(f for f in rank if rank[f] == n) for n in levels}
        for upper, lower in zip(levels, levels[1:]):
            print(f'  "{first[upper]}" -> "{first[lower]}" [style=invis];')
        for (a, b), n in sorted(counts.items()):
            print(f'  "{a}" -> "{b}" [label="{n}", fontsize=9];')
        print("}")
        return 0
    faults = []
    for room in sorted(edges):
        if folder(room) not in rank:
            faults.append(f"src/{folder(room)}/ has no layer in docs/architecture.md")
    for a in sorted(edges):
        for b in sorted(edges[a]):
            fa, fb = folder(a), folder(b)
            if fa == fb or fa not in rank or fb not in rank:
                continue
            if rank[fb] >= rank[fa]:
                faults.append(f"{a} includes {b}: layer {rank[fa]} may only include lower layers (this is {rank[fb]})")
    for c in cycles(edges):
        faults.append("include cycle: " + " <-> ".join(c))
    for f in sorted(set(faults)):
        print(f)
    print(f"check_layers: {len(edges)} rooms, {len(set(faults))} faults")
    return 1 if faults else 0


sys.exit(main())
