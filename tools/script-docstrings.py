#!/usr/bin/env python3
"""Writes the docstrings of the script module from the comments the engine already has.

    script-docstrings.py SOURCE_DIR OUTPUT.i

For every class, constructor, method, field and enumeration that Scripting/tarvo.i and
the interface files it includes declare, the text is the comment right above the
declaration in the interface file if there is one, else the comment above the same
declaration in the engine header that defines the class; an override without one takes
its base class's. A comment serves the declarations below it as
tools/check-api-comments.py counts them: overloads, accessor pairs, getters, operators,
fields of one run, and runs under "Both", "Each", "All" or "These".

OUTPUT.i holds one %feature("docstring") line per name and the macro
TARVO_MODULE_DOCSTRING (what the module offers beyond its classes: the constants and
globals). Scripting/tarvo.i includes it first; SWIG then writes the texts into the
shadow module tarvo.py, where help() and tools/script-reference.py find them. A method's
docstring lists each signature at the margin with its comment indented below, because
SWIG keeps only one docstring for all overloads of a name. The file is rewritten only
when its text changes, so that SWIG runs again only when a docstring did.
"""

import bisect
import os
import re
import sys

sys.dont_write_bytecode = True
from engine_layout import ENGINE_FOLDERS

IDENTIFIER = r"[A-Za-z_]\w*"
ACCESS = re.compile(r"(public|protected|private)\s*:(?!:)")
TYPE_HEAD = re.compile(
    r"(?:template\s*<.*>\s*)?(class|struct|union)\s+(" + IDENTIFIER + r")\s*(?:final\s*)?(?::(.*))?$", re.S
)
ENUM_HEAD = re.compile(r"(?:typedef\s+)?enum\s+(?:class\s+|struct\s+)?(" + IDENTIFIER + r")?\s*(?::[\w\s:]*)?$")
OPERATOR = re.compile(r"\boperator\s*(\(\)|[^\s(]+)\s*\(")
MACRO_CALL = re.compile(r"[A-Z][A-Z0-9_]*\s*\(")
GROUP_COMMENT = re.compile(r"(Both|Each|All|These)\b")
ACCESSOR = re.compile(r"(Get|Set|Is|Has|Begin|End)([A-Z0-9_].*)$")
GETTER = re.compile(r"(Get|Is|Has)[A-Z0-9_]")

# The Python names SWIG gives C++ operators; a minus without operand is negation.
PYTHON_OPERATORS = {
    "+": "__add__",
    "-": "__sub__",
    "*": "__mul__",
    "/": "__truediv__",
    "==": "__eq__",
    "!=": "__ne__",
    "<": "__lt__",
    "<=": "__le__",
    ">": "__gt__",
    ">=": "__ge__",
    "[]": "__getitem__",
    "()": "__call__",
}
# How scripts see the engine's types in a signature. Vec2i crosses as a tuple (Input.i).
PYTHON_TYPES = {
    "float": "float",
    "double": "float",
    "int": "int",
    "unsigned": "int",
    "unsignedint": "int",
    "long": "int",
    "short": "int",
    "size_t": "int",
    "GLint": "int",
    "bool": "bool",
    "String": "str",
    "string": "str",
    "char*": "str",
    "Vec2i": "tuple[int, int]",
    "PyObject*": "object",
}
PYTHON_VALUES = {"true": "True", "false": "False", "nullptr": "None", "NULL": "None"}

MODULE_INTRO = """The engine as scripts see it: its classes, with the comments of its headers, and
the constants and globals below. `from tarvo import *` brings in all of it; the
in-game console has done so already. Arguments are passed by position; those with a
default may be left out. Lists and sets the engine returns arrive as tuples."""


ITERATOR_TEXT = """What the containers' iterator() returns, and what a for loop over one uses: next()
steps it, value() reads the element it is at."""


class Node:
    """A declaration: kind is class, enum, constructor, method, field, function or template."""

    def __init__(self, kind, name, first, last):
        self.kind = kind
        self.name = name
        self.first = first
        self.last = last
        self.members = []
        self.params = []  # (type, name, default)
        self.result = ""
        self.static = False
        self.const = False
        self.bases = []
        self.values = []  # enumerators: (name, value)
        self.extend = False
        self.comment = []
        self.own = False  # the comment is written above this declaration
        self.in_group = False

    def required(self):
        return sum(1 for _, _, default in self.params if default is None)


def blank(text, swig):
    """The text with comments, the insides of literals and preprocessor lines made spaces
    (newlines kept, so offsets keep their lines). In interface files the %{ %} code blocks
    become spaces ending in ';', which ends the directive they belong to, and %define
    macros go entirely."""
    out = list(text)
    i, n = 0, len(text)

    def clear(start, end):
        for k in range(start, end):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        if swig and text.startswith("%{", i):
            end = text.find("%}", i)
            end = n if end < 0 else end + 2
            clear(i, end)
            out[end - 1] = ";"
            i = end
        elif swig and text.startswith("%define", i):
            end = text.find("%enddef", i)
            end = n if end < 0 else end + len("%enddef")
            clear(i, end)
            i = end
        elif text.startswith("//", i) or (text[i] == "#" and text[text.rfind("\n", 0, i) + 1 : i].strip() == ""):
            end = text.find("\n", i)
            end = n if end < 0 else end
            clear(i, end)
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            clear(i, end)
            i = end
        elif text[i] in "\"'":
            quote, start = text[i], i
            i += 1
            while i < n and text[i] != quote and text[i] != "\n":
                i += 2 if text[i] == "\\" else 1
            clear(start + 1, i)
            i += 1
        else:
            i += 1
    return "".join(out)


def closing(code, i, end):
    """Index just past the bracket that closes the one at i."""
    pairs = {"(": ")", "{": "}", "[": "]", "<": ">"}
    opening, stack = code[i], []
    while i < end:
        c = code[i]
        if c in "({[" or (opening == "<" and c == "<"):
            stack.append(pairs[c])
        elif stack and c == stack[-1]:
            stack.pop()
            if not stack:
                return i + 1
        i += 1
    return end


def split_top(text, separator=","):
    """Splits at separators outside brackets."""
    parts, depth, start = [], 0, 0
    for k, c in enumerate(text):
        if c in "(<{[":
            depth += 1
        elif c in ")>}]":
            depth -= 1
        elif c == separator and depth == 0:
            parts.append(text[start:k])
            start = k + 1
    parts.append(text[start:])
    return parts


class Source:
    """One header or interface file, read into nested Nodes with the comment above each."""

    def __init__(self, path, swig):
        with open(path, encoding="utf-8") as f:
            self.text = f.read()
        self.swig = swig
        self.lines = self.text.split("\n")
        self.code = blank(self.text, swig)
        self.line_starts = [0] + [m.end() for m in re.finditer("\n", self.text)]
        self.top = Node("namespace", "", 0, 0)
        self.scan(0, len(self.code), self.top, "public")

    def line(self, offset):
        return bisect.bisect_right(self.line_starts, offset)

    def scan(self, i, end, scope, access):
        code = self.code
        while True:
            while i < end and code[i].isspace():
                i += 1
            if i >= end or code[i] == "}":
                return
            match = ACCESS.match(code, i)
            if match and scope.kind == "class":
                access = match.group(1)
                i = match.end()
                continue
            if self.swig and code[i] == "%":
                i = self.directive(i, end, scope)
                continue
            if self.swig and MACRO_CALL.match(code, i):
                # A macro called without ';' (SCRIPT_OVERRIDE(...)) ends at its ')'.
                i = closing(code, code.index("(", i), end)
                continue
            stop, depth = i, 0
            while stop < end and not (code[stop] in ";{}" and depth == 0):
                depth += {"(": 1, ")": -1}.get(code[stop], 0)
                stop += 1
            if stop >= end or code[stop] == "}":
                return
            head = code[i:stop].strip()
            if code[stop] == ";":
                if access == "public":
                    self.declare(i, stop, scope)
                i = stop + 1
                continue
            close = closing(code, stop, end)
            type_head = TYPE_HEAD.match(head)
            enum_head = ENUM_HEAD.match(head)
            if type_head and "(" not in head:
                node = Node("class", type_head.group(2), self.line(i), self.line(close))
                node.bases = [b.split()[-1] for b in split_top(type_head.group(3) or "") if b.strip()]
                self.scan(stop + 1, close - 1, node, "private" if type_head.group(1) == "class" else "public")
                if access == "public":
                    scope.members.append(node)
            elif enum_head:
                node = Node("enum", enum_head.group(1) or "", self.line(i), self.line(close))
                value = "-1"
                for entry in split_top(code[stop + 1 : close - 1]):
                    name, _, given = (" ".join(part.split()) for part in entry.partition("="))
                    if name:
                        value = given or next_value(value)
                        node.values.append((name, value))
                if access == "public":
                    scope.members.append(node)
            elif re.match(r"(inline\s+)?namespace\b|extern\b", head):
                self.scan(stop + 1, close - 1, scope, access)
            elif "(" in head and access == "public":
                node = self.declare(i, stop, scope)
                if node is not None:
                    # A body ends the declaration: the next one is adjacent to its '}'.
                    node.last = self.line(close - 1)
            i = close
            while i < end and code[i].isspace():
                i += 1
            if i < end and code[i] == ";":
                i += 1

    def directive(self, i, end, scope):
        """Reads a SWIG directive; %extend adds a class body, %template a container."""
        code = self.code
        word = re.match(r"%(\w+)", code[i:]).group(1)
        if word in ("include", "import", "module"):
            return code.find("\n", i) if "\n" in code[i:end] else end
        if word == "extend":
            brace = code.index("{", i)
            close = closing(code, brace, end)
            node = Node("class", code[i + len("%extend") : brace].strip(), self.line(i), self.line(close))
            node.extend = True
            self.scan(brace + 1, close - 1, node, "public")
            for member in node.members:
                member.extend = True
            scope.members.append(node)
            return close
        if word == "template":
            stop = code.index(";", i)
            match = re.match(r"%template\s*\(\s*(\w+)\s*\)\s*(.*)$", self.text[i:stop], re.S)
            node = Node("template", match.group(1), self.line(i), self.line(stop))
            node.result = " ".join(match.group(2).split())
            scope.members.append(node)
            return stop + 1
        k, depth = i, 0
        while k < end:
            c = code[k]
            depth += {"(": 1, ")": -1}.get(c, 0)
            if depth == 0 and c == ";":
                return k + 1
            if depth == 0 and c == "{":
                k = closing(code, k, end)
                while k < end and code[k] in " \t":
                    k += 1
                return k + 1 if k < end and code[k] == ";" else k
            k += 1
        return end

    def declare(self, start, stop, scope):
        """Records a function or field declared in code[start:stop]."""
        code, text = self.code[start:stop], self.text[start:stop]
        template = re.match(r"\s*template\s*<", code)
        if template:
            skip = closing(code, template.end() - 1, len(code))
            code, text, start = code[skip:], text[skip:], start + skip
        words = code.split()
        if not words or words[0] in ("friend", "using", "typedef", "static_assert"):
            return None
        operator = OPERATOR.search(code)
        paren = operator.end() - 1 if operator else -1
        if not operator:
            angle = 0
            for k, c in enumerate(code):
                angle += {"<": 1, ">": -1}.get(c, 0)
                if c == "(" and angle == 0:
                    paren = k
                    break
        if paren >= 0 and (operator or "=" not in code[:paren]):
            close = closing(code, paren, len(code))
            before = " ".join(code[:paren].split())
            if operator:
                name = "operator" + operator.group(1)
            else:
                found = re.search(r"~?" + IDENTIFIER + r"$", before)
                if not found:
                    return None
                name = found.group(0)
            if name.startswith("~") or (self.swig and MACRO_CALL.match(name + "(") and name.isupper()):
                return None
            qualifiers = {"static", "virtual", "explicit", "inline", "constexpr"}
            result = [w for w in before[: len(before) - len(name)].split() if w not in qualifiers]
            kind = "constructor" if name == scope.name else "method" if scope.kind == "class" else "function"
            node = Node(kind, name, self.line(start), self.line(start + len(code.rstrip()) - 1))
            node.static = "static" in before.split()
            node.result = " ".join(result)
            node.const = re.match(r"\s*const\b", code[close:]) is not None
            inside = text[paren + 1 : close - 1]
            if inside.strip() and inside.strip() != "void":
                node.params = [parameter(part) for part in split_top(inside)]
            scope.members.append(node)
            return node
        if scope.kind == "class":
            declarator = split_top(code, "=")[0]
            found = re.search(r"(" + IDENTIFIER + r")\s*(\[.*\])?\s*$", declarator)
            if found:
                node = Node("field", found.group(1), self.line(start), self.line(start + len(code.rstrip()) - 1))
                node.static = "static" in declarator.split()
                node.result = " ".join(w for w in declarator[: found.start()].split() if w not in ("static", "mutable"))
                scope.members.append(node)
                return node
        return None

    def comment_above(self, line):
        """The lines of the // comment that ends right above `line` (1-based), without
        the slashes; an empty // line stays as an empty line."""
        block = []
        k = line - 1
        while k >= 1 and self.lines[k - 1].strip().startswith("//"):
            block.append(re.sub(r"^//+ ?", "", self.lines[k - 1].strip()).rstrip())
            k -= 1
        return block[::-1]

    def attach_comments(self, scope=None):
        """Gives each declaration its own comment or, failing that, the one it shares
        with the declaration right above it."""
        scope = scope or self.top
        previous = None
        for node in scope.members:
            node.comment = self.comment_above(node.first)
            node.own = bool(node.comment)
            node.in_group = node.own and bool(GROUP_COMMENT.match(node.comment[0]))
            if (
                not node.comment
                and previous is not None
                and previous.comment
                and previous.last == node.first - 1
                and (previous.in_group or shares_comment(previous, node))
            ):
                node.comment, node.in_group = previous.comment, previous.in_group
            if node.kind == "class":
                self.attach_comments(node)
            previous = node


def next_value(previous):
    """The value of an enumerator written without one; '' after one that isn't a number."""
    try:
        return str(int(previous, 0) + 1)
    except ValueError:
        return ""


def parameter(text):
    """(type, name, default) of one parameter as written."""
    parts = split_top(text, "=")
    declarator = " ".join(blank(parts[0], False).split())
    default = " ".join("=".join(parts[1:]).split()) if len(parts) > 1 else None
    found = re.search(r"(" + IDENTIFIER + r")$", declarator)
    type_words = declarator[: found.start()].strip() if found else declarator
    if found and type_words and type_words.split()[-1] not in ("unsigned", "signed", "const", "long", "short"):
        return type_words, found.group(1), default
    return declarator, "", default


def shares_comment(previous, node):
    """Whether an uncommented declaration speaks under the comment of the one above it."""
    if previous.kind == "field" and node.kind == "field":
        return True
    if previous.kind not in ("constructor", "method", "function") or node.kind != previous.kind:
        return False
    if previous.name == node.name:
        return True
    if previous.name.startswith("operator") and node.name.startswith("operator"):
        return True
    # A getter's or accessor's comment reaches one declaration down, not along a run
    # (GetLeftThumbVec2's comment says nothing of GetLeftThumbstick below the next).
    if not previous.own:
        return False
    a, b = ACCESSOR.match(previous.name), ACCESSOR.match(node.name)
    if a and b and a.group(2) == b.group(2):
        return True
    return bool(GETTER.match(previous.name) and GETTER.match(node.name))


def plain_type(text):
    """A type reduced for comparing declarations: no const, references or scopes."""
    text = re.sub(r"\b(const|struct|class|typename)\b|&|\s", "", text)
    return re.sub(r"\w+::(?=\w)", "", text)


def python_type(text, containers):
    """The type as a script sees it; results that are engine containers arrive as tuples."""
    plain = plain_type(text)
    if plain in PYTHON_TYPES:
        return PYTHON_TYPES[plain]
    if plain in containers:
        return "tuple[%s, ...]" % containers[plain]
    return re.sub(r"\s+", " ", text.replace("const", "").replace("&", "").replace("*", "")).strip().replace("::", ".")


def python_value(text, type_text):
    text = re.sub(r"(\d+\.\d*)f\b", r"\1", text)
    if "*" in type_text and text == "0":
        return "None"
    return PYTHON_VALUES.get(text, text.replace("::", "."))


def python_name(node):
    if node.kind == "constructor":
        return "__init__"
    if node.name == "operator-" and not node.params:
        return "__neg__"
    if node.name.startswith("operator"):
        return PYTHON_OPERATORS.get(node.name[len("operator") :], node.name)
    return node.name


def signature(node, containers):
    """The call as a script writes it, in Python's names for the types:
    SetSize(x: float, y: float = -1.0), GetSize() -> Vector2."""
    params = []
    for number, (type_text, name, default) in enumerate(node.params, 1):
        shown = "%s: %s" % (name or "arg%d" % number, python_type(type_text, {}))
        if default is not None:
            shown += " = " + python_value(default, type_text)
        params.append(shown)
    head = "%s(%s)" % (node.name if node.kind == "constructor" else python_name(node), ", ".join(params))
    result = python_type(node.result, containers) if node.kind != "constructor" else ""
    return head + (" -> " + result if result and result != "void" else "")


class Headers:
    """The engine headers' classes, enumerations and free functions, by name."""

    def __init__(self, source_dir):
        self.classes, self.enums, self.functions = {}, {}, {}
        for folder in ENGINE_FOLDERS:
            for directory, subfolders, files in os.walk(os.path.join(source_dir, folder)):
                subfolders[:] = sorted(s for s in subfolders if s != "web")
                for name in sorted(f for f in files if f.endswith(".h")):
                    source = Source(os.path.join(directory, name), swig=False)
                    source.attach_comments()
                    for node in source.top.members:
                        table = {"class": self.classes, "enum": self.enums, "function": self.functions}.get(node.kind)
                        if table is not None:
                            table.setdefault(node.name, []).append(node)

    def find(self, class_name, declaration):
        """The commented declaration in the class's header that the interface file's one
        stands for, else the one in its bases'; None if there is none."""
        found = self.classes.get(class_name)
        if not found:
            return None
        cls = found[0]
        candidates = [n for n in cls.members if n.kind == declaration.kind and n.name == declaration.name]
        match = best_match(declaration, candidates) if declaration.kind != "enum" else next(iter(candidates), None)
        if match is not None and match.comment:
            return match
        if declaration.kind == "constructor":
            return None
        for base in cls.bases:
            inherited = self.find(base, declaration)
            if inherited is not None:
                return inherited
        return None

    def comment(self, class_name, declaration):
        found = self.find(class_name, declaration)
        return found.comment if found is not None else []


def best_match(declaration, candidates):
    """The candidate declared with the same parameter types (allowing for defaults left
    out), else one taking as many arguments, else the first."""
    count = len(declaration.params)
    fitting = [c for c in candidates if c.required() <= count <= len(c.params)]
    same = [
        c
        for c in fitting
        if all(plain_type(a[0]) == plain_type(b[0]) for a, b in zip(declaration.params, c.params))
    ]
    return (same or fitting or candidates or [None])[0]


def interface_sources(source_dir):
    """tarvo.i and the interface files it includes, in its order."""
    folder = os.path.join(source_dir, "Scripting")
    with open(os.path.join(folder, "tarvo.i"), encoding="utf-8") as f:
        included = re.findall(r'^%include\s+"([^"/]+\.i)"', f.read(), re.M)
    paths = [os.path.join(folder, "tarvo.i")] + [os.path.join(folder, name) for name in included]
    sources = [Source(path, swig=True) for path in paths if os.path.exists(path)]
    for source in sources:
        source.attach_comments()
    return sources


def indented(comment):
    return ["    " + line if line else "" for line in comment]


def overloads_text(declarations, comments, containers, order=None):
    """Signatures at the margin, each comment indented below the signatures it speaks for,
    in `order` (the order the comments were written in, since one may refer to another)."""
    groups = []
    pairs = zip(declarations, comments)
    if order is not None:
        pairs = [pair for _, pair in sorted(zip(order, pairs), key=lambda entry: entry[0])]
    for declaration, comment in pairs:
        line = signature(declaration, containers)
        for group in groups:
            if group[1] == comment:
                if line not in group[0]:
                    group[0].append(line)
                break
        else:
            groups.append(([line], comment))
    # Signatures without a comment last, where no comment above can seem to be theirs.
    groups.sort(key=lambda group: not group[1])
    lines = []
    for heads, comment in groups:
        lines += heads + indented(comment)
    return "\n".join(lines)


def enum_text(enum, prefix, comment):
    values = ", ".join("%s%s = %s" % (prefix, name, value) for name, value in enum.values)
    return "\n".join(["%s%s: %s" % (prefix, enum.name, values)] + indented(comment))


def quoted(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def generate(source_dir):
    headers = Headers(source_dir)
    sources = interface_sources(source_dir)
    classes, order, templates, enums, functions = {}, [], [], [], []
    for source in sources:
        for node in source.top.members:
            if node.kind == "class":
                if node.name not in classes:
                    classes[node.name] = []
                    order.append(node.name)
                classes[node.name].append(node)
            elif node.kind == "template":
                templates.append(node)
            elif node.kind == "enum":
                enums.append(node)
            elif node.kind == "function":
                functions.append(node)

    # Containers and what they hold, by the names the interface files give them.
    containers = {}
    for template in templates:
        inner = re.search(r"<(.*)>", template.result)
        held = python_type(inner.group(1), {}) if inner else "object"
        containers[template.name] = held
        containers[plain_type(template.result)] = held

    lines = ["// Generated by tools/script-docstrings.py from the comments of Scripting/*.i and the", "// engine headers."]
    module = [MODULE_INTRO, "", "Constants", ""]
    for enum in enums:
        module.append(enum_text(enum, "", enum.comment or next((e.comment for e in headers.enums.get(enum.name, [])), [])))
    statics = []

    for name in order:
        class_lines, constants, globals_ = class_features(name, classes[name], headers, containers)
        lines += class_lines
        module += constants
        statics += globals_

    for template in templates:
        lines.append(feature(template.result, container_text(template, containers)))
        lines.append(feature(template.result + "::" + template.result.split("<")[0].split("::")[-1],
                             container_constructors(template, containers)))
    if templates:
        lines.append(feature("swig::SwigPyIterator", ITERATOR_TEXT))
    for function in functions:
        comment = function.comment or next((f.comment for f in headers.functions.get(function.name, []) if f.comment), [])
        lines.append(feature(function.name, overloads_text([function], [comment], containers)))

    if statics:
        module += ["", "Globals", ""]
        # One entry for a run of globals of one type under one comment.
        runs = []
        for name, type_text, comment in statics:
            if runs and runs[-1][1:] == [type_text, comment]:
                runs[-1][0].append(name)
            else:
                runs.append([[name], type_text, comment])
        for names, type_text, comment in runs:
            module.append("\n".join(["%s: %s" % (", ".join(names), type_text)] + indented(comment)))
    lines += ["", "%define TARVO_MODULE_DOCSTRING", quoted("\n".join(module)), "%enddef", ""]
    return "\n".join(lines)


def class_features(name, parts, headers, containers):
    """The docstring lines of one class (its parts: the declaration and any %extend), the
    module docstring's entries for its enums, and its static fields as globals."""
    main = next((p for p in parts if not p.extend), parts[0])
    text = main.comment or class_comment(headers, name)
    lines, constants, statics, nested, by_python_name = [], [], [], [], {}
    for member in (m for part in parts for m in part.members):
        if member.kind == "enum":
            comment = member.comment or headers.comment(name, member)
            nested.append(enum_text(member, "", comment))
            constants.append(enum_text(member, name + ".", comment))
        elif member.kind in ("constructor", "method"):
            by_python_name.setdefault(python_name(member), []).append(member)
        elif member.kind == "field":
            comment = member.comment or headers.comment(name, member)
            head = "%s: %s" % (member.name, python_type(member.result, containers))
            lines.append(feature(name + "::" + member.name, "\n".join([head] + indented(comment))))
            if member.static:
                statics.append(("cvar.%s_%s" % (name, member.name), python_type(member.result, {}), comment))
    if nested:
        text = text + ["", "Constants of the class:"] + ["    " + l for l in "\n".join(nested).split("\n")]
    if text:
        lines.append(feature(name, "\n".join(text)))
    for python, members in by_python_name.items():
        comments, written = [], []
        for member in members:
            found = None if member.comment or member.extend else headers.find(name, member)
            comments.append(member.comment or (found.comment if found else []))
            # The interface file's comments first, then the headers' as they are written.
            written.append((0, member.first) if member.comment else (1, found.first) if found else (2, member.first))
        text = overloads_text(members, comments, containers, written)
        cxx = {m.name for m in members}
        if any(m.name in cxx for n, ms in by_python_name.items() if n != python for m in ms):
            # One C++ name, two Python ones (unary and binary minus): name the overload.
            for member in members:
                types = ",".join(t for t, _, _ in member.params)
                key = "%s::%s(%s)%s" % (name, member.name, types, " const" if member.const else "")
                lines.append(feature(key, text))
        else:
            lines.append(feature("%s::%s" % (name, members[0].name), text))
    return lines, constants, statics


def class_comment(headers, name):
    found = headers.classes.get(name)
    if not found:
        return []
    return found[0].comment


def feature(key, text):
    return "%%feature(\"docstring\") %s %s;" % (key, quoted(text))


def container_text(template, containers):
    held = containers[template.name]
    if "vector" in template.result:
        return (
            "A list of %s as the engine keeps it: index, slice, iterate, len() and append as\n"
            "with a Python list; a Python list of %s passes where one is expected." % (held, held)
        )
    return (
        "A set of %s as the engine keeps it, ordered: iterate, len(), `in` and add as with a\n"
        "Python set; a Python sequence of %s passes where one is expected." % (held, held)
    )


def container_constructors(template, containers):
    name, held = template.name, containers[template.name]
    if "vector" in template.result:
        return "\n".join([
            "%s()" % name,
            "%s(items: list[%s])" % (name, held),
            "%s(count: int)" % name,
            "%s(count: int, value: %s)" % (name, held),
            "    Empty, a copy of the items (any sequence), or `count` values: each `value`, else",
            "    the default one.",
        ])
    return "%s()\n%s(items: list[%s])\n    Empty, or the items of a list or tuple." % (name, name, held)


def write(source_dir, output):
    text = generate(source_dir)
    if os.path.exists(output):
        with open(output, encoding="utf-8") as f:
            if f.read() == text:
                return
    with open(output, "w", encoding="utf-8") as f:
        f.write(text)


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().split("\n\n")[1].strip(), file=sys.stderr)
        return 2
    write(sys.argv[1], sys.argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main())
