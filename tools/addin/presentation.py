"""The records of a PowerPoint 97-2003 binary presentation with no slides, one
main master and a VBA project, as Microsoft's "PowerPoint (.ppt) Binary File
Format" describes them.

The "PowerPoint Document" stream holds, in this order, the persist objects
(the DocumentContainer, the MainMasterContainer and the VBA project storage),
the PersistDirectoryAtom that gives each one's offset, and the UserEditAtom
that names the document and the directory. The "Current User" stream's
CurrentUserAtom gives the offset of that UserEditAtom.
"""
import struct
import zlib

# Record types.
RT_DOCUMENT = 0x03E8
RT_DOCUMENT_ATOM = 0x03E9
RT_END_DOCUMENT_ATOM = 0x03EA
RT_SLIDE_ATOM = 0x03EF
RT_ENVIRONMENT = 0x03F2
RT_SLIDE_PERSIST_ATOM = 0x03F3
RT_MAIN_MASTER = 0x03F8
RT_VBA_INFO = 0x03FF
RT_VBA_INFO_ATOM = 0x0400
RT_DRAWING_GROUP = 0x040B
RT_DRAWING = 0x040C
RT_LIST = 0x07D0
RT_FONT_COLLECTION = 0x07D5
RT_COLOR_SCHEME_ATOM = 0x07F0
RT_PLACEHOLDER_ATOM = 0x0BC3
RT_TEXT_HEADER_ATOM = 0x0F9F
RT_TEXT_CHARS_ATOM = 0x0FA0
RT_STYLE_TEXT_PROP_ATOM = 0x0FA1
RT_TEXT_MASTER_STYLE_ATOM = 0x0FA3
RT_TEXT_CF_EXCEPTION_ATOM = 0x0FA4
RT_TEXT_PF_EXCEPTION_ATOM = 0x0FA5
RT_TEXT_SI_EXCEPTION_ATOM = 0x0FA9
RT_FONT_ENTITY_ATOM = 0x0FB7
RT_SLIDE_LIST_WITH_TEXT = 0x0FF0
RT_USER_EDIT_ATOM = 0x0FF5
RT_CURRENT_USER_ATOM = 0x0FF6
RT_EXTERNAL_OLE_OBJECT_STG = 0x1011
RT_PERSIST_DIRECTORY_ATOM = 0x1772

# Office drawing records.
DGG_CONTAINER, DG_CONTAINER, SPGR_CONTAINER, SP_CONTAINER = 0xF000, 0xF002, 0xF003, 0xF004
FDGG, FDG, FSPGR, FSP, FOPT = 0xF006, 0xF008, 0xF009, 0xF00A, 0xF00B
CLIENT_TEXTBOX, CLIENT_ANCHOR, CLIENT_DATA = 0xF00D, 0xF010, 0xF011

HEADER_TOKEN = 0xE391C05F  # an unencrypted document
LAST_USER = "Horavel"  # the name of the last user to save the file, here the tool
MASTER_ID = 0x80000000
PERSIST_DOCUMENT, PERSIST_MASTER, PERSIST_VBA = 1, 2, 3

# 16:9 slides in master units (576 per inch), as an empty presentation has today.
SLIDE_WIDTH, SLIDE_HEIGHT = 7680, 4320
EMU_PER_MASTER_UNIT = 1587.5

# Text types of the master styles.
TX_TITLE, TX_BODY, TX_NOTES, TX_OTHER = 0, 1, 2, 4
TX_CENTER_BODY, TX_CENTER_TITLE, TX_HALF_BODY, TX_QUARTER_BODY = 5, 6, 7, 8

# Scheme colours: background, text and lines, shadows, title text, fills,
# accent, accent and hyperlink, accent and followed hyperlink.
SCHEME = [(0xFF, 0xFF, 0xFF), (0x00, 0x00, 0x00), (0x80, 0x80, 0x80), (0x00, 0x00, 0x00),
          (0xDD, 0xDD, 0xDD), (0x1F, 0x6F, 0x46), (0x00, 0x66, 0xCC), (0x80, 0x33, 0x99)]


def atom(record_type, payload, instance=0, version=0):
    return struct.pack("<HHI", (instance << 4) | version, record_type, len(payload)) + payload


def container(record_type, children, instance=0):
    return atom(record_type, b"".join(children), instance, 0xF)


# ---- text formatting ----

def character_format(size, scheme_colour):
    """A TextCFException: the document's one font (Arial), a size in points and a scheme colour."""
    masks = 0x00010000 | 0x00020000 | 0x00040000  # font, size, colour; the fields follow in that order
    return struct.pack("<IHHBBBB", masks, 0, size, 0, 0, 0, scheme_colour)


def paragraph_format(bullet=False, left_margin=None, indent=None):
    """A TextPFException: bullet flags, alignment, line spacing and margins."""
    masks, fields = 0x0F, struct.pack("<H", 1 if bullet else 0)  # has bullet, and its three usage flags
    if bullet:
        masks |= 0x80
        fields += struct.pack("<H", 0x2022)
    masks |= 0x1000 | 0x0800
    fields += struct.pack("<hh", 0, 100)  # left aligned, single line spacing
    if left_margin is not None:
        masks |= 0x0100
        fields += struct.pack("<h", left_margin)
    if indent is not None:
        masks |= 0x0400
        fields += struct.pack("<h", indent)
    return struct.pack("<I", masks) + fields


def master_style(text_type, levels):
    """A TextMasterStyleAtom; levels are (paragraph format, character format) pairs."""
    out = struct.pack("<H", len(levels))
    for number, (paragraph, character) in enumerate(levels):
        if text_type >= TX_CENTER_BODY:
            out += struct.pack("<H", number)
        out += paragraph + character
    return atom(RT_TEXT_MASTER_STYLE_ATOM, out, text_type)


def body_levels(sizes):
    """Bulleted levels, each indented a half inch further, the text a bullet's width in."""
    return [(paragraph_format(True, 288 * n + 216, 288 * n), character_format(size, 1))
            for n, size in enumerate(sizes)]


def master_styles():
    plain = [(paragraph_format(), character_format(18, 1))]
    title = [(paragraph_format(), character_format(44, 3))]
    return [
        master_style(TX_TITLE, title),
        master_style(TX_BODY, body_levels([32, 28, 24, 20, 20])),
        master_style(TX_NOTES, [(paragraph_format(), character_format(12, 1))]),
        master_style(TX_OTHER, plain),
        master_style(TX_CENTER_BODY, [(paragraph_format(), character_format(32, 1))]),
        master_style(TX_CENTER_TITLE, title),
        master_style(TX_HALF_BODY, body_levels([28, 24, 20, 18, 18])),
        master_style(TX_QUARTER_BODY, body_levels([24, 20, 18, 16, 16])),
    ]


# ---- the document ----

def font_entity(name):
    face = name.encode("utf-16-le")
    # Character set 0, a TrueType font, variable pitch of the Swiss family.
    return atom(RT_FONT_ENTITY_ATOM, face + bytes(64 - len(face)) + bytes([0, 0, 0x04, 0x22]))


def environment():
    return container(RT_ENVIRONMENT, [
        container(RT_FONT_COLLECTION, [font_entity("Arial")]),
        atom(RT_TEXT_CF_EXCEPTION_ATOM, character_format(18, 1)),
        atom(RT_TEXT_PF_EXCEPTION_ATOM, struct.pack("<H", 0) + paragraph_format()),
        atom(RT_TEXT_SI_EXCEPTION_ATOM, struct.pack("<IH", 0x2, 0x0409)),  # US English
        master_style(TX_OTHER, [(paragraph_format(), character_format(18, 1))]),
    ])


def drawing_group(last_shape_id):
    """The drawing group: one drawing (the master's) with the shapes 0x400 to the last."""
    used = last_shape_id - 0x400 + 1
    block = struct.pack("<IIII", last_shape_id + 1, 2, used, 1) + struct.pack("<II", 1, used)
    return container(RT_DRAWING_GROUP, [container(DGG_CONTAINER, [atom(FDGG, block)])])


def document_container(last_shape_id):
    document_atom = struct.pack("<iiiiiiIIHHBBBB", SLIDE_WIDTH, SLIDE_HEIGHT, SLIDE_HEIGHT, SLIDE_WIDTH * 3 // 4,
                                1, 2,  # zoom of the thumbnails
                                0, 0,  # no notes master, no handout master
                                1, 6,  # slides numbered from 1; a custom slide size
                                0, 0, 0, 1)
    master_list = atom(RT_SLIDE_PERSIST_ATOM, struct.pack("<IIiII", PERSIST_MASTER, 0, 0, MASTER_ID, 0))
    vba_info = container(RT_VBA_INFO, [
        atom(RT_VBA_INFO_ATOM, struct.pack("<III", PERSIST_VBA, 1, 2), version=2),  # has macros; version 2
    ], instance=1)
    return container(RT_DOCUMENT, [
        atom(RT_DOCUMENT_ATOM, document_atom, version=1),
        environment(),
        drawing_group(last_shape_id),
        container(RT_SLIDE_LIST_WITH_TEXT, [master_list], instance=1),
        container(RT_LIST, [vba_info]),
        container(RT_SLIDE_LIST_WITH_TEXT, [], instance=0),  # the slides: none
        atom(RT_END_DOCUMENT_ATOM, b""),
    ])


# ---- the main master ----

def shape_properties(properties):
    """An OfficeArtFOPT of simple properties {id: value}."""
    return atom(FOPT, b"".join(struct.pack("<HI", key, properties[key]) for key in sorted(properties)),
                instance=len(properties), version=3)


def master_placeholder(shape_id, position, placement, text_type, text, rectangle):
    text_length = len(text) + 1  # the runs cover the closing paragraph mark too
    style = struct.pack("<IHI", text_length, 0, 0) + struct.pack("<II", text_length, 0)
    left, top, right, bottom = rectangle
    return container(SP_CONTAINER, [
        atom(FSP, struct.pack("<II", shape_id, 0x0A00), instance=1, version=2),  # a rectangle with an anchor
        shape_properties({0x01BF: 0x00100000, 0x01FF: 0x00080000}),  # no fill, no line
        atom(CLIENT_ANCHOR, struct.pack("<hhhh", top, left, right, bottom)),
        container(CLIENT_DATA, [atom(RT_PLACEHOLDER_ATOM, struct.pack("<iBBH", position, placement, 0, 0))]),
        container(CLIENT_TEXTBOX, [
            atom(RT_TEXT_HEADER_ATOM, struct.pack("<I", text_type)),
            atom(RT_TEXT_CHARS_ATOM, text.encode("utf-16-le")),
            atom(RT_STYLE_TEXT_PROP_ATOM, style),
        ]),
    ])


def master_drawing():
    """The master's drawing and the id of its last shape."""
    margin = SLIDE_WIDTH // 14
    shapes = [
        master_placeholder(0x402, 0, 1, TX_TITLE, "Title", (margin, 230, SLIDE_WIDTH - margin, 1066)),
        master_placeholder(0x403, 1, 2, TX_BODY, "Text", (margin, 1150, SLIDE_WIDTH - margin, 3970)),
    ]
    group = container(SP_CONTAINER, [
        atom(FSPGR, bytes(16), version=1),
        atom(FSP, struct.pack("<II", 0x400, 0x0005), version=2),  # the patriarch group
    ])
    background = container(SP_CONTAINER, [
        atom(FSP, struct.pack("<II", 0x401, 0x0C00), instance=1, version=2),  # the background, a rectangle
        shape_properties({
            0x0180: 0,  # solid fill
            0x0181: 0x08000000,  # of scheme colour 0
            0x0193: round(SLIDE_WIDTH * EMU_PER_MASTER_UNIT),
            0x0194: round(SLIDE_HEIGHT * EMU_PER_MASTER_UNIT),
            0x01BF: 0x00100010,  # filled
            0x01FF: 0x00080000,  # no line
            0x033F: 0x00010001,  # a background shape
        }),
    ])
    count = len(shapes) + 1  # the shapes besides the group
    drawing = container(RT_DRAWING, [container(DG_CONTAINER, [
        atom(FDG, struct.pack("<II", count, 0x400 + count), instance=1),
        container(SPGR_CONTAINER, [group] + shapes),
        background,
    ])])
    return drawing, 0x400 + count


def main_master(drawing):
    placeholders = bytes([1, 2, 0, 0, 0, 0, 0, 0])  # the master title and the master body
    slide_atom = struct.pack("<I", 1) + placeholders + struct.pack("<IIHH", 0, 0, 0, 0)
    scheme = b"".join(struct.pack("<BBBB", r, g, b, 0) for r, g, b in SCHEME)
    return container(RT_MAIN_MASTER, [
        atom(RT_SLIDE_ATOM, slide_atom, version=2),  # title and body layout
        atom(RT_COLOR_SCHEME_ATOM, scheme, instance=6),  # the scheme list: this one scheme
        *master_styles(),
        drawing,
        atom(RT_COLOR_SCHEME_ATOM, scheme, instance=1),
    ])


# ---- the VBA project, the persist directory and the user edit ----

def vba_storage(storage):
    """The VBA project's compound file, compressed with zlib."""
    return atom(RT_EXTERNAL_OLE_OBJECT_STG, struct.pack("<I", len(storage)) + zlib.compress(storage, 9),
                instance=1)


def presentation_streams(vba_project_file):
    """{stream name: bytes} of the presentation: "PowerPoint Document" and "Current User"."""
    drawing, last_shape_id = master_drawing()
    objects = [document_container(last_shape_id), main_master(drawing), vba_storage(vba_project_file)]
    stream, offsets = b"", []
    for record in objects:
        offsets.append(len(stream))
        stream += record
    directory_offset = len(stream)
    entry = PERSIST_DOCUMENT | (len(objects) << 20)  # persist ids 1 on, one offset each
    stream += atom(RT_PERSIST_DIRECTORY_ATOM, struct.pack("<I%dI" % len(offsets), entry, *offsets))
    edit_offset = len(stream)
    stream += atom(RT_USER_EDIT_ATOM, struct.pack(
        "<IHBBIIIIHH",
        0,  # no last slide viewed
        0, 0, 3,  # version, minor and major version
        0,  # the first edit: no earlier one
        directory_offset, PERSIST_DOCUMENT, len(objects),
        1, 0))  # last view: the slide view
    current_user = atom(RT_CURRENT_USER_ATOM, struct.pack(
        "<IIIHHBBH", 0x14, HEADER_TOKEN, edit_offset, len(LAST_USER), 0x03F4, 3, 0, 0)
        + LAST_USER.encode("ascii") + struct.pack("<I", 8)  # a release 8 file
        + LAST_USER.encode("utf-16-le"))
    return {"Current User": current_user, "PowerPoint Document": stream}
