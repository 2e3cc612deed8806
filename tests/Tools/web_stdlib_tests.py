#!/usr/bin/env python3
"""tools/web-stdlib.py with this machine's own standard library standing in for the
browser's: which modules a list brings, what the bytecode looks like to the interpreter
that loads it, and the lists it refuses.

    web_stdlib_tests.py SOURCE_DIR
"""

import marshal
import os
import subprocess
import sys
import tempfile
import unittest

SOURCE_DIR = sys.argv.pop(1)
TOOL = os.path.join(SOURCE_DIR, "tools", "web-stdlib.py")
PYTHON = "/usr/bin/python3.11"
LIBRARY = subprocess.run([PYTHON, "-c", "import sysconfig; print(sysconfig.get_path('stdlib'))"],
                         capture_output=True, text=True, check=True).stdout.strip()


class WebStdlibTests(unittest.TestCase):
    def setUp(self):
        self.scratch = tempfile.TemporaryDirectory()
        self.out = os.path.join(self.scratch.name, "stdlib")

    def tearDown(self):
        self.scratch.cleanup()

    def run_tool(self, listing, library=LIBRARY):
        modules = os.path.join(self.scratch.name, "modules.txt")
        with open(modules, "w", encoding="utf-8") as listing_file:
            listing_file.write(listing)
        return subprocess.run([PYTHON, TOOL, modules, library, self.out], capture_output=True, text=True)

    def written(self):
        found = set()
        for folder, _, files in os.walk(self.out):
            for name in files:
                found.add(os.path.relpath(os.path.join(folder, name), self.out))
        return found

    def test_a_module_brings_what_it_imports_and_the_start_up_modules(self):
        result = self.run_tool("# a comment\njson  # and another\n\n")
        self.assertEqual(result.returncode, 0, result.stderr)
        files = self.written()
        # json's own files, what they import in turn, and what every start imports.
        for expected in ("json/__init__.pyc", "json/decoder.pyc", "json/scanner.pyc", "re/__init__.pyc",
                         "encodings/__init__.pyc", "encodings/utf_8.pyc", "site.pyc"):
            self.assertIn(expected, files)
        # Frozen into the interpreter, or not loaded at all: no file.
        for unexpected in ("os.pyc", "codecs.pyc", "io.pyc", "random.pyc"):
            self.assertNotIn(unexpected, files)
        # Bytecode alone: no sources, no caches.
        self.assertTrue(all(name.endswith(".pyc") and "__pycache__" not in name for name in files), files)
        self.assertIn(f"{len(files)} modules", result.stdout)

    def test_the_bytecode_loads_without_its_source_and_names_the_page_library(self):
        result = self.run_tool("json\n")
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(os.path.join(self.out, "json", "decoder.pyc"), "rb") as compiled:
            code = marshal.loads(compiled.read()[16:])
        self.assertEqual(code.co_filename, "/usr/local/lib/python3.11/json/decoder.py")
        # An interpreter that finds only this folder imports from it.
        check = subprocess.run(
            [PYTHON, "-I", "-S", "-c",
             "import sys; sys.path[:] = [sys.argv[1]] + [p for p in sys.path if 'dynload' in p]; "
             "import json.decoder; print(json.decoder.__file__); print(json.dumps({'a': [1]}))", self.out],
            capture_output=True, text=True)
        self.assertEqual(check.returncode, 0, check.stderr)
        self.assertEqual(check.stdout.split(), [os.path.join(self.out, "json", "decoder.pyc"), '{"a":', "[1]}"])

    def test_refused_lists_say_why_and_leave_the_old_output(self):
        self.assertEqual(self.run_tool("json\n").returncode, 0)
        before = self.written()
        unknown = self.run_tool("json no_such_module_here\n")
        self.assertEqual(unknown.returncode, 1)
        self.assertIn("importing the listed modules failed: ModuleNotFoundError", unknown.stderr)
        self.assertEqual(len(unknown.stderr.strip().splitlines()), 1)
        # The browser's library lacks a module this machine's has.
        partial = os.path.join(self.scratch.name, "partial")
        os.makedirs(os.path.join(partial, "json"))
        for name in ("__init__.py", "decoder.py"):
            with open(os.path.join(LIBRARY, "json", name), "rb") as source, \
                    open(os.path.join(partial, "json", name), "wb") as copy:
                copy.write(source.read())
        missing = self.run_tool("json\n", library=partial)
        self.assertEqual(missing.returncode, 1)
        self.assertIn("is not in " + partial, missing.stderr)
        self.assertEqual(self.written(), before)


if __name__ == "__main__":
    unittest.main()
