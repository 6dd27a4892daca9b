#include "tables/CGdiTableHandler.h"

#include "tools/SampleGenerator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A handler whose image is the given bytes, as the document loads it.
void Load(CGdiTableHandler& handler, const samples::Bytes& bytes)
{
    ASSERT_TRUE(handler.AllocateData(static_cast<std::int32_t>(bytes.size())));
    std::memcpy(handler.m_data, bytes.data(), bytes.size());
}

samples::Bytes ZerosWithSignatureAt(std::size_t size, std::vector<std::size_t> offsets)
{
    samples::Bytes bytes(size, 0);
    for (std::size_t offset : offsets) {
        std::memcpy(bytes.data() + offset, CGdiTableHandler::kSignature, sizeof CGdiTableHandler::kSignature);
    }
    return bytes;
}

} // namespace

TEST(GdiTableHandler, SearchFindsTheFirstSignatureFrom384On)
{
    struct Case {
        const char* what;
        std::size_t size;
        std::vector<std::size_t> signatures;
        std::int32_t base;
    };
    const Case cases[] = {
        {"384 bytes or fewer", 384, {}, 0},
        {"signature at 384 gives base 0, no table", 1024, {384}, 0},
        {"signature at an odd offset", 1024, {385}, 1},
        {"the lower of two signatures", 4096, {2000, 900}, 900 - 384},
        {"signature only below 384", 1024, {0, 100, 374}, 0},
        {"signature below 384 and one above", 1024, {100, 600}, 600 - 384},
        {"last whole signature in the buffer", 1024, {1014}, 1014 - 384},
        {"signature running into the slack behind count", 1024, {1015}, 1015 - 384},
    };
    for (const Case& c : cases) {
        samples::Bytes bytes = ZerosWithSignatureAt(c.size + 16, c.signatures);
        CGdiTableHandler handler;
        EXPECT_EQ(handler.LocateTable(bytes.data(), static_cast<std::int32_t>(c.size)), c.base) << c.what;
        EXPECT_EQ(handler.m_forwardOffset, c.base) << c.what;
    }
}

TEST(GdiTableHandler, ClearedSlackNeverCompletesASignature)
{
    samples::Bytes bytes(1024 + 16, 0);
    std::memcpy(bytes.data() + 1020, CGdiTableHandler::kSignature, 4);
    CGdiTableHandler handler;
    EXPECT_EQ(handler.LocateTable(bytes.data(), 1024), 0);
}

TEST(GdiTableHandler, SearchWithoutImageTouchesNothing)
{
    CGdiTableHandler handler;
    handler.m_forwardOffset = 77;
    EXPECT_EQ(handler.LocateTable(nullptr, 5000), 0);
    EXPECT_EQ(handler.m_forwardOffset, 0);
    samples::Bytes bytes = ZerosWithSignatureAt(1024, {700});
    EXPECT_EQ(handler.LocateTable(bytes.data(), -5), 0);
}

TEST(GdiTableHandler, ExplicitSearchOverwritesTheOwnBase)
{
    CGdiTableHandler handler;
    samples::Bytes found = ZerosWithSignatureAt(1024, {500});
    samples::Bytes none(1024, 0);
    EXPECT_EQ(handler.LocateTable(found.data(), 1024), 116);
    EXPECT_EQ(handler.LocateTable(none.data(), 1024), 0);
    EXPECT_EQ(handler.m_forwardOffset, 0);
}

TEST(GdiTableHandler, OwnImageAtOddBaseReadsTheGeneratedTable)
{
    samples::GdiModuleOptions options;
    options.size = 20000;
    options.tableBase = 12345;
    options.strayCopies = {100, 19990}; // below 384 and after the table
    CGdiTableHandler handler;
    Load(handler, samples::MakeGdiModule(options));
    EXPECT_EQ(handler.LocateTable(nullptr, 0), 12345);
    EXPECT_TRUE(handler.IsImageLongEnough());
    samples::Mapping mapping = samples::CodePageMapping("windows-1251");
    for (int byte = 0; byte < 256; ++byte) {
        ASSERT_EQ(handler.Lookup(static_cast<std::uint8_t>(byte)), mapping[byte]) << byte;
    }
}

TEST(GdiTableHandler, ReverseLookupGivesTheLowestHolderOrQuestionMark)
{
    samples::GdiModuleOptions options;
    CGdiTableHandler handler;
    Load(handler, samples::MakeGdiModule(options));
    handler.LocateTable(nullptr, 0);
    handler.Assign(0x41, 0x0421);
    EXPECT_EQ(handler.ReverseLookup(0x0421), 0x41) << "byte 0xD1 holds it too";
    EXPECT_EQ(handler.ReverseLookup(0xBEEF), 0x3F);
    EXPECT_EQ(handler.ReverseLookup(0x0410), 0xC0);
}

TEST(GdiTableHandler, AssignWritesOnlyTheEntryAndSetsItsFlag)
{
    samples::GdiModuleOptions options;
    options.tableBase = 1001;
    samples::Bytes original = samples::MakeGdiModule(options);
    CGdiTableHandler handler;
    Load(handler, original);
    handler.LocateTable(nullptr, 0);
    handler.Assign(0xC0, 0x0401);
    EXPECT_EQ(handler.Lookup(0xC0), 0x0401);
    std::uint8_t wide = 0xFF;
    EXPECT_EQ(handler.Lookup(static_cast<std::uint8_t>(wide + 0x100)), handler.Lookup(0xFF));
    for (int i = 0; i < handler.m_length; ++i) {
        if (i == 1001 + 2 * 0xC0) {
            EXPECT_EQ(handler.m_data[i], 0x01);
        } else if (i == 1001 + 2 * 0xC0 + 1) {
            EXPECT_EQ(handler.m_data[i], 0x04);
        } else {
            ASSERT_EQ(handler.m_data[i], original[static_cast<std::size_t>(i)]) << i;
        }
    }
    for (int byte = 0; byte < 256; ++byte) {
        EXPECT_EQ(handler.m_modified[byte], byte == 0xC0 ? 1 : 0);
    }
}

TEST(GdiTableHandler, TableCutByTheFilesEndIsNotLongEnough)
{
    // The signature fits, but the entries of 0xC5-0xFF lie past the file's end.
    samples::Bytes bytes = ZerosWithSignatureAt(1000, {900});
    CGdiTableHandler handler;
    Load(handler, bytes);
    EXPECT_EQ(handler.LocateTable(nullptr, 0), 516);
    EXPECT_FALSE(handler.IsImageLongEnough());
    EXPECT_TRUE(handler.CanAssign({{0x00, 0x1234}, {0xC0, 0x0410}}));
    EXPECT_FALSE(handler.CanAssign({{0x00, 0x1234}, {0xFF, 0x1234}})) << "entry 0xFF would never be saved";
    handler.Assign(0xFF, 0x1234); // inside the allocation: harmless, never saved
    EXPECT_EQ(handler.Lookup(0xFF), 0x1234);

    CGdiTableHandler none;
    Load(none, samples::Bytes(100, 0));
    none.LocateTable(nullptr, 0);
    EXPECT_FALSE(none.IsImageLongEnough());
    none.Assign(0xFF, 0x1234); // base 0: entry 0xFF lies outside a 100-byte image
    EXPECT_EQ(none.Lookup(0xFF), 0);
    EXPECT_EQ(none.m_modified[0xFF], 0);
}

// The next open must find the same table: a change that would move the search
// elsewhere, or nowhere, is refused as a whole. A stray copy further on would
// otherwise be found next time, and edits would land outside the table.
TEST(GdiTableHandler, CanAssignRefusesChangesThatTheSearchWouldNotFindAgain)
{
    struct Case {
        const char* what;
        std::vector<TableAssignment> sequence;
        bool fits;
    };
    const Case cases[] = {
        {"an ordinary entry", {{0xE0, 0x0401}}, true},
        {"A and BE exchanged", {{0xC0, 0x0411}, {0xC1, 0x0410}}, false},
        {"DE changed", {{0xC4, 0x0434}}, false},
        {"changed, then given back", {{0xC0, 0x0411}, {0xC1, 0x0410}, {0xC0, 0x0410}, {0xC1, 0x0411}}, true},
        {"a second signature in entries 0x10-0x14, found first next time",
         {{0x10, 0x0410}, {0x11, 0x0411}, {0x12, 0x0412}, {0x13, 0x0413}, {0x14, 0x0414}}, false},
    };
    samples::GdiModuleOptions options;
    options.tableBase = 1001;
    options.strayCopies = {6000};
    CGdiTableHandler handler;
    Load(handler, samples::MakeGdiModule(options));
    ASSERT_EQ(handler.LocateTable(nullptr, 0), 1001);
    for (const Case& c : cases) {
        EXPECT_EQ(handler.CanAssign(c.sequence), c.fits) << c.what;
        EXPECT_EQ(handler.KeepsTableFindable(c.sequence), c.fits) << c.what;
    }
}
