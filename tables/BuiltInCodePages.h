#pragma once
// The single-byte code pages that the program knows by name, as sources of a
// whole table and as names of the tables it finds. Their values are those of
// the published mapping tables (tables/BuiltInCodePageData.cpp); the lower half
// of every one of them is ASCII.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

struct BuiltInCodePage {
    const char* name;    // as users know it: "windows-1251", "ISO-8859-5", "KOI8-R"
    const char* alias;   // the other name it goes by: "cp1251", "iso8859-5", "koi8r"
    const char* script;  // what it serves: "Cyrillic"
    // The values of bytes 80-FF; zero for a byte that the code page leaves undefined.
    std::array<std::uint16_t, 128> upper;
};

std::span<const BuiltInCodePage> BuiltInCodePages();

// The code page named so, by its name or alias in any case; nothing for an unknown name.
const BuiltInCodePage* FindBuiltInCodePage(std::string_view name);

// The byte's value in the code page; nothing for a byte it leaves undefined.
std::optional<std::uint16_t> BuiltInCodePageValue(const BuiltInCodePage& codePage, std::uint8_t byte);
