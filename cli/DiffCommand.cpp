// varno-table diff: the bytes 00-FF whose values differ between two tables.

#include "cli/CVarnoTableApp.h"
#include "document/StringPrintf.h"

namespace {

// Four hexadecimal digits, or "----" for a byte that a mapping text leaves without a value.
std::string TextValue(const std::optional<std::uint16_t>& value)
{
    return value ? StringPrintf("%04X", *value) : std::string("----");
}

std::string JsonValue(const std::optional<std::uint16_t>& value)
{
    return value ? StringPrintf("%d", *value) : std::string("null");
}

} // namespace

int CVarnoTableApp::Diff(const std::string& first, const std::string& second, bool json)
{
    TableValues a;
    TableValues b;
    if (!ReadTableValues(first, "diff", a) || !ReadTableValues(second, "diff", b)) {
        return kExitError;
    }
    std::string text;
    std::string list;
    for (int byte = 0; byte < 256; ++byte) {
        if (a[byte] == b[byte]) {
            continue;
        }
        text += StringPrintf("%02X ", byte) + TextValue(a[byte]) + " " + TextValue(b[byte]) + "\n";
        list += StringPrintf("%s{\"byte\":%d,\"a\":", list.empty() ? "" : ",", byte) + JsonValue(a[byte])
            + ",\"b\":" + JsonValue(b[byte]) + "}";
    }
    Print(json ? "[" + list + "]\n" : text);
    return text.empty() ? kExitOk : kExitInconsistent;
}
