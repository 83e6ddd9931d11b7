#!/usr/bin/python3
"""Builds the demo game: draws its pictures and synthesises its sounds,
turns the pictures into layered images with rivotool convert (some
scrambled with the game's key, some animated), and packs everything with
the page sources into OUT/game.dat with rivotool build --pack.

    make_demo.py --rivotool PATH --out DIR [--relist]

The same sources give the same game.dat, byte for byte. The page sources
are kept in the very form rivotool disasm lists them, so that a
translator's listings of the packed game equal them; --relist writes the
listings of the built pages back over the sources after an edit."""

import argparse
import concurrent.futures
import os
import pathlib
import re
import shutil
import struct
import subprocess
import sys

import art
import sound
from canvas import write_bmp

SOURCES = pathlib.Path(__file__).resolve().parent.parent
FILE_TIME = 1767225600  # 2026-01-01 00:00 UTC


def game_key():
    """The identification code of the project, which scrambles pictures."""
    match = re.search(r"^identification\s+(\d+)", (SOURCES / "rivo.rpb.txt").read_text("utf-8"), re.M)
    if not match:
        sys.exit("make_demo.py: rivo.rpb.txt has no identification line")
    return match.group(1)


def write_map(path, areas):
    """A map file: area count, then each area's name, shape and rectangle."""
    data = struct.pack("<i", len(areas))
    for name, shape, rect in areas:
        raw = name.encode("cp932")
        data += struct.pack("<i", len(raw)) + raw + bytes([shape]) + struct.pack("<4i", *rect)
    path.write_bytes(data)


def make_picture(rivotool, work, stage, name, draw, options, key):
    frames = draw()
    inputs = []
    for i, frame in enumerate(frames):
        bmp = work / f"{pathlib.Path(name).stem}-{i}.bmp"
        write_bmp(bmp, frame)
        inputs.append(str(bmp))
    options = ["--key", key] if options == ["KEY"] else options
    subprocess.run([rivotool, "convert", *inputs, str(stage / name), *options], check=True)


def make_sounds(work, stage):
    sound.write_wav(stage / "click.wav", sound.click())
    hum = work / "voice.wav"
    sound.write_wav(hum, sound.voice())
    # bitexact: no encoder name and a fixed stream serial, so the file is the same every time.
    subprocess.run(["ffmpeg", "-v", "error", "-y", "-i", str(hum), "-c:a", "libvorbis", "-q:a", "2",
                    "-fflags", "+bitexact", "-flags:a", "+bitexact", "-map_metadata", "-1",
                    str(stage / "voice.ogg")], check=True)
    (stage / "theme.mid").write_bytes(sound.theme_midi())


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rivotool", required=True)
    parser.add_argument("--out", required=True, type=pathlib.Path)
    parser.add_argument("--relist", action="store_true", help="rewrite the page sources as rivotool disasm lists them")
    args = parser.parse_args()

    work = args.out.parent / (args.out.name + "-work")
    stage = work / "game"
    shutil.rmtree(work, ignore_errors=True)
    stage.mkdir(parents=True)
    for source in sorted(SOURCES.glob("*.txt")):
        if source.name.endswith(".rsb.txt") or source.name == "rivo.rpb.txt":
            shutil.copy(source, stage / source.name)

    key = game_key()
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        jobs = [pool.submit(make_picture, args.rivotool, work, stage, name, draw, options, key)
                for name, (draw, options) in art.PICTURES.items()]
        make_sounds(work, stage)
        write_map(stage / "doors.map", art.map_areas())
        for job in jobs:
            job.result()

    # The archive keeps each file's time: one fixed time keeps game.dat the same.
    for made in stage.iterdir():
        os.utime(made, (FILE_TIME, FILE_TIME))
    shutil.rmtree(args.out, ignore_errors=True)
    subprocess.run([args.rivotool, "build", str(stage), str(args.out), "--pack"], check=True)
    if args.relist:
        relist(args.rivotool, args.out / "game.dat", work / "unpacked")
    shutil.rmtree(work)


def relist(rivotool, game, unpacked):
    subprocess.run([rivotool, "unpack", str(game), str(unpacked)], check=True)
    for source in sorted(SOURCES.glob("*.rsb.txt")):
        listing = subprocess.run([rivotool, "disasm", str(unpacked / source.name[:-4])], check=True,
                                 stdout=subprocess.PIPE).stdout
        source.write_bytes(listing)


if __name__ == "__main__":
    main()
