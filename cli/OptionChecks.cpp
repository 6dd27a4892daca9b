#include "cli/OptionChecks.h"

#include "document/HexArgument.h"
#include "tables/BuiltInCodePages.h"

#include <cstdio>

CLI::Validator HexValidator(unsigned maxValue, unsigned minValue)
{
    char description[32];
    std::snprintf(description, sizeof description, "%0*X-%0*X", maxValue > 0xFF ? 4 : 2, minValue,
                  maxValue > 0xFF ? 4 : 2, maxValue);
    std::string name = description;
    return CLI::Validator(
        [=](std::string& text) -> std::string {
            std::optional<unsigned> value = ParseHexArgument(text, maxValue);
            if (!value || *value < minValue) {
                return "expected a hexadecimal value " + name + ", got '" + text + "'";
            }
            return {};
        },
        name);
}

CLI::Validator TableValueValidator()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const std::optional<std::string> refusal = UnicodeValueRefusal(*ParseHexArgument(text, 0xFFFF));
            return refusal ? "'" + text + "' is " + *refusal : std::string();
        },
        "");
}

std::uint8_t ParsedByte(const std::string& text) { return static_cast<std::uint8_t>(*ParseHexArgument(text, 0xFF)); }

std::optional<std::uint8_t> ParsedOptionalByte(const std::string& text)
{
    return text.empty() ? std::nullopt : std::optional<std::uint8_t>(ParsedByte(text));
}

std::string Example(const std::string& commandLine) { return "Example:\n  " + commandLine; }

std::string CodePageNames()
{
    std::string names;
    for (const BuiltInCodePage& codePage : BuiltInCodePages()) {
        names += (names.empty() ? "" : ", ") + std::string(codePage.name);
    }
    return names;
}
