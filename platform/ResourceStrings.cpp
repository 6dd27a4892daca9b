#include "platform/ResourceStrings.h"

namespace {
const AfxStringResource* g_table = nullptr;
std::size_t g_count = 0;
} // namespace

void AfxRegisterStringTable(const AfxStringResource* table, std::size_t count)
{
    g_table = table;
    g_count = count;
}

const char* AfxLoadString(UINT id)
{
    for (std::size_t i = 0; i < g_count; ++i) {
        if (g_table[i].id == id) {
            return g_table[i].text;
        }
    }
    return nullptr;
}
