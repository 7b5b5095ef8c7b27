#!/usr/bin/python3
"""Finds the VBA modules of a PowerPoint 97-2003 file the way PowerPoint does:
the "Current User" stream's CurrentUserAtom gives the offset of the current
UserEditAtom; the persist directories of that edit and of the edits before it
map persist ids to offsets; the edit's document id gives the
DocumentContainer; the VBAInfoAtom in its DocInfoList names the persist object
holding the VBA project's compound file (zlib-compressed or not); that file's
VBA/dir stream lists the modules, and each module's stream holds its
compressed source from the offset the dir stream gives.

Written from Microsoft's published formats, apart from the add-in's writer.
Every step checks what the format requires and raises ChainError where a host
would give up.

Usage: tests/addin/host_chain.py FILE...   (prints each file's modules)
"""
import struct
import sys
import zlib
from pathlib import Path

import olefile

RT_DOCUMENT, RT_DOCUMENT_ATOM, RT_VBA_INFO, RT_VBA_INFO_ATOM = 0x03E8, 0x03E9, 0x03FF, 0x0400
RT_LIST, RT_USER_EDIT_ATOM, RT_CURRENT_USER_ATOM = 0x07D0, 0x0FF5, 0x0FF6
RT_EXTERNAL_OLE_OBJECT_STG, RT_PERSIST_DIRECTORY_ATOM = 0x1011, 0x1772
UNENCRYPTED_TOKEN = 0xE391C05F


class ChainError(Exception):
    pass


def require(ok, what):
    if not ok:
        raise ChainError(what)


def header(data, at):
    """(version, instance, type, length) of the record header at this offset."""
    require(at + 8 <= len(data), "a record header at %d lies past the stream's end" % at)
    version_instance, record_type, length = struct.unpack_from("<HHI", data, at)
    require(at + 8 + length <= len(data), "the record at %d runs past the stream's end" % at)
    return version_instance & 0xF, version_instance >> 4, record_type, length


def children(data, at):
    """(offset, type) of each child of the container whose header is at this offset."""
    version, _, _, length = header(data, at)
    require(version == 0xF, "the record at %d is not a container" % at)
    child, end = at + 8, at + 8 + length
    while child < end:
        _, _, record_type, child_length = header(data, child)
        yield child, record_type
        child += 8 + child_length


def only_child(data, at, record_type, what):
    found = [offset for offset, kind in children(data, at) if kind == record_type]
    require(len(found) == 1, "%d %s records where there must be one" % (len(found), what))
    return found[0]


def current_edit_offset(current_user):
    _, _, record_type, _ = header(current_user, 0)
    require(record_type == RT_CURRENT_USER_ATOM, "the Current User stream holds no CurrentUserAtom")
    size, token, offset, name_length, file_version, major, minor = struct.unpack_from(
        "<IIIHHBB", current_user, 8)
    require(size == 0x14, "the CurrentUserAtom's size field is %#x, not 0x14" % size)
    require(token == UNENCRYPTED_TOKEN, "the header token %#x is not that of an unencrypted file" % token)
    require((file_version, major, minor) == (0x03F4, 3, 0), "the document file version is not 0x03F4, 3.0")
    release = struct.unpack_from("<I", current_user, 28 + name_length)[0]
    require(release in (8, 9), "the release version %d is neither 8 nor 9" % release)
    return offset


def persist_directory(document, edit_offset):
    """{persist id: offset} of the current edit and the edits before it, newest first."""
    directory, seen = {}, set()
    document_id = None
    while True:
        require(edit_offset not in seen, "the user edits form a loop")
        seen.add(edit_offset)
        _, _, record_type, length = header(document, edit_offset)
        require(record_type == RT_USER_EDIT_ATOM and length in (0x1C, 0x20),
                "no UserEditAtom at offset %d" % edit_offset)
        last_edit, directory_offset, edit_document_id = struct.unpack_from("<III", document, edit_offset + 16)
        document_id = document_id or edit_document_id
        _, _, record_type, length = header(document, directory_offset)
        require(record_type == RT_PERSIST_DIRECTORY_ATOM, "no PersistDirectoryAtom at %d" % directory_offset)
        at, end = directory_offset + 8, directory_offset + 8 + length
        while at < end:
            entry = struct.unpack_from("<I", document, at)[0]
            first, count = entry & 0xFFFFF, entry >> 20
            offsets = struct.unpack_from("<%dI" % count, document, at + 4)
            for number, offset in enumerate(offsets):
                directory.setdefault(first + number, offset)
            at += 4 + 4 * count
        if last_edit == 0:
            return directory, document_id
        edit_offset = last_edit


def vba_project_offset(document, directory, document_id):
    require(document_id in directory, "the persist directory lacks the document %d" % document_id)
    at = directory[document_id]
    _, _, record_type, _ = header(document, at)
    require(record_type == RT_DOCUMENT, "the document's persist object is no DocumentContainer")
    first = next(children(document, at), (None, None))
    require(first[1] == RT_DOCUMENT_ATOM, "the DocumentContainer does not begin with its DocumentAtom")
    info_list = only_child(document, at, RT_LIST, "DocInfoList")
    vba_info = only_child(document, info_list, RT_VBA_INFO, "VBAInfo")
    info_atom = only_child(document, vba_info, RT_VBA_INFO_ATOM, "VBAInfoAtom")
    persist_id, has_macros, version = struct.unpack_from("<III", document, info_atom + 8)
    require(has_macros == 1 and version == 2, "the VBAInfoAtom does not say the file has macros, version 2")
    require(persist_id in directory, "the VBAInfoAtom names persist id %d, which is not in the directory" % persist_id)
    return directory[persist_id]


def vba_storage(document, at):
    """The VBA project's compound file held in the ExOleObjStg record at this offset."""
    version, instance, record_type, length = header(document, at)
    require(record_type == RT_EXTERNAL_OLE_OBJECT_STG and version == 0,
            "the VBA project's persist object is no ExOleObjStg record")
    body = document[at + 8:at + 8 + length]
    if instance == 0:
        return body
    require(instance == 1, "the ExOleObjStg's instance %d is neither stored nor compressed" % instance)
    size = struct.unpack_from("<I", body)[0]
    inflater = zlib.decompressobj()
    storage = inflater.decompress(body[4:]) + inflater.flush()
    require(len(storage) == size, "the storage inflates to %d bytes, not the %d announced" % (len(storage), size))
    return storage


def decompress(container):
    """Undoes VBA compression: a signature byte, then chunks with 2-byte headers."""
    require(container[:1] == b"\x01", "no compressed container signature")
    out = bytearray()
    at = 1
    while at < len(container):
        chunk_header = struct.unpack_from("<H", container, at)[0]
        require((chunk_header >> 12) & 0b111 == 0b011, "bad chunk signature at %d" % at)
        end = min(at + (chunk_header & 0x0FFF) + 3, len(container))
        at += 2
        chunk_start = len(out)
        if not chunk_header & 0x8000:
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
                require(offset <= difference, "a copy token reaches before its chunk")
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


def modules_of_project(storage):
    """{module name: source text} of a VBA project's compound file."""
    require(olefile.isOleFile(storage), "the VBA project is not a compound file")
    project = olefile.OleFileIO(storage)
    require(project.exists("VBA/dir"), "the VBA project has no VBA/dir stream")
    records = list(dir_records(decompress(project.openstream("VBA/dir").read())))
    code_pages = [struct.unpack("<H", payload)[0] for rid, payload in records if rid == 0x0003]
    require(len(code_pages) == 1, "the dir stream has no code page")
    encoding = "cp%d" % code_pages[0]
    modules, stream = {}, None
    for rid, payload in records:
        if rid == 0x001A:
            stream = payload.decode(encoding)
        elif rid == 0x0031:
            offset = struct.unpack("<I", payload)[0]
            require(project.exists("VBA/" + stream), "the dir stream names a missing module stream " + stream)
            source = project.openstream("VBA/" + stream).read()[offset:]
            modules[stream] = decompress(source).decode(encoding)
    require(modules, "the dir stream lists no module")
    project.close()
    return modules


def read_modules(path):
    """{module name: source text} of the VBA project of the presentation at path."""
    require(olefile.isOleFile(str(path)), "%s is not a compound file" % path)
    outer = olefile.OleFileIO(str(path))
    require(outer.exists("Current User") and outer.exists("PowerPoint Document"),
            "%s lacks the Current User or the PowerPoint Document stream" % path)
    current_user = outer.openstream("Current User").read()
    document = outer.openstream("PowerPoint Document").read()
    outer.close()
    directory, document_id = persist_directory(document, current_edit_offset(current_user))
    return modules_of_project(vba_storage(document, vba_project_offset(document, directory, document_id)))


def reference_presentation(source_dir):
    """PowerPoint's own file with a macro, kept in the shared folder beside the
    repository (or beside the folder of its worktree), or None with a notice
    where a checkout stands without it."""
    for shared in (Path(source_dir).resolve().parent, Path(source_dir).resolve().parent.parent):
        path = shared / "shared" / "reference" / "powerpoint-with-macro.ppt"
        if path.exists():
            return path
    print("SKIPPED the positive control: PowerPoint's reference file shared/reference/"
          "powerpoint-with-macro.ppt is not beside %s" % source_dir)
    return None


def main():
    status = 0
    for path in sys.argv[1:]:
        try:
            for name, source in read_modules(path).items():
                print("%s: module %s, %d lines" % (path, name, len(source.splitlines())))
        except ChainError as error:
            print("%s: %s" % (path, error))
            status = 1
    return status


if __name__ == "__main__":
    sys.exit(main())
