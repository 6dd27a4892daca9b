#pragma once
// Hexadecimal numbers as varno-table's arguments, mapping texts and the take dialog's
// fields give them: "C0", "c0" or "0xC0".

#include <optional>
#include <string>

// The value of text, or nothing when text is not a hexadecimal number (an
// optional 0x prefix, then at least one digit and nothing else) or exceeds maxValue.
std::optional<unsigned> ParseHexArgument(const std::string& text, unsigned maxValue);
