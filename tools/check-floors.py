#!/usr/bin/env python3
"""Checks that the source folders are floors of one house, each including only its own
folder and the floors below it, and that no include runs in a circle between folders.

    tools/check-floors.py            check; one line per fault, status 1 on any
    tools/check-floors.py --table    files per folder, upward includes, largest files

The order in tools/engine_layout.py is the one place the floors are written down. Folders
on one floor are neighbours that never include each other: input, sound and physics each
plug into the World's frame on their own. tests/, bench/, examples/, fuzz/ and tools/ stand outside the
house and may include any floor.

It also holds the line between what a game may include and the engine's own headers
(cmake/private-headers.txt): an installed header that includes one of those would not
compile where the engine is installed.
"""

import collections
import os
import re
import sys

# Run from the test command: no bytecode left in the source tree.
sys.dont_write_bytecode = True
from engine_layout import FLOORS, PROGRAM_FOLDERS, is_private, private_headers

FLOOR_OF = {folder: level for level, folders in enumerate(FLOORS) for folder in folders}
SOURCE_SUFFIXES = (".h", ".cpp", ".i")
INCLUDE = re.compile(r'^\s*[#%]\s*(?:include|import)\s+"([^"]+)"')


def source_files(root, folder):
    for directory, subfolders, files in os.walk(os.path.join(root, folder)):
        subfolders.sort()
        for name in sorted(files):
            if name.endswith(SOURCE_SUFFIXES):
                yield os.path.relpath(os.path.join(directory, name), root)


def includes_of(root, path):
    """The project headers a file includes, as paths from the root."""
    found = []
    with open(os.path.join(root, path), encoding="utf-8", errors="replace") as source:
        for line in source:
            match = INCLUDE.match(line)
            if match and match.group(1).split("/")[0] in FLOOR_OF:
                found.append(match.group(1))
    return found


def top_folder(path):
    return path.split("/")[0]


def upward_includes(root, files):
    """(file, included) pairs where a folder reaches a floor above or beside its own."""
    faults = []
    for path in files:
        own = top_folder(path)
        for included in includes_of(root, path):
            other = top_folder(included)
            if other != own and FLOOR_OF[other] >= FLOOR_OF[own]:
                faults.append((path, included))
    return faults


def folder_circles(root, files):
    """Circles in the graph of folders (subfolders count on their own: Sound/backend)."""
    edges = collections.defaultdict(set)
    for path in files:
        source_folder = os.path.dirname(path)
        for included in includes_of(root, path):
            target = os.path.dirname(included)
            if target != source_folder:
                edges[source_folder].add(target)

    circles = []
    state = {}
    trail = []

    def visit(folder):
        state[folder] = "open"
        trail.append(folder)
        for target in sorted(edges[folder]):
            if state.get(target) == "open":
                circles.append(trail[trail.index(target):] + [target])
            elif target not in state:
                visit(target)
        trail.pop()
        state[folder] = "done"

    for folder in sorted(list(edges)):
        if folder not in state:
            visit(folder)
    return circles


def public_headers_including_private(root, files):
    private = private_headers(root)
    faults = []
    for path in files:
        if path.endswith(".h") and top_folder(path) not in PROGRAM_FOLDERS and not is_private(path, private):
            faults += [(path, included) for included in includes_of(root, path) if is_private(included, private)]
    return faults


def line_count(root, path):
    with open(os.path.join(root, path), encoding="utf-8", errors="replace") as source:
        return sum(1 for _ in source)


def print_table(root, files):
    per_folder = collections.Counter(top_folder(path) for path in files)
    lines = collections.Counter()
    for path in files:
        lines[top_folder(path)] += line_count(root, path)
    upward = collections.Counter()
    for path, included in upward_includes(root, files):
        upward[(top_folder(path), top_folder(included))] += 1
    print("| folder | files | lines |")
    print("|---|---|---|")
    for level, folders in enumerate(FLOORS):
        for folder in folders:
            if per_folder[folder]:
                print(f"| {folder} | {per_folder[folder]} | {lines[folder]} |")
    print()
    print("| includes running upward or sideways | count |")
    print("|---|---|")
    for (source, target), count in sorted(upward.items()):
        print(f"| {source} -> {target} | {count} |")
    print()
    print("| largest files | lines |")
    print("|---|---|")
    for path in sorted(files, key=lambda p: -line_count(root, p))[:8]:
        print(f"| {path} | {line_count(root, path)} |")


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    files = [path for folder in FLOOR_OF for path in source_files(root, folder)]
    if "--table" in sys.argv[1:]:
        print_table(root, files)
        return 0

    faults = 0
    for path, included in upward_includes(root, files):
        print(f"{path}: includes {included}, a floor that is not below {top_folder(path)}/")
        faults += 1
    for path, included in public_headers_including_private(root, files):
        print(f"{path}: an installed header includes {included}, which is the engine's own")
        faults += 1
    for circle in folder_circles(root, files):
        print("include circle between folders: " + " -> ".join(circle))
        faults += 1
    for folder in FLOOR_OF:
        if not os.path.isdir(os.path.join(root, folder)):
            print(f"{folder}/ is a floor but there is no such folder")
            faults += 1
    if faults:
        print(f"{faults} fault(s); the floors, bottom first: "
              + " < ".join("/".join(floor) for floor in FLOORS))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
