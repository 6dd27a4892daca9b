#include "document/CVarnoDoc.h"

#include <gtest/gtest.h>

namespace {

TEST(CVarnoDocKind, FromTheLowerCasedNameByTheFirstMatchingPart)
{
    const struct {
        const char* name;
        int kind;
    } cases[] = {
        {"c_1251.nls", 1},  {"cp_1251.nls", 2},   {"C_1251.NLS", 1},  {"CP_1252.NLS", 2}, {"pc_", 1},
        {"abc_cp_1251.nls", 1}, // "c_" is tested first and stands where abc meets the underscore
        {"gdi.exe", 4},     {"user.exe", 4},      {"GdI", 4},         {"gdi_c_1251.nls", 4}, {"mygdi.kbd", 4},
        {"cp_1251.exe", 4}, {"a.exe.bak", 4},     {"us.kbd", 3},      {"US.KBD", 3},       {"c_.kbd.txt", 3},
        {"kbdc_x.kbd", 3}, // ".kbd" before "c_"
        {"1251.nls", 0},    {"readme.txt", 0},    {"exe", 0},         {"kbd", 0},          {"cp1251.nls", 0},
        {"c-1251.nls", 0},  {"", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CVarnoDoc::KindFromFileName(c.name), c.kind) << c.name;
    }
}

} // namespace
