#pragma once
// The input of the handler fuzz targets (scripts/make-fuzz-corpus.sh writes the seeds):
//
//   byte 0                count n of operations
//   n times 4 bytes       kind, a byte argument, a 16-bit argument (little-endian)
//   4 bytes               image length L (little-endian), at most kMaxImageLength
//   the rest              the image's first bytes; zeros fill it up to L
//
// The length lets a small input stand for a full-sized file.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fuzz {

// Past the farthest place a malformed 9x table can point to (offset 131,711).
constexpr std::size_t kMaxImageLength = 140000;

struct Operation {
    std::uint8_t kind;
    std::uint8_t byte;
    std::uint16_t word;
};

struct Input {
    std::vector<Operation> operations;
    std::vector<std::uint8_t> image;
};

// Fills input, keeping its buffers' capacity: the targets reuse one Input, since
// a fresh large allocation in every run costs more than the run itself.
inline void ParseInput(const std::uint8_t* data, std::size_t size, Input& input)
{
    input.operations.clear();
    std::size_t at = 0;
    std::size_t count = size > 0 ? data[at++] : 0;
    for (std::size_t i = 0; i < count && at + 4 <= size; ++i, at += 4) {
        input.operations.push_back({data[at], data[at + 1], static_cast<std::uint16_t>(data[at + 2] | (data[at + 3] << 8))});
    }
    std::size_t length = 0;
    for (int shift = 0; shift < 32 && at < size; shift += 8) {
        length |= static_cast<std::size_t>(data[at++]) << shift;
    }
    std::size_t prefix = std::min(size - at, kMaxImageLength);
    input.image.assign(data + at, data + at + prefix);
    input.image.resize(std::min(std::max(length, prefix), kMaxImageLength), 0);
}

} // namespace fuzz
