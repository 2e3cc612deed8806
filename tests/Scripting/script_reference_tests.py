#!/usr/bin/env python3
"""The Python reference (docs/api/python) and the generated tarvo.py it is written from:
every class, method, field and constant of the shadow module behind a name of
Scripting/ModuleNames.txt has its place in the reference, and a method's docstring and
reference entry carry the comment of its engine header.

    script_reference_tests.py SOURCE_DIR TARVO_PY REFERENCE_DIR
"""

import ast
import html
import os
import re
import sys
import unittest

SOURCE_DIR, TARVO_PY, REFERENCE_DIR = sys.argv[1:4]
del sys.argv[1:4]

# The module's own machinery, which no script calls: class registration, destructors and
# the holder of the globals.
MACHINERY = re.compile(r"(.*_swigregister|delete_.*|cvar)$")


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def header_comment(path, declaration):
    """The lines of the // comment right above the first line holding `declaration`."""
    lines = read(path).split("\n")
    index = next(i for i, line in enumerate(lines) if declaration in line)
    block = []
    while index > 0 and lines[index - 1].strip().startswith("//"):
        index -= 1
        block.insert(0, lines[index].strip()[2:].strip())
    return block


class Reference(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tree = ast.parse(read(TARVO_PY))
        cls.classes = {n.name: n for n in cls.tree.body if isinstance(n, ast.ClassDef)}

    def page(self, name):
        path = os.path.join(REFERENCE_DIR, name + ".html")
        self.assertTrue(os.path.exists(path), "no page for " + name)
        return read(path)

    def test_every_listed_name_has_its_place_in_the_reference(self):
        # Which class member each flat function of _tarvo stands behind.
        members = {}
        for cls in self.classes.values():
            for item in cls.body:
                name = getattr(item, "name", None)
                if isinstance(item, ast.Assign) and isinstance(item.targets[0], ast.Name):
                    name = item.targets[0].id
                for node in ast.walk(item):
                    if isinstance(node, ast.Attribute) and getattr(node.value, "id", "") == "_tarvo" and name:
                        members[node.attr] = (cls.name, name)
        constants = {
            n.targets[0].id
            for n in self.tree.body
            if isinstance(n, ast.Assign) and isinstance(n.value, ast.Attribute) and getattr(n.value.value, "id", "") == "_tarvo"
        }
        functions = {n.name for n in self.tree.body if isinstance(n, ast.FunctionDef)}
        index = self.page("index")
        checked = 0
        for name in read(os.path.join(SOURCE_DIR, "Scripting", "ModuleNames.txt")).split():
            if MACHINERY.match(name):
                continue
            if name in members:
                cls, member = members[name]
                present = 'id="%s"' % member in self.page(cls)
                self.assertTrue(present, "%s: %s.%s is not in the reference" % (name, cls, member))
                checked += 1
            elif name in functions:
                self.assertIn('id="%s"' % name, index, name + " is not among the functions")
            else:
                self.assertIn(name, constants, name + " is neither a class member, a function nor a constant")
                self.assertTrue(re.search(r"\b%s = " % name, index), name + " is not among the constants")
        self.assertGreater(checked, 300)
        for cls in self.classes:
            if not cls.startswith("_"):
                self.assertIn('href="%s.html"' % cls, index, cls + " is not on the index page")

    def test_a_method_carries_its_header_comment(self):
        comment = header_comment(os.path.join(SOURCE_DIR, "Physics", "PhysicsActor.h"), "void SetRestitution(")
        self.assertTrue(comment, "the example method has lost its comment: pick another")
        method = next(
            item for item in self.classes["PhysicsActor"].body if getattr(item, "name", "") == "SetRestitution"
        )
        self.assertEqual(
            ast.get_docstring(method), "SetRestitution(restitution: float)\n" + "\n".join("    " + l for l in comment)
        )
        entry = self.page("PhysicsActor").split('id="SetRestitution"')[1].split("<h3")[0]
        self.assertIn(html.escape(" ".join(comment), quote=False), entry)


if __name__ == "__main__":
    unittest.main()
