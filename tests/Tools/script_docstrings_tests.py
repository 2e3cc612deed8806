#!/usr/bin/env python3
"""tools/script-docstrings.py on a small made-up engine: which comment each declaration
gets, how overloads read, and what SWIG makes of the output (SWIG is run on it, and the
shadow module it writes is read with ast).

    script_docstrings_tests.py SOURCE_DIR SWIG
"""

import ast
import importlib
import os
import subprocess
import sys
import tempfile
import textwrap
import unittest

sys.dont_write_bytecode = True
SOURCE_DIR, SWIG = sys.argv[1:3]
del sys.argv[1:3]
sys.path.insert(0, os.path.join(SOURCE_DIR, "tools"))
script_docstrings = importlib.import_module("script-docstrings")

FILES = {
    "Util/Shape.h": """
        #pragma once
        // Something drawn.
        class Shape
        {
        public:
            // Once a frame; dt in seconds.
            virtual void Update(float dt);
            // Where it is drawn; "world" units, with a \\ in them.
            void SetPlace(float x, float y);
            float GetPlace() const;
            // The colour, as floats.
            void Paint(float r, float g, float b, float a = 1.0f);
            // The colour, as 0..255.
            void Paint(int r, int g, int b);
            // How many corners.
            int GetCorners() const;
            int GetEdges() const;
            int GetFaces() const;
            // Header text that the interface file's own comment replaces.
            void Spin(float degrees);
            // What the script-only Hide of the interface file must not claim.
            void Hide();
        };
        """,
    "Util/Square.h": """
        #pragma once
        #include "Util/Shape.h"
        // A shape with four corners.
        class Square : public Shape
        {
        public:
            void Update(float dt) override;
        };
        """,
    "Scripting/tarvo.i": """
        %include "shapes_docstrings.i"
        %module(docstring=TARVO_MODULE_DOCSTRING) shapes
        %feature("python:cdefaultargs");
        %include "Shapes.i"
        """,
    "Scripting/Shapes.i": """
        // Shapes.

        class Shape
        {
        public:
            virtual void Update(float dt);
            void SetPlace(float x, float y);
            float GetPlace() const;
            void Paint(int r, int g, int b);
            void Paint(float r, float g, float b);
            int GetCorners() const;
            int GetEdges() const;
            int GetFaces() const;
            // Turns it, as scripts see it.
            void Spin(float degrees);
        };
        %extend Shape {
            void Hide() {}
        }

        class Square : public Shape
        {
        public:
            virtual void Update(float dt);
        };
        """,
}


def write_tree(root):
    for name, text in FILES.items():
        os.makedirs(os.path.join(root, os.path.dirname(name)), exist_ok=True)
        with open(os.path.join(root, name), "w", encoding="utf-8") as f:
            f.write(textwrap.dedent(text).lstrip())


class ScriptDocstrings(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.TemporaryDirectory()
        root = cls.work.name
        write_tree(root)
        cls.output = os.path.join(root, "shapes_docstrings.i")
        script_docstrings.write(root, cls.output)
        subprocess.run(
            [SWIG, "-c++", "-python", "-I" + root, "-outdir", root, "-o", os.path.join(root, "wrap.cxx"),
             os.path.join(root, "Scripting", "tarvo.i")],
            check=True,
        )
        with open(os.path.join(root, "shapes.py"), encoding="utf-8") as f:
            tree = ast.parse(f.read())
        cls.module_doc = ast.get_docstring(tree)
        cls.docs = {}
        for node in tree.body:
            if isinstance(node, ast.ClassDef):
                cls.docs[node.name] = ast.get_docstring(node)
                for item in node.body:
                    if isinstance(item, ast.FunctionDef):
                        cls.docs[node.name + "." + item.name] = ast.get_docstring(item)

    @classmethod
    def tearDownClass(cls):
        cls.work.cleanup()

    def test_a_header_comment_reaches_the_shadow_module_as_written(self):
        self.assertEqual(self.docs["Shape"], "Something drawn.")
        self.assertEqual(
            self.docs["Shape.SetPlace"],
            'SetPlace(x: float, y: float)\n    Where it is drawn; "world" units, with a \\ in them.',
        )

    def test_each_overload_keeps_its_own_comment_matched_by_parameter_types(self):
        # In the header's order, in which one comment may refer to the one before.
        self.assertEqual(
            self.docs["Shape.Paint"],
            "Paint(r: float, g: float, b: float)\n    The colour, as floats.\n"
            "Paint(r: int, g: int, b: int)\n    The colour, as 0..255.",
        )

    def test_the_interface_files_comment_comes_first(self):
        self.assertEqual(self.docs["Shape.Spin"], "Spin(degrees: float)\n    Turns it, as scripts see it.")

    def test_a_script_only_method_never_takes_a_header_comment(self):
        self.assertEqual(self.docs["Shape.Hide"], "Hide()")

    def test_an_override_without_a_comment_speaks_with_its_base(self):
        self.assertEqual(self.docs["Square"], "A shape with four corners.")
        self.assertEqual(self.docs["Square.Update"], "Update(dt: float)\n    Once a frame; dt in seconds.")

    def test_a_getters_comment_reaches_one_declaration_down(self):
        self.assertIn("Where it is drawn", self.docs["Shape.GetPlace"])
        self.assertEqual(self.docs["Shape.GetEdges"], "GetEdges() -> int\n    How many corners.")
        self.assertEqual(self.docs["Shape.GetFaces"], "GetFaces() -> int")

    def test_an_unchanged_output_is_left_alone(self):
        before = os.stat(self.output).st_mtime_ns
        os.utime(self.output, ns=(before - 10**9, before - 10**9))
        script_docstrings.write(self.work.name, self.output)
        self.assertEqual(os.stat(self.output).st_mtime_ns, before - 10**9)


if __name__ == "__main__":
    unittest.main()
