#pragma once
// Which character sets can name the characters of a table's bytes (show --charset).

#include <string>

// True when a decoder knows the named set and it turns every byte into one
// character: false for UTF-8, UTF-16, Shift_JIS and the like.
bool IsSingleByteCharset(const std::string& charset);
