"""`tarvo pack --deb`: a Debian package of a game folder that depends on the runtime
package `tarvo` and starts from a desktop's menu as from a shell:

    /usr/games/NAME                       a launcher: exec /usr/bin/tarvo /usr/share/games/NAME
    /usr/share/games/NAME/                the game's files, with bytecode compiled for there
    /usr/share/applications/NAME.desktop  the menu entry
    /usr/share/icons/hicolor/SxS/apps/NAME.png (or /usr/share/pixmaps/NAME.png)
                                          the folder's icon.png, else the engine's icon

dpkg-deb, which every Debian system has, builds it; files are owned by root as an
installed system's are, whoever packs."""
import compileall
import py_compile
import hashlib
import os
import shutil
import struct
import subprocess
import tempfile

from game_settings import Refused, warn

ICON_FILE = "icon.png"
ICON_SIZES = (16, 22, 24, 32, 48, 64, 96, 128, 192, 256, 512)


def package_name(settings):
    name = settings.name.lower()
    if len(name) < 2 or not name[0].isalnum() or any(not (c.isalnum() or c in "+-.") for c in name):
        raise Refused("'%s' is no Debian package name (lower-case letters, digits, + - and ., two or more): "
                      "set name in game.ini" % name)
    return name


def write_package(output_folder, settings, files, game_folder, engine_data, engine_version):
    """Writes NAME_VERSION_all.deb into `output_folder` and returns its path."""
    name = package_name(settings)
    dpkg_deb = shutil.which("dpkg-deb")
    if not dpkg_deb:
        raise Refused("dpkg-deb is not installed: a Debian package is built with it (package dpkg)")
    icon = os.path.join(game_folder, ICON_FILE)
    if not os.path.isfile(icon):
        icon = os.path.join(engine_data, "Resources", "Images", "tarvo-icon.png")
    size = png_size(icon)
    if size is None:
        raise Refused("%s is not a PNG image" % icon)

    with tempfile.TemporaryDirectory(prefix="tarvo-deb-") as staging:
        # What the package's own folders will be: open to everyone, as /usr is.
        os.chmod(staging, 0o755)
        data = "usr/share/games/" + name
        for full, inside in files:
            copy_file(full, os.path.join(staging, data, inside), 0o644)
        # Compiled for the installed paths, and never checked against the sources' times:
        # nothing compiles them at each start nor tries to write under /usr.
        if not compileall.compile_dir(os.path.join(staging, data), ddir="/" + data, quiet=2,
                                      invalidation_mode=py_compile.PycInvalidationMode.UNCHECKED_HASH):
            raise Refused("the game's scripts do not compile")
        write_text(os.path.join(staging, "usr/games", name), 0o755,
                   "#!/bin/sh\n# %s, packed by tarvo pack --deb.\nexec /usr/bin/tarvo /%s \"$@\"\n"
                   % (settings.title, data))
        write_text(os.path.join(staging, "usr/share/applications", name + ".desktop"), 0o644, desktop_entry(
            name, settings))
        if size[0] == size[1] and size[0] in ICON_SIZES:
            icon_path = "usr/share/icons/hicolor/%dx%d/apps/%s.png" % (size[0], size[0], name)
        else:
            if size[0] != size[1]:
                warn("%s is %d x %d, not square: it goes to /usr/share/pixmaps, where menus scale it"
                     % (icon, size[0], size[1]))
            icon_path = "usr/share/pixmaps/%s.png" % name
        copy_file(icon, os.path.join(staging, icon_path), 0o644)
        fix_folder_modes(staging)
        write_control(staging, name, settings, engine_version)
        output = os.path.join(output_folder, "%s_%s_all.deb" % (name, settings.version))
        result = subprocess.run([dpkg_deb, "--root-owner-group", "-Zxz", "--build", staging, output],
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        if result.returncode != 0:
            raise Refused("dpkg-deb could not build %s: %s" % (output, " ".join(result.stdout.split())))
    return output


def desktop_entry(name, settings):
    return ("[Desktop Entry]\nType=Application\nName=%s\nComment=%s\nExec=%s\nIcon=%s\nTerminal=false\n"
            "Categories=Game;\n" % (settings.title, settings.description, name, name))


def write_control(staging, name, settings, engine_version):
    sums = []
    installed_bytes = 0
    for top, _, names in os.walk(staging):
        for file_name in sorted(names):
            full = os.path.join(top, file_name)
            installed_bytes += os.path.getsize(full)
            with open(full, "rb") as f:
                sums.append("%s  %s\n" % (hashlib.md5(f.read()).hexdigest(), os.path.relpath(full, staging)))
    write_text(os.path.join(staging, "DEBIAN", "md5sums"), 0o644, "".join(sorted(sums, key=lambda s: s[34:])))
    control = ("Package: %s\nVersion: %s\nArchitecture: all\nMaintainer: %s\nInstalled-Size: %d\n"
               "Depends: tarvo (>= %s)\nSection: games\nPriority: optional\nDescription: %s\n %s\n"
               % (name, settings.version, settings.maintainer, (installed_bytes + 1023) // 1024, engine_version,
                  settings.title, settings.description))
    write_text(os.path.join(staging, "DEBIAN", "control"), 0o644, control)
    os.chmod(os.path.join(staging, "DEBIAN"), 0o755)


def copy_file(source, target, mode):
    os.makedirs(os.path.dirname(target), exist_ok=True)
    shutil.copyfile(source, target)
    os.chmod(target, mode)


def write_text(path, mode, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
    os.chmod(path, mode)


def fix_folder_modes(staging):
    """The maker's umask must not become the installed folders' modes, nor the bytecode's."""
    for top, folders, names in os.walk(staging):
        for folder in folders:
            os.chmod(os.path.join(top, folder), 0o755)
        for file_name in names:
            full = os.path.join(top, file_name)
            if file_name.endswith(".pyc"):
                os.chmod(full, 0o644)


def png_size(path):
    """(width, height) from a PNG's header, or None if it is no PNG."""
    try:
        with open(path, "rb") as f:
            head = f.read(24)
    except OSError:
        return None
    if len(head) < 24 or head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", head[16:24])
