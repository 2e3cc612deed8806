#!/usr/bin/env python3
"""Lists every module a page's Python can import, one name a line, for `tarvo pack --web`
to refuse a game that imports anything else.

    web-page-modules.py STDLIB_FOLDER NM LIBRARY... > modules.txt

STDLIB_FOLDER is the page's standard modules as tools/web-stdlib.py writes them (.pyc
files); the modules built into the interpreter are the PyInit_ functions the LIBRARY
archives define (read with NM); those frozen into it are this machine's Python 3.11's,
the same version. The engine's own, tarvo and _tarvo, are always there."""

import _imp
import os
import subprocess
import sys


def main():
    if len(sys.argv) < 4:
        print(__doc__.strip().split("\n\n")[1], file=sys.stderr)
        sys.exit(2)
    stdlib, nm, libraries = sys.argv[1], sys.argv[2], sys.argv[3:]
    names = {"tarvo", "_tarvo"} | set(sys.builtin_module_names) & {"sys", "builtins"}
    names |= {name for name in _imp._frozen_module_names() if not name.startswith("<")}
    for top, _, files in os.walk(stdlib):
        for file in files:
            if not file.endswith(".pyc"):
                continue
            relative = os.path.relpath(os.path.join(top, file[:-4]), stdlib).split(os.sep)
            if relative[-1] == "__init__":
                relative.pop()
            names.add(".".join(relative))
    for library in libraries:
        symbols = subprocess.run([nm, "--defined-only", library], capture_output=True, text=True)
        if symbols.returncode != 0:
            print("web-page-modules: ERROR: %s can't read %s" % (nm, library), file=sys.stderr)
            sys.exit(1)
        for line in symbols.stdout.splitlines():
            words = line.split()
            if len(words) == 3 and words[1] == "T" and words[2].startswith("PyInit_"):
                names.add(words[2][len("PyInit_"):])
    sys.stdout.write("".join(name + "\n" for name in sorted(names)))


if __name__ == "__main__":
    main()
