#include "platform/ResourceStrings.h"

#include <algorithm>

namespace {
std::span<const AfxStringResource> g_strings;
} // namespace

void AfxRegisterStringTable(std::span<const AfxStringResource> table) { g_strings = table; }

const char* AfxLoadString(UINT id)
{
    const auto found = std::ranges::find(g_strings, id, &AfxStringResource::id);
    return found != g_strings.end() ? found->text : nullptr;
}
