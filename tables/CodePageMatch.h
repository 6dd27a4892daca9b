#pragma once
// Which built-in code page a table carries: the one whose upper half it
// matches in the most entries.

#include "tables/BuiltInCodePages.h"

#include <array>
#include <cstdint>
#include <string>

struct CodePageMatch {
    // Entries out of 128 that a table must match for the code page to name it.
    static constexpr int kGoodMatch = 112;

    const BuiltInCodePage* codePage = nullptr; // the best, the first listed among equals
    int matching = 0;                          // of the 128 entries 80-FF

    bool IsGood() const { return codePage != nullptr && matching >= kGoodMatch; }
};

// A byte that the code page leaves undefined matches U+0000, U+FFFD and the
// value with the byte's own number (U+0081 for 81), as tables fill such bytes.
CodePageMatch BestCodePageMatch(const std::array<std::uint16_t, 128>& upper);

// "windows-1250, 128 of 128", or "no built-in code page (nearest KOI8-R, 70 of 128)".
std::string CodePageMatchText(const CodePageMatch& match);
