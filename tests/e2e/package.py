"""The Debian package as a player gets it: installed with apt-get, started the way its desktop
entry starts it, played with sound, and purged again leaving nothing behind.

The scenario changes the system's packages, so it runs only as root and only when asked for
(`make test-package`). It refuses to touch a copy of the game that was installed before it, and
it leaves a marker file while its own copy is installed: `cleanup` (a CTest fixture run after the
scenario, whatever became of it) purges the package when the marker is still there.
"""

import os
import shlex
import shutil
import subprocess

from game_window import PICK, STEP_TIMEOUT, game_environment
from scenarios import expect_move, expect_outline, read_settings, snapshot, write_record
from xdisplay import E2EError, wait_for

PACKAGE = "zorvan"
SOUNDS = ("その他.wav", "禁止.wav", "駒打音.wav", "チェス打音.wav", "消滅.wav", "BGM.wav")
# What Qt and fontconfig themselves may leave in the home folder of a program they run.
TOOLKIT_FILES = (".cache/fontconfig/", ".config/QtProject.conf", ".config/QtProject/")


class Skip(Exception):
    """The scenario cannot run here (not root, no apt-get); CTest counts it as skipped."""


def _apt(*args, timeout=600):
    env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
    return subprocess.run(["apt-get", "-y", "-q", *args], capture_output=True, text=True,
                          env=env, timeout=timeout)


def installed():
    """True when the package is installed (or half installed) on the system."""
    result = subprocess.run(["dpkg-query", "-W", "-f=${Status}", PACKAGE], capture_output=True,
                            text=True)
    return result.returncode == 0 and "not-installed" not in result.stdout


def purge():
    """Removes the package with its configuration; dpkg directly if apt-get cannot."""
    result = _apt("purge", PACKAGE)
    if installed():
        subprocess.run(["dpkg", "--purge", PACKAGE], capture_output=True, timeout=300)
    if installed():
        raise E2EError(f"the package could not be removed:\n{result.stdout}{result.stderr}")


def cleanup(marker):
    """Purges the package when the scenario's marker says its own copy is still installed."""
    if not os.path.exists(marker):
        return 0
    if installed():
        print(f"purging the package left installed by the package scenario ({marker})")
        purge()
    os.remove(marker)
    return 0


def _package_paths(deb):
    """The paths the package holds (folders and files), as absolute paths."""
    listing = subprocess.run(["dpkg-deb", "--fsys-tarfile", deb], capture_output=True,
                             check=True).stdout
    names = subprocess.run(["tar", "-t"], input=listing, capture_output=True,
                           check=True).stdout.decode("utf-8").splitlines()
    return [os.path.normpath("/" + n) for n in names if n.strip("./")]


def _home_files(home):
    found = []
    for folder, dirs, files in os.walk(home):
        for name in files + [d for d in dirs if not os.listdir(os.path.join(folder, d))]:
            found.append(os.path.relpath(os.path.join(folder, name), home))
    return sorted(found)


def _desktop_command(path):
    """The desktop entry's command line, without its field codes (%f, %U ...)."""
    for line in open(path, encoding="utf-8").read().split("\n"):
        if line.startswith("Exec="):
            return [a for a in shlex.split(line[5:]) if not (len(a) == 2 and a[0] == "%")]
    raise E2EError(f"{path} has no Exec line")


def package(run):
    if os.geteuid() != 0:
        raise Skip("installing a package needs root")
    if not shutil.which("apt-get"):
        raise Skip("no apt-get here")
    deb = os.path.abspath(run.args.package or "")
    if not run.args.package or not os.path.isfile(deb):
        raise E2EError(f"no package {deb}: run `make package` first")
    if installed():
        raise E2EError(f"{PACKAGE} is already installed on this system; the scenario installs "
                       f"and purges its own copy, so remove it first (apt-get purge {PACKAGE})")
    paths = _package_paths(deb)
    existed = {p for p in paths if os.path.lexists(p)}
    marker = run.args.package_marker
    with open(marker, "w") as f:
        f.write(deb + "\n")
    try:
        result = _apt("install", "--no-install-recommends", deb)
        if result.returncode != 0 or not installed():
            raise E2EError(f"apt-get install {deb} failed:\n{result.stdout}{result.stderr}")
        play_installed(run, paths)
    finally:
        purge()
        os.remove(marker)
    left = sorted(p for p in paths if os.path.lexists(p) and p not in existed)
    if left:
        raise E2EError(f"purging the package left behind: {left}")


def play_installed(run, paths):
    """The installed game, started as its desktop entry starts it from the home folder of a
    player who never ran it, in another folder: a move with its sound and a record, both in the
    game's own folder and nowhere else."""
    multiarch = subprocess.run(["dpkg-architecture", "-qDEB_HOST_MULTIARCH"], capture_output=True,
                               text=True).stdout.strip() or "x86_64-linux-gnu"
    library = f"/usr/lib/{multiarch}/zorvan/libZORVAN.so"
    wanted = ["/usr/games/zorvan", "/usr/games/zorvan-cli", library,
              "/usr/share/applications/zorvan.desktop",
              "/usr/share/icons/hicolor/scalable/apps/zorvan.svg",
              "/usr/share/icons/hicolor/48x48/apps/zorvan.png",
              "/usr/share/man/man6/zorvan.6.gz", "/usr/share/man/man6/zorvan-cli.6.gz",
              "/usr/share/doc/zorvan/copyright"] + [f"/usr/share/zorvan/sounds/{n}" for n in SOUNDS]
    missing = [w for w in wanted if w not in paths or not os.path.isfile(w)]
    if missing or not any(p.startswith("/usr/share/metainfo/") for p in paths):
        raise E2EError(f"the installed package lacks {missing or 'its metainfo'}; it holds {paths}")
    outside = [p for p in paths if not (p == "/usr" or p.startswith("/usr/"))]
    if outside:
        raise E2EError(f"the package installs outside /usr: {outside}")

    home, elsewhere = run.folder("home"), run.folder("elsewhere")
    audio = os.path.join(run.scratch, "package-audio.raw")
    env = game_environment(run.display, runtime_dir=run.runtime, extra={
        "HOME": home, "PATH": "/usr/local/bin:/usr/bin:/bin:/usr/games",
        "SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": audio})
    for name in ("XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"):
        env.pop(name, None)
    command = _desktop_command("/usr/share/applications/zorvan.desktop")
    program = shutil.which(command[0], path=env["PATH"])
    if not program:
        raise E2EError(f"the desktop entry's program {command[0]} is not on the path")
    game = run.start(elsewhere, "package", program=program, env=env, args=command[1:])
    game.expect_no_box()
    def loaded():
        return {os.path.realpath(m) for m in game.mapped_files() if m.startswith("/")}
    # The sounds open a moment after the first picture.
    try:
        wait_for("the sound library to be loaded",
                 lambda: os.path.realpath(library) in loaded(), STEP_TIMEOUT)
    except E2EError:
        raise E2EError(f"the game did not load {library} (loaded: "
                       f"{sorted(m for m in loaded() if 'ZORVAN' in m)})") from None
    user = os.path.join(home, ".local", "share", "zorvan")
    if not os.path.isfile(os.path.join(user, "ZORVAN.ini")):
        raise E2EError(f"no ZORVAN.ini in {user} after the first start; the home folder holds "
                       f"{_home_files(home)}")

    game.menu("対局", "対局(人間)")
    game.expect_box(" ", "先手の番です")
    before = snapshot(game, (7, 7), (7, 6))
    game.press_cell(7, 7)
    expect_outline(game, 7, 7, PICK, "the 歩 picked")
    heard_from = os.path.getsize(audio) if os.path.exists(audio) else 0

    def move_heard():
        with open(audio, "rb") as f:
            f.seek(heard_from)
            return any(f.read())

    game.press_cell(7, 6)
    expect_move(game, before, (7, 7), (7, 6), "lower text", "the 歩's move on the board")
    wait_for("the move's sound in the sound output", move_heard, STEP_TIMEOUT)

    write_record(game, ("package", "sente", "gote", "installed"))
    game.press_escape_and_wait_for_exit()

    if not os.path.isfile(os.path.join(user, "installed.棋譜")):
        raise E2EError(f"the record is not in the game's folder {user}: it holds "
                       f"{os.listdir(user)}")
    if len(read_settings(user)) != 5:
        raise E2EError(f"the settings in {user} hold {read_settings(user)}")
    if os.listdir(elsewhere):
        raise E2EError(f"the game wrote into the folder it was started in: "
                       f"{os.listdir(elsewhere)}")
    strays = [p for p in _home_files(home) if not p.startswith(".local/share/zorvan/")
              and not p.startswith(TOOLKIT_FILES)]
    if strays:
        raise E2EError(f"the game left files in the home folder: {strays}")
