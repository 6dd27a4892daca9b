#pragma once
// The resources of a 16-bit Windows executable: an MZ header whose word at
// 3C leads to an NE header, whose resource table lists each resource's place
// in the file, type and number.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct NeResource {
    std::int64_t offset = 0;
    std::int64_t length = 0;
    std::optional<std::uint16_t> number; // none for a resource known by name
    // Of the type that holds raw data: RCDATA, or a type of the module's own
    // (a named type, or a number of 256 or more).
    bool data = false;
};

// The resources in the order the resource table lists them. Empty for a file
// that is no such executable, and for a resource table that is malformed:
// one that runs past the file's end, or lists a resource that does.
std::vector<NeResource> ReadNeResources(std::span<const std::uint8_t> image);
