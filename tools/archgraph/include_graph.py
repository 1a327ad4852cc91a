#!/usr/bin/env python3
"""The include graph of src/, folder by folder, and the rule of its layers.

Prints the graph as the Markdown block docs/architecture.md holds; with
--check FILE, fails when the block in FILE differs from the code or when an
include goes against the layers (to a folder of the same or a higher rank).
With --write FILE, rewrites the block in FILE.
"""
import os
import re
import sys

SRC = os.path.join(os.path.dirname(__file__), "..", "..", "src")
BEGIN, END = "<!-- include-graph -->", "<!-- /include-graph -->"

# Each folder's rank: an include must go to a folder of a lower rank.
RANKS = {
    "platform": 0,
    "script": 1, "defaults": 1, "module": 1, "sim": 1, "win32/seam": 1,
    "keyboard": 2,
    "common": 3, "pages": 3,
    "captions": 4, "statics": 4, "listbox": 4, "edit": 4,
    "win32/framework": 5,
    "win32/adapters": 6, "win32/pages": 6,
    "win32": 7,
}
INCLUDE = re.compile(r'#include "([^"]+)"')


def graph():
    edges = {}
    for root, _, files in os.walk(SRC):
        folder = os.path.relpath(root, SRC).replace(os.sep, "/")
        for name in files:
            if not name.endswith((".h", ".cpp")):
                continue
            with open(os.path.join(root, name), encoding="utf-8", errors="replace") as f:
                for line in f:
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    target = os.path.dirname(m.group(1))
                    if target and target != folder and os.path.exists(os.path.join(SRC, m.group(1))):
                        edges.setdefault(folder, set()).add(target)
    return edges


def block(edges):
    lines = [BEGIN, "```"]
    for folder in sorted(edges, key=lambda f: (-RANKS.get(f, 99), f)):
        lines.append(f"{folder:16} -> {' '.join(sorted(edges[folder], key=lambda t: (-RANKS.get(t, 99), t)))}")
    lines += ["```", END]
    return "\n".join(lines)


def violations(edges):
    found = []
    for folder, targets in edges.items():
        if folder not in RANKS:
            found.append(f"{folder}: a folder without a rank (add it to RANKS)")
            continue
        for t in targets:
            if RANKS.get(t, 99) >= RANKS[folder]:
                found.append(f"{folder} -> {t}: against the layers")
    return found


def main(argv):
    edges = graph()
    text = block(edges)
    if len(argv) == 3 and argv[1] in ("--check", "--write"):
        with open(argv[2], encoding="utf-8") as f:
            doc = f.read()
        start, end = doc.find(BEGIN), doc.find(END)
        if start < 0 or end < 0:
            print(f"{argv[2]}: no include-graph block")
            return 1
        current = doc[:start] + text + doc[end + len(END):]
        if argv[1] == "--write":
            with open(argv[2], "w", encoding="utf-8") as f:
                f.write(current)
            return 0
        problems = violations(edges)
        if current != doc:
            problems.append(f"{argv[2]}: the include graph is out of date "
                            "(tools/archgraph/include_graph.py --write)")
        for p in problems:
            print(p)
        return 1 if problems else 0
    print(text)
    for p in violations(edges):
        print(p)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
