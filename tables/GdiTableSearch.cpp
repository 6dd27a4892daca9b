#include "tables/GdiTableSearch.h"

#include "tables/NeResources.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr std::uint8_t kFirstAscii = 0x20;
constexpr std::uint8_t kLastAscii = 0x7E;
constexpr std::int64_t kAsciiStart = 2 * kFirstAscii; // of entry 20 in the table
constexpr std::int64_t kAsciiSpan = 2 * (kLastAscii - kFirstAscii + 1);
constexpr std::int64_t kUpperStart = 2 * 0x80;
constexpr std::int64_t kTableSize = 512;

// The bytes of entries 20-7E: 20 00 21 00 ... 7E 00.
constexpr std::array<std::uint8_t, kAsciiSpan> kAsciiRun = [] {
    std::array<std::uint8_t, kAsciiSpan> run{};
    for (std::size_t k = 0; k < run.size(); k += 2) {
        run[k] = static_cast<std::uint8_t>(kFirstAscii + k / 2);
    }
    return run;
}();

// Probes this far apart leave no run unprobed: each run holds a probe and the
// byte behind it.
constexpr std::int64_t kProbeStride = kAsciiSpan - 1;

// Where the run that holds the bytes at position and position + 1 would start,
// told by those two bytes alone: a character and its zero high byte, or a zero
// high byte and the next character. Nothing when they fit no place in a run.
std::optional<std::int64_t> RunStartAround(const std::uint8_t* bytes, std::int64_t position)
{
    const std::uint8_t first = bytes[position];
    const std::uint8_t second = bytes[position + 1];
    if (second == 0 && first >= kFirstAscii && first <= kLastAscii) {
        return position - 2 * (first - kFirstAscii);
    }
    if (first == 0 && second > kFirstAscii && second <= kLastAscii) {
        return position + 1 - 2 * (second - kFirstAscii);
    }
    return std::nullopt;
}

bool HasVariedUpperHalf(const std::uint8_t* table)
{
    for (std::int64_t at = kUpperStart + 2; at < kTableSize; at += 2) {
        if (std::memcmp(table + at, table + kUpperStart, 2) != 0) {
            return true;
        }
    }
    return false;
}

bool IsTableAt(std::span<const std::uint8_t> image, std::int64_t base)
{
    if (base < 0 || base + kTableSize > static_cast<std::int64_t>(image.size())) {
        return false;
    }
    const std::uint8_t* table = image.data() + base;
    return std::memcmp(table + kAsciiStart, kAsciiRun.data(), kAsciiRun.size()) == 0 && HasVariedUpperHalf(table);
}

std::optional<std::uint16_t> DataResourceHolding(const std::vector<NeResource>& resources, std::int64_t base)
{
    for (const NeResource& resource : resources) {
        if (resource.data && resource.offset <= base && base + kTableSize <= resource.offset + resource.length) {
            return resource.number;
        }
    }
    return std::nullopt;
}

} // namespace

std::vector<GdiTable> FindGdiTables(std::span<const std::uint8_t> image)
{
    std::vector<GdiTable> tables;
    const auto size = static_cast<std::int64_t>(image.size());
    for (std::int64_t probe = 0; probe + 1 < size; probe += kProbeStride) {
        const std::optional<std::int64_t> start = RunStartAround(image.data(), probe);
        if (!start) {
            continue;
        }
        const std::int64_t base = *start - kAsciiStart;
        // Runs cannot overlap, so a table seen from two probes comes twice in a row.
        const bool seen = !tables.empty() && tables.back().offset == base;
        if (!seen && IsTableAt(image, base)) {
            tables.push_back({static_cast<std::int32_t>(base), std::nullopt});
        }
    }
    if (!tables.empty()) {
        const std::vector<NeResource> resources = ReadNeResources(image);
        for (GdiTable& table : tables) {
            table.resource = DataResourceHolding(resources, table.offset);
        }
    }
    return tables;
}

GdiTable GdiTableAt(std::span<const std::uint8_t> image, std::int32_t offset)
{
    return {offset, DataResourceHolding(ReadNeResources(image), offset)};
}
