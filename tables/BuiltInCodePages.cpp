#include "tables/BuiltInCodePages.h"

#include <algorithm>
#include <cctype>

extern const BuiltInCodePage kBuiltInCodePages[];
extern const std::size_t kBuiltInCodePageCount;

std::span<const BuiltInCodePage> BuiltInCodePages()
{
    return {kBuiltInCodePages, kBuiltInCodePageCount};
}

namespace {

bool SameNameInAnyCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

} // namespace

const BuiltInCodePage* FindBuiltInCodePage(std::string_view name)
{
    for (const BuiltInCodePage& codePage : BuiltInCodePages()) {
        if (SameNameInAnyCase(name, codePage.name) || SameNameInAnyCase(name, codePage.alias)) {
            return &codePage;
        }
    }
    return nullptr;
}

std::optional<std::uint16_t> BuiltInCodePageValue(const BuiltInCodePage& codePage, std::uint8_t byte)
{
    if (byte < 0x80) {
        return byte;
    }
    const std::uint16_t value = codePage.upper[byte - 0x80];
    if (value == 0) {
        return std::nullopt;
    }
    return value;
}
