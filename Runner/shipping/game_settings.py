"""What a game folder says about itself, and which of its files ship.

A game folder may hold `game.ini`:

    [game]
    name = apple-drop       # file and command name; default: the folder's name
    title = Apple Drop      # shown in the window, the menu and the package
    version = 1.2           # default 1.0
    width = 1024            # the window the game opens; default 1024 x 768
    height = 768
    description = Catch the apples before they reach the grass.
    maintainer = Ann Maker <ann@example.org>
"""
import configparser
import os
import re
import sys

SETTINGS_FILE = "game.ini"
START_SCRIPT = "main.py"
ENGINE_WINDOW = (1024, 768)
# The window sizes the runner applies (Runner/GameWindowSize.h); it plays others in
# ENGINE_WINDOW.
PLAYABLE_WINDOW = ((320, 240), (3840, 2160))
KNOWN_KEYS = {"name", "title", "version", "width", "height", "description", "maintainer"}

# What a player's runner accepts (game_archive.py), so that no packed game is refused
# when played.
MAX_MEMBERS = 10000
MAX_MEMBER_BYTES = 256 << 20
MAX_TOTAL_BYTES = 1 << 30


class Refused(Exception):
    """One line for the maker or the player; the tool exits with status 2."""


def warn(text):
    print("WARNING: " + text, file=sys.stderr, flush=True)


class GameSettings:
    def __init__(self, name, title, version, width, height, description, maintainer):
        self.name = name
        self.title = title
        self.version = version
        self.width = width
        self.height = height
        self.description = description
        self.maintainer = maintainer


def default_title(name):
    words = re.split(r"[-_ .]+", name)
    return " ".join(word[:1].upper() + word[1:] for word in words if word) or name


def safe_file_name(name):
    """`name` with whatever a file or command name should not hold turned into '-'."""
    cleaned = re.sub(r"[^A-Za-z0-9._+-]+", "-", name).strip("-.")
    return cleaned or "game"


def one_line(text):
    return " ".join(str(text).split())


def read_ini_values(folder):
    """The [game] section of the folder's game.ini as written, {} without the file;
    Refused on a file that can't be read."""
    values = {}
    path = os.path.join(folder, SETTINGS_FILE)
    if os.path.exists(path):
        parser = configparser.ConfigParser(interpolation=None, inline_comment_prefixes=("#", ";"))
        try:
            with open(path, encoding="utf-8") as f:
                parser.read_file(f)
        except (OSError, UnicodeDecodeError, configparser.Error) as error:
            raise Refused("%s can't be read: %s" % (path, one_line(error)))
        if not parser.has_section("game"):
            raise Refused("%s has no [game] section" % path)
        values = dict(parser.items("game"))
        for key in sorted(set(values) - KNOWN_KEYS):
            warn("%s: unknown setting '%s' (known: %s)" % (path, key, ", ".join(sorted(KNOWN_KEYS))))
    return values


def read_settings(folder, values=None):
    """The folder's game.ini (or `values` read from it already) merged over the
    defaults; Refused on a file that can't be read or holds a bad value."""
    folder_name = os.path.basename(os.path.abspath(folder))
    path = os.path.join(folder, SETTINGS_FILE)
    if values is None:
        values = read_ini_values(folder)
    name = safe_file_name(values.get("name") or folder_name)
    title = one_line(values.get("title") or default_title(name))
    version = values.get("version", "1.0").strip()
    if not re.fullmatch(r"[0-9][A-Za-z0-9.+~]*", version):
        raise Refused("%s: version '%s' must start with a digit and hold only letters, digits and . + ~"
                      % (path, version))
    size = []
    for key, default in (("width", ENGINE_WINDOW[0]), ("height", ENGINE_WINDOW[1])):
        text = values.get(key, str(default)).strip()
        if not text.isdigit() or not 1 <= int(text) <= 16384:
            raise Refused("%s: %s '%s' is not a number of pixels from 1 to 16384" % (path, key, text))
        size.append(int(text))
    description = one_line(values.get("description") or "a game made with the Tarvo engine")
    maintainer = one_line(values.get("maintainer") or "%s makers <nobody@localhost>" % title)
    return GameSettings(name, title, version, size[0], size[1], description, maintainer)


def warn_of_unplayable_window(settings):
    """One WARNING when the runner would not open the window game.ini asks for."""
    (least_width, least_height), (most_width, most_height) = PLAYABLE_WINDOW
    if not (least_width <= settings.width <= most_width and least_height <= settings.height <= most_height):
        warn("%s: a %d x %d window is outside the %d x %d to %d x %d the runner opens; it plays in %d x %d"
             % ((SETTINGS_FILE, settings.width, settings.height, least_width, least_height, most_width, most_height)
                + ENGINE_WINDOW))


def check_game_folder(folder):
    if not os.path.isdir(folder):
        raise Refused("no such folder: %s" % folder if not os.path.exists(folder) else "%s is not a folder" % folder)
    if not os.path.isfile(os.path.join(folder, START_SCRIPT)):
        raise Refused("%s has no start script %s" % (folder, START_SCRIPT))


def game_files(folder, leave_out=()):
    """(path in the folder, path in the game) of every file that ships, sorted: all but
    hidden files and folders, Python's bytecode caches and the paths in `leave_out`.
    A link to a file ships as the file; a link to a folder is refused, as a folder that
    holds more than a player's runner accepts."""
    leave_out = {os.path.realpath(path) for path in leave_out}
    files = []
    total = 0
    for top, folders, names in os.walk(folder):
        for sub in list(folders):
            full = os.path.join(top, sub)
            if sub.startswith(".") or sub == "__pycache__":
                folders.remove(sub)
            elif os.path.islink(full):
                raise Refused("%s is a link to a folder: copy the folder in, or leave it out" % full)
        folders.sort()
        for name in sorted(names):
            full = os.path.join(top, name)
            if name.startswith(".") or name.endswith((".pyc", ".pyo")) or os.path.realpath(full) in leave_out:
                continue
            if not os.path.isfile(full):
                raise Refused("%s is not a plain file (a broken link, a pipe or a device)" % full)
            inside = os.path.relpath(full, folder).replace(os.sep, "/")
            try:
                inside.encode("utf-8")
            except UnicodeEncodeError:
                raise Refused("the file name %r is not UTF-8: rename it" % full)
            size = os.path.getsize(full)
            if size > MAX_MEMBER_BYTES:
                raise Refused("%s holds %d MB, more than the %d MB a player's runner accepts for one file"
                              % (full, size >> 20, MAX_MEMBER_BYTES >> 20))
            total += size
            files.append((full, inside))
    if len(files) + 1 > MAX_MEMBERS:
        raise Refused("%s holds %d files, more than the %d a player's runner accepts" % (folder, len(files), MAX_MEMBERS - 1))
    if total > MAX_TOTAL_BYTES:
        raise Refused("%s holds %d MB, more than the %d MB a player's runner accepts"
                      % (folder, total >> 20, MAX_TOTAL_BYTES >> 20))
    return files


def check_scripts_compile(files):
    """Refused, naming file and line, if a Python file of the game does not compile: a
    player would get a game that stops at once."""
    for full, inside in files:
        if not inside.endswith(".py"):
            continue
        try:
            with open(full, "rb") as f:
                compile(f.read(), full, "exec", dont_inherit=True)
        except SyntaxError as error:
            raise Refused("%s:%s: %s: %s; nothing was written" % (full, error.lineno, type(error).__name__, error.msg))
        except ValueError as error:
            raise Refused("%s: %s; nothing was written" % (full, error))
