#!/usr/bin/env python3
"""Runs kel on damaged copies of the forged game data, one case each.

usage: hostile_data.py KEL DATA_DIR CLOSE_WINDOW [CASE-NAME-SUBSTRING]

Every case copies DATA_DIR into a throw-away game folder, damages one file
the way a broken download or a careless modder would, starts KEL (built with
the sanitizers) with -map data/maps/test under the X server of DISPLAY, and
watches what happens. A case passes when it ends the way its table row says:

  play    the level plays: F12 writes a screenshot
  refuse  the level is refused on the loading log ("... - FAILED!") and the
          game waits in the menu
  box     a message box tells the player (its text also goes to stderr)

and, whatever the outcome, without a sanitizer report, a crash, a hang (the
game must still close when its window is closed), or a flood of repeated
failure lines.
"""
import collections
import os
import random
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import time
from concurrent.futures import ThreadPoolExecutor

LEVEL = "data/maps/test"
OUTCOME_SECONDS = 60  # a healthy case ends in a few; a loaded machine may take many more
CLOSE_SECONDS = 8
MOST_REPEATS = 3      # identical failure lines allowed on the log
MOST_LINES = 1000     # distinct ones are bounded by the tables (200 models, 256 textures, ...)
WORKERS = 2           # cases at once: one loads while the other waits
# Keys go to the focused window, so focusing and pressing are one step.
keyboard = threading.Lock()
# Message boxes leave "CAPTION: text" on stderr; these are the game's captions.
BOX = re.compile(r"^(LOADING ERROR|ERROR|SHUTDOWN ERROR|Tesk GL): ", re.M)
# Leaks of the system's libraries, not ours, and the GL driver kept loaded so
# that LeakSanitizer can tell what it holds; see these files.
LEAKS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "leaks")
SYSTEM_NOISE = os.path.join(LEAKS, "system_noise.supp")
WITH_GL_DRIVER_KEPT = os.path.join(LEAKS, "with_gl_driver_kept.sh")
SANITIZER = re.compile(r"AddressSanitizer|LeakSanitizer|runtime error:|UndefinedBehaviorSanitizer")


# --- damage: each takes the game folder and changes one thing --------------

def read(game, path):
    with open(os.path.join(game, path), "rb") as f:
        return f.read()


def write(game, path, data):
    """A new file: the old one may be a link into the pristine data."""
    full = os.path.join(game, path)
    if os.path.isdir(full):
        shutil.rmtree(full)
    elif os.path.lexists(full):
        os.remove(full)
    with open(full, "wb") as f:
        f.write(data)


def truncate(path, keep):
    """Keeps `keep` bytes (a negative number drops that many from the end)."""
    return lambda game: write(game, path, read(game, path)[:keep])


def poke(path, offset, data):
    def damage(game):
        b = bytearray(read(game, path))
        b[offset:offset + len(data)] = data
        write(game, path, bytes(b))
    return damage


def flip(path, seed, count=64, start=0):
    """Flips `count` random bytes from `start` on; the same every run."""
    def damage(game):
        b = bytearray(read(game, path))
        rng = random.Random(seed)
        for _ in range(count):
            i = rng.randrange(start, len(b))
            b[i] ^= 0xFF
        write(game, path, bytes(b))
    return damage


def directory(path):
    def damage(game):
        full = os.path.join(game, path)
        if os.path.exists(full):
            os.remove(full)
        os.makedirs(full)
    return damage


def text(path, content):
    return lambda game: write(game, path, content.encode())


def append(path, content):
    return lambda game: write(game, path, read(game, path) + content.encode())


def remove(*paths):
    def damage(game):
        for p in paths:
            os.remove(os.path.join(game, p))
    return damage


def sparse(path, size):
    def damage(game):
        write(game, path, b"")
        os.truncate(os.path.join(game, path), size)
    return damage


def each(*damages):
    def damage(game):
        for d in damages:
            d(game)
    return damage


def lines(n, line):
    return "".join(line.format(i=i) for i in range(n))


# The level pack split into the five separate map files, so that those are
# read instead (load_pack fails once the pack is gone).
def split_pack(game):
    b = read(game, LEVEL + ".pack")
    pos = 8

    def names(pos):
        count = b[pos]
        pos += 1
        for _ in range(count):
            while b[pos:pos + 1].isspace():
                pos += 1
            while pos < len(b) and not b[pos:pos + 1].isspace():
                pos += 1
            pos += 1  # the space written after every name
        return pos

    w, d, ends = b[pos + 2], b[pos + 3], b[pos + 6]
    spawns = b[pos + 7 + 2 * ends]
    v_end = pos + 8 + 2 * ends + 3 * spawns + w * d
    t_end = names(v_end + 2 + w * d + 2)
    m_end = names(t_end + 2 + 2 * w * d + 2)
    (imps,) = struct.unpack_from("<i", b, m_end + 2)
    ai_end = names(m_end + 6 + 3 * imps + 2)
    sections = {"_v": b[pos:v_end], "_t": b[v_end:t_end], "_m": b[t_end:m_end],
                "_ai": b[m_end:ai_end], "_c": b[ai_end:]}
    for suffix, data in sections.items():
        write(game, LEVEL + suffix, data)
    os.remove(os.path.join(game, LEVEL + ".pack"))


def split_then(*damages):
    return each(split_pack, *damages)


MD2 = "data/models/characters/player.md2"
WALL = "data/textures/walls/stone.tga"
FONT = "data/textures/font/font.tga"
PACKED_TGA = "data/textures/floors/plaza.tga.bz2"
JPEG = "data/textures/backdrops/menu_main.jpg"
WAV = "data/sound/krok.wav"
GUV = LEVEL + "_guv"
LIGHTMAP = LEVEL + "_lm.raw"
TORCH = "data/models/props/torch.def"
HUGE = 2147483647


def every_ordinary_tga(game):
    for entry in read(game, "data/tex.list").decode().split():
        if entry.endswith(".tga") and "/font/" not in entry:
            write(game, entry, b"not a picture")
            packed = os.path.join(game, entry + ".bz2")
            if os.path.exists(packed):
                os.remove(packed)


def guv_rectangle(value):
    return poke(GUV, 4 + 8, struct.pack("<i", value))  # x2 of the first group


CASES = [
    # name, expected outcome(s), damage
    ("config resolution near the 32-bit limit", "box",
     append("data/opengl", "<resolution> 2147483647 2147483647\n")),
    ("config random bytes", "box", flip("data/opengl", 1, count=40)),
    ("config is a directory", "box", directory("data/opengl")),
    ("texture list empty", "box", text("data/tex.list", "")),
    ("texture list without a font", "box",
     lambda g: write(g, "data/tex.list", b"\n".join(
         l for l in read(g, "data/tex.list").split(b"\n") if b"/font/" not in l))),
    ("texture list of ten thousand missing names", "box",
     text("data/tex.list", lines(10000, "data/textures/none{i}.tga\n"))),
    ("model list ten thousand bad lines", "play",
     append("data/model.list", lines(10000, "data/models/none/{i}.def\n"))),
    ("model list is a directory", "play", directory("data/model.list")),
    ("sound list ten thousand over-long names", "play",
     append("data/sound.list", lines(10000, "data/sound/" + "x" * 300 + "{i}.wav\n"))),
    ("sound list is a directory", "play", directory("data/sound.list")),
    ("weapons with counts near the 32-bit limit", "play",
     append("data/weapons", "<weapon> huge <ammo/magazine> 2147483647 <max_ammo> 2147483647 "
                            "<damage> -2147483648 <bullets/shell> 2147483647 <shoot_delay> -1\n")),
    ("weapons ten thousand records", "play", append("data/weapons", lines(10000, "<weapon> w{i}\n"))),
    ("weapons missing", "box", remove("data/weapons")),
    ("player random bytes", "play", flip("data/player", 2)),
    ("enemy counts near the 32-bit limit", "play",
     append("data/enemy", "<health> 2147483647 <damage> 2147483647 <bullets/shell> 2147483647 "
                          "<shoot_delay> -2147483648\n")),
    ("enemy ten thousand types", "play", append("data/enemy", lines(10000, "<next_enemy_type> <name> e{i}\n"))),
    ("definition with ten thousand lights", "play",
     append(TORCH, lines(10000, "<light_source> r ( 5 ) rgb ( 1 1 1 ) xyz ( 0 1 0 )\n"))),
    ("definition is a directory", "play", directory(TORCH)),
    ("definition medikit near the 32-bit limit", "play",
     text("data/models/items/medikit.def",
          "<model> data/models/items/medikit.md2 <trigger> item medikit 2147483647 2147483647\n")),
    ("MD2 truncated", "play", truncate(MD2, 100)),
    ("MD2 header counts flipped", "play", poke(MD2, 8, b"\xff" * 60)),
    ("MD2 is a directory", "play", directory(MD2)),
    ("TGA wall truncated", "play", truncate(WALL, 40)),
    ("TGA wall 65535 x 65535", "play", poke(WALL, 12, b"\xff\xff\xff\xff")),
    ("TGA wall is a directory", "play", directory(WALL)),
    ("TGA font broken", "box", truncate(FONT, 30)),
    ("every ordinary TGA broken", "box", every_ordinary_tga),
    ("TGA.bz2 truncated", "play", truncate(PACKED_TGA, -200)),
    ("TGA.bz2 random bytes", "play", flip(PACKED_TGA, 4, start=10)),
    ("JPEG truncated", "play", truncate(JPEG, 300)),
    ("JPEG is a directory", "play", directory(JPEG)),
    ("pack truncated to its magic", "refuse", truncate(LEVEL + ".pack", 8)),
    ("pack truncated in half", "refuse", lambda g: truncate(LEVEL + ".pack", len(read(g, LEVEL + ".pack")) // 2)(g)),
    ("pack map size 255 x 255", "refuse", poke(LEVEL + ".pack", 10, b"\xff\xff")),
    ("pack enemy count near the 32-bit limit", "refuse",
     lambda g: poke(LEVEL + ".pack", find_ai(g) + 2, struct.pack("<i", HUGE))(g)),
    ("pack is a directory", "refuse", directory(LEVEL + ".pack")),
    ("map files whole", "play", split_pack),
    ("map file v missing", "refuse", split_then(remove(LEVEL + "_v"))),
    ("map file v truncated", "refuse", split_then(truncate(LEVEL + "_v", 20))),
    ("map file t ten thousand names", "play",
     split_then(poke(LEVEL + "_t", 0, b"Mt"), append(LEVEL + "_t", lines(10000, "n{i} ")))),
    ("map file ai count negative", "play", split_then(poke(LEVEL + "_ai", 2, struct.pack("<i", -5)))),
    ("map file m is a directory", "play", split_then(directory(LEVEL + "_m"))),
    ("groups rectangle near the 32-bit limit", "play", guv_rectangle(HUGE)),
    ("groups count near the 32-bit limit", "play", poke(GUV, 0, struct.pack("<i", HUGE))),
    ("groups truncated", "play", truncate(GUV, -1)),
    ("groups is a directory", "play", directory(GUV)),
    ("lightmap is a directory", "play", directory(LIGHTMAP)),
    ("lightmap of two bytes", "play", truncate(LIGHTMAP, 2)),
    ("lightmap past the largest side", "play", sparse(LIGHTMAP, 3 * 2049 * 2049)),
    ("WAV truncated", "play", truncate(WAV, 30)),
    ("WAV data size near the 32-bit limit", "play", poke(WAV, 40, struct.pack("<i", HUGE))),
    ("WAV is a directory", "play", directory(WAV)),
]


def find_ai(game):
    return read(game, LEVEL + ".pack").index(b"AI", 8)


# --- running one case -------------------------------------------------------

def x_tool(*args):
    return subprocess.run(args, capture_output=True, text=True, timeout=10).stdout


def game_window(pid):
    ids = x_tool("xdotool", "search", "--pid", str(pid)).split()
    return ids[0] if ids else None


def link_or_copy(source, target):
    """The game only ever creates files of its own (screenshots, savegames, the
    scratch file), and damage always writes new files, so links are safe."""
    try:
        os.link(source, target)
    except OSError:
        shutil.copy2(source, target)


def run_case(kel, data, close_window, name, expected, damage):
    game = tempfile.mkdtemp(prefix="kel-hostile-")
    try:
        shutil.copytree(data, os.path.join(game, "data"), copy_function=link_or_copy)
        write(game, "data/opengl", b"<fullscreen> 0\n<resolution> 640 480\n<color_depth> 32\n<marks_life> 25.0\n")
        link_or_copy(kel, os.path.join(game, "kel"))
        damage(game)
        env = dict(os.environ, ALSOFT_DRIVERS="null", LP_NUM_THREADS="1",
                   ASAN_OPTIONS="detect_leaks=1:abort_on_error=0",
                   LSAN_OPTIONS=f"suppressions={SYSTEM_NOISE}:print_suppressions=0",
                   UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1")
        out_path, err_path = os.path.join(game, "kel.out"), os.path.join(game, "kel.err")
        with open(out_path, "w") as out, open(err_path, "w") as err:
            proc = subprocess.Popen([WITH_GL_DRIVER_KEPT, "./kel", "-map", LEVEL], cwd=game, stdout=out, stderr=err,
                                    env=env)
        try:
            outcome, detail = watch(proc, game, out_path, err_path, close_window)
        finally:
            if proc.poll() is None:
                proc.kill()
                proc.wait()
        log = open(out_path, errors="replace").read().splitlines()
        errors = open(err_path, errors="replace").read()
        failures = collections.Counter(l for l in log if l.endswith(" - FAILED!"))
        problems = []
        if SANITIZER.search(errors):
            problems.append("sanitizer report:\n" + errors[-3000:])
        if outcome not in expected.split("|"):
            problems.append(f"ended as '{outcome}' ({detail}), expected {expected}")
        if failures and max(failures.values()) > MOST_REPEATS:
            line, n = failures.most_common(1)[0]
            problems.append(f"failure line repeated {n} times: {line}")
        if len(log) > MOST_LINES:
            problems.append(f"{len(log)} loading lines")
        if problems:
            tail = "\n".join(log[-8:])
            return outcome, problems + [f"log tail:\n{tail}\nstderr tail:\n{errors[-800:]}"]
        return outcome, []
    finally:
        shutil.rmtree(game, ignore_errors=True)


def box_shown(errors):
    return BOX.search(errors) is not None


def watch(proc, game, out_path, err_path, close_window):
    """Returns (outcome, detail): play, refuse, box, crash, exit or hang."""
    shots = os.path.join(game, "data", "screenshots")
    started = time.monotonic()
    refused_since = None
    while time.monotonic() - started < OUTCOME_SECONDS:
        errors = open(err_path, errors="replace").read()
        if SANITIZER.search(errors):
            return "crash", "sanitizer"
        rc = proc.poll()
        if rc is not None:
            if box_shown(errors):
                return "box", f"then exit status {rc}"
            return ("crash" if rc < 0 else "exit"), f"exit status {rc}"
        if box_shown(errors):
            return "box", errors.strip().splitlines()[0]
        window = game_window(proc.pid)
        if window:
            # A refused level leaves its failed line last and the game in the
            # menu, which answers F12 too: the refusal is judged first.
            log = open(out_path, errors="replace").read().splitlines()
            if log and log[-1] == LEVEL + " - FAILED!":
                refused_since = refused_since or time.monotonic()
                if time.monotonic() - refused_since > 1.0:
                    return close(proc, window, close_window, "refuse")
            elif os.path.isdir(shots) and os.listdir(shots):
                return close(proc, window, close_window, "play")
            else:
                with keyboard:
                    subprocess.run(["xdotool", "windowfocus", "--sync", window], capture_output=True, timeout=10)
                    subprocess.run(["xdotool", "key", "F12"], capture_output=True, timeout=10)
        time.sleep(0.3)
    log = open(out_path, errors="replace").read().splitlines()
    return "hang", f"no outcome after {OUTCOME_SECONDS} s, last line: {log[-1] if log else '-'}"


def close(proc, window, close_window, outcome):
    """The game must still answer: closing its window ends it cleanly."""
    subprocess.run([close_window, window], capture_output=True, timeout=10)
    try:
        rc = proc.wait(CLOSE_SECONDS)
    except subprocess.TimeoutExpired:
        return "hang", f"{outcome}, but closing the window did not end it"
    if rc != 0:
        return "crash", f"{outcome}, then exit status {rc} on closing"
    return outcome, "closed"


def main():
    if len(sys.argv) < 4:
        print(__doc__)
        return 2
    kel, data, close_window = (os.path.abspath(a) for a in sys.argv[1:4])
    only = sys.argv[4] if len(sys.argv) > 4 else ""
    failed = 0
    began = time.monotonic()
    cases = [c for c in CASES if only in c[0]]
    def timed(case):
        t = time.monotonic()
        outcome, problems = run_case(kel, data, close_window, *case)
        return outcome, problems, time.monotonic() - t

    with ThreadPoolExecutor(WORKERS) as pool:
        results = [pool.submit(timed, case) for case in cases]
        for (name, _, _), result in zip(cases, results):
            outcome, problems, took = result.result()
            if problems:
                failed += 1
                print(f"FAIL {name} ({took:.1f} s)")
                for p in problems:
                    print("    " + p.replace("\n", "\n    "))
            else:
                print(f"ok   {name}: {outcome} ({took:.1f} s)")
            sys.stdout.flush()
    print(f"hostile data: {len(cases) - failed} of {len(cases)} cases passed in {time.monotonic() - began:.0f} s")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
