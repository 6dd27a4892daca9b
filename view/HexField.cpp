#include "view/HexField.h"

#include <cstdio>

bool ScanHexField(const char* text, HexDigits digits, int* value)
{
    if (text == nullptr || value == nullptr) {
        return false;
    }
    unsigned int scanned = 0;
    int converted = 0;
    switch (digits) {
    case HexDigits::Two: converted = std::sscanf(text, "%02X", &scanned); break;
    case HexDigits::Four: converted = std::sscanf(text, "%04X", &scanned); break;
    case HexDigits::Any: converted = std::sscanf(text, "%X", &scanned); break;
    }
    if (converted != 1) {
        return false;
    }
    *value = static_cast<int>(scanned);
    return true;
}
