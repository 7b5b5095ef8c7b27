"""Writes a compound file (Microsoft's "Compound File Binary" format, version
3, 512-byte sectors) from a tree: {name: bytes for a stream, dict for a storage}.
The layout depends only on the tree, so the same tree gives the same bytes.
"""
import struct

SECTOR = 512
MINI_SECTOR = 64
MINI_CUTOFF = 4096
FREE, END_OF_CHAIN, FAT_SECTOR, NO_STREAM = 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFFD, 0xFFFFFFFF


class Entry:
    def __init__(self, name, kind, data=b""):
        self.name, self.kind, self.data = name, kind, data
        self.children = []
        self.left = self.right = self.child = NO_STREAM
        self.black = True
        self.start, self.size = END_OF_CHAIN, 0
        self.clsid = bytes(16)


def _order(entry):
    # Siblings are ordered by name length first, then by upper-cased name.
    return (len(entry.name), entry.name.upper())


def _link_siblings(entries, depth=0, depths=None):
    """Builds a balanced search tree over sorted siblings; returns its root's index."""
    if not entries:
        return None
    middle = len(entries) // 2
    node = entries[middle]
    depths.append((node, depth))
    left = _link_siblings(entries[:middle], depth + 1, depths)
    right = _link_siblings(entries[middle + 1:], depth + 1, depths)
    node.left = left.id if left else NO_STREAM
    node.right = right.id if right else NO_STREAM
    return node


def _colour(children):
    """A balanced tree is a valid red-black tree when its incomplete bottom level is red."""
    depths = []
    top = _link_siblings(sorted(children, key=_order), 0, depths)
    deepest = max(d for _, d in depths)
    if len(children) + 1 != 1 << (deepest + 1):
        for node, depth in depths:
            node.black = depth != deepest
    return top


def _sectors(size, unit):
    return (size + unit - 1) // unit


def compound_file(tree, root_class=bytes(16)):
    """The file's bytes; root_class is the root storage's 16-byte class id."""
    root = Entry("Root Entry", 5)
    root.clsid = root_class
    entries = [root]

    def add(parent, content):
        for name, value in content.items():
            entry = Entry(name, 1 if isinstance(value, dict) else 2, b"" if isinstance(value, dict) else value)
            entry.id = len(entries)
            entries.append(entry)
            parent.children.append(entry)
            if isinstance(value, dict):
                add(entry, value)

    root.id = 0
    add(root, tree)
    for entry in entries:
        if entry.children:
            entry.child = _colour(entry.children).id

    # Small streams live in the mini stream, in 64-byte mini sectors.
    mini_stream, mini_fat = bytearray(), []
    big = []
    for entry in entries:
        if entry.kind != 2:
            continue
        entry.size = len(entry.data)
        if entry.size >= MINI_CUTOFF:
            big.append(entry)
            continue
        if entry.size == 0:
            continue
        entry.start = len(mini_fat)
        count = _sectors(entry.size, MINI_SECTOR)
        mini_fat += [entry.start + i + 1 for i in range(count - 1)] + [END_OF_CHAIN]
        mini_stream += entry.data + bytes(count * MINI_SECTOR - entry.size)

    directory_sectors = _sectors(len(entries) * 128, SECTOR)
    mini_fat_sectors = _sectors(len(mini_fat) * 4, SECTOR)
    mini_stream_sectors = _sectors(len(mini_stream), SECTOR)
    big_sectors = sum(_sectors(e.size, SECTOR) for e in big)
    others = directory_sectors + mini_fat_sectors + mini_stream_sectors + big_sectors
    fat_sectors = 1
    while fat_sectors * (SECTOR // 4) < fat_sectors + others:
        fat_sectors += 1
    assert fat_sectors <= 109, "more FAT sectors than the header lists"

    fat = [FAT_SECTOR] * fat_sectors

    def chain(count):
        first = len(fat)
        fat.extend([first + i + 1 for i in range(count - 1)] + [END_OF_CHAIN])
        return first

    first_directory = chain(directory_sectors)
    first_mini_fat = chain(mini_fat_sectors) if mini_fat_sectors else END_OF_CHAIN
    if mini_stream_sectors:
        root.start, root.size = chain(mini_stream_sectors), len(mini_stream)
    for entry in big:
        entry.start = chain(_sectors(entry.size, SECTOR))
    fat += [FREE] * (fat_sectors * (SECTOR // 4) - len(fat))

    header = bytearray(b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + bytes(16))
    header += struct.pack("<HHHHH6x", 0x003E, 0x0003, 0xFFFE, 9, 6)
    header += struct.pack("<IIIIIIIII", 0, fat_sectors, first_directory, 0, MINI_CUTOFF, first_mini_fat,
                          mini_fat_sectors, END_OF_CHAIN, 0)
    header += struct.pack("<109I", *(list(range(fat_sectors)) + [FREE] * (109 - fat_sectors)))
    assert len(header) == SECTOR

    def padded(data):
        return bytes(data) + bytes(_sectors(len(data), SECTOR) * SECTOR - len(data))

    directory = bytearray()
    for entry in entries:
        name = entry.name.encode("utf-16-le") + b"\x00\x00"
        assert len(name) <= 64, "a name longer than 31 characters"
        directory += name + bytes(64 - len(name))
        directory += struct.pack("<HBBIII", len(name), entry.kind, 1 if entry.black else 0,
                                 entry.left, entry.right, entry.child)
        directory += entry.clsid + struct.pack("<I8x8xIQ", 0, entry.start, entry.size)
    while len(directory) % SECTOR:
        directory += bytes(64) + struct.pack("<HBBIII16xI8x8xIQ", 0, 0, 0, NO_STREAM, NO_STREAM, NO_STREAM,
                                             0, 0, 0)

    body = struct.pack("<%dI" % len(fat), *fat) + bytes(directory)
    body += padded(struct.pack("<%dI" % len(mini_fat), *mini_fat)) if mini_fat else b""
    body += padded(mini_stream)
    for entry in big:
        body += padded(entry.data)
    return bytes(header) + body


