#!/usr/bin/env python3
"""Writes tables/BuiltInCodePageData.cpp: the upper halves of the single-byte
code pages that the program knows by name, as the published mapping tables
give them (Python's codecs are generated from those tables). The lower half of
every one of them is ASCII, which this script checks.

Usage: scripts/make-code-page-data.py > tables/BuiltInCodePageData.cpp
"""
import sys

# The parts of ISO 8859 whose Latin number users know them by: ISO-8859-9 is latin-5.
LATIN = {1: 1, 2: 2, 3: 3, 4: 4, 9: 5, 10: 6}

# (name as users know it, another name it goes by, Python's codec, what it serves)
CODE_PAGES = [
    ("windows-1250", "cp1250", "cp1250", "Central European"),
    ("windows-1251", "cp1251", "cp1251", "Cyrillic"),
    ("windows-1252", "cp1252", "cp1252", "Western European"),
    ("windows-1253", "cp1253", "cp1253", "Greek"),
    ("windows-1254", "cp1254", "cp1254", "Turkish"),
    ("windows-1255", "cp1255", "cp1255", "Hebrew"),
    ("windows-1256", "cp1256", "cp1256", "Arabic"),
    ("windows-1257", "cp1257", "cp1257", "Baltic"),
    ("windows-1258", "cp1258", "cp1258", "Vietnamese"),
    ("windows-874", "cp874", "cp874", "Thai"),
] + [
    ("ISO-8859-%d" % n, "latin-%d" % LATIN[n] if n in LATIN else "iso8859-%d" % n, "iso8859_%d" % n, what)
    for n, what in [(1, "Western European"), (2, "Central European"), (3, "South European"),
                    (4, "North European"), (5, "Cyrillic"), (6, "Arabic"), (7, "Greek"), (8, "Hebrew"),
                    (9, "Turkish"), (10, "Nordic"), (11, "Thai"), (13, "Baltic"), (14, "Celtic"),
                    (15, "Western European"), (16, "South-Eastern European")]
] + [
    ("KOI8-R", "koi8r", "koi8_r", "Russian"),
    ("KOI8-U", "koi8u", "koi8_u", "Ukrainian"),
    ("IBM437", "cp437", "cp437", "DOS United States"),
    ("IBM850", "cp850", "cp850", "DOS Western European"),
    ("IBM852", "cp852", "cp852", "DOS Central European"),
    ("IBM855", "cp855", "cp855", "DOS Cyrillic"),
    ("IBM866", "cp866", "cp866", "DOS Russian"),
    ("macintosh", "mac-roman", "mac_roman", "Mac Roman"),
    ("x-mac-cyrillic", "mac-cyrillic", "mac_cyrillic", "Mac Cyrillic"),
]


def value(codec, byte):
    try:
        text = bytes([byte]).decode(codec)
    except UnicodeDecodeError:
        return 0
    assert len(text) == 1 and ord(text) <= 0xFFFF, (codec, byte)
    assert byte < 0x80 or ord(text) != 0, (codec, byte)
    return ord(text)


def main():
    out = sys.stdout
    out.write("// Written by scripts/make-code-page-data.py; do not edit.\n")
    out.write("#include \"tables/BuiltInCodePages.h\"\n\n")
    out.write("// Declared extern so that the definitions below are seen by BuiltInCodePages.cpp.\n")
    out.write("extern const BuiltInCodePage kBuiltInCodePages[];\n")
    out.write("extern const std::size_t kBuiltInCodePageCount;\n\n")
    out.write("// Zero stands for a byte that the code page leaves undefined.\n")
    out.write("const BuiltInCodePage kBuiltInCodePages[] = {\n")
    for name, alias, codec, what in CODE_PAGES:
        for byte in range(0x80):
            assert value(codec, byte) == byte, (codec, byte)
        upper = [value(codec, byte) for byte in range(0x80, 0x100)]
        out.write("    {\"%s\", \"%s\", \"%s\", {\n" % (name, alias, what))
        for row in range(0, 128, 8):
            out.write("        " + " ".join("0x%04X," % v for v in upper[row:row + 8]) + "\n")
        out.write("    }},\n")
    out.write("};\n")
    out.write("const std::size_t kBuiltInCodePageCount = std::size(kBuiltInCodePages);\n")


main()
