#include "document/HexArgument.h"

std::optional<unsigned> ParseHexArgument(const std::string& text, unsigned maxValue)
{
    std::size_t start = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') ? 2 : 0;
    if (start == text.size()) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        char ch = text[i];
        unsigned digit;
        if (ch >= '0' && ch <= '9') {
            digit = static_cast<unsigned>(ch - '0');
        } else if (ch >= 'a' && ch <= 'f') {
            digit = static_cast<unsigned>(ch - 'a' + 10);
        } else if (ch >= 'A' && ch <= 'F') {
            digit = static_cast<unsigned>(ch - 'A' + 10);
        } else {
            return std::nullopt;
        }
        // Checked before the shift, so that no number of digits can wrap around.
        if (digit > maxValue || value > (maxValue - digit) / 16) {
            return std::nullopt;
        }
        value = value * 16 + digit;
    }
    return value;
}

std::optional<std::string> UnicodeValueRefusal(unsigned value)
{
    if (value > 0xFFFF) {
        return "not a value 0000 to FFFF";
    }
    if (value >= 0xD800 && value <= 0xDFFF) {
        return "a surrogate (D800 to DFFF), which no single-byte code page maps to";
    }
    return std::nullopt;
}
