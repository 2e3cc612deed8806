"""`tarvo pack --web`: a game folder as a web page, from the runner's page built once
with the engine (installed in its data folder as web/).

The page's own files (tarvo.html, tarvo.js, tarvo.wasm, tarvo.data: the runner, the
engine's font and console script, the page's standard modules) are copied as they are;
the game's files go beside them as one archive, game.pack, which the page fetches at
start and writes under /game before the runner starts (Runner/web/pre.js):

    TARVOPACK1\\n
    [["path/in/game", size], ...]\\n     the index, JSON on one line
    the files' bytes, in the index's order, uncompressed (servers gzip the lot)

The page's Python has only the standard modules its build took (modules.txt, one name a
line): a game importing any other is refused here, not left to a blank page."""
import ast
import html
import json
import os
import shutil
import tempfile

from game_settings import Refused

PAGE_FILES = ("tarvo.html", "tarvo.js", "tarvo.wasm", "tarvo.data", "modules.txt")
PACK_NAME = "game.pack"
PACK_MAGIC = b"TARVOPACK1\n"
SHELL_TITLE = "<title>A game on Tarvo</title>"


def check_page(page_folder):
    missing = [name for name in PAGE_FILES if not os.path.isfile(os.path.join(page_folder, name))]
    if missing:
        raise Refused("the engine's web page is missing (%s has no %s): this engine was packaged without it, "
                      "so it can't pack for the web" % (page_folder, missing[0]))


def page_modules(page_folder):
    with open(os.path.join(page_folder, "modules.txt"), encoding="utf-8") as listing:
        return {line.strip() for line in listing if line.strip()}


def catches_import_error(handler):
    """Whether an except clause catches a failed import (the game then does without)."""
    if handler.type is None:
        return True
    kinds = handler.type.elts if isinstance(handler.type, ast.Tuple) else [handler.type]
    return any(isinstance(kind, ast.Name) and kind.id in ("ImportError", "ModuleNotFoundError", "Exception",
                                                          "BaseException") for kind in kinds)


def imported_modules(tree):
    """(dotted name, level, names imported from it, line) of each import a script can't
    do without: imports guarded by `try: ... except ImportError` are left out."""
    found = []

    def visit(node, guarded):
        if isinstance(node, ast.Import) and not guarded:
            found.extend((alias.name, 0, [], node.lineno) for alias in node.names)
        elif isinstance(node, ast.ImportFrom) and not guarded:
            found.append((node.module or "", node.level, [alias.name for alias in node.names], node.lineno))
        if isinstance(node, ast.Try):
            guards = any(catches_import_error(handler) for handler in node.handlers)
            for child in node.body:
                visit(child, guarded or guards)
            for child in node.handlers + node.orelse + node.finalbody:
                visit(child, guarded)
            return
        for child in ast.iter_child_nodes(node):
            visit(child, guarded)

    visit(tree, False)
    return found


def check_imports(files, page_folder):
    """Refused, naming file, line and module, if a script the game runs imports a module
    that is neither the game's own nor in the page. Only scripts reached from main.py
    count: a folder may hold the maker's own tools, which never run in the page."""
    scripts = {inside: full for full, inside in files if inside.endswith(".py")}
    own = {inside.split("/")[0] for inside in scripts} | {inside.split("/")[0][:-3] for inside in scripts}
    available = page_modules(page_folder)

    def own_scripts(dotted):
        """The game's files that importing `dotted` runs: each package's __init__ and
        the module itself."""
        parts = dotted.split(".")
        found = []
        for count in range(1, len(parts) + 1):
            base = "/".join(parts[:count])
            for candidate in (base + "/__init__.py", base + ".py"):
                if candidate in scripts:
                    found.append(candidate)
        return found

    pending = ["main.py"]
    checked = set()
    while pending:
        inside = pending.pop()
        if inside in checked:
            continue
        checked.add(inside)
        full = scripts[inside]
        package = inside.split("/")[:-1]
        with open(full, "rb") as f:
            tree = ast.parse(f.read(), full)
        for module, level, names, line in imported_modules(tree):
            if level:
                base = package[:len(package) - (level - 1)] if level - 1 <= len(package) else []
                dotted = ".".join(base + ([module] if module else []))
            elif module.split(".")[0] in own:
                dotted = module
            else:
                if module.split(".")[0] not in available:
                    raise Refused("%s:%d imports %s, which the web page's Python lacks (it has the standard "
                                  "modules of the engine's page and the game's own); nothing was written"
                                  % (full, line, module.split(".")[0]))
                continue
            # `from package import name` may import the module package/name.py.
            for target in [dotted] + [dotted + "." + name if dotted else name for name in names if name != "*"]:
                pending.extend(own_scripts(target))


def write_pack(path, files):
    index = [[inside, os.path.getsize(full)] for full, inside in files]
    with open(path, "wb") as pack:
        pack.write(PACK_MAGIC)
        pack.write(json.dumps(index, ensure_ascii=False, separators=(",", ":")).encode("utf-8") + b"\n")
        for (full, _), (_, size) in zip(files, index):
            with open(full, "rb") as member:
                data = member.read()
            if len(data) != size:
                raise OSError("%s changed while it was packed" % full)
            pack.write(data)


def write_page(output, settings, files, page_folder):
    """Writes the folder NAME-web in `output` and returns its path. A folder of that name
    that an earlier pack wrote is replaced; any other is left alone and refused."""
    target = os.path.join(output, settings.name + "-web")
    if os.path.lexists(target) and not os.path.isfile(os.path.join(target, PACK_NAME)):
        raise Refused("%s exists and is not a web page tarvo packed: move it away first" % target)
    staging = tempfile.mkdtemp(prefix=".%s-" % settings.name, dir=output)
    try:
        for name in ("tarvo.js", "tarvo.wasm", "tarvo.data"):
            shutil.copyfile(os.path.join(page_folder, name), os.path.join(staging, name))
        with open(os.path.join(page_folder, "tarvo.html"), encoding="utf-8") as shell:
            page = shell.read().replace(SHELL_TITLE, "<title>%s</title>" % html.escape(settings.title))
        with open(os.path.join(staging, "index.html"), "w", encoding="utf-8") as index:
            index.write(page)
        write_pack(os.path.join(staging, PACK_NAME), files)
        os.chmod(staging, 0o755)
        if os.path.lexists(target):
            shutil.rmtree(target)
        os.rename(staging, target)
    finally:
        if os.path.isdir(staging):
            shutil.rmtree(staging)
    return target
