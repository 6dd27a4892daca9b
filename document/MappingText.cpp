#include "document/MappingText.h"

#include "document/CVarnoDoc.h"
#include "document/HexArgument.h"
#include "document/StringPrintf.h"
#include "platform/CFile.h"
#include "tables/CTableHandler.h"

#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

// Published tables are a few kilobytes; anything far larger is not one.
constexpr std::size_t kMaxTextSize = 1 << 20;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::vector<std::string_view> Words(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        std::size_t start = i;
        while (i < line.size() && !IsBlank(line[i])) {
            ++i;
        }
        words.push_back(line.substr(start, i - start));
    }
    return words;
}

// "0x" and hexadecimal digits only: a bare "10" could as well be decimal.
std::optional<unsigned> PrefixedHex(std::string_view word, unsigned maxValue)
{
    if (word.size() < 3 || word[0] != '0' || (word[1] != 'x' && word[1] != 'X')) {
        return std::nullopt;
    }
    return ParseHexArgument(std::string(word), maxValue);
}

} // namespace

bool IsMappingTextName(const std::string& name, bool kindChosen)
{
    std::string file = std::filesystem::path(name).filename().string();
    std::string extension = file.size() >= 4 ? file.substr(file.size() - 4) : std::string();
    for (char& c : extension) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return name == "-" || extension == ".txt"
        || (!kindChosen && CVarnoDoc::KindFromFileName(file) == CVarnoDoc::kindUndefined);
}

bool ParseMappingText(std::string_view text, TableValues& values, std::string& error)
{
    values = {};
    int givenOnLine[256] = {};
    bool anyByte = false;
    int lineNumber = 0;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3); // a byte-order mark that some editors write
    }
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        std::vector<std::string_view> words = Words(line.substr(0, line.find('#')));
        if (words.empty()) {
            continue;
        }
        std::optional<unsigned> byte = PrefixedHex(words[0], 0xFF);
        std::optional<unsigned> value = words.size() == 2 ? PrefixedHex(words[1], 0xFFFF) : std::nullopt;
        // The line's own text is not repeated: it may hold anything, terminal controls included.
        if (!byte || words.size() > 2 || (words.size() == 2 && !value)) {
            error = StringPrintf("line %d is not of the form 0xC0<TAB>0x0410", lineNumber);
            return false;
        }
        if (const std::optional<std::string> refusal = value ? UnicodeValueRefusal(*value) : std::nullopt) {
            error = StringPrintf("line %d gives byte 0x%02X the value 0x%04X, %s", lineNumber, *byte, *value,
                                 refusal->c_str());
            return false;
        }
        if (givenOnLine[*byte] != 0) {
            error = StringPrintf("line %d gives byte 0x%02X a second time (first on line %d)", lineNumber, *byte,
                                 givenOnLine[*byte]);
            return false;
        }
        givenOnLine[*byte] = lineNumber;
        anyByte = true;
        if (value) {
            values[*byte] = static_cast<std::uint16_t>(*value);
        }
    }
    if (!anyByte) {
        error = "holds no mapping line (0xC0<TAB>0x0410)";
        return false;
    }
    return true;
}

bool ReadMappingText(const std::string& name, TableValues& values, std::string& error)
{
    std::string text(kMaxTextSize + 1, '\0');
    std::size_t count = 0;
    if (name == "-") {
        count = std::fread(text.data(), 1, text.size(), stdin);
        if (std::ferror(stdin)) {
            error = "cannot read standard input";
            return false;
        }
    } else {
        CFile file;
        if (!file.Open(name.c_str(), CFile::modeRead)) {
            error = file.GetErrorText();
            return false;
        }
        count = file.Read(text.data(), static_cast<UINT>(text.size()));
        if (file.HasError()) {
            error = file.GetErrorText();
            return false;
        }
    }
    if (count > kMaxTextSize) {
        error = "is larger than a mapping text can be (1 MiB)";
        return false;
    }
    text.resize(count);
    return ParseMappingText(text, values, error);
}

TableValues DocumentValues(const CVarnoDoc& document)
{
    TableValues values;
    for (int byte = 0; byte < 256; ++byte) {
        values[byte] = document.m_pHandler->Lookup(static_cast<std::uint8_t>(byte));
    }
    return values;
}
