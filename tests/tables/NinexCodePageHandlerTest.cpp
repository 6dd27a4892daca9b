#include "tables/C9xCodePageHandler.h"

#include "tests/HandlerImage.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <random>

constexpr std::size_t kTable = C9xCodePageHandler::kReverseOffset;

TEST(NinexCodePageHandler, LargestTableFitsOnlyWhenTheFileHoldsIt)
{
    samples::Mapping forward; // 256 distinct high bytes: the largest table
    for (std::size_t byte = 0; byte < 256; ++byte) {
        forward[byte] = static_cast<std::uint16_t>(byte << 8 | 0x21);
    }
    for (const auto& [length, fits] : {std::pair{17506u, true}, {17505u, false}, {17000u, false}}) {
        SCOPED_TRACE(length);
        samples::Bytes original = samples::Filler(length, 7); // the reverse table is garbage: only a rebuild is right
        for (std::size_t byte = 0; byte < 256; ++byte) {
            samples::PutWord(original, 98 + 2 * byte, forward[byte]);
        }
        std::fill(original.begin() + kTable, original.end(), 0xEE);
        C9xCodePageHandler handler;
        ASSERT_TRUE(LoadImage(handler, original));
        EXPECT_EQ(handler.CanAssign({{0x10, forward[0x10]}}), fits);
        handler.Assign(0x10, forward[0x10]);
        EXPECT_EQ(handler.m_modified[0x10], fits ? 1 : 0);
        std::vector<std::size_t> changed = DifferingOffsets(FileBytes(handler), original);
        if (fits) {
            ASSERT_FALSE(changed.empty());
            EXPECT_EQ(changed.back(), 17505u);
            EXPECT_EQ(handler.ReverseLookup(0x3F21), 0x3F);
            EXPECT_EQ(handler.ReverseLookup(0xFF21), 0xFF);
        } else {
            EXPECT_TRUE(changed.empty());
        }
    }
}

TEST(NinexCodePageHandler, MalformedPositionsFindNoByte)
{
    // U+0410 walks t[4], then t[t[4] + 1], then t[... + 0].
    const struct {
        const char* what;
        std::size_t k;
        std::uint16_t value;
    } cases[] = {
        {"first level points far past the file", 4, 0xFFFF},
        {"second level points past the file", 4, 2000},
        {"third-level entry past the file", 4, 1000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        samples::Bytes bytes = samples::MakeNinexCodePageFile({});
        bytes.resize(4000);
        samples::PutWord(bytes, kTable + 2 * c.k, c.value);
        samples::PutWord(bytes, kTable + 2 * (1000 + 1), 1700); // 610 + 2 x 1700 lies past 4,000
        C9xCodePageHandler handler;
        ASSERT_TRUE(LoadImage(handler, bytes));
        EXPECT_EQ(handler.ReverseLookup(0x0410), 0x3F);
    }
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
        if (round % 7 == 6 && size > kTable) {
            // A reverse table that is garbage: an assignment rebuilds it from the forward table alone.
            std::fill(reference.begin() + kTable, reference.end(), static_cast<std::uint8_t>(random()));
        }
        auto byte = static_cast<std::uint8_t>(random());
        std::uint16_t unicode = kind == 1 ? fewValues() : anyValue();

        C9xCodePageHandler handler;
        ASSERT_TRUE(LoadImage(handler, reference));
        bool predicted = handler.CanAssign({{byte, unicode}});
        handler.Assign(byte, unicode);
        bool done = samples::ReferenceNinexAssign(reference, byte, unicode);
        ASSERT_EQ(predicted, done);
        ASSERT_EQ(handler.m_modified[byte], done ? 1 : 0);
        ASSERT_TRUE(DifferingOffsets(FileBytes(handler), reference).empty());
    }
}

TEST(NinexCodePageHandler, CanAssignFollowsTheSequenceInOrderAndCanAssignAllItsEnd)
{
    // Room for the table of ASCII and Cyrillic plus one more high byte's two blocks.
    samples::Mapping forward; // ASCII, then U+0400-U+047F
    for (std::size_t byte = 0; byte < 256; ++byte) {
        forward[byte] = static_cast<std::uint16_t>(byte < 0x80 ? byte : 0x0400 + (byte - 0x80));
    }
    samples::Bytes original = samples::MakeNinexCodePageFile(forward, kTable + 2 * (576 + 32), 9);
    C9xCodePageHandler handler;
    ASSERT_TRUE(LoadImage(handler, original));
    const struct {
        const char* what;
        std::vector<TableAssignment> sequence;
        bool fits;
        bool fitsInOneRebuild; // what AssignAll, which rebuilds once at the end, can take
    } cases[] = {
        {"nothing", {}, true, true},
        {"one new high byte", {{0xC0, 0x2116}}, true, true},
        {"two new high bytes", {{0xC0, 0x2116}, {0xC1, 0x2216}}, false, false},
        {"a new high byte, then back", {{0xC0, 0x2116}, {0xC0, 0x0440}}, true, true},
        {"too big on the way, small at the end", {{0xC0, 0x2116}, {0xC1, 0x2216}, {0xC0, 0x0440}, {0xC1, 0x0441}}, false,
         true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(handler.CanAssign(c.sequence), c.fits) << c.what;
        EXPECT_EQ(handler.CanAssignAll(c.sequence), c.fitsInOneRebuild) << c.what;
    }
    EXPECT_TRUE(DifferingOffsets(FileBytes(handler), original).empty()) << "asking changes nothing";
}
