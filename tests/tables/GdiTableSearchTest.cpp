#include "tables/CGdiTableHandler.h"
#include "tables/GdiTableSearch.h"

#include "tests/HandlerImage.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// A module with Central European, Cyrillic and Greek tables, the Cyrillic one at an odd offset.
const samples::GdiTablesOptions kThreeTables{.size = 8192, .offsets = {1000, 3001, 5000}};

std::vector<std::int32_t> Offsets(const std::vector<GdiTable>& tables)
{
    std::vector<std::int32_t> offsets;
    for (const GdiTable& table : tables) {
        offsets.push_back(table.offset);
    }
    return offsets;
}

} // namespace

TEST(GdiTableSearch, FindsEveryTableByItsAsciiHalf)
{
    using Bytes = samples::Bytes;
    const Bytes greek = samples::MakeGdiModuleWithTables({.size = 512, .codePages = {"windows-1253"},
                                                          .offsets = {0}, .resourceTable = false});
    const auto changed = [](Bytes bytes, std::size_t offset, std::uint8_t value) {
        bytes.at(offset) = value;
        return bytes;
    };
    Bytes flatUpperHalf = greek;
    for (std::size_t at = 0x100; at < 0x200; at += 2) {
        samples::PutWord(flatUpperHalf, at, 0x0391);
    }
    const struct {
        const char* what;
        Bytes bytes;
        std::vector<std::int32_t> offsets;
    } cases[] = {
        {"three tables, one at an odd offset", samples::MakeGdiModuleWithTables(kThreeTables), {1000, 3001, 5000}},
        {"a table that is the whole file", greek, {0}},
        {"the last byte cut off", Bytes(greek.begin(), greek.end() - 1), {}},
        {"the table would start before the file", Bytes(greek.begin() + 1, greek.end()), {}},
        {"entry 7E altered", changed(greek, 2 * 0x7E, 0x7D), {}},
        {"entry 20 altered", changed(greek, 2 * 0x20 + 1, 0x01), {}},
        {"one value throughout the upper half", flatUpperHalf, {}},
        {"all but one entry of the upper half alike", changed(flatUpperHalf, 0x1FE, 0x92), {0}},
        {"tables back to back",
         samples::MakeGdiModuleWithTables({.size = 2048, .offsets = {257, 769, 1281}, .resourceTable = false}),
         {257, 769, 1281}},
        {"filler without tables", samples::Filler(1 << 16, 7), {}},
        {"nothing", Bytes{}, {}},
    };
    for (const auto& c : cases) {
        // Exactly as long as the file, so that a read past its end is caught under the sanitizers.
        EXPECT_EQ(Offsets(FindGdiTables(c.bytes)), c.offsets) << c.what;
    }
    // A table at each offset of a stretch longer than the distance between the places the search looks at.
    for (std::int32_t offset = 600; offset < 900; ++offset) {
        samples::Bytes module = samples::Filler(1600, 3);
        std::copy(greek.begin(), greek.end(), module.begin() + offset);
        EXPECT_EQ(Offsets(FindGdiTables(module)), std::vector<std::int32_t>{offset}) << offset;
    }
}

TEST(GdiTableSearch, NumbersTablesByTheResourceTableWhenItCanBeRead)
{
    using Bytes = samples::Bytes;
    const Bytes module = samples::MakeGdiModuleWithTables(kThreeTables);
    const std::size_t resourceTable = 0x80;
    const std::size_t firstEntry = resourceTable + 10;
    const auto changedWord = [&module](std::size_t offset, std::uint16_t value) {
        Bytes bytes = module;
        samples::PutWord(bytes, offset, value);
        return bytes;
    };
    using Numbers = std::vector<std::optional<std::uint16_t>>;
    const Numbers none(3);
    const struct {
        const char* what;
        Bytes bytes;
        Numbers numbers;
    } cases[] = {
        {"RCDATA resources 7 to 9", samples::MakeGdiModuleWithTables({.size = 8192, .offsets = {1000, 3001, 5000},
                                                                       .firstResource = 7}), {7, 8, 9}},
        {"no resource table", samples::MakeGdiModuleWithTables({.size = 8192, .offsets = {1000, 3001, 5000},
                                                                 .resourceTable = false}), none},
        {"a type of the module's own", changedWord(resourceTable + 2, 0x8100), {1, 2, 3}},
        {"icons hold no table", changedWord(resourceTable + 2, 0x8003), none},
        {"the second resource too short for its table", changedWord(firstEntry + 12 + 2, 2), {1, std::nullopt, 3}},
        {"a resource known by name", changedWord(firstEntry + 6, 0x0040), {std::nullopt, 2, 3}},
        {"not MZ", changedWord(0, 0x4D5A), none},
        {"the NE header past the file's end", changedWord(0x3C, 0xFFF0), none},
        {"the resource table past the file's end", changedWord(0x40 + 0x24, 0xFFFF), none},
        {"an alignment shift beyond any file", changedWord(resourceTable, 40), none},
        {"a resource past the file's end", changedWord(firstEntry + 2, 0xFFFF), none},
        {"more resources than the file holds", changedWord(resourceTable + 4, 0xFFFF), none},
        {"no end to the resource types", changedWord(firstEntry + 36, 0x800A), none},
    };
    for (const auto& c : cases) {
        const std::vector<GdiTable> tables = FindGdiTables(c.bytes);
        ASSERT_EQ(Offsets(tables), (std::vector<std::int32_t>{1000, 3001, 5000})) << c.what;
        Numbers numbers;
        for (const GdiTable& table : tables) {
            numbers.push_back(table.resource);
        }
        EXPECT_EQ(numbers, c.numbers) << c.what;
    }
}

TEST(GdiTableSearch, NamesEachTableByItsBestBuiltInCodePage)
{
    samples::Bytes module = samples::MakeGdiModuleWithTables(
        {.size = 8192, .codePages = {"windows-1250", "KOI8-R", "IBM852", "windows-1253"}});
    CGdiTableHandler handler;
    ASSERT_TRUE(LoadImage(handler, module));
    ASSERT_EQ(handler.FindTables(), 4u);
    // The Greek table with one entry changed, and the Central European DOS one with most of its letters gone.
    handler.SelectTable(3);
    handler.Assign(0xC1, 0x0041);
    handler.SelectTable(2);
    for (int byte = 0x80; byte < 0xB0; ++byte) {
        handler.Assign(static_cast<std::uint8_t>(byte), 0x0041);
    }
    const char* names[] = {"windows-1250, 128 of 128", "KOI8-R, 128 of 128",
                           "no built-in code page (nearest IBM852, 80 of 128)", "windows-1253, 127 of 128"};
    for (std::size_t index = 0; index < std::size(names); ++index) {
        EXPECT_EQ(CodePageMatchText(handler.TableMatch(index)), names[index]) << index;
    }
}

// The module opens on the table that the Cyrillic signature finds, else on the first; each table keeps its own flags.
TEST(GdiTableSearch, HandlerSelectsOneTableAtATime)
{
    const struct {
        const char* what;
        std::vector<std::string> codePages;
        std::size_t opensOn;
    } cases[] = {
        {"the Cyrillic table in the middle", {"windows-1250", "windows-1251", "windows-1253"}, 1},
        {"no Cyrillic table", {"windows-1250", "windows-1253"}, 0},
    };
    for (const auto& c : cases) {
        samples::GdiTablesOptions options{.size = 8192, .codePages = c.codePages};
        CGdiTableHandler handler;
        ASSERT_TRUE(LoadImage(handler, samples::MakeGdiModuleWithTables(options)));
        ASSERT_EQ(handler.FindTables(), c.codePages.size()) << c.what;
        EXPECT_EQ(handler.SelectedTable(), c.opensOn) << c.what;
        EXPECT_EQ(handler.m_forwardOffset, static_cast<std::int32_t>(samples::GdiTableOffsets(options)[c.opensOn]));

        const std::size_t other = c.opensOn == 0 ? 1 : 0;
        handler.Assign(0xC0, 0x0401);
        ASSERT_TRUE(handler.SelectTable(other));
        EXPECT_EQ(handler.m_forwardOffset, static_cast<std::int32_t>(samples::GdiTableOffsets(options)[other]));
        EXPECT_EQ(handler.m_modified[0xC0], 0) << c.what;
        // Only the table the signature finds must keep it.
        EXPECT_EQ(handler.KeepsTableFindable({{0xC4, 0x0434}}), true) << c.what;
        ASSERT_TRUE(handler.SelectTable(c.opensOn));
        EXPECT_EQ(handler.m_modified[0xC0], 1) << c.what;
        EXPECT_EQ(handler.KeepsTableFindable({{0xC4, 0x0434}}), !handler.SignatureTable()) << c.what;
        EXPECT_FALSE(handler.SelectTable(c.codePages.size())) << c.what;
        EXPECT_EQ(handler.SelectedTable(), c.opensOn) << c.what;
    }
}
