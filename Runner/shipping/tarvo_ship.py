"""The runner's shipping tools, run by the interpreter inside `tarvo` (Runner/ShippingTools.cpp):

    tarvo pack [--deb | --web] [--output FOLDER] GAME_FOLDER
        writes NAME.tarvo (or NAME_VERSION_all.deb, or the web page's folder NAME-web)
        into FOLDER, by default the current one, and prints its path;
    (from the runner) open ARCHIVE
        prints the unpacked folder of a game archive, its title and its window size
        ("WIDTH HEIGHT", or empty), one a line;
    (from the runner) settings GAME_FOLDER
        prints the title and window size a game folder's game.ini gives, one a line
        (empty for what it leaves out); a game.ini that can't be read or holds a bad
        value gets one WARNING, and both lines empty.

Each refusal is one line on standard error, "tarvo: ...", and exit status 2; a file
that can't be written is status 1."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import debian_package  # noqa: E402
import game_archive  # noqa: E402
import game_settings  # noqa: E402
import web_page  # noqa: E402
from game_settings import Refused  # noqa: E402

PACK_USAGE = "usage: tarvo pack [--deb | --web] [--output FOLDER] GAME_FOLDER"


def pack(arguments):
    kind = "archive"
    output = "."
    folder = None
    words = list(arguments)
    while words:
        word = words.pop(0)
        if word in ("-h", "--help"):
            print(PACK_USAGE)
            print("Writes the game folder as NAME.tarvo, one file that `tarvo NAME.tarvo` plays, with --deb as a\n"
                  "Debian package that installs the game with a menu entry, or with --web as the folder NAME-web,\n"
                  "a page any static web server publishes; see docs/shipping.md.")
            return 0
        if word in ("--deb", "--web"):
            if kind != "archive":
                raise Refused("--deb and --web make one thing each; %s" % PACK_USAGE)
            kind = word[2:]
        elif word in ("-o", "--output"):
            if not words:
                raise Refused("%s needs a folder; %s" % (word, PACK_USAGE))
            output = words.pop(0)
        elif word.startswith("-") or folder is not None:
            raise Refused("unexpected '%s'; %s" % (word, PACK_USAGE))
        else:
            folder = word
    if folder is None:
        raise Refused("which game folder? %s" % PACK_USAGE)
    if not os.path.isdir(output):
        raise Refused("no such output folder: %s" % output)

    game_settings.check_game_folder(folder)
    settings = game_settings.read_settings(folder)
    game_settings.warn_of_unplayable_window(settings)
    engine_version = os.environ.get("TARVO_ENGINE_VERSION", "0")
    if kind == "web":
        page_folder = web_page_folder()
        web_page.check_page(page_folder)
        # Packed into the folder it packs, the page must not hold its older self.
        earlier = os.path.realpath(os.path.join(output, settings.name + "-web")) + os.sep
        files = [entry for entry in game_settings.game_files(folder)
                 if not os.path.realpath(entry[0]).startswith(earlier)]
        game_settings.check_scripts_compile(files)
        web_page.check_imports(files, page_folder)
        path = web_page.write_page(output, settings, files, page_folder)
    elif kind == "deb":
        files = game_settings.game_files(folder)
        game_settings.check_scripts_compile(files)
        path = debian_package.write_package(output, settings, files, folder, engine_data(), engine_version)
    else:
        path = os.path.join(output, settings.name + ".tarvo")
        # An archive written into the folder it packs must not hold an older self.
        files = game_settings.game_files(folder, leave_out=[path])
        game_settings.check_scripts_compile(files)
        game_archive.write_archive(path, settings, files, engine_version)
    print(path)
    return 0


def open_archive(arguments):
    if len(arguments) != 1:
        raise Refused("open takes one archive")
    cache = os.environ.get("XDG_CACHE_HOME", "")
    if not cache.startswith("/"):
        home = os.environ.get("HOME", "")
        if not home.startswith("/"):
            raise Refused("nowhere to unpack %s: neither XDG_CACHE_HOME nor HOME names a folder" % arguments[0])
        cache = os.path.join(home, ".cache")
    opened = game_archive.open_game(arguments[0], cache)
    print(opened.folder)
    print(opened.title)
    print(game_archive.window_line(opened.window))
    return 0


def folder_settings(arguments):
    if len(arguments) != 1:
        raise Refused("settings takes one game folder")
    folder = arguments[0]
    try:
        values = game_settings.read_ini_values(folder)
        settings = game_settings.read_settings(folder, values)
    except Refused as refusal:
        # A game that plays from its folder is not refused for its game.ini: the engine's
        # defaults stand in.
        game_settings.warn("%s; the game plays with the engine's title and window" % refusal)
        print()
        print()
        return 0
    print(settings.title if values.get("title") else "")
    print("%d %d" % (settings.width, settings.height))
    return 0


def engine_data():
    return os.environ.get("TARVO_ENGINE_DATA") or os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def web_page_folder():
    """The runner's prebuilt page: the engine's, or TARVO_WEB_RUNNER_PAGE's (a build tree's)."""
    return os.environ.get("TARVO_WEB_RUNNER_PAGE") or os.path.join(engine_data(), "web")


def main():
    commands = {"pack": pack, "open": open_archive, "settings": folder_settings}
    if len(sys.argv) < 2 or sys.argv[1] not in commands:
        print("tarvo: the shipping tools take pack, open or settings", file=sys.stderr)
        return 2
    try:
        return commands[sys.argv[1]](sys.argv[2:])
    except Refused as refusal:
        print("tarvo: %s" % refusal, file=sys.stderr)
        return 2
    except OSError as error:
        where = error.filename or ""
        print("tarvo: %s%s" % (where + ": " if where else "", error.strerror or error), file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main())
