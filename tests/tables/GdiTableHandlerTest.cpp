#include "tables/CGdiTableHandler.h"

#include "tests/HandlerImage.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

TEST(GdiTableHandler, SearchFindsTheFirstSignatureFrom384On)
{
    const struct {
        const char* what;
        std::size_t size;
        std::vector<std::size_t> signatures;
        std::int32_t base;
    } cases[] = {
        {"384 bytes or fewer", 384, {}, 0},
        {"signature at 384 gives base 0, no table", 1024, {384}, 0},
        {"signature at 384 hides a table further on", 4096, {384, 1500}, 0},
        {"signature at 383 is not seen, a table further on is", 4096, {383, 1500}, 1500 - 384},
        {"signature at an odd offset", 1024, {385}, 1},
        {"the lower of two signatures", 4096, {2000, 900}, 900 - 384},
        {"signature only below 384", 1024, {0, 100, 374}, 0},
        {"signature below 384 and one above", 1024, {100, 600}, 600 - 384},
        {"last whole signature in the buffer", 1024, {1014}, 1014 - 384},
        {"signature running into the slack behind count", 1024, {1015}, 1015 - 384},
    };
    for (const auto& c : cases) {
        samples::Bytes bytes(c.size + 16, 0);
        for (std::size_t offset : c.signatures) {
            std::memcpy(bytes.data() + offset, CGdiTableHandler::kSignature, sizeof CGdiTableHandler::kSignature);
        }
        CGdiTableHandler handler;
        EXPECT_EQ(handler.LocateTable(bytes.data(), static_cast<std::int32_t>(c.size)), c.base) << c.what;
    }
}

// A change after which the next open would find another table, or none, is refused as a whole.
TEST(GdiTableHandler, CanAssignRefusesChangesThatTheSearchWouldNotFindAgain)
{
    const struct {
        const char* what;
        std::vector<TableAssignment> sequence;
        bool fits;
    } cases[] = {
        {"an ordinary entry", {{0xE0, 0x0401}}, true},
        {"A and BE exchanged", {{0xC0, 0x0411}, {0xC1, 0x0410}}, false},
        {"DE changed", {{0xC4, 0x0434}}, false},
        {"changed, then given back", {{0xC0, 0x0411}, {0xC1, 0x0410}, {0xC0, 0x0410}, {0xC1, 0x0411}}, true},
        {"a second signature in entries 0x10-0x14, found first next time",
         {{0x10, 0x0410}, {0x11, 0x0411}, {0x12, 0x0412}, {0x13, 0x0413}, {0x14, 0x0414}}, false},
        {"entry 0x00 ends a signature that starts nine bytes before the table", {{0x00, 0x0004}}, false},
        {"entry 0x00 the other way round", {{0x00, 0x0400}}, true},
    };
    samples::Bytes module = samples::MakeGdiModule({.tableBase = 1001, .strayCopies = {6000}});
    // All but the last byte of a signature, right before the table.
    std::memcpy(module.data() + 1001 - 9, CGdiTableHandler::kSignature, 9);
    CGdiTableHandler handler;
    ASSERT_TRUE(LoadImage(handler, module));
    ASSERT_EQ(handler.FindTables(), 1u);
    ASSERT_EQ(handler.m_forwardOffset, 1001);
    for (const auto& c : cases) {
        EXPECT_EQ(handler.CanAssign(c.sequence), c.fits) << c.what;
    }
}
