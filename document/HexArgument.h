#pragma once
// Hexadecimal numbers as varno-table's arguments, mapping texts and the take dialog's
// fields give them: "C0", "c0" or "0xC0"; and the Unicode values that a table entry may take.

#include <optional>
#include <string>

// The value of text, or nothing when text is not a hexadecimal number (an
// optional 0x prefix, then at least one digit and nothing else) or exceeds maxValue.
std::optional<unsigned> ParseHexArgument(const std::string& text, unsigned maxValue);

// Why a table entry may not take the value, as a phrase after "is" or a field's name
// ("not a value 0000 to FFFF"), or nothing when it may. An entry holds one UTF-16 code unit,
// and never a surrogate (D800-DFFF): one stands for no character alone, so no single-byte
// code page maps a byte to it, and text through that byte would become invalid UTF-16. The
// editor, set and the mapping texts of a take refuse such a change; a file that already holds
// one still opens and shows it.
std::optional<std::string> UnicodeValueRefusal(unsigned value);
