#!/usr/bin/env python3
"""Checks how the rooms of src/ include each other, from their #include "room/..."
lines, and fails (exit 1) on any of:

- a room other than app/ including app/: app/ puts the program together and
  nothing is built on it;
- a room beneath the features including one above it: core/ nothing, platform/
  only core/, ui/ only core/ and platform/, panel/ only those three;
- core/ including a Windows header: it is built and tested on the host too;
- a cycle between rooms, directly or through others.

    tools/check_rooms.py [SRC]      (default: the src/ beside this folder)
"""
import re
import sys
from pathlib import Path

# The rooms beneath the features, lowest first: each may include only those before it.
LOW = ["core", "platform", "ui", "panel"]
FEATURES = ["inspect", "folders", "registration", "verify", "report", "windows"]
TOP = "app"
WINDOWS_HEADERS = re.compile(r'#\s*include\s*<(windows|windowsx|commctrl|shellapi|shlobj|shlwapi|objbase|ole2|winternl)\.h>',
                             re.IGNORECASE)
ROOM_INCLUDE = re.compile(r'^\s*#\s*include\s*"([A-Za-z0-9_]+)/[^"]+"', re.MULTILINE)


def room_graph(src):
    """{room: {included room: [(file, line), ...]}} and the problems found on the way."""
    rooms = sorted(p.name for p in src.iterdir() if p.is_dir())
    graph = {room: {} for room in rooms}
    problems = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        room = path.relative_to(src).parts[0]
        text = path.read_text(encoding="utf-8", errors="replace")
        where = path.relative_to(src.parent)
        for match in ROOM_INCLUDE.finditer(text):
            target = match.group(1)
            line = text.count("\n", 0, match.start()) + 1
            if target in graph and target != room:
                graph[room].setdefault(target, []).append(f"{where}:{line}")
        if room == "core":
            for match in WINDOWS_HEADERS.finditer(text):
                line = text.count("\n", 0, match.start()) + 1
                problems.append(f"{where}:{line}: core/ includes a Windows header ({match.group(0).strip()})")
    return graph, problems


def layer_problems(graph):
    problems = []
    for room, targets in graph.items():
        for target, places in targets.items():
            if target == TOP and room != TOP:
                problems.append(f"{places[0]}: {room}/ includes app/, which only puts the program together")
            elif room in LOW and (target not in LOW or LOW.index(target) > LOW.index(room)):
                allowed = ", ".join(f"{r}/" for r in LOW[:LOW.index(room)]) or "no other room"
                problems.append(f"{places[0]}: {room}/ includes {target}/ (it may include {allowed})")
    return problems


def cycles(graph):
    """Every cycle found by a depth-first walk, as a list of rooms."""
    found, state, stack = [], {}, []

    def visit(room):
        state[room] = "open"
        stack.append(room)
        for target in sorted(graph.get(room, {})):
            if state.get(target) == "open":
                found.append(stack[stack.index(target):] + [target])
            elif target not in state:
                visit(target)
        stack.pop()
        state[room] = "done"

    for room in sorted(graph):
        if room not in state:
            visit(room)
    return found


def main():
    src = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "src"
    graph, problems = room_graph(src)
    problems += layer_problems(graph)
    for cycle in cycles(graph):
        first = graph[cycle[0]][cycle[1]][0]
        problems.append(f"cycle between rooms: {' -> '.join(cycle)} (first step at {first})")
    for room in sorted(graph, key=lambda r: (LOW + FEATURES + [TOP] + [r]).index(r)):
        print(f"{room:>13} -> {' '.join(sorted(graph[room])) or '-'}")
    if problems:
        for p in problems:
            print(f"rooms: {p}", file=sys.stderr)
        return 1
    print(f"rooms: {len(graph)} rooms, one way, no cycle")
    return 0


if __name__ == "__main__":
    sys.exit(main())
