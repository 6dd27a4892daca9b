#include "tables/CodePageMatch.h"

namespace {

bool Matches(const BuiltInCodePage& codePage, std::uint8_t byte, std::uint16_t value)
{
    const std::optional<std::uint16_t> defined = BuiltInCodePageValue(codePage, byte);
    if (defined) {
        return *defined == value;
    }
    return value == 0 || value == 0xFFFD || value == byte;
}

int MatchingEntries(const BuiltInCodePage& codePage, const std::array<std::uint16_t, 128>& upper)
{
    int matching = 0;
    for (std::size_t k = 0; k < upper.size(); ++k) {
        matching += Matches(codePage, static_cast<std::uint8_t>(0x80 + k), upper[k]) ? 1 : 0;
    }
    return matching;
}

} // namespace

CodePageMatch BestCodePageMatch(const std::array<std::uint16_t, 128>& upper)
{
    CodePageMatch best;
    for (const BuiltInCodePage& codePage : BuiltInCodePages()) {
        const int matching = MatchingEntries(codePage, upper);
        if (best.codePage == nullptr || matching > best.matching) {
            best = {&codePage, matching};
        }
    }
    return best;
}

std::string CodePageMatchText(const CodePageMatch& match)
{
    if (match.codePage == nullptr) {
        return "no built-in code page";
    }
    const std::string nearest = std::string(match.codePage->name) + ", " + std::to_string(match.matching) + " of 128";
    return match.IsGood() ? nearest : "no built-in code page (nearest " + nearest + ")";
}
