#pragma once
// An edit field of the change dialogs: a number shown and read back as hexadecimal text.

#include "platform/CEdit.h"
#include "view/HexField.h"

#include <cstdio>

class CHexEdit : public CEdit {
public:
    // Shows the value with at least that many digits ("%02X", "%04X").
    void ShowHex(int value, int digits)
    {
        char text[16];
        std::snprintf(text, sizeof text, "%0*X", digits, static_cast<unsigned int>(value));
        SetWindowText(text);
    }
    // A field that converts nothing leaves *value unchanged and gives false.
    bool ReadHex(int* value) const
    {
        char text[256];
        GetWindowText(text, sizeof text);
        return ScanHexField(text, value);
    }
};
