#include "tables/NeResources.h"

namespace {

constexpr std::int64_t kNewHeaderPointer = 0x3C;
constexpr std::int64_t kNewHeaderSize = 0x40;
constexpr std::int64_t kResourceTablePointer = 0x24;
constexpr std::int64_t kTypeInfoSize = 8;
constexpr std::int64_t kNameInfoSize = 12;
constexpr std::uint16_t kIntegerId = 0x8000;
constexpr std::uint16_t kRcData = 10;
constexpr std::uint16_t kFirstOwnType = 256;
// Larger alignment shifts would place every resource past any file.
constexpr std::uint16_t kLargestShift = 24;

// Little-endian reads that answer nothing outside the image.
class ImageReader {
public:
    explicit ImageReader(std::span<const std::uint8_t> image) : m_image(image) {}

    std::optional<std::uint16_t> Word(std::int64_t at) const
    {
        if (at < 0 || at + 2 > Size()) {
            return std::nullopt;
        }
        return static_cast<std::uint16_t>(m_image[At(at)] | (m_image[At(at + 1)] << 8));
    }

    std::optional<std::uint32_t> Dword(std::int64_t at) const
    {
        const std::optional<std::uint16_t> low = Word(at);
        const std::optional<std::uint16_t> high = Word(at + 2);
        if (!low || !high) {
            return std::nullopt;
        }
        return *low | (static_cast<std::uint32_t>(*high) << 16);
    }

    bool HasTag(std::int64_t at, char first, char second) const
    {
        const std::optional<std::uint16_t> word = Word(at);
        return word && *word == static_cast<std::uint16_t>(first | (second << 8));
    }

    std::int64_t Size() const { return static_cast<std::int64_t>(m_image.size()); }

private:
    static std::size_t At(std::int64_t at) { return static_cast<std::size_t>(at); }

    std::span<const std::uint8_t> m_image;
};

bool IsDataType(std::uint16_t typeId)
{
    if ((typeId & kIntegerId) == 0) {
        return true; // a named type is the module's own
    }
    const std::uint16_t type = typeId & ~kIntegerId;
    return type == kRcData || type >= kFirstOwnType;
}

// Where the resource table starts, for an MZ file with an NE header.
std::optional<std::int64_t> ResourceTableOffset(const ImageReader& image)
{
    if (!image.HasTag(0, 'M', 'Z')) {
        return std::nullopt;
    }
    const std::optional<std::uint32_t> newHeader = image.Dword(kNewHeaderPointer);
    if (!newHeader || *newHeader + kNewHeaderSize > image.Size() || !image.HasTag(*newHeader, 'N', 'E')) {
        return std::nullopt;
    }
    const std::optional<std::uint16_t> table = image.Word(*newHeader + kResourceTablePointer);
    if (!table) {
        return std::nullopt;
    }
    return *newHeader + *table;
}

} // namespace

std::vector<NeResource> ReadNeResources(std::span<const std::uint8_t> bytes)
{
    const ImageReader image(bytes);
    const std::optional<std::int64_t> table = ResourceTableOffset(image);
    if (!table) {
        return {};
    }
    const std::optional<std::uint16_t> shift = image.Word(*table);
    if (!shift || *shift > kLargestShift) {
        return {};
    }
    std::vector<NeResource> resources;
    std::int64_t at = *table + 2;
    // Every step moves on, and every read is checked, so the walk ends at the file's end at the latest.
    for (;;) {
        const std::optional<std::uint16_t> typeId = image.Word(at);
        if (!typeId) {
            return {};
        }
        if (*typeId == 0) {
            return resources;
        }
        const std::optional<std::uint16_t> count = image.Word(at + 2);
        if (!count) {
            return {};
        }
        at += kTypeInfoSize;
        for (std::uint16_t k = 0; k < *count; ++k, at += kNameInfoSize) {
            const std::optional<std::uint16_t> offset = image.Word(at);
            const std::optional<std::uint16_t> length = image.Word(at + 2);
            const std::optional<std::uint16_t> id = image.Word(at + 6);
            if (!offset || !length || !id) {
                return {};
            }
            NeResource resource{std::int64_t{*offset} << *shift, std::int64_t{*length} << *shift, std::nullopt,
                                IsDataType(*typeId)};
            if (resource.offset + resource.length > image.Size()) {
                return {};
            }
            if ((*id & kIntegerId) != 0) {
                resource.number = static_cast<std::uint16_t>(*id & ~kIntegerId);
            }
            resources.push_back(resource);
        }
    }
}
