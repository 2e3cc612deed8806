#!/usr/bin/env python3
"""Checks that every public class and function of the engine's installed headers has a
comment, so that the API reference (docs/api, made by Doxygen from these comments) has
something to say about each of them.

    check-api-comments.py SOURCE_DIR

The installed headers are the *.h files of the engine folders, without the engine's own
listed in cmake/private-headers.txt: what cmake/TarvoInstall.cmake installs.

What must have a comment:
  - classes, structs, unions and enums defined at namespace scope, or in the public or
    protected part of such a class;
  - free functions, and public or protected member functions, constructors included.
What needs none:
  - overrides (the base class says what the call means), destructors, defaulted and
    deleted members, friends, forward declarations;
  - data members, enumerators, constants, type aliases and macros: their names, units
    and ranges sit with the comment of their group or class;
  - anything private, or in an anonymous namespace.
A declaration counts as commented when a comment ends on the line right above it (above
its template line, if any), or a comment ends one of its lines. One comment may serve a
group: a declaration directly below a commented one, with no blank line between, shares
its comment when both have the same name (overloads), both are operators, both read or
write the same thing or open and close it (GetX, SetX, IsX, HasX, BeginX, EndX), or both
are getters (Get..., Is..., Has...). A comment that starts with "Both", "Each", "All" or
"These" speaks for the whole run of declarations directly below it.

Prints one line per declaration without a comment, FILE:LINE: KIND NAME, and exits 1 if
there is any; exits 0 and prints a one-line count otherwise.
"""

import os
import re
import sys

# Run from the test command: no bytecode left in the source tree.
sys.dont_write_bytecode = True
from engine_layout import ENGINE_FOLDERS, is_private, private_headers

ACCESSOR = re.compile(r"^(Get|Set|Is|Has|Begin|End)([A-Z0-9_].*)$")
GETTER = re.compile(r"^(Get|Is|Has)[A-Z0-9_]")
IDENTIFIER = re.compile(r"[A-Za-z_~][A-Za-z_0-9]*$")


def installed_headers(source):
    private = private_headers(source)
    headers = []
    for folder in ENGINE_FOLDERS:
        root = os.path.join(source, folder)
        for directory, subfolders, files in os.walk(root):
            subfolders.sort()
            for name in sorted(files):
                path = os.path.join(directory, name)
                if name.endswith(".h") and not is_private(os.path.relpath(path, source), private):
                    headers.append(path)
    return headers


def blank_out(text):
    """The text with comments, string and character literals and preprocessor lines
    replaced by spaces (newlines kept, so offsets and line numbers stay), and the set
    of line numbers (1-based) on which a comment ends."""
    out = list(text)
    comment_end_lines = set()
    i = 0
    line = 1
    at_line_start = True
    n = len(text)

    def blank(start, end):
        for k in range(start, end):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c = text[i]
        if c == "\n":
            line += 1
            at_line_start = True
            i += 1
            continue
        if at_line_start and c == "#":
            # A preprocessor line, with its continuations.
            start = i
            while i < n and (text[i] != "\n" or text[i - 1] == "\\"):
                if text[i] == "\n":
                    line += 1
                i += 1
            blank(start, i)
            continue
        if not c.isspace():
            at_line_start = False
        if text.startswith("//", i):
            start = i
            while i < n and text[i] != "\n":
                i += 1
            blank(start, i)
            comment_end_lines.add(line)
            continue
        if text.startswith("/*", i):
            start = i
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            line += text.count("\n", start, end)
            blank(start, end)
            comment_end_lines.add(line)
            i = end
            continue
        if c in "\"'":
            start = i
            i += 1
            while i < n and text[i] != c:
                i += 2 if text[i] == "\\" else 1
            i += 1
            blank(start + 1, i - 1)
            continue
        i += 1
    return "".join(out), comment_end_lines


def top_level_paren(code):
    """Index of the first '(' outside template brackets, or -1."""
    depth = 0
    i = 0
    while i < len(code):
        m = re.match(r"operator\s*(\(\)|[^\s(]+)", code[i:])
        if m and (i == 0 or not (code[i - 1].isalnum() or code[i - 1] == "_")):
            i += m.end()
            continue
        c = code[i]
        if c == "<":
            depth += 1
        elif c == ">" and depth > 0:
            depth -= 1
        elif c == "(" and depth == 0:
            return i
        i += 1
    return -1


def strip_template(code):
    """Drops a leading template<...> header."""
    m = re.match(r"\s*template\s*<", code)
    if not m:
        return code
    depth = 1
    i = m.end()
    while i < len(code) and depth:
        if code[i] == "<":
            depth += 1
        elif code[i] == ">":
            depth -= 1
        i += 1
    return code[i:]


GROUP_COMMENT = re.compile(r"^\s*//\s*(Both|Each|All|These)\b")


class Declaration:
    def __init__(self, kind, name, first_line, last_line):
        self.kind = kind
        self.name = name
        self.first_line = first_line
        self.last_line = last_line
        self.commented = False
        # Covered by a comment written for the whole run below it.
        self.in_group = False


def function_name(code):
    paren = top_level_paren(code)
    if paren < 0:
        return None
    head = code[:paren].rstrip()
    m = re.search(r"operator\s*(\(\)|[^\s(]+)$", head)
    if m:
        return "operator" + m.group(1)
    m = IDENTIFIER.search(head)
    return m.group(0) if m else None


def classify(code, class_name):
    """(kind, name) of a statement that must be commented, or None."""
    code = " ".join(strip_template(code).split())
    if not code or code.startswith(("friend ", "using ", "typedef ", "static_assert")):
        return None
    if re.search(r"=\s*(default|delete)\s*;?$", code) or re.search(r"\boverride\b", code):
        return None
    name = function_name(code)
    if name is None:
        return None
    before = code[: top_level_paren(code)]
    # A variable with a parenthesised initialiser or a call in its default value would
    # have '=' before its first '('; a function never does.
    if "=" in before.replace("operator=", "").replace("operator==", ""):
        if not name.startswith("operator"):
            return None
    if name.startswith("~"):
        return None
    if class_name and name == class_name:
        return ("constructor", name)
    return ("function", name)


def parse(path):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    code, comment_end_lines = blank_out(text)
    lines_before = [0] * (len(code) + 1)
    line = 1
    for k, c in enumerate(code):
        lines_before[k] = line
        if c == "\n":
            line += 1
    lines_before[len(code)] = line

    def line_of(offset):
        return lines_before[min(offset, len(code))]

    declarations = []
    # Each scope: (kind, name, access). kind: "namespace", "anonymous", "class".
    scopes = [("namespace", "", "public")]
    start = None  # offset of the statement's first non-space character
    i = 0
    n = len(code)

    def visible():
        for kind, _, access in scopes:
            if kind == "anonymous":
                return False
            if kind == "class" and access == "private":
                return False
        return True

    def skip_braces(k):
        depth = 0
        while k < n:
            if code[k] == "{":
                depth += 1
            elif code[k] == "}":
                depth -= 1
                if depth == 0:
                    return k + 1
            k += 1
        return n

    while i < n:
        c = code[i]
        if start is None:
            if c.isspace():
                i += 1
                continue
            if c == "}":
                scopes.pop()
                # The ';' after a class body, if any, ends nothing.
                i += 1
                while i < n and code[i].isspace():
                    i += 1
                if i < n and code[i] == ";":
                    i += 1
                continue
            access = re.match(r"(public|protected|private)\s*:(?!:)", code[i:])
            if access and scopes[-1][0] == "class":
                kind, name, _ = scopes[-1]
                scopes[-1] = (kind, name, access.group(1))
                i += access.end()
                continue
            start = i
        statement = code[start:i]
        if c == ";":
            class_name = scopes[-1][1] if scopes[-1][0] == "class" else ""
            found = classify(statement, class_name)
            if found and visible():
                declarations.append(Declaration(found[0], found[1], line_of(start), line_of(i)))
            start = None
            i += 1
            continue
        if c == "{":
            head = " ".join(strip_template(statement).split())
            type_match = re.match(r"(?:typedef\s+)?(class|struct|union|enum(?:\s+class|\s+struct)?)\s+([A-Za-z_]\w*)", head)
            if re.match(r"(inline\s+)?namespace\b", head):
                name = head.split()[-1] if len(head.split()) > 1 and head.split()[-1] != "namespace" else ""
                scopes.append(("namespace" if name else "anonymous", name, "public"))
                start = None
                i += 1
                continue
            if head.startswith('extern "') or head == "extern":
                scopes.append(("namespace", "", "public"))
                start = None
                i += 1
                continue
            if type_match and top_level_paren(head) < 0 and "=" not in head:
                kind = type_match.group(1).split()[0]
                name = type_match.group(2)
                if visible():
                    declarations.append(Declaration(kind, name, line_of(start), line_of(i)))
                if kind == "enum":
                    i = skip_braces(i)
                    while i < n and code[i] != ";":
                        i += 1
                    start = None
                    i += 1
                    continue
                scopes.append(("class", name, "private" if kind == "class" else "public"))
                start = None
                i += 1
                continue
            class_name = scopes[-1][1] if scopes[-1][0] == "class" else ""
            found = classify(statement + ";", class_name)
            paren = top_level_paren(" ".join(strip_template(statement).split()))
            if found and paren >= 0 and "=" not in statement[: statement.find("(")].replace("operator", ""):
                # A function with its body: the body ends the statement.
                if visible():
                    end = skip_braces(i)
                    declarations.append(Declaration(found[0], found[1], line_of(start), line_of(end - 1)))
                i = skip_braces(i)
                start = None
                continue
            # An initialiser: the statement goes on to its ';'.
            i = skip_braces(i)
            continue
        i += 1
    return declarations, comment_end_lines, text.split("\n")


def shares_comment(previous, current):
    if previous.kind not in ("function", "constructor") or current.kind not in ("function", "constructor"):
        return False
    if previous.name == current.name:
        return True
    if previous.name.startswith("operator") and current.name.startswith("operator"):
        return True
    a = ACCESSOR.match(previous.name)
    b = ACCESSOR.match(current.name)
    if a and b and a.group(2) == b.group(2):
        return True
    return bool(GETTER.match(previous.name) and GETTER.match(current.name))


def check(path):
    declarations, comment_end_lines, lines = parse(path)
    previous = None
    missing = []
    for declaration in declarations:
        above = declaration.first_line - 1
        if any(line in comment_end_lines for line in range(declaration.first_line, declaration.last_line + 1)):
            declaration.commented = True
        elif above in comment_end_lines and lines[above - 1].strip().startswith(("//", "/*", "*")):
            declaration.commented = True
            first = above
            while first > 1 and lines[first - 2].strip().startswith("//"):
                first -= 1
            declaration.in_group = bool(GROUP_COMMENT.match(lines[first - 1]))
        elif previous is not None and previous.commented and previous.last_line == above:
            if previous.in_group:
                declaration.commented = declaration.in_group = True
            elif shares_comment(previous, declaration):
                declaration.commented = True
        if not declaration.commented:
            missing.append(declaration)
        previous = declaration
    return declarations, missing


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip().split("\n\n")[1].strip(), file=sys.stderr)
        return 2
    source = sys.argv[1]
    headers = installed_headers(source)
    if not headers:
        print("no headers found under " + source, file=sys.stderr)
        return 2
    total = 0
    missing_count = 0
    for header in headers:
        declarations, missing = check(header)
        total += len(declarations)
        missing_count += len(missing)
        for declaration in missing:
            print(
                "%s:%d: %s %s has no comment"
                % (os.path.relpath(header, source), declaration.first_line, declaration.kind, declaration.name)
            )
    if missing_count:
        print("%d of %d public declarations in %d headers have no comment" % (missing_count, total, len(headers)))
        return 1
    print("all %d public declarations in %d headers have a comment" % (total, len(headers)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
