#!/usr/bin/env python3
"""Prints which files of a folder include which, a file and its header taken
as one unit (FormulaRowsWindow.cpp and .h are "FormulaRowsWindow"), and fails
when units include each other in a circle, directly or through others.

usage: tools/include_graph.py [FOLDER]   (default: app, from the source root)
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def unit_graph(folder):
    root = folder.parent
    units = {path.stem for path in folder.iterdir() if path.suffix in (".h", ".cpp")}
    graph = {unit: set() for unit in units}
    for path in folder.iterdir():
        if path.suffix not in (".h", ".cpp"):
            continue
        for name in INCLUDE.findall(path.read_text(encoding="utf-8")):
            target = pathlib.PurePosixPath(name)
            if (root / target).parent == folder and target.stem in units and target.stem != path.stem:
                graph[path.stem].add(target.stem)
    return graph


def circles(graph):
    """The strongly connected units of more than one (Tarjan's algorithm)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(unit):
        index[unit] = low[unit] = len(index)
        stack.append(unit)
        on_stack.add(unit)
        for other in sorted(graph[unit]):
            if other not in index:
                visit(other)
                low[unit] = min(low[unit], low[other])
            elif other in on_stack:
                low[unit] = min(low[unit], index[other])
        if low[unit] == index[unit]:
            component = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                component.append(member)
                if member == unit:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    for unit in sorted(graph):
        if unit not in index:
            visit(unit)
    return found


def main():
    source_root = pathlib.Path(__file__).resolve().parent.parent
    folder = (source_root / (sys.argv[1] if len(sys.argv) > 1 else "app")).resolve()
    graph = unit_graph(folder)
    for unit in sorted(graph):
        print(f"{unit}: {' '.join(sorted(graph[unit]))}")
    found = circles(graph)
    for component in found:
        print(f"circle: {' '.join(component)}", file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
