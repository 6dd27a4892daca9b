#include "tables/C9xCodePageHandler.h"
#include "tables/CGdiTableHandler.h"

#include "tests/tables/HandlerImage.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

constexpr std::size_t kTable = 610;

std::uint16_t Entry(const CTableHandler& handler, std::size_t k)
{
    return static_cast<std::uint16_t>(handler.m_data[kTable + 2 * k] | (handler.m_data[kTable + 2 * k + 1] << 8));
}

// ASCII in the lower half, U+0400-U+047F in the upper half.
samples::Mapping AsciiAndCyrillic()
{
    samples::Mapping forward;
    for (std::size_t byte = 0; byte < 256; ++byte) {
        forward[byte] = static_cast<std::uint16_t>(byte < 0x80 ? byte : 0x0400 + (byte - 0x80));
    }
    return forward;
}

// 256 distinct values with 256 distinct high bytes: the largest table.
samples::Mapping DistinctHighBytes()
{
    samples::Mapping forward;
    for (std::size_t byte = 0; byte < 256; ++byte) {
        forward[byte] = static_cast<std::uint16_t>(byte << 8 | 0x21);
    }
    return forward;
}

// A file whose reverse table is garbage, so that only a rebuild can make it right.
samples::Bytes UnbuiltFile(const samples::Mapping& forward, std::size_t size)
{
    samples::Bytes bytes = samples::Filler(size, 7);
    for (std::size_t byte = 0; byte < 256; ++byte) {
        samples::PutWord(bytes, 98 + 2 * byte, forward[byte]);
    }
    std::fill(bytes.begin() + kTable, bytes.end(), 0xEE);
    return bytes;
}

} // namespace

TEST(NinexCodePageHandler, RebuildGivesTheBlocksInAscendingOrder)
{
    samples::Bytes original = UnbuiltFile(AsciiAndCyrillic(), 4000);
    C9xCodePageHandler handler;
    LoadImage(handler, original);
    handler.Assign(0x80, 0x0400); // the value it already holds: still a full rebuild
    EXPECT_EQ(FlaggedEntries(handler), std::vector<int>{0x80});

    for (std::size_t high = 0; high < 256; ++high) {
        EXPECT_EQ(Entry(handler, high), high == 0 ? 288 : high == 4 ? 432 : 256) << high;
    }
    for (std::size_t m = 0; m < 16; ++m) {
        EXPECT_EQ(Entry(handler, 288 + m), m < 8 ? 304 + 16 * m : 272) << m;
        EXPECT_EQ(Entry(handler, 432 + m), m < 8 ? 448 + 16 * m : 272) << m;
    }
    for (std::size_t k = 256; k < 288; ++k) {
        EXPECT_EQ(Entry(handler, k), k < 272 ? 272 : 0x3F);
    }
    for (std::size_t value = 0; value < 0x80; ++value) {
        EXPECT_EQ(Entry(handler, 304 + value), value) << "byte 0x3F holds its own value and keeps the fill 0x3F";
        EXPECT_EQ(Entry(handler, 448 + value), 0x80 + value);
    }
    // 576 entries end at offset 1,761; nothing behind them is written.
    std::vector<std::size_t> changed = ChangedOffsets(handler, original);
    ASSERT_FALSE(changed.empty());
    EXPECT_EQ(changed.front(), kTable);
    EXPECT_LE(changed.back(), 1761u);
    EXPECT_EQ(handler.ReverseLookup(0x0430), 0xB0);
    EXPECT_EQ(handler.ReverseLookup(0x0480), 0x3F);
}

TEST(NinexCodePageHandler, LargestTableFitsOnlyWhenTheFileHoldsIt)
{
    samples::Mapping forward = DistinctHighBytes();
    struct Case {
        std::size_t length;
        bool fits;
    };
    for (Case c : {Case{17506, true}, Case{17505, false}, Case{17000, false}}) {
        SCOPED_TRACE(c.length);
        samples::Bytes original = UnbuiltFile(forward, c.length);
        C9xCodePageHandler handler;
        LoadImage(handler, original);
        EXPECT_EQ(handler.CanAssign({{0x10, forward[0x10]}}), c.fits);
        handler.Assign(0x10, forward[0x10]);
        EXPECT_EQ(handler.m_modified[0x10], c.fits ? 1 : 0);
        std::vector<std::size_t> changed = ChangedOffsets(handler, original);
        if (c.fits) {
            ASSERT_FALSE(changed.empty());
            EXPECT_EQ(changed.back(), 17505u);
            EXPECT_EQ(handler.ReverseLookup(0x3F21), 0x3F);
            EXPECT_EQ(handler.ReverseLookup(0xFF21), 0xFF);
        } else {
            EXPECT_TRUE(changed.empty());
        }
    }
}

TEST(NinexCodePageHandler, RefusedAssignLeavesEvenTheForwardEntry)
{
    // Exactly as long as the current table: a new high byte does not fit.
    samples::Mapping forward = AsciiAndCyrillic();
    samples::Bytes original = samples::MakeNinexCodePageFile(forward, kTable + 2 * 576, 3);
    C9xCodePageHandler handler;
    LoadImage(handler, original);
    EXPECT_FALSE(handler.CanAssign({{0xC0, 0x2116}}));
    handler.Assign(0xC0, 0x2116);
    EXPECT_TRUE(ChangedOffsets(handler, original).empty());
    EXPECT_EQ(handler.Lookup(0xC0), 0x0440);
    EXPECT_TRUE(FlaggedEntries(handler).empty());

    // Moving a value within its blocks fits.
    EXPECT_TRUE(handler.CanAssign({{0xC0, 0x0401}}));
    handler.Assign(0xC0, 0x0401);
    EXPECT_EQ(handler.Lookup(0xC0), 0x0401);
}

TEST(NinexCodePageHandler, ShrinkingRebuildLeavesTheOldBytesBehind)
{
    samples::Mapping forward = DistinctHighBytes();
    samples::Bytes original = samples::MakeNinexCodePageFile(forward, 17506, 5);
    C9xCodePageHandler handler;
    LoadImage(handler, original);
    handler.Assign(0x10, 0x0021); // byte 0's value: high byte 0x10 needs no blocks any more
    const std::size_t newEnd = kTable + 2 * (8448 - 32);
    samples::Bytes image = FileBytes(handler);
    EXPECT_TRUE(std::equal(image.begin() + newEnd, image.end(), original.begin() + newEnd));
    EXPECT_EQ(handler.ReverseLookup(0x0021), 0x10) << "the higher of two holders";
    EXPECT_EQ(handler.ReverseLookup(0x1021), 0x3F);
}

TEST(NinexCodePageHandler, DuplicatesGoToTheHighestByteWhereGdiPicksTheLowest)
{
    C9xCodePageHandler ninex;
    LoadImage(ninex, samples::MakeNinexCodePageFile({}));
    CGdiTableHandler gdi;
    LoadImage(gdi, samples::MakeGdiModule({}));
    gdi.LocateTable(nullptr, 0);
    CTableHandler* handlers[] = {&ninex, &gdi};
    for (CTableHandler* handler : handlers) {
        handler->Assign(0x41, 0x0421);
        handler->Assign(0x30, 0x0421);
    }
    EXPECT_EQ(ninex.ReverseLookup(0x0421), 0xD1);
    EXPECT_EQ(gdi.ReverseLookup(0x0421), 0x30);
}

TEST(NinexCodePageHandler, ValuesThatNoOtherByteHoldsAnswerQuestionMark)
{
    samples::Bytes original = samples::MakeNinexCodePageFile({});
    // The file's table claims byte 0x99 for U+2222 through blocks of its own at
    // 4,000 and 4,016: the first rebuild forgets that.
    samples::PutWord(original, kTable + 2 * 0x22, 4000);
    samples::PutWord(original, kTable + 2 * (4000 + 2), 4016);
    samples::PutWord(original, kTable + 2 * (4016 + 2), 0x99);
    C9xCodePageHandler handler;
    LoadImage(handler, original);
    ASSERT_EQ(handler.ReverseLookup(0x2222), 0x99);
    handler.Assign(0x3F, 0x2222); // held only by byte 0x3F
    EXPECT_EQ(handler.ReverseLookup(0x2222), 0x3F);
    EXPECT_EQ(Entry(handler, 0x22), 256) << "no block for a value only 0x3F holds";
    EXPECT_EQ(handler.ReverseLookup(0x003F), 0x3F) << "nobody holds U+003F now";
    EXPECT_EQ(handler.ReverseLookup(0xBEEF), 0x3F);
}

TEST(NinexCodePageHandler, MalformedPositionsFindNoByte)
{
    struct Case {
        const char* what;
        std::size_t k;
        std::uint16_t value;
    };
    // U+0410 walks t[4], then t[t[4] + 1], then t[... + 0].
    const Case cases[] = {
        {"first level points far past the file", 4, 0xFFFF},
        {"second level points past the file", 4, 2000},
        {"third-level entry past the file", 4, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        samples::Bytes bytes = samples::MakeNinexCodePageFile({});
        bytes.resize(4000);
        samples::PutWord(bytes, kTable + 2 * c.k, c.value);
        samples::PutWord(bytes, kTable + 2 * (1000 + 1), 1700); // 610 + 2 x 1700 lies past 4,000
        C9xCodePageHandler handler;
        LoadImage(handler, bytes);
        EXPECT_EQ(handler.ReverseLookup(0x0410), 0x3F);
    }
    samples::Bytes cutBytes = samples::MakeNinexCodePageFile({});
    cutBytes.resize(700); // the first level is there, the default blocks are not
    C9xCodePageHandler cut;
    LoadImage(cut, cutBytes);
    EXPECT_FALSE(cut.IsImageLongEnough());
    for (std::uint16_t unicode : {0x0041, 0x0410, 0xFFFF}) {
        EXPECT_EQ(cut.ReverseLookup(unicode), 0x3F);
    }
    cut.Assign(0x41, 0x0041);
    EXPECT_TRUE(ChangedOffsets(cut, cutBytes).empty());
}

TEST(NinexCodePageHandler, AssignWritesWhatTheStraightforwardRebuildWrites)
{
    std::mt19937 random(20240611);
    // Value sources that give small, large, duplicate-heavy and 0x3F-holding tables.
    auto anyValue = [&] { return static_cast<std::uint16_t>(random()); };
    auto fewValues = [&] { return static_cast<std::uint16_t>(0x3F + random() % 6); };
    auto oneHighByte = [&] { return static_cast<std::uint16_t>(0x0400 | (random() % 0x100)); };
    auto distinctHigh = [&] { return static_cast<std::uint16_t>((random() % 0x100) << 8 | 0x7F); };
    samples::Mapping windows1251 = samples::CodePageMapping("windows-1251");
    for (int round = 0; round < 3000; ++round) {
        SCOPED_TRACE(round);
        samples::Mapping forward;
        int kind = round % 5;
        for (std::size_t byte = 0; byte < 256; ++byte) {
            switch (kind) {
            case 0: forward[byte] = anyValue(); break;
            case 1: forward[byte] = fewValues(); break;
            case 2: forward[byte] = oneHighByte(); break;
            case 3: forward[byte] = distinctHigh(); break;
            default: forward[byte] = random() % 8 == 0 ? anyValue() : windows1251[byte]; break;
            }
        }
        std::size_t size = 600 + random() % (17600 - 600);
        samples::Bytes reference = samples::MakeNinexCodePageFile(forward, size, static_cast<std::uint32_t>(round));
        auto byte = static_cast<std::uint8_t>(random());
        std::uint16_t unicode = kind == 1 ? fewValues() : anyValue();

        C9xCodePageHandler handler;
        LoadImage(handler, reference);
        bool predicted = handler.CanAssign({{byte, unicode}});
        handler.Assign(byte, unicode);
        bool done = samples::ReferenceNinexAssign(reference, byte, unicode);
        ASSERT_EQ(predicted, done);
        ASSERT_EQ(handler.m_modified[byte], done ? 1 : 0);
        ASSERT_TRUE(ChangedOffsets(handler, reference).empty());
    }
}

TEST(NinexCodePageHandler, CanAssignFollowsTheSequenceInOrder)
{
    // Room for the table of ASCII and Cyrillic plus one more high byte's two blocks.
    samples::Mapping forward = AsciiAndCyrillic();
    samples::Bytes original = samples::MakeNinexCodePageFile(forward, kTable + 2 * (576 + 32), 9);
    C9xCodePageHandler handler;
    LoadImage(handler, original);
    struct Case {
        const char* what;
        std::vector<TableAssignment> sequence;
        bool fits;
    };
    const Case cases[] = {
        {"nothing", {}, true},
        {"one new high byte", {{0xC0, 0x2116}}, true},
        {"two new high bytes", {{0xC0, 0x2116}, {0xC1, 0x2216}}, false},
        {"a new high byte, then back", {{0xC0, 0x2116}, {0xC0, 0x0440}}, true},
        {"too big on the way, small at the end", {{0xC0, 0x2116}, {0xC1, 0x2216}, {0xC0, 0x0440}, {0xC1, 0x0441}}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(handler.CanAssign(c.sequence), c.fits) << c.what;
    }
    EXPECT_TRUE(ChangedOffsets(handler, original).empty()) << "asking changes nothing";
    for (const TableAssignment& change : cases[3].sequence) {
        handler.Assign(change.byte, change.unicode);
        EXPECT_EQ(handler.Lookup(change.byte), change.unicode);
    }
}
