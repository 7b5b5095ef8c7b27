#!/usr/bin/env python3
"""Builds resources/addin.ppa, the PowerPoint add-in the program installs,
from the macro source in tools/addin/.

The file is a PowerPoint 97-2003 presentation saved as an add-in: a compound
file (Microsoft's "Compound File Binary" format, version 3) with the "Current
User" and "PowerPoint Document" streams of Microsoft's PowerPoint binary
format (tools/addin/presentation.py). The document has no slides, one main
master, and a VBA project kept, as PowerPoint keeps it, as a zlib-compressed
compound file of its own in a record that the document's VBAInfoAtom names.

That VBA project is laid out as Microsoft's "Office VBA File Format" says: the
PROJECT and PROJECTwm streams, and a VBA storage with the _VBA_PROJECT stream,
the compressed dir stream and one stream per module holding its compressed
source. No compiled code is stored: the _VBA_PROJECT stream says so, and the
host compiles the source when it loads the project. Its references are the
ones a host writes (OLE Automation and the Office library); the VBA library
and PowerPoint's own library are the host's and are never listed.

Usage: tools/make_addin.py [--output FILE]   (default resources/addin.ppa)
The output depends on nothing but the source, so a rebuild is byte-identical.
"""
import argparse
import struct
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SOURCE_FOLDER = ROOT / "tools" / "addin"
sys.path.insert(0, str(SOURCE_FOLDER))
from compound_file import compound_file  # noqa: E402
from presentation import presentation_streams  # noqa: E402

DEFAULT_OUTPUT = ROOT / "resources" / "addin.ppa"

PROJECT_NAME = "HoravelAddin"
PROJECT_ID = "{6C3B1E52-0F4A-4D8B-9B27-5E1D2A7C4F90}"
CODE_PAGE = 1252
LCID = 0x0409
REFERENCES = [
    ("stdole", "*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#"
               "C:\\Windows\\System32\\stdole2.tlb#OLE Automation"),
    ("Office", "*\\G{2DF8D04C-5BFA-101B-BDE5-00AA0044DE52}#2.0#0#"
               "C:\\Program Files\\Common Files\\Microsoft Shared\\OFFICE16\\MSO.DLL#"
               "Microsoft Office 16.0 Object Library"),
]
# The class id PowerPoint gives the root storage of its presentations.
PRESENTATION_CLASS = bytes.fromhex("108D81649B4FCF1186EA00AA00B929E8")
# The protection fields are obfuscated with a seed the writer picks; a fixed
# one keeps the output reproducible.
SEED = 0x5A


# ---- VBA compression: a container of chunks of at most 4096 bytes each ----

def _copy_token_bits(position_in_chunk):
    """Bits of a copy token that hold the offset, at this decompressed position."""
    bits = max((position_in_chunk - 1).bit_length(), 4)
    return bits


def _compress_chunk(data):
    out = bytearray()
    position = 0
    while position < len(data):
        flags = 0
        tokens = bytearray()
        for bit in range(8):
            if position >= len(data):
                break
            offset_bits = _copy_token_bits(position)
            length_bits = 16 - offset_bits
            max_length = (1 << length_bits) - 1 + 3
            max_offset = 1 << offset_bits
            best_length, best_offset = 0, 0
            for candidate in range(position - 1, max(position - max_offset, 0) - 1, -1):
                length = 0
                limit = min(max_length, len(data) - position)
                while length < limit and data[candidate + length] == data[position + length]:
                    length += 1
                if length > best_length:
                    best_length, best_offset = length, position - candidate
            if best_length >= 3:
                token = ((best_offset - 1) << length_bits) | (best_length - 3)
                tokens += struct.pack("<H", token)
                flags |= 1 << bit
                position += best_length
            else:
                tokens.append(data[position])
                position += 1
        out.append(flags)
        out += tokens
    return bytes(out)


def compress(data):
    out = bytearray(b"\x01")
    for start in range(0, len(data), 4096):
        chunk = data[start:start + 4096]
        packed = _compress_chunk(chunk)
        if len(packed) <= 4096:
            out += struct.pack("<H", 0xB000 | (len(packed) + 2 - 3)) + packed
        else:
            # A chunk that does not shrink is stored as it is; only a full one can be.
            assert len(chunk) == 4096, "a short final chunk that does not compress"
            out += struct.pack("<H", 0x3000 | (4096 + 2 - 3)) + chunk
    return bytes(out)


# ---- the PROJECT stream's obfuscated protection fields ----

def obfuscate(data):
    project_key = sum(PROJECT_ID.encode("ascii")) & 0xFF
    version_enc = SEED ^ 2
    key_enc = SEED ^ project_key
    out = bytearray([SEED, version_enc, key_enc])
    unencrypted, encrypted1, encrypted2 = project_key, key_enc, version_enc
    ignored = bytes((SEED & 6) // 2)
    for byte in ignored + struct.pack("<I", len(data)) + data:
        byte_enc = byte ^ ((encrypted2 + unencrypted) & 0xFF)
        out.append(byte_enc)
        encrypted2, encrypted1, unencrypted = encrypted1, byte_enc, byte
    return out.hex().upper()


# ---- the VBA project's streams ----

def mbcs(text):
    return text.encode("cp%d" % CODE_PAGE)


def utf16(text):
    return text.encode("utf-16-le")


def record(record_id, payload):
    return struct.pack("<HI", record_id, len(payload)) + payload


def text_pair(record_id, text, unicode_id):
    """A record holding a text twice: in the code page, then as UTF-16."""
    return record(record_id, mbcs(text)) + record(unicode_id, utf16(text))


def dir_stream(modules):
    out = bytearray()
    out += record(0x0001, struct.pack("<I", 1))  # SysKind: 32-bit Windows
    out += record(0x004A, struct.pack("<I", 2))  # the compatibility version hosts write
    out += record(0x0002, struct.pack("<I", LCID))
    out += record(0x0014, struct.pack("<I", LCID))
    out += record(0x0003, struct.pack("<H", CODE_PAGE))
    out += record(0x0004, mbcs(PROJECT_NAME))
    out += text_pair(0x0005, "", 0x0040)  # doc string
    out += text_pair(0x0006, "", 0x003D)  # help file
    out += record(0x0007, struct.pack("<I", 0))  # help context
    out += record(0x0008, struct.pack("<I", 0))  # library flags
    out += struct.pack("<HIIH", 0x0009, 4, 1, 0)  # version 1.0; its size field is fixed at 4
    out += text_pair(0x000C, "", 0x003C)  # conditional compilation constants

    for name, libid in REFERENCES:
        out += text_pair(0x0016, name, 0x003E)
        registered = struct.pack("<I", len(libid)) + mbcs(libid) + struct.pack("<IH", 0, 0)
        out += record(0x000D, registered)

    out += record(0x000F, struct.pack("<H", len(modules)))
    out += record(0x0013, struct.pack("<H", 0xFFFF))
    for module in modules:
        out += record(0x0019, mbcs(module))
        out += record(0x0047, utf16(module))
        out += text_pair(0x001A, module, 0x0032)  # stream name
        out += text_pair(0x001C, "", 0x0048)  # doc string
        out += record(0x0031, struct.pack("<I", 0))  # source offset: no compiled code before it
        out += record(0x001E, struct.pack("<I", 0))  # help context
        out += record(0x002C, struct.pack("<H", 0xFFFF))
        out += struct.pack("<HI", 0x0021, 0)  # a standard module
        out += struct.pack("<HI", 0x002B, 0)
    out += struct.pack("<HI", 0x0010, 0)
    return bytes(out)


def project_stream(modules):
    lines = ['ID="%s"' % PROJECT_ID]
    lines += ["Module=%s" % m for m in modules]
    lines += [
        'Name="%s"' % PROJECT_NAME,
        'HelpContextID="0"',
        'VersionCompatible32="393222000"',
        'CMG="%s"' % obfuscate(struct.pack("<I", 0)),  # not protected
        'DPB="%s"' % obfuscate(b"\x00"),  # no password
        'GC="%s"' % obfuscate(b"\xFF"),  # visible
        "",
        "[Host Extender Info]",
        "&H00000001={3832D640-CF90-11CF-8E43-00A0C911005A};VBE;&H00000000",
        "",
        "[Workspace]",
    ]
    lines += ["%s=0, 0, 0, 0, C" % m for m in modules]
    return mbcs("\r\n".join(lines) + "\r\n")


def project_wm_stream(modules):
    out = bytearray()
    for module in modules:
        out += mbcs(module) + b"\x00" + utf16(module) + b"\x00\x00"
    return bytes(out + b"\x00\x00")


def module_source(path):
    """A .bas file as VBA keeps it: code-page text with CR LF line ends."""
    text = path.read_text(encoding="ascii")
    return mbcs("\r\n".join(text.splitlines()) + "\r\n")


def module_name(source):
    first = source.split(b"\r\n", 1)[0].decode("ascii")
    prefix = 'Attribute VB_Name = "'
    assert first.startswith(prefix) and first.endswith('"'), "a module starts with its VB_Name"
    return first[len(prefix):-1]


def vba_project():
    """The project as a tree: storage name -> {child name: bytes or storage}."""
    sources = [module_source(p) for p in sorted(SOURCE_FOLDER.glob("*.bas"))]
    modules = [module_name(s) for s in sources]
    vba = {
        # Reserved1, Version (0xFFFF: no compiled code), Reserved2, Reserved3.
        "_VBA_PROJECT": struct.pack("<HHBH", 0x61CC, 0xFFFF, 0x00, 0x0000),
        "dir": compress(dir_stream(modules)),
    }
    for module, source in zip(modules, sources):
        vba[module] = compress(source)
    return {"PROJECT": project_stream(modules), "PROJECTwm": project_wm_stream(modules), "VBA": vba}


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--output", type=Path, default=DEFAULT_OUTPUT)
    args = parser.parse_args()
    streams = presentation_streams(compound_file(vba_project()))
    data = compound_file(streams, PRESENTATION_CLASS)
    args.output.write_bytes(data)
    print("%s: %d bytes" % (args.output, len(data)))


if __name__ == "__main__":
    main()
