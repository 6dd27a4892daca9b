// Find without a window: how the typed text is read, and which cells of a table hold what it names.
#include "view/TableSearch.h"

#include "document/CVarnoDoc.h"
#include "platform/CDocTemplate.h"
#include "platform/CWinApp.h"
#include "tests/TempDir.h"
#include "tools/SampleGenerator.h"

#include <gtest/gtest.h>

namespace {

TEST(TableSearch, FindsTheEntriesThatTheTextNames)
{
    CWinApp app("varno");
    app.AddDocTemplate(new CDocTemplate(129, RUNTIME_CLASS(CVarnoDoc), nullptr, nullptr));
    TempDir files;
    samples::KeyboardLayoutOptions keys;
    keys.keys[3] = {0x00, 0xB9, true};
    keys.keys[5] = {0xB9, '%', false};
    auto open = [&](const std::string& name, const samples::Bytes& bytes) {
        return static_cast<CVarnoDoc*>(app.OpenDocumentFile(files.Put(name, bytes).c_str()));
    };
    CVarnoDoc* grid = open("c_1252.nls", samples::MakeNtCodePageFile({.codePage = "windows-1252", .number = 1252}));
    CVarnoDoc* layout = open("ru.kbd", samples::MakeKeyboardLayout(keys));
    ASSERT_TRUE(grid != nullptr && layout != nullptr);
    const struct {
        CVarnoDoc* doc;
        const char* text;
        std::vector<int> entries;
        const char* refusal = ""; // a part of it, when the text makes no query
    } cases[] = {
        {grid, "20AC", {0x80}},
        {grid, "u+20ac", {0x80}},
        {grid, "0x20AC", {0x80}},
        {grid, " € ", {0x80}},
        {grid, "C0", {0xC0}},
        {grid, "a", {}},
        {grid, "euro", {0x80}},
        {grid, "with GRAVE", {0xC0, 0xC8, 0xCC, 0xD2, 0xD9, 0xE0, 0xE8, 0xEC, 0xF2, 0xF9}},
        {grid, "control", {0x81, 0x8D, 0x8F, 0x90, 0x9D}},
        {grid, "  ", {}, "Type a Unicode value"},
        {grid, "U+1F600", {}, "U+1F600 is above FFFF"},
        {grid, "😀", {}, "U+1F600 is above FFFF"},
        {grid, "U+x", {}, "U+ comes before a value"},
        {layout, "B9", {3, 5}},
        {layout, "№", {3, 5}},
        {layout, "0x25", {5}},
        {layout, "euro", {}, "keys hold bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        QString refusal;
        const std::optional<SearchQuery> query
            = ParseSearch(QString::fromUtf8(c.text), c.doc == layout, "windows-1251", refusal);
        EXPECT_NE(refusal.toStdString().find(c.refusal), std::string::npos) << refusal.toStdString();
        EXPECT_EQ(query.has_value(), *c.refusal == '\0');
        if (query) {
            EXPECT_EQ(FindEntries(*c.doc, *query), c.entries);
        }
    }
}

TEST(TableSearch, NextMatchWrapsRound)
{
    const std::vector<int> matches{0xC0, 0xC8, 0xE0};
    const struct {
        int entry, direction, next;
    } cases[] = {
        {0xC0, +1, 0xC8}, {0xC4, +1, 0xC8}, {0xE0, +1, 0xC0}, {0xFF, +1, 0xC0},
        {0xC8, -1, 0xC0}, {0xC4, -1, 0xC0}, {0xC0, -1, 0xE0}, {0x80, -1, 0xE0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NextMatch(matches, c.entry, c.direction), c.next) << std::hex << c.entry << " " << c.direction;
    }
    EXPECT_EQ(NextMatch({}, 0xC0, +1), -1);
}

} // namespace
