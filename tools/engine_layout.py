"""The engine's folders as the checks in tools/ read them: the floors of the house, bottom
first, and the engine's own headers (cmake/private-headers.txt), which are not installed.
"""

import os

# Folders on one floor are neighbours that never include each other.
FLOORS = [
    ["Util"],
    ["Platform"],
    ["Messaging"],
    ["Actors"],
    ["Infrastructure"],
    ["Input", "Sound", "Physics"],
    ["Scripting"],
    ["Program"],
    ["Game", "Runner"],
]

# The programs on the top floor; every folder below them is the engine.
PROGRAM_FOLDERS = ["Game", "Runner"]
ENGINE_FOLDERS = [folder for floor in FLOORS for folder in floor if folder not in PROGRAM_FOLDERS]


def private_headers(root):
    """The entries of cmake/private-headers.txt: paths from the root, or folders ending in /."""
    with open(os.path.join(root, "cmake", "private-headers.txt"), encoding="utf-8") as listing:
        return [line.strip() for line in listing if line.strip() and not line.startswith("#")]


def is_private(path, private):
    """Whether a header, by its path from the root, is one of the engine's own."""
    return any(path.startswith(entry) if entry.endswith("/") else path == entry for entry in private)
