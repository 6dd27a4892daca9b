#pragma once
// Small helpers that tests of every folder share: hexadecimal text, the offsets where two files differ and
// glibc's iconv (which shares no code with the Qt decoders behind the generated files).

#include "tools/SampleGenerator.h"

#include <iconv.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// The value as upper-case hexadecimal of at least digits digits, as the dialogs and varno-table write it.
inline std::string Hex(unsigned value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

// The file's bytes; none when it cannot be read.
inline samples::Bytes Contents(const std::string& path)
{
    samples::Bytes bytes;
    samples::ReadFile(path, bytes);
    return bytes;
}

// The offsets at which two files differ, and any length difference as the shorter length.
inline std::vector<std::size_t> DifferingOffsets(const samples::Bytes& actual, const samples::Bytes& expected)
{
    std::vector<std::size_t> offsets;
    const std::size_t common = std::min(actual.size(), expected.size());
    for (std::size_t k = 0; k < common; ++k) {
        if (actual[k] != expected[k]) {
            offsets.push_back(k);
        }
    }
    if (actual.size() != expected.size()) {
        offsets.push_back(common);
    }
    return offsets;
}

// The whole text converted by iconv, or nothing when iconv cannot convert all of it.
inline std::optional<std::string> Iconv(const char* to, const char* from, std::string text)
{
    iconv_t handle = iconv_open(to, from);
    if (handle == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string out(4 * text.size() + 8, '\0');
    char* in = text.data();
    char* at = out.data();
    std::size_t inLeft = text.size();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(handle, &in, &inLeft, &at, &outLeft);
    iconv_close(handle);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0) {
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    return out;
}

inline std::optional<std::string> IconvByte(const char* to, const char* from, int byte)
{
    return Iconv(to, from, std::string(1, static_cast<char>(byte)));
}

// The Unicode value of one byte of a code page, as iconv decodes it.
inline std::optional<std::uint16_t> IconvUnicode(const char* charset, int byte)
{
    const std::optional<std::string> utf16 = IconvByte("UTF-16LE", charset, byte);
    if (!utf16 || utf16->size() != 2) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>((*utf16)[0]) | static_cast<std::uint8_t>((*utf16)[1]) << 8);
}

// The byte of a code page that iconv encodes the value to.
inline std::optional<std::uint8_t> IconvEncode(const char* charset, std::uint16_t unicode)
{
    const std::optional<std::string> bytes =
        Iconv(charset, "UTF-16LE", {static_cast<char>(unicode & 0xFF), static_cast<char>(unicode >> 8)});
    if (!bytes || bytes->size() != 1) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>((*bytes)[0]);
}
