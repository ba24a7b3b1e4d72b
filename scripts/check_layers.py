#!/usr/bin/env python3
"""Checks the include structure of src/ and tools/ against docs/architecture.md.

The engine: each folder of src/ sits on one layer ("layer N: ..."); a file may
include its own folder and folders on lower layers only.
The forge: each folder of tools/forge/ sits on one forge layer ("forge layer
N: ...", the steps at the top of tools/forge/ are the folder "forge"), with the
same rule; it may use the engine's folders that "forge engine:" names, nothing
else of src/.
The other tools (tools/NAME/) may use any engine folder, but not each other.
Everywhere: no two files include each other round a circle (a room is a source
with its header), and no two folders do. Exits 1 and lists the faults.
  check_layers.py [--root DIR]          check (DIR: a tree laid out as this one)
  check_layers.py [--root DIR] --dot    print the engine's folder graph (graphviz)
"""
import os
import re
import sys

FORGE = "forge"


def layers_from_doc(root):
    """(engine layers, forge layers, engine folders the forge may use)."""
    text = open(os.path.join(root, "docs", "architecture.md"), encoding="utf-8").read()
    engine, forge, forge_uses = {}, {}, set()
    for prefix, table in (("", engine), ("forge ", forge)):
        for number, folders in re.findall(rf"^{prefix}layer (\d+): (.+)$", text, re.M):
            for folder in folders.split():
                table[folder] = int(number)
    for folders in re.findall(r"^forge engine: (.+)$", text, re.M):
        forge_uses.update(folders.split())
    return engine, forge, forge_uses


def includes(path):
    for line in open(path, encoding="utf-8", errors="replace"):
        m = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
        if m:
            yield m.group(1)


def include_edges(root):
    """room -> rooms it includes, for the project's own headers. A room is
    'src/FOLDER/NAME' or 'tools/TOOL/[FOLDER/]NAME'; an include is looked up
    beside the tool's own files first, then in src/, as the build's include
    paths have it."""
    src = os.path.join(root, "src")
    edges = {}
    tools = os.path.join(root, "tools")
    programs = sorted(os.listdir(tools)) if os.path.isdir(tools) else []
    bases = [src] + [os.path.join(tools, t) for t in programs if os.path.isdir(os.path.join(tools, t))]
    for base in bases:
        for dirpath, _, files in os.walk(base):
            for name in sorted(files):
                if not name.endswith((".cpp", ".h")):
                    continue
                path = os.path.join(dirpath, name)
                room = os.path.splitext(os.path.relpath(path, root))[0]
                for included in includes(path):
                    for where in dict.fromkeys([base, src]):
                        if os.path.exists(os.path.join(where, included)):
                            target = os.path.splitext(os.path.relpath(os.path.join(where, included), root))[0]
                            if target != room:
                                edges.setdefault(room, set()).add(target)
                            break
    return edges


def folder(room):
    """'src/core', 'tools/forge/levels', 'tools/forge' (the steps), 'tools/campaign_bot'."""
    parts = room.split("/")
    if parts[0] == "src" or len(parts) == 3:
        return "/".join(parts[:2])
    return "/".join(parts[:3])


def strongly_connected(edges):
    """Components of more than one node (Tarjan)."""
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


def layer_of(where, engine, forge):
    """('engine'|'forge', rank) for a folder, None when it has no layer."""
    parts = where.split("/")
    if parts[0] == "src":
        return ("engine", engine[parts[1]]) if parts[1] in engine else None
    if parts[1] == FORGE:
        name = parts[2] if len(parts) > 2 else FORGE
        return ("forge", forge[name]) if name in forge else None
    return None


def faults_of(edges, engine, forge, forge_uses):
    faults = []
    for room in edges:
        where = folder(room)
        parts = where.split("/")
        if (parts[0] == "src" or parts[1] == FORGE) and layer_of(where, engine, forge) is None:
            faults.append(f"{where}/ has no layer in docs/architecture.md")
    for a in sorted(edges):
        for b in sorted(edges[a]):
            fa, fb = folder(a), folder(b)
            if fa == fb:
                continue
            la, lb = layer_of(fa, engine, forge), layer_of(fb, engine, forge)
            a_tool, b_tool = fa.split("/")[:2], fb.split("/")[:2]
            if b_tool[0] == "tools" and a_tool != b_tool:
                faults.append(f"{a} includes {b}: a program's files are its own")
            elif la and lb and la[0] == lb[0] and lb[1] >= la[1]:
                faults.append(f"{a} includes {b}: {la[0]} layer {la[1]} may only include lower layers (this is {lb[1]})")
            elif la and la[0] == "forge" and lb and lb[0] == "engine" and fb.split("/")[1] not in forge_uses:
                faults.append(f"{a} includes {b}: the forge uses only the engine folders {' '.join(sorted(forge_uses))}")
    for c in strongly_connected(edges):
        faults.append("include cycle: " + " <-> ".join(c))
    folder_edges = {}
    for a, targets in edges.items():
        for b in targets:
            if folder(a) != folder(b):
                folder_edges.setdefault(folder(a), set()).add(folder(b))
    for c in strongly_connected(folder_edges):
        faults.append("folder loop: " + " <-> ".join(c))
    return sorted(set(faults))


def dot(edges, engine):
    counts = {}
    for a, targets in edges.items():
        for b in targets:
            fa, fb = folder(a), folder(b)
            if fa != fb and fa.startswith("src/") and fb.startswith("src/"):
                key = (fa[4:], fb[4:])
                counts[key] = counts.get(key, 0) + 1
    print("digraph kel {\n  node [shape=box, fontname=\"DejaVu Sans\"];")
    levels = sorted(set(engine.values()), reverse=True)
    for n in levels:
        names = " ".join(f'"{f}"' for f in sorted(engine) if engine[f] == n)
        print(f"  {{ rank=same; {names} }}")
    # Invisible edges stack the layers top (highest) to bottom.
    first = {n: min(f for f in engine if engine[f] == n) for n in levels}
    for upper, lower in zip(levels, levels[1:]):
        print(f'  "{first[upper]}" -> "{first[lower]}" [style=invis];')
    for (a, b), n in sorted(counts.items()):
        print(f'  "{a}" -> "{b}" [label="{n}", fontsize=9];')
    print("}")


def main(argv):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    if "--root" in argv:
        root = os.path.abspath(argv[argv.index("--root") + 1])
    engine, forge, forge_uses = layers_from_doc(root)
    edges = include_edges(root)
    if "--dot" in argv:
        dot(edges, engine)
        return 0
    faults = faults_of(edges, engine, forge, forge_uses)
    for f in faults:
        print(f)
    print(f"check_layers: {len(edges)} rooms, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
