#pragma once
// Synthetic sample files for tests, benchmarks and demonstrations, built from
// public code-page mappings (Qt's decoders). No file from any Windows
// installation is used.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace samples {

using Bytes = std::vector<std::uint8_t>;
using Mapping = std::array<std::uint16_t, 256>;

// Byte to UTF-16 for every byte of a single-byte code page that Qt knows, such
// as "windows-1251". A byte the code page leaves undefined maps to what the
// decoder gives for it. Returns an empty optional-like all-zero mapping and
// false in *known when the code page is unknown.
Mapping CodePageMapping(const std::string& codePage, bool* known = nullptr);

// Pseudo-random filler that never holds a zero byte, so that a table signature
// is never completed by accident in a predictable place.
Bytes Filler(std::size_t size, std::uint32_t seed);

void PutWord(Bytes& bytes, std::size_t offset, std::uint16_t value);
std::uint16_t GetWord(const Bytes& bytes, std::size_t offset);

struct GdiModuleOptions {
    std::size_t size = 8192;
    std::size_t tableBase = 1000;          // any offset, even or odd
    std::string codePage = "windows-1251"; // must place U+0410-U+0414 at 0xC0-0xC4 to be found
    std::vector<std::size_t> strayCopies;  // offsets of further copies of the ten signature bytes
    std::uint32_t seed = 1;
};

// A module of options.size bytes with the code-page table at options.tableBase.
Bytes MakeGdiModule(const GdiModuleOptions& options);

bool WriteFile(const std::string& path, const Bytes& bytes);
bool ReadFile(const std::string& path, Bytes& bytes);

} // namespace samples
