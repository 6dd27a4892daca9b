#include "view/HexField.h"

#include <climits>
#include <cstdio>

bool ScanHexField(const char* text, int* value)
{
    if (text == nullptr || value == nullptr) {
        return false;
    }
    // As wide as the scan goes: a longer number saturates instead of losing its high digits.
    unsigned long long scanned = 0;
    if (std::sscanf(text, "%llX", &scanned) != 1) {
        return false;
    }
    *value = scanned > INT_MAX ? INT_MAX : static_cast<int>(scanned);
    return true;
}
