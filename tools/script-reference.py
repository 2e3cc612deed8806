#!/usr/bin/env python3
"""Writes the Python reference of the script module as HTML, from the shadow module
tarvo.py that SWIG generates: read with ast, so nothing needs the engine to import.

    script-reference.py TARVO_PY OUTPUT_DIR

OUTPUT_DIR gets index.html (the classes with a one-line summary each, the container
proxies, any free functions, the constants and globals) and a page per class: its
comment, constructor, methods with their signatures and comments, fields, constants,
and the methods it inherits. The docstrings are laid out by tools/script-docstrings.py:
a signature at the margin, the comment that goes with it indented below. Pages from an
earlier run are removed first, so a class that went leaves no page behind.
"""

import ast
import glob
import html
import inspect
import os
import re
import sys

STYLE = """body { font: 15px/1.45 sans-serif; max-width: 60em; margin: 1em auto; padding: 0 1em; color: #222; }
nav { border-bottom: 1px solid #ccc; padding-bottom: .4em; }
h1 { font-size: 1.6em; } h2 { margin-top: 1.6em; border-bottom: 1px solid #ddd; }
h3 { margin: 1.2em 0 .2em; font-size: 1.05em; }
pre { background: #f4f4f4; padding: .3em .6em; margin: .3em 0; white-space: pre-wrap; }
.text { margin: 0 0 .4em 1.5em; }
td { vertical-align: top; padding: .15em 1em .15em 0; }
ul.names { columns: 4; list-style: none; padding: 0; }
dt { font-family: monospace; margin-top: .6em; }
"""


class ShadowClass:
    def __init__(self, node):
        self.name = node.name
        self.bases = [b.id for b in node.bases if isinstance(b, ast.Name) and b.id != "object"]
        self.doc = ast.get_docstring(node) or ""
        self.constructor = None
        self.methods = []  # (name, docstring, static)
        self.fields = []  # (name, docstring)
        self.constants = []
        for item in node.body:
            if isinstance(item, ast.FunctionDef):
                doc = ast.get_docstring(item) or written_signature(item, self.name)
                if item.name != "__init__":
                    static = any(getattr(d, "id", "") == "staticmethod" for d in item.decorator_list)
                    self.methods.append((item.name, doc, static))
                elif not any(isinstance(statement, ast.Raise) for statement in item.body):
                    self.constructor = doc
            elif isinstance(item, ast.Assign) and isinstance(item.targets[0], ast.Name):
                name, value = item.targets[0].id, item.value
                if isinstance(value, ast.Call) and getattr(value.func, "id", "") == "property" and name != "thisown":
                    doc = inspect.cleandoc(next((k.value.value for k in value.keywords if k.arg == "doc"), ""))
                    self.fields.append((name, doc))
                elif isinstance(value, ast.Attribute) and not name.startswith("__"):
                    self.constants.append(name)
        self.container = self.name == "SwigPyIterator" or any(m[0] == "iterator" for m in self.methods)


def written_signature(function, class_name):
    """The signature of a method written in Python (in the interface files' own Python
    code), as a call; "" for SWIG's wrappers, which all take *args."""
    arguments = [a.arg for a in function.args.args[1:]]
    if function.args.vararg or not function.args.args:
        return ""
    return "%s(%s)" % (class_name if function.name == "__init__" else function.name, ", ".join(arguments))


def read_module(path):
    with open(path, encoding="utf-8") as f:
        tree = ast.parse(f.read())
    classes = [ShadowClass(n) for n in tree.body if isinstance(n, ast.ClassDef) and not n.name.startswith("_")]
    functions = [
        (n.name, ast.get_docstring(n) or "", False)
        for n in tree.body
        if isinstance(n, ast.FunctionDef) and not n.name.startswith("_")
    ]
    return ast.get_docstring(tree) or "", classes, functions


def entries(text):
    """[(heads, text lines)]: lines at the margin head an entry, indented ones are its text."""
    found = []
    for line in text.split("\n"):
        if line.startswith(" ") or (not line.strip() and found):
            if not found:
                found.append(([], []))
            found[-1][1].append(line[4:])
        elif line.strip():
            if found and not any(l.strip() for l in found[-1][1]):
                found[-1][0].append(line)
            else:
                found.append(([line], []))
    return found


def marked(text):
    """Escaped text with `code` marked."""
    return re.sub(r"`([^`]+)`", r"<code>\1</code>", html.escape(text, quote=False))


FIELD = re.compile(r"([A-Z]\w*(?:, [A-Z]\w*)*): (.*)")


def paragraphs(lines):
    """HTML paragraphs of comment lines: blank lines part them. A paragraph of several
    "Name: what it is" lines (continued by indented ones) becomes a list of fields."""
    text = "\n".join(lines).strip()
    out = []
    for part in re.split(r"\n\s*\n", text):
        rows = part.split("\n")
        heads = [r for r in rows if FIELD.match(r)]
        if len(heads) > 1 and FIELD.match(rows[0]) and all(FIELD.match(r) or r.startswith(" ") for r in rows):
            fields = []
            for row in rows:
                if FIELD.match(row):
                    fields.append(list(FIELD.match(row).groups()))
                else:
                    fields[-1][1] += " " + row.strip()
            items = "".join("<dt>%s</dt><dd>%s</dd>\n" % (html.escape(n), marked(t)) for n, t in fields)
            out.append('<dl class="text">\n%s</dl>\n' % items)
        elif part.strip():
            out.append('<p class="text">%s</p>\n' % marked(" ".join(part.split())))
    return "".join(out)


def summary(doc):
    first = " ".join(doc.split("\n\n")[0].split())
    match = re.match(r"(.*?\.)(\s|$)", first)
    return match.group(1) if match else first


class Writer:
    def __init__(self, classes, output):
        self.classes = {c.name: c for c in classes}
        self.output = output

    def linked(self, text):
        """Escaped text with the names of the module's classes linked to their pages."""
        escaped = html.escape(text, quote=False)
        if not self.classes:
            return escaped
        names = "|".join(sorted(self.classes, key=len, reverse=True))
        return re.sub(r"\b(%s)\b" % names, r'<a href="\1.html">\1</a>', escaped)

    def member(self, name, doc, static=False):
        heading = '<h3 id="%s"><code>%s</code>%s</h3>\n' % (name, name, " <small>static</small>" if static else "")
        return heading + self.entries(doc)

    def entries(self, doc):
        out = []
        for heads, text in entries(doc):
            if heads:
                out.append("<pre>%s</pre>\n" % "\n".join(self.linked(h) for h in heads))
            out.append(paragraphs(text))
        return "".join(out)

    def page(self, name, title, body):
        with open(os.path.join(self.output, name), "w", encoding="utf-8") as f:
            f.write(
                '<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n'
                '<link rel="stylesheet" href="style.css">\n<title>%s</title>\n</head>\n<body>\n'
                '<nav><a href="index.html">Python reference</a> · <a href="../cpp/index.html">C++ reference</a> · '
                '<a href="../../python-games.md">A game in Python</a> · <a href="../../scripting.md">Scripting</a></nav>\n'
                "%s</body>\n</html>\n" % (html.escape(title), body)
            )

    def inherited(self, cls):
        """(base, [method names]) for each ancestor, without what a nearer class redefines."""
        seen = {m[0] for m in cls.methods}
        result = []
        queue = list(cls.bases)
        while queue:
            base = self.classes.get(queue.pop(0))
            if base is None:
                continue
            names = [m[0] for m in base.methods if m[0] not in seen and not m[0].startswith("_")]
            seen.update(names)
            if names:
                result.append((base.name, names))
            queue += base.bases
        return result

    def class_page(self, cls):
        bases = ", ".join('<a href="%s.html">%s</a>' % (b, b) if b in self.classes else b for b in cls.bases)
        body = ["<h1>class %s%s</h1>\n" % (cls.name, "(%s)" % bases if bases else "")]
        own, _, constants = cls.doc.partition("\nConstants of the class:\n")
        body.append(paragraphs(own.split("\n")))
        if cls.constructor is not None:
            body.append('<h2 id="__init__">Constructor</h2>\n' + self.entries(cls.constructor))
        if cls.container:
            body.append("<h2>Methods</h2>\n<ul class=\"names\">\n")
            body += ['<li id="%s"><code>%s</code></li>\n' % (m[0], html.escape(m[0])) for m in cls.methods]
            body.append("</ul>\n")
        elif cls.methods:
            body.append("<h2>Methods</h2>\n" + "".join(self.member(*m) for m in cls.methods))
        if cls.fields:
            body.append("<h2>Fields</h2>\n" + "".join(self.member(*f) for f in cls.fields))
        if cls.constants:
            body.append("<h2>Constants</h2>\n")
            body += ['<h3 id="%s"><code>%s.%s</code></h3>\n' % (c, cls.name, c) for c in cls.constants]
            body.append(definitions("\n".join(line[4:] for line in constants.split("\n"))))
        inherited = self.inherited(cls)
        if inherited:
            body.append("<h2>Inherited</h2>\n")
        for base, names in inherited:
            links = ", ".join('<a href="%s.html#%s">%s</a>' % (base, n, n) for n in names)
            body.append('<p>From <a href="%s.html">%s</a>: %s</p>\n' % (base, base, links))
        self.page(cls.name + ".html", "tarvo." + cls.name, "".join(body))

    def index(self, doc, classes, functions):
        intro, _, rest = doc.partition("\nConstants\n")
        constants, _, globals_ = rest.partition("\nGlobals\n")
        body = ["<h1>The tarvo module</h1>\n", paragraphs(intro.split("\n"))]
        for title, group in (
            ("Classes", [c for c in classes if not c.container]),
            ("Container proxies", [c for c in classes if c.container]),
        ):
            body.append("<h2>%s</h2>\n<table>\n" % title)
            for cls in group:
                body.append(
                    '<tr><td><a href="%s.html"><code>%s</code></a></td><td>%s</td></tr>\n'
                    % (cls.name, cls.name, marked(summary(cls.doc)))
                )
            body.append("</table>\n")
        if functions:
            body.append("<h2>Functions</h2>\n" + "".join(self.member(*f) for f in functions))
        body.append('<h2 id="constants">Constants</h2>\n' + definitions(constants))
        if globals_.strip():
            body.append('<h2 id="globals">Globals</h2>\n' + definitions(globals_))
        self.page("index.html", "tarvo: the Python reference", "".join(body))


def definitions(text):
    out = ["<dl>\n"]
    for heads, lines in entries(text.strip("\n")):
        out.append("<dt>%s</dt>\n" % "<br>".join(html.escape(h, quote=False) for h in heads))
        out.append("<dd>%s</dd>\n" % paragraphs(lines))
    out.append("</dl>\n")
    return "".join(out)


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().split("\n\n")[1].strip(), file=sys.stderr)
        return 2
    doc, classes, functions = read_module(sys.argv[1])
    output = sys.argv[2]
    os.makedirs(output, exist_ok=True)
    for old in glob.glob(os.path.join(output, "*.html")):
        os.remove(old)
    with open(os.path.join(output, "style.css"), "w", encoding="utf-8") as f:
        f.write(STYLE)
    writer = Writer(classes, output)
    for cls in classes:
        writer.class_page(cls)
    writer.index(doc, classes, functions)
    return 0


if __name__ == "__main__":
    sys.exit(main())
