#!/usr/bin/python3
"""Checks the add-in file the program carries (resources/addin.ppa) with a
reader that is not ours: Debian's olefile must open it as a compound file and
list the VBA project's streams. The module source is then taken out of the
file (its dir stream parsed, its source stream decompressed here, with a
decompressor written apart from the generator's compressor) and compared with
the macro source in tools/addin/. Last, the generator must rebuild the file
byte for byte, so the carried file is never older than its source.

Usage: tests/addin/check_addin.py SOURCE_DIR   (exit status 0 when all hold)
"""
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

import olefile

failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)
    return ok


def decompress(container):
    """Undoes VBA compression: a signature byte, then chunks with 2-byte headers."""
    if not container or container[0] != 1:
        raise ValueError("no compressed container signature")
    out = bytearray()
    at = 1
    while at < len(container):
        header = struct.unpack_from("<H", container, at)[0]
        size = (header & 0x0FFF) + 3
        if (header >> 12) & 0b111 != 0b011:
            raise ValueError("bad chunk signature at %d" % at)
        end = at + size
        at += 2
        chunk_start = len(out)
        if not header & 0x8000:
            out += container[at:at + 4096]
            at = end
            continue
        while at < end:
            flags = container[at]
            at += 1
            for bit in range(8):
                if at >= end:
                    break
                if not flags & (1 << bit):
                    out.append(container[at])
                    at += 1
                    continue
                token = struct.unpack_from("<H", container, at)[0]
                at += 2
                difference = len(out) - chunk_start
                bit_count = 4
                while (1 << bit_count) < difference:
                    bit_count += 1
                length = (token & (0xFFFF >> bit_count)) + 3
                offset = (token >> (16 - bit_count)) + 1
                if offset > difference:
                    raise ValueError("copy token reaches before its chunk")
                for _ in range(length):
                    out.append(out[-offset])
    return bytes(out)


def dir_records(data):
    """(id, payload) of each record of a decompressed dir stream."""
    at = 0
    while at < len(data):
        record_id, size = struct.unpack_from("<HI", data, at)
        at += 6
        if record_id == 0x0009:  # the version record's size field says 4, but 6 bytes follow
            size = 6
        yield record_id, data[at:at + size]
        at += size


def main():
    source_dir = Path(sys.argv[1])
    addin = source_dir / "resources" / "addin.ppa"
    data = addin.read_bytes()
    check(data.startswith(bytes.fromhex("D0CF11E0A1B11AE1")), "the file begins with the compound file signature")
    check(olefile.isOleFile(str(addin)), "olefile takes it for a compound file")
    ole = olefile.OleFileIO(str(addin), raise_defects=olefile.DEFECT_INCORRECT)
    streams = sorted("/".join(path) for path in ole.listdir())
    print("streams: " + ", ".join(streams))
    sources = sorted((source_dir / "tools" / "addin").glob("*.bas"))
    expected = ["PROJECT", "PROJECTwm", "VBA/_VBA_PROJECT", "VBA/dir"] + ["VBA/" + p.stem for p in sources]
    check(streams == sorted(expected), "it holds the VBA project's streams and one stream per module")

    check(ole.openstream("VBA/_VBA_PROJECT").read() == bytes.fromhex("CC61FFFF000000"),
          "_VBA_PROJECT says there is no compiled code to trust")
    project = ole.openstream("PROJECT").read().decode("cp1252")
    for p in sources:
        check("Module=%s\r\n" % p.stem in project, "PROJECT lists the module " + p.stem)

    records = list(dir_records(decompress(ole.openstream("VBA/dir").read())))
    check(records[-1] == (0x0010, b""), "the dir stream ends with its terminator")
    code_page = next(struct.unpack("<H", payload)[0] for rid, payload in records if rid == 0x0003)
    modules = {}
    name = None
    for rid, payload in records:
        if rid == 0x001A:
            name = payload.decode("cp%d" % code_page)
        elif rid == 0x0031:
            modules[name] = struct.unpack("<I", payload)[0]
    check(sorted(modules) == sorted(p.stem for p in sources), "the dir stream names each module's stream")

    for p in sources:
        if p.stem not in modules:
            continue
        stream = ole.openstream("VBA/" + p.stem).read()
        text = decompress(stream[modules[p.stem]:]).decode("cp%d" % code_page)
        tree = p.read_text(encoding="ascii")
        check(text.split("\r\n") == tree.splitlines() + [""],
              "the source of %s in the file is the source in the tree, line for line with CR LF" % p.stem)
    ole.close()

    with tempfile.TemporaryDirectory() as folder:
        rebuilt = Path(folder) / "addin.ppa"
        subprocess.run([sys.executable, str(source_dir / "tools" / "make_addin.py"), "--output", str(rebuilt)],
                       check=True, stdout=subprocess.DEVNULL)
        check(rebuilt.read_bytes() == data, "tools/make_addin.py rebuilds the carried file byte for byte")

    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
