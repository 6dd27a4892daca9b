#include "cli/GdiTableLines.h"

#include "document/StringPrintf.h"
#include "tables/CGdiTableHandler.h"

namespace {

bool IsDefault(const CGdiTableHandler& handler, std::size_t index)
{
    return index == handler.SignatureTable().value_or(0);
}

} // namespace

std::string GdiTableText(const CGdiTableHandler& handler, std::size_t index)
{
    const GdiTable& table = handler.Tables().at(index);
    std::string line = StringPrintf("%zu  %08X  ", TableNumber(index), table.offset)
        + CodePageMatchText(handler.TableMatch(index));
    line += table.resource ? StringPrintf("  resource %u", *table.resource) : std::string("  no resource");
    return IsDefault(handler, index) ? line + "  default" : line;
}

std::string GdiTableJson(const CGdiTableHandler& handler, std::size_t index)
{
    const GdiTable& table = handler.Tables().at(index);
    const CodePageMatch match = handler.TableMatch(index);
    std::string out = StringPrintf("{\"number\":%zu,\"offset\":%d,\"name\":\"", TableNumber(index), table.offset)
        + CodePageMatchText(match) + "\",\"codePage\":";
    out += match.IsGood() ? "\"" + std::string(match.codePage->name) + "\"" : std::string("null");
    out += StringPrintf(",\"matching\":%d,\"resource\":", match.matching);
    out += table.resource ? std::to_string(*table.resource) : std::string("null");
    out += IsDefault(handler, index) ? ",\"default\":true}" : ",\"default\":false}";
    return out;
}
