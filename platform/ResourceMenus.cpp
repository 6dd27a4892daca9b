#include "platform/ResourceMenus.h"

namespace {
std::span<const AfxMenuResource> g_menus;
} // namespace

void AfxRegisterMenus(std::span<const AfxMenuResource> menus) { g_menus = menus; }

const AfxMenuResource* AfxFindMenu(UINT id)
{
    for (const AfxMenuResource& menu : g_menus) {
        if (menu.id == id) {
            return &menu;
        }
    }
    return nullptr;
}
