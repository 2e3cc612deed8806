"""The one file a game is shared as, NAME.tarvo: a zip of the game folder with a small
manifest (tarvo-manifest.json) first.

Played, an archive is checked whole before anything is written, then unpacked once
into the player's cache, $XDG_CACHE_HOME/tarvo/games/<hash of the archive> (or
~/.cache/...), where later plays of the same file find it. The engine reads images,
sounds, fonts and scripts through libraries that open paths, so a folder on disk serves
every one of them; keying it by the archive's hash means an edited archive never meets a
stale folder, and two runners unpacking at once each finish their own copy and keep
whichever lands first."""
import hashlib
import json
import os
import shutil
import stat
import tempfile
import time
import zipfile
import zlib

from game_settings import (MAX_MEMBERS, MAX_MEMBER_BYTES, MAX_TOTAL_BYTES, START_SCRIPT, Refused, default_title,
                           one_line, warn)

MANIFEST = "tarvo-manifest.json"
# The zip format's smallest time; every member gets it, so that the same folder packs to
# the same bytes, and so to the same place in a player's cache.
FIXED_TIME = (1980, 1, 1, 0, 0, 0)
CACHE_KEEPS_DAYS = 30


def write_archive(path, settings, files, engine_version):
    """Writes the archive through a temporary file beside `path`, which it then replaces:
    a failed pack leaves no half archive."""
    manifest = {
        "title": settings.title,
        "version": settings.version,
        "window": {"width": settings.width, "height": settings.height},
        "engine": engine_version,
    }
    folder = os.path.dirname(os.path.abspath(path))
    handle, temporary = tempfile.mkstemp(prefix=".packing-", suffix=".tarvo", dir=folder)
    try:
        with os.fdopen(handle, "wb") as f, zipfile.ZipFile(f, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
            archive.writestr(member_info(MANIFEST), json.dumps(manifest, indent=2, ensure_ascii=False) + "\n")
            for full, inside in files:
                with open(full, "rb") as source, archive.open(member_info(inside), "w") as target:
                    shutil.copyfileobj(source, target, 1 << 20)
        os.chmod(temporary, 0o644 & ~current_umask())
        os.replace(temporary, path)
    except BaseException:
        os.unlink(temporary)
        raise


def member_info(name):
    info = zipfile.ZipInfo(name, FIXED_TIME)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 3
    info.external_attr = (stat.S_IFREG | 0o644) << 16
    return info


def current_umask():
    mask = os.umask(0)
    os.umask(mask)
    return mask


class OpenedGame:
    def __init__(self, folder, title, window):
        self.folder = folder
        self.title = title
        self.window = window  # the manifest's "window" as it stands, None without one


def window_line(window):
    """The runner's line for a window size: "WIDTH HEIGHT", empty for none given, or
    "unreadable" for a value the runner should warn about (it checks the bounds)."""
    if window is None:
        return ""
    if isinstance(window, dict):
        size = (window.get("width"), window.get("height"))
        if all(isinstance(side, int) and not isinstance(side, bool) for side in size):
            return "%d %d" % size
    return "unreadable"


def open_game(path, cache_root):
    """Checks the archive at `path` and returns its unpacked folder in `cache_root`
    (made private to the player), unpacking it first if this archive was never played.
    Refused for an archive that is not a game or could do harm; OSError when the cache
    can't be written."""
    shown = path
    try:
        source = open(path, "rb")
    except FileNotFoundError:
        raise Refused("no such file: %s" % shown)
    except OSError as error:
        raise Refused("%s can't be read: %s" % (shown, error.strerror or error))
    with source:
        if not stat.S_ISREG(os.fstat(source.fileno()).st_mode):
            raise Refused("%s is not a file" % shown)
        # Hashed and read through one open file: the archive checked is the one unpacked.
        digest = hashlib.sha256()
        for block in iter(lambda: source.read(1 << 20), b""):
            digest.update(block)
        source.seek(0)
        if not zipfile.is_zipfile(source):
            raise Refused("%s is not a game archive (not a zip file)" % shown)
        source.seek(0)
        try:
            archive = zipfile.ZipFile(source)
        except (zipfile.BadZipFile, OSError, ValueError, EOFError) as error:
            raise Refused("%s is damaged: %s" % (shown, one_line(error)))
        with archive:
            members = check_members(archive, shown)
            manifest = read_manifest(archive, shown)
            title = manifest.get("title") or default_title(os.path.splitext(os.path.basename(path))[0])
            games = private_folder(cache_root)
            folder = os.path.join(games, digest.hexdigest()[:32])
            if os.path.isdir(folder):
                os.utime(folder)
            else:
                unpack(archive, members, games, folder, shown)
            forget_old_games(games, folder)
    return OpenedGame(folder, one_line(title), manifest.get("window"))


def check_members(archive, shown):
    """The archive's files and folders, once each of them was found harmless."""
    members = archive.infolist()
    if len(members) > MAX_MEMBERS:
        raise Refused("%s has %d members, more than the %d a game may have" % (shown, len(members), MAX_MEMBERS))
    names = set()
    total = 0
    for info in members:
        name = info.filename
        bad_name = name_problem(name)
        if bad_name:
            raise Refused("%s: the member %r %s" % (shown, name, bad_name))
        key = name.rstrip("/")
        if key in names:
            raise Refused("%s: the member %r is there twice" % (shown, name))
        names.add(key)
        mode = info.external_attr >> 16
        if info.create_system == 3 and stat.S_ISLNK(mode):
            raise Refused("%s: the member %r is a symbolic link" % (shown, name))
        # Python's own zipfile writes permission bits without a file type.
        if info.create_system == 3 and stat.S_IFMT(mode) not in (0, stat.S_IFREG, stat.S_IFDIR):
            raise Refused("%s: the member %r is neither a file nor a folder" % (shown, name))
        if info.flag_bits & 0x1:
            raise Refused("%s: the member %r is encrypted" % (shown, name))
        if info.compress_type not in (zipfile.ZIP_STORED, zipfile.ZIP_DEFLATED, zipfile.ZIP_BZIP2, zipfile.ZIP_LZMA):
            raise Refused("%s: the member %r is compressed in a way zip readers rarely know (method %d)"
                          % (shown, name, info.compress_type))
        if info.file_size > MAX_MEMBER_BYTES:
            raise Refused("%s: the member %r unpacks to %d MB, more than the %d MB a file of a game may hold"
                          % (shown, name, info.file_size >> 20, MAX_MEMBER_BYTES >> 20))
        total += info.file_size
    if total > MAX_TOTAL_BYTES:
        raise Refused("%s unpacks to %d MB, more than the %d MB a game may hold"
                      % (shown, total >> 20, MAX_TOTAL_BYTES >> 20))
    check_no_shared_data(members, shown)
    if START_SCRIPT not in names:
        raise Refused("%s holds no %s at its top: it is not a game" % (shown, START_SCRIPT))
    return members


def name_problem(name):
    if not name or "\0" in name:
        return "has no usable name"
    if name.startswith("/") or (len(name) > 1 and name[1] == ":"):
        return "has an absolute path"
    if "\\" in name:
        return "has a backslash in its path"
    parts = name.rstrip("/").split("/")
    if ".." in parts:
        return "climbs out of the game's folder"
    if any(part in ("", ".") for part in parts):
        return "is not a plain path"
    return None


def check_no_shared_data(members, shown):
    """Members whose data overlap are how a small zip unpacks to terabytes (one
    compressed stream named by thousands of entries); no zip tool writes them."""
    spans = sorted((info.header_offset, info.compress_size, info.filename) for info in members)
    for (offset, size, name), (next_offset, _, next_name) in zip(spans, spans[1:]):
        # The local header alone is at least 30 bytes; the data follows it.
        if offset + 30 + size > next_offset:
            raise Refused("%s: the members %r and %r share their data (a zip bomb)" % (shown, name, next_name))


def read_manifest(archive, shown):
    """The manifest's fields, or {} for an archive zipped by hand without one."""
    try:
        info = archive.getinfo(MANIFEST)
    except KeyError:
        return {}
    if info.file_size > 64 << 10:
        raise Refused("%s: its %s is larger than a manifest can be" % (shown, MANIFEST))
    try:
        manifest = json.loads(archive.read(info).decode("utf-8"))
    except (ValueError, UnicodeDecodeError, zipfile.BadZipFile, OSError, EOFError) as error:
        raise Refused("%s: its %s can't be read: %s" % (shown, MANIFEST, one_line(error)))
    if not isinstance(manifest, dict) or not all(
            isinstance(manifest.get(key, ""), str) for key in ("title", "version", "engine")):
        raise Refused("%s: its %s does not hold the fields it should" % (shown, MANIFEST))
    made_with = manifest.get("engine", "")
    ours = os.environ.get("TARVO_ENGINE_VERSION", "")
    if made_with and ours and major(made_with) > major(ours):
        warn("%s was made with Tarvo %s, newer than this one (%s): it may use what this one lacks"
             % (shown, made_with, ours))
    return manifest


def major(version):
    head = version.split(".")[0]
    return int(head) if head.isdigit() else 0


def private_folder(cache_root):
    games = os.path.join(cache_root, "tarvo", "games")
    os.makedirs(games, mode=0o700, exist_ok=True)
    os.chmod(os.path.join(cache_root, "tarvo"), 0o700)
    return games


def unpack(archive, members, games, folder, shown):
    """Into a new folder of the player's cache, which takes the archive's place only once
    complete; every path was checked to stay inside it and no member is a link."""
    temporary = tempfile.mkdtemp(prefix=".unpacking-", dir=games)
    try:
        for info in members:
            target = os.path.join(temporary, *info.filename.rstrip("/").split("/"))
            try:
                if info.is_dir():
                    os.makedirs(target, exist_ok=True)
                    continue
                os.makedirs(os.path.dirname(target), exist_ok=True)
                with archive.open(info) as data, open(target, "xb") as out:
                    shutil.copyfileobj(data, out, 1 << 20)
            except (zipfile.BadZipFile, zlib.error, EOFError, ValueError, NotImplementedError) as error:
                raise Refused("%s is damaged: the member %r: %s" % (shown, info.filename, one_line(error)))
            except (FileExistsError, NotADirectoryError, IsADirectoryError):
                raise Refused("%s: the member %r collides with another of the same path" % (shown, info.filename))
        os.chmod(temporary, 0o755)
        try:
            os.rename(temporary, folder)
        except OSError:
            # Another runner unpacked the same archive meanwhile: play its copy.
            if not os.path.isdir(folder):
                raise
            shutil.rmtree(temporary, ignore_errors=True)
    except BaseException:
        shutil.rmtree(temporary, ignore_errors=True)
        raise


def forget_old_games(games, keep):
    """Removes games not played for CACHE_KEEPS_DAYS, and unpacking left by a runner that
    died a day ago or more."""
    now = time.time()
    for name in os.listdir(games):
        path = os.path.join(games, name)
        if path == keep or not os.path.isdir(path) or os.path.islink(path):
            continue
        age_days = (now - os.lstat(path).st_mtime) / 86400
        if age_days > (1 if name.startswith(".unpacking-") else CACHE_KEEPS_DAYS):
            shutil.rmtree(path, ignore_errors=True)
