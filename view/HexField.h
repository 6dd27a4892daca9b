#pragma once
// The hexadecimal text of the edit dialogs' fields, read back as sscanf reads it.

// Scans text as sscanf does with "%X": leading white space skipped, an optional
// sign and 0x prefix, digits of either case, the rest ignored. However many digits
// it holds, a number above INT_MAX, or below zero, reads as INT_MAX: never wrapped
// around into a value that a range check would let pass. A field that converts
// nothing leaves *value unchanged and gives false.
bool ScanHexField(const char* text, int* value);
