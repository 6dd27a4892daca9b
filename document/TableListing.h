#pragma once
// What varno-table prints of one table: the upper half of a code-page table as
// the editor's grid shows it, or the fourteen keys of a keyboard layout, as
// text or as one JSON object; the entries that do not map back; the whole
// table as a mapping text. The editor copies and exports the same text.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CVarnoDoc;

// The characters of the 256 bytes, UTF-8, in the code page chosen for display.
using ByteCharacters = std::array<std::string, 256>;
// Those of the code page ("windows-1251"), as Qt decodes it.
ByteCharacters DecodeByteCharacters(const char* codePage);

struct CharEntry {
    std::uint8_t byte;
    std::uint16_t unicode;
    // The byte that the value maps back to; NT and 9x files only.
    bool hasBack;
    std::uint8_t back;
    bool IsConsistent() const { return !hasBack || back == byte; }
};

struct KeyEntry {
    int key;
    std::string name; // as shown: "7 &", not the stored "7 &&"
    std::uint8_t low;
    std::uint8_t high;
    bool capsLock;
};

struct TableListing {
    int kind = 0;
    // Of a GDI module: "table 2 of 3, windows-1251, 128 of 128".
    std::string table;
    std::size_t tableNumber = 0;
    std::vector<CharEntry> entries; // 0x80-0xFF, for the code-page kinds
    std::vector<KeyEntry> keys;     // 0-13, for keyboard layouts
};

// Whether the kind has a reverse table to check against (NT, 9x).
bool HasReverseTable(int kind);
// "NT code-page file", "keyboard layout", ... and the JSON form "nt", "keyboard", ...
const char* KindDescription(int kind);
const char* KindKey(int kind);
// "an NT code-page file", "a keyboard layout", ...
std::string KindWithArticle(int kind);
// Where the kind came from, for a command that refuses it: "the name makes this a keyboard
// layout", or "--kind makes this ..." for a kind chosen for a name that makes none.
std::string KindOrigin(int kind, bool chosen);

// Text as a terminal can show it, for file names and messages: valid UTF-8
// stays, while control characters and bytes that are not UTF-8 (a name in
// windows-1251 or cp866) become "\xE0", so the name can still be told.
std::string ShownText(const std::string& text);

// The text as a JSON string, quotes included.
std::string JsonString(const std::string& text);

// The listing of a loaded document; empty entries and keys for kind 0.
TableListing ListTable(const CVarnoDoc& document);
// The entries 0x80-0xFF of an NT or 9x file that do not map back to their byte.
std::vector<CharEntry> InconsistentEntries(const TableListing& listing);

// What stands for a value with no character to print (a control, U+0000, an
// unassigned value, a surrogate half): U+25CC DOTTED CIRCLE, as in the editor's grid.
constexpr const char* kNoCharacterMark = "\u25CC";
// The value's own character, UTF-8, or kNoCharacterMark.
std::string ValueCharacter(std::uint16_t unicode);

// A heading line with the file's kind, then one line per byte ("C0  А  0410  C0  consistent")
// or per key. The character of a byte is its value's, as the editor's grid shows it, or with
// byByte the byte's in chars; a key shows its bytes in chars. Control characters from chars
// are shown as U+FFFD so that no file can steer the terminal.
std::string FormatText(const std::string& file, const TableListing& listing, const ByteCharacters& chars,
                       bool byByte);
// One JSON object on one line, with a line feed: an entry's char is its value's
// character, its byteChar the byte's in chars.
std::string FormatJson(const std::string& file, const TableListing& listing, const ByteCharacters& chars);
// "0x00\t0x0000" to "0xFF\t0x....", one line per byte, as published mapping tables have them.
std::string FormatMapping(const CVarnoDoc& document);
// The whole table as a text: a code-page table as FormatMapping gives it (export), a keyboard
// layout, which has no mapping, as FormatText lists its keys under the file's name (show).
std::string TableText(const CVarnoDoc& document, const std::string& file, const ByteCharacters& chars);
