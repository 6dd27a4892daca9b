#pragma once
// A table as 256 optional values, whatever holds it: a loaded code-page
// document, or a mapping text in the format that export prints and published
// mapping tables use: "0xC0<TAB>0x0410" a line, "#" comments, blank lines, and
// a byte without a value ("0x81<TAB>#UNDEFINED").

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CVarnoDoc;

using TableValues = std::array<std::optional<std::uint16_t>, 256>;

// Whether a table named so is read as a mapping text: "-" (standard input), a
// name ending in ".txt", or, unless a kind is chosen for such names, a name that
// makes no file kind. Any other name is opened as the editor opens it.
bool IsMappingTextName(const std::string& name, bool kindChosen = false);

// False, with a message naming the line, for a line that is neither blank, a
// comment, nor a byte with an optional value, for a value that no table entry
// may take (a surrogate), for a byte given twice, and for a text without a
// single byte.
bool ParseMappingText(std::string_view text, TableValues& values, std::string& error);

// Reads a regular file, or standard input for "-", and parses it.
bool ReadMappingText(const std::string& name, TableValues& values, std::string& error);

// The 256 values of a loaded code-page document.
TableValues DocumentValues(const CVarnoDoc& document);
