#include "platform/ResourceMenus.h"

#include <algorithm>

namespace {
std::span<const AfxMenuResource> g_menus;
} // namespace

void AfxRegisterMenus(std::span<const AfxMenuResource> menus) { g_menus = menus; }

const AfxMenuResource* AfxFindMenu(UINT id)
{
    const auto found = std::ranges::find(g_menus, id, &AfxMenuResource::id);
    return found != g_menus.end() ? &*found : nullptr;
}
