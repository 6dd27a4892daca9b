// Whole generated tables (made through Qt's decoders) read and rewritten by the
// handlers, checked against glibc's iconv, which shares no code with either.

#include "tables/C9xCodePageHandler.h"
#include "tables/CNtCodePageHandler.h"

#include "tests/HandlerImage.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Charset {
    const char* qtName;
    const char* iconvName;
    std::uint16_t number;
    bool oem;
};

const Charset kCharsets[] = {
    {"windows-1251", "CP1251", 1251, false},
    {"IBM866", "CP866", 866, true},
    {"KOI8-R", "KOI8-R", 20866, false},
};

std::unique_ptr<CTableHandler> LoadGenerated(bool nt, const Charset& charset)
{
    std::unique_ptr<CTableHandler> handler =
        nt ? std::unique_ptr<CTableHandler>(new CNtCodePageHandler) : std::make_unique<C9xCodePageHandler>();
    EXPECT_TRUE(LoadImage(*handler, nt ? samples::MakeNtCodePageFile({charset.qtName, charset.number, charset.oem, 0x3F})
                                       : samples::MakeNinexCodePageFile({.codePage = charset.qtName})));
    return handler;
}

// Every byte iconv defines maps to iconv's value and back to itself.
void ExpectAgreesWithIconv(CTableHandler& handler, const char* charset)
{
    int checked = 0;
    for (int byte = 0; byte < 256; ++byte) {
        if (const std::optional<std::uint16_t> unicode = IconvUnicode(charset, byte)) {
            ASSERT_EQ(handler.Lookup(static_cast<std::uint8_t>(byte)), *unicode) << byte;
            ASSERT_EQ(handler.ReverseLookup(*unicode), IconvEncode(charset, *unicode).value_or(0x3F)) << byte;
            ++checked;
        }
    }
    EXPECT_GT(checked, 250);
}

} // namespace

TEST(IconvRoundTrip, GeneratedFilesReadAsIconvDecodes)
{
    for (bool nt : {true, false}) {
        for (const Charset& charset : kCharsets) {
            SCOPED_TRACE(std::string(nt ? "NT " : "9x ") + charset.iconvName);
            std::unique_ptr<CTableHandler> handler = LoadGenerated(nt, charset);
            ExpectAgreesWithIconv(*handler, charset.iconvName);
        }
    }
}

TEST(IconvRoundTrip, RewritingAWholeTableByAssignGivesTheOtherCodePage)
{
    const Charset& from = kCharsets[0];
    const Charset& to = kCharsets[2];
    for (bool nt : {true, false}) {
        SCOPED_TRACE(nt ? "NT" : "9x");
        std::unique_ptr<CTableHandler> handler = LoadGenerated(nt, from);
        for (int byte = 0; byte < 256; ++byte) {
            const std::optional<std::uint16_t> unicode = IconvUnicode(to.iconvName, byte);
            ASSERT_TRUE(unicode);
            handler->Assign(static_cast<std::uint8_t>(byte), *unicode);
            ASSERT_EQ(handler->m_modified[byte], 1);
        }
        ExpectAgreesWithIconv(*handler, to.iconvName);
    }
}
