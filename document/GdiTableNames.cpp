#include "document/GdiTableNames.h"

#include "document/StringPrintf.h"
#include "tables/CGdiTableHandler.h"

std::string GdiTableTitle(const CGdiTableHandler& handler, std::size_t index)
{
    const CodePageMatch match = handler.TableMatch(index);
    const char* name = match.IsGood() ? match.codePage->name : "no built-in code page";
    return StringPrintf("table %zu, %s", index + 1, name);
}

std::string GdiTableChoiceText(const CGdiTableHandler& handler, std::size_t index)
{
    std::string text = StringPrintf("%zu: ", index + 1) + CodePageMatchText(handler.TableMatch(index));
    if (index < handler.Tables().size()) {
        if (const std::optional<std::uint16_t> resource = handler.Tables()[index].resource) {
            text += StringPrintf(" (resource %u)", unsigned{*resource});
        }
    }
    return text;
}
