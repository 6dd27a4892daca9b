#include "tables/CNtCodePageHandler.h"

#include "tests/HandlerImage.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

TEST(NtCodePageHandler, AssignOfTheHeldValueStillWritesAndFlags)
{
    samples::Bytes original = samples::MakeNtCodePageFile({});
    original[546 + 0x0410] = 0x55; // a reverse entry that disagrees with the forward table
    CNtCodePageHandler handler;
    ASSERT_TRUE(LoadImage(handler, original));
    ASSERT_EQ(handler.Lookup(0xC0), 0x0410);
    handler.Assign(0xC0, 0x0410);
    EXPECT_EQ(handler.ReverseLookup(0x0410), 0xC0);
    EXPECT_EQ(DifferingOffsets(FileBytes(handler), original), std::vector<std::size_t>{546 + 0x0410});
    EXPECT_EQ(std::count(handler.m_modified, handler.m_modified + 256, 0), 255);
    EXPECT_EQ(handler.m_modified[0xC0], 1);
}

TEST(NtCodePageHandler, ReverseTableFollowsAUsableHeader)
{
    samples::Bytes oem = samples::MakeNtCodePageFile({"IBM866", 866, true, 0x3F});
    const struct {
        const char* what;
        std::size_t length;
        int tableWord; // -1: as generated
        std::int32_t offset;
    } cases[] = {
        {"OEM file: 28 + 2 x 515", oem.size(), -1, 1058},
        {"header agrees with 546", oem.size(), 259, 546},
        {"place inside the forward table", oem.size(), 0, 546},
        {"place among the words behind the forward table", oem.size(), 258, 546},
        {"place past the file's end", oem.size(), 0xFFFF, 546},
        {"table one byte too long for the file", 1058 + 65535, -1, 546},
        {"another usable place", oem.size(), 400, 828},
        {"file ends inside the header", 27, -1, 546},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        samples::Bytes bytes(oem.begin(), oem.begin() + static_cast<std::ptrdiff_t>(c.length));
        if (c.tableWord >= 0) {
            samples::PutWord(bytes, 26, static_cast<std::uint16_t>(c.tableWord));
        }
        CNtCodePageHandler handler;
        ASSERT_TRUE(LoadImage(handler, bytes));
        EXPECT_EQ(handler.ReverseTableOffset(), c.offset);
        EXPECT_EQ(handler.IsImageLongEnough(), static_cast<std::int64_t>(bytes.size()) >= c.offset + 65536);
    }
}
