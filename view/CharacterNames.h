#pragma once
// Characters named in plain text for the status bar, the tooltips and the edit
// dialogs: a byte's glyph in a code page, and a Unicode value with its glyph and
// the name that ICU gives it; and the letter that a cell shows for a value.

#include <QString>

#include <cstdint>

// The value as upper-case hexadecimal of at least that many digits ("%02X", "%04X").
QString HexText(unsigned value, int digits);

// The glyph that the byte shows in the code page ("windows-1251", ...); empty
// when the character it stands for has none (a control character, a space).
QString ByteGlyph(std::uint8_t byte, const char* codePage);
// The byte and its glyph: "B9 (№)", or "00 (no glyph)".
QString ByteWithGlyph(std::uint8_t byte, const char* codePage);

// What a cell shows for a value without a glyph, whatever the value: U+25CC DOTTED CIRCLE,
// the mark that stands in for a missing character.
constexpr char16_t kNoGlyphMark = u'\u25CC';
// The value's own character, or kNoGlyphMark when it has no glyph (as DescribeUnicode says):
// controls, spaces, unassigned and private-use values, surrogate halves, U+0000.
char16_t CellLetter(std::uint16_t unicode);
// The letter as a cell shows it, ready to be followed by ASCII: a combining mark sits on
// kNoGlyphMark, as character charts show it, and a right-to-left letter is followed by a
// left-to-right mark, so that what follows stays to its right.
QString CellCharacter(std::uint16_t unicode);

// The value's Unicode name ("LATIN CAPITAL LETTER A WITH GRAVE"), or, lacking one, its kind
// ("control character", "unassigned", "private use", "surrogate half", "noncharacter").
QString UnicodeName(std::uint16_t unicode);

// "U+00C0 À LATIN CAPITAL LETTER A WITH GRAVE". A value without a glyph says
// so after its name or, lacking one, its kind: "U+00A0 NO-BREAK SPACE, no
// glyph", "U+0085 control character, no glyph", "U+0378 unassigned, no glyph".
QString DescribeUnicode(std::uint16_t unicode);
