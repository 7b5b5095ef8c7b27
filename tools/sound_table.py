#!/usr/bin/python3
"""The table of the built-in sounds in the user's guide, made from the sound
files themselves: number, name (the English message table) and length.

    tools/sound_table.py            prints the table
    tools/sound_table.py --write    puts it into docs/guide/alerts-and-sounds.md
    tools/sound_table.py --check    fails when the guide's table is out of date

Run --write after the sounds change (tools/make_sounds.cpp)."""
import pathlib
import re
import struct
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOUNDS = ROOT / "resources" / "sounds"
MESSAGES = ROOT / "lang" / "English_v167.txt"
GUIDE = ROOT / "docs" / "guide" / "alerts-and-sounds.md"
BEGIN = "<!-- sound table: made by tools/sound_table.py -->"
END = "<!-- end of sound table -->"
FIRST_NAME = 50  # message number of the first sound's name


def ogg_pages(data):
    """(granule position, payload) of each page of an Ogg stream."""
    at = 0
    while at < len(data):
        if data[at:at + 4] != b"OggS":
            raise ValueError(f"no Ogg page at byte {at}")
        granule = struct.unpack_from("<q", data, at + 6)[0]
        count = data[at + 26]
        sizes = data[at + 27:at + 27 + count]
        start = at + 27 + count
        yield granule, data[start:start + sum(sizes)]
        at = start + sum(sizes)


def sound_length(path):
    """Sample rate and number of samples of a mono Ogg Vorbis file."""
    pages = list(ogg_pages(path.read_bytes()))
    header = pages[0][1]
    if header[:7] != b"\x01vorbis":
        raise ValueError(f"{path.name}: not Vorbis")
    rate = struct.unpack_from("<I", header, 12)[0]
    return rate, pages[-1][0]


def table():
    names = MESSAGES.read_text(encoding="utf-8-sig").splitlines()
    rows = ["| No. | Name | Length |", "|---|---|---|"]
    for number, path in enumerate(sorted(SOUNDS.glob("*.ogg")), start=1):
        rate, samples = sound_length(path)
        name = names[FIRST_NAME + number - 1][4:]
        rows.append(f"| {number} | {name} | {samples / rate:.2f} s |")
    return "\n".join(rows) + "\n"


def with_table(text):
    pattern = re.compile(re.escape(BEGIN) + r"\n.*?" + re.escape(END), re.S)
    if not pattern.search(text):
        raise SystemExit(f"{GUIDE}: the markers of the sound table are missing")
    return pattern.sub(lambda _: f"{BEGIN}\n{table()}{END}", text)


def main(argv):
    if argv == ["--write"]:
        GUIDE.write_text(with_table(GUIDE.read_text(encoding="utf-8")), encoding="utf-8")
    elif argv == ["--check"]:
        text = GUIDE.read_text(encoding="utf-8")
        if with_table(text) != text:
            print(f"{GUIDE.relative_to(ROOT)}: the sound table is out of date; run tools/sound_table.py --write")
            return 1
    elif not argv:
        sys.stdout.write(table())
    else:
        print(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
