#pragma once
// Synthetic sample files for tests, benchmarks and demonstrations, built from
// public code-page mappings (Qt's decoders). No file from any Windows
// installation is used.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace samples {

using Bytes = std::vector<std::uint8_t>;
using Mapping = std::array<std::uint16_t, 256>;

// Byte to UTF-16 for every byte of a single-byte code page that Qt knows, such
// as "windows-1251". A byte the code page leaves undefined maps to what the
// decoder gives for it; the control bytes 0x00-0x1F and 0x7F map to
// themselves. Returns an empty optional-like all-zero mapping and
// false in *known when the code page is unknown.
Mapping CodePageMapping(const std::string& codePage, bool* known = nullptr);

// Pseudo-random filler that never holds a zero byte, so that a table signature
// is never completed by accident in a predictable place.
Bytes Filler(std::size_t size, std::uint32_t seed);

void PutWord(Bytes& bytes, std::size_t offset, std::uint16_t value);
std::uint16_t GetWord(const Bytes& bytes, std::size_t offset);

struct GdiModuleOptions {
    std::size_t size = 8192;
    std::size_t tableBase = 1000;          // any offset, even or odd
    std::string codePage = "windows-1251"; // must place U+0410-U+0414 at 0xC0-0xC4 to be found
    std::vector<std::size_t> strayCopies{}; // offsets of further copies of the ten signature bytes
    std::uint32_t seed = 1;
};

// A module of options.size bytes with the code-page table at options.tableBase.
Bytes MakeGdiModule(const GdiModuleOptions& options);

// A module with one table per code page, in file order.
struct GdiTablesOptions {
    std::size_t size = 16384;
    std::vector<std::string> codePages = {"windows-1250", "windows-1251", "windows-1253"};
    // One per code page, ascending; none: drawn from the seed, every other one odd.
    std::vector<std::size_t> offsets{};
    // An MZ and NE header whose resource table lists each table as an RCDATA
    // resource numbered from firstResource, in 16-byte units around it.
    bool resourceTable = true;
    std::uint16_t firstResource = 1;
    std::uint32_t seed = 1;
};

// Where the headers and the resource table of a module end: no table may start before.
std::size_t GdiHeaderEnd(const GdiTablesOptions& options);
// The offsets the tables get: options.offsets, or those drawn from the seed.
// Empty when they do not fit in the file behind the headers, or overlap.
std::vector<std::size_t> GdiTableOffsets(const GdiTablesOptions& options);
// Empty when GdiTableOffsets is.
Bytes MakeGdiModuleWithTables(const GdiTablesOptions& options);

// NT code-page file: a 28-byte header, the forward table at 28, for OEM code
// pages a glyph table, and a flat reverse table of 65,536 bytes.
struct NtCodePageOptions {
    std::string codePage = "windows-1251";
    std::uint16_t number = 1251; // the code page's number in the header
    bool glyphTable = false;     // OEM layout: 512 bytes of glyphs, reverse table at 1,058
    std::uint8_t defaultByte = 0x3F;
};

constexpr std::size_t kNtForwardOffset = 28;
constexpr std::size_t kNtReverseOffset = 546;
constexpr std::size_t kNtGlyphTableSize = 512;
constexpr std::size_t kNtReverseTableSize = 0x10000;

// 66,082 bytes, or 66,594 with the glyph table. The reverse entry of a value
// that several bytes hold names the lowest of them; values that no byte holds
// get options.defaultByte.
Bytes MakeNtCodePageFile(const NtCodePageOptions& options);

// 9x code-page file: header filler, the forward table at 98 and a three-level
// reverse table at 610, built by ReferenceNinexTable.
struct NinexCodePageOptions {
    std::string codePage = "windows-1251";
    std::size_t size = 17506; // the largest table ends at offset 17,505
    std::uint32_t seed = 1;
};

constexpr std::size_t kNinexForwardOffset = 98;
constexpr std::size_t kNinexReverseOffset = 610;

// options.size bytes: what lies past them is cut off; filler behind the table.
Bytes MakeNinexCodePageFile(const NinexCodePageOptions& options);
Bytes MakeNinexCodePageFile(const Mapping& forward, std::size_t size, std::uint32_t seed);

// The three-level reverse table of a 9x file as the straightforward rebuild
// makes it: an inverse map of all 65,536 values filled in ascending byte order
// (the highest holder stays), then one pass over every value, allocating the
// blocks of each value that a byte other than 0x3F holds.
std::vector<std::uint16_t> ReferenceNinexTable(const Mapping& forward);

// A 9x Assign done that way on a whole-file image: writes the forward entry and
// the rebuilt table and returns true, or changes nothing and returns false when
// the forward table or the rebuilt table does not fit in the image.
bool ReferenceNinexAssign(Bytes& image, std::uint8_t byte, std::uint16_t unicode);

// Keyboard layout file: the top row's fourteen keys with their low and high
// character bytes and caps-lock bits, filler everywhere else.
struct KeyboardKey {
    std::uint8_t low;
    std::uint8_t high;
    bool capsLock;
};

struct KeyboardLayoutOptions {
    std::size_t size = 512;
    std::array<KeyboardKey, 14> keys = {{{'`', '~', false},
                                         {'1', '!', false},
                                         {'2', '@', false},
                                         {'3', '#', false},
                                         {'4', '$', false},
                                         {'5', '%', false},
                                         {'6', '^', false},
                                         {'7', '&', false},
                                         {'8', '*', false},
                                         {'9', '(', false},
                                         {'0', ')', false},
                                         {'-', '_', false},
                                         {'=', '+', false},
                                         {'\\', '|', false}}};
    std::uint32_t seed = 1;
};

// The places of key k's bytes: low, high, the byte with its caps-lock bit, that bit's mask.
struct KeyboardKeyPlace {
    std::size_t low;
    std::size_t high;
    std::size_t caps;
    std::uint8_t mask;
};
KeyboardKeyPlace KeyboardPlace(int key);

// options.size bytes (at least 401 for the whole row); the caps-lock bytes keep
// their filler bits but for the keys' own bits.
Bytes MakeKeyboardLayout(const KeyboardLayoutOptions& options);

bool WriteFile(const std::string& path, const Bytes& bytes);
bool ReadFile(const std::string& path, Bytes& bytes);

} // namespace samples
