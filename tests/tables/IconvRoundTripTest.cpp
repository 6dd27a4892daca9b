// Whole generated tables (made through Qt's decoders) read and rewritten by the
// handlers, checked against glibc's iconv, which shares no code with either.

#include "tables/C9xCodePageHandler.h"
#include "tables/CNtCodePageHandler.h"

#include "tests/tables/HandlerImage.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <memory>
#include <optional>
#include <string>

namespace {

// One conversion between a single-byte code page and UTF-16LE.
class Converter {
public:
    Converter(const char* to, const char* from) : m_handle(iconv_open(to, from)) {}
    ~Converter()
    {
        if (IsOpen()) {
            iconv_close(m_handle);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool IsOpen() const { return m_handle != reinterpret_cast<iconv_t>(-1); }

    // The whole input converted to exactly outputSize bytes, or nothing.
    std::optional<std::string> Convert(const std::string& input, std::size_t outputSize)
    {
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        std::string in = input;
        std::string out(outputSize + 8, '\0');
        char* inPointer = in.data();
        char* outPointer = out.data();
        std::size_t inLeft = in.size();
        std::size_t outLeft = out.size();
        if (iconv(m_handle, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0 ||
            out.size() - outLeft != outputSize) {
            return std::nullopt;
        }
        out.resize(outputSize);
        return out;
    }

private:
    iconv_t m_handle;
};

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

// The byte-to-Unicode table of a code page as iconv sees it; bytes it does not define stay empty.
std::array<std::optional<std::uint16_t>, 256> IconvTable(const char* charset)
{
    std::array<std::optional<std::uint16_t>, 256> table;
    Converter decode("UTF-16LE", charset);
    EXPECT_TRUE(decode.IsOpen()) << charset;
    for (int byte = 0; byte < 256 && decode.IsOpen(); ++byte) {
        if (auto text = decode.Convert(std::string(1, static_cast<char>(byte)), 2)) {
            table[static_cast<std::size_t>(byte)] = static_cast<std::uint16_t>(static_cast<std::uint8_t>((*text)[0]) | static_cast<std::uint8_t>((*text)[1]) << 8);
        }
    }
    return table;
}

std::optional<std::uint8_t> IconvEncode(const char* charset, std::uint16_t unicode)
{
    Converter encode(charset, "UTF-16LE");
    std::string text = {static_cast<char>(unicode & 0xFF), static_cast<char>(unicode >> 8)};
    auto bytes = encode.Convert(text, 1);
    return bytes ? std::optional<std::uint8_t>(static_cast<std::uint8_t>((*bytes)[0])) : std::nullopt;
}

std::unique_ptr<CTableHandler> LoadGenerated(bool nt, const Charset& charset)
{
    std::unique_ptr<CTableHandler> handler;
    if (nt) {
        handler = std::make_unique<CNtCodePageHandler>();
        LoadImage(*handler, samples::MakeNtCodePageFile({charset.qtName, charset.number, charset.oem, 0x3F}));
    } else {
        handler = std::make_unique<C9xCodePageHandler>();
        samples::NinexCodePageOptions options;
        options.codePage = charset.qtName;
        LoadImage(*handler, samples::MakeNinexCodePageFile(options));
    }
    return handler;
}

// Every byte iconv defines maps to iconv's value and back to itself.
void ExpectAgreesWithIconv(CTableHandler& handler, const char* charset)
{
    auto table = IconvTable(charset);
    int checked = 0;
    for (int byte = 0; byte < 256; ++byte) {
        if (!table[static_cast<std::size_t>(byte)]) {
            continue;
        }
        std::uint16_t unicode = *table[static_cast<std::size_t>(byte)];
        ASSERT_EQ(handler.Lookup(static_cast<std::uint8_t>(byte)), unicode) << byte;
        ASSERT_EQ(handler.ReverseLookup(unicode), IconvEncode(charset, unicode).value_or(0x3F)) << byte;
        ++checked;
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
    auto target = IconvTable(to.iconvName);
    for (bool nt : {true, false}) {
        SCOPED_TRACE(nt ? "NT" : "9x");
        std::unique_ptr<CTableHandler> handler = LoadGenerated(nt, from);
        for (int byte = 0; byte < 256; ++byte) {
            ASSERT_TRUE(target[static_cast<std::size_t>(byte)]);
            handler->Assign(static_cast<std::uint8_t>(byte), *target[static_cast<std::size_t>(byte)]);
            ASSERT_EQ(handler->m_modified[byte], 1);
        }
        ExpectAgreesWithIconv(*handler, to.iconvName);
    }
}
