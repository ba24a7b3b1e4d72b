#!/usr/bin/env python3
"""compare_shots.py STORED_DIR SHOT_DIR

Compares each stored screenshot STORED_DIR/shot-NNNN.tga.bz2 with the game's
SHOT_DIR/screenshot.NNNN.tga. Pictures of the same frames may differ by
rounding in the software renderer, so a pixel counts as different only when a
channel differs by more than TOLERANCE levels, and a picture fails when more
than ALLOWED_SHARE of its pixels do. Fails as well when the two folders do
not hold the same screenshots. Prints the worst difference of each picture.
"""
import bz2
import os
import re
import struct
import sys

TOLERANCE = 6
ALLOWED_SHARE = 0.005


def read_tga(data, name):
    """(width, height, bytes per pixel, pixel bytes) of an uncompressed true-colour TGA."""
    if len(data) < 18:
        raise ValueError(f"{name}: too short for a TGA header")
    id_length, colour_map_type, image_type = data[0], data[1], data[2]
    width, height, depth = struct.unpack_from("<HHB", data, 12)
    if colour_map_type != 0 or image_type != 2 or depth not in (24, 32):
        raise ValueError(f"{name}: not an uncompressed 24- or 32-bit TGA")
    start = 18 + id_length
    size = width * height * depth // 8
    if len(data) < start + size:
        raise ValueError(f"{name}: pixels cut short")
    return width, height, depth // 8, data[start:start + size]


def compare(stored, shot, name):
    """An error message, or None; prints the worst difference."""
    w1, h1, b1, p1 = stored
    w2, h2, b2, p2 = shot
    if (w1, h1, b1) != (w2, h2, b2):
        return f"{name}: {w2}x{h2}x{b2 * 8} instead of {w1}x{h1}x{b1 * 8}"
    worst = 0
    differing = 0
    for i in range(0, len(p1), b1):
        d = max(abs(a - b) for a, b in zip(p1[i:i + b1], p2[i:i + b1]))
        worst = max(worst, d)
        differing += d > TOLERANCE
    share = differing / (w1 * h1)
    print(f"{name}: worst channel difference {worst}, {differing} pixels beyond {TOLERANCE}")
    if share > ALLOWED_SHARE:
        return f"{name}: {differing} pixels ({share:.2%}) differ by more than {TOLERANCE} levels"
    return None


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[0], file=sys.stderr)
        return 2
    stored_dir, shot_dir = sys.argv[1], sys.argv[2]
    stored = sorted(m.group(1) for f in os.listdir(stored_dir) if (m := re.fullmatch(r"shot-(\d+)\.tga\.bz2", f)))
    shots = sorted(m.group(1) for f in (os.listdir(shot_dir) if os.path.isdir(shot_dir) else [])
                   if (m := re.fullmatch(r"screenshot\.(\d+)\.tga", f)))
    problems = []
    if not stored:
        problems.append(f"no stored screenshots in {stored_dir}")
    for n in sorted(set(stored) - set(shots)):
        problems.append(f"screenshot {n} is missing")
    for n in sorted(set(shots) - set(stored)):
        problems.append(f"screenshot {n} was not expected")
    for n in sorted(set(stored) & set(shots)):
        try:
            with bz2.open(os.path.join(stored_dir, f"shot-{n}.tga.bz2")) as f:
                a = read_tga(f.read(), f"shot-{n}.tga.bz2")
            with open(os.path.join(shot_dir, f"screenshot.{n}.tga"), "rb") as f:
                b = read_tga(f.read(), f"screenshot.{n}.tga")
        except (OSError, ValueError, EOFError) as e:
            problems.append(str(e))
            continue
        problem = compare(a, b, f"screenshot {n}")
        if problem:
            problems.append(problem)
    for p in problems:
        print(f"FAIL: {p}", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
