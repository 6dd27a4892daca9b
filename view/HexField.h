#pragma once
// The hexadecimal text of the edit dialogs' fields, read back as sscanf reads it.

// How many digits a field reads back: the widths of "%02X" and "%04X", or none ("%X").
enum class HexDigits { Two, Four, Any };

// Scans text as sscanf does with "%02X", "%04X" or "%X": leading white space
// skipped, an optional sign and 0x prefix (counted in the width), digits of
// either case up to the width, the rest ignored. A field that converts
// nothing leaves *value unchanged and gives false.
bool ScanHexField(const char* text, HexDigits digits, int* value);
