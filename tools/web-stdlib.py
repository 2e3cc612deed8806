#!/usr/bin/env python3
"""Compiles the part of the standard library a page needs into a folder of .pyc files.

    web-stdlib.py MODULE_LIST LIB_FOLDER OUT_FOLDER

MODULE_LIST names the modules scripts import (one or more a line, # starts a comment).
Each is imported in a fresh Python 3.11 of this machine, which must be the same 3.11 as
LIB_FOLDER's (the bytecode is this interpreter's), and every module that loads with it,
start-up included, is taken by name from LIB_FOLDER, the browser's standard library:
modules frozen into the interpreter or built into it need no file.

OUT_FOLDER is written anew: each module as a .pyc alone, without its source (a page's
files arrive fresh on every visit, so Python could never use a cache beside a source,
and sources would only add to the download), named as if the source were in the
interpreter's own library folder, so tracebacks name real files. Prints one line with
the count and size. Exits 1 with one line when a listed module can't be imported or a
module that loads has no file in LIB_FOLDER.
"""

import os
import py_compile
import shutil
import subprocess
import sys

# Where the page's interpreter looks for its library (its prefix, /usr/local).
PAGE_LIBRARY = "/usr/local/lib/python3.11"

LOADED_MODULES = """
import sys
for name in {names!r}:
    __import__(name)
for name, module in sorted(sys.modules.items()):
    spec = getattr(module, "__spec__", None)
    origin = getattr(spec, "origin", None)
    # Only modules read from a source file; built-in, frozen and extension modules
    # travel inside the interpreter.
    if origin and origin.endswith(".py"):
        print(name)
"""


def fail(text):
    print(f"web-stdlib: ERROR: {text}", file=sys.stderr)
    sys.exit(1)


def listed_modules(path):
    names = []
    with open(path, encoding="utf-8") as listing:
        for line in listing:
            names.extend(line.split("#", 1)[0].split())
    return names


def loaded_modules(names):
    """Every module read from a source file while `names` are imported, by name."""
    # -I: no user site, no PYTHONPATH; -S: no site-packages, whose modules the page lacks.
    result = subprocess.run([sys.executable, "-I", "-S", "-c", LOADED_MODULES.format(names=names)],
                            capture_output=True, text=True)
    if result.returncode != 0:
        last = result.stderr.strip().splitlines()
        fail(f"importing the listed modules failed: {last[-1] if last else 'no message'}")
    # site is imported at every start in the page (not here, because of -S).
    return sorted(set(result.stdout.split()) | {"site"})


def source_of(library, name):
    """The source file of module `name` in `library`, relative to it, or None."""
    relative = os.path.join(*name.split("."))
    for candidate in (os.path.join(relative, "__init__.py"), relative + ".py"):
        if os.path.isfile(os.path.join(library, candidate)):
            return candidate
    return None


def main():
    if len(sys.argv) != 4:
        print(__doc__.strip().split("\n\n")[1], file=sys.stderr)
        sys.exit(2)
    module_list, library, out = sys.argv[1:]
    if sys.version_info[:2] != (3, 11):
        fail(f"needs Python 3.11 to write 3.11 bytecode, not {sys.version.split()[0]}")

    sources = []
    for name in loaded_modules(listed_modules(module_list)):
        source = source_of(library, name)
        if source is None:
            # The host's own sysconfig data has a name of its own platform.
            if name.startswith("_sysconfigdata_"):
                continue
            fail(f"module {name} is not in {library}")
        sources.append(source)

    shutil.rmtree(out, ignore_errors=True)
    total = 0
    for source in sources:
        target = os.path.join(out, source + "c")
        os.makedirs(os.path.dirname(target), exist_ok=True)
        # Unchecked: there is no source to check it against.
        py_compile.compile(os.path.join(library, source), cfile=target,
                           dfile=os.path.join(PAGE_LIBRARY, source), doraise=True,
                           invalidation_mode=py_compile.PycInvalidationMode.UNCHECKED_HASH)
        total += os.path.getsize(target)
    print(f"web-stdlib: {len(sources)} modules, {total // 1024} KiB of bytecode in {out}")


if __name__ == "__main__":
    main()
