// varno-table diff: the bytes 00-FF whose values differ between two tables.

#include "cli/CVarnoTableApp.h"
#include "cli/Command.h"
#include "cli/OptionChecks.h"
#include "document/StringPrintf.h"

#include <memory>

namespace {

struct DiffOptions {
    bool json = false;
    std::string first;
    std::string second;
};

// Four hexadecimal digits, or "----" for a byte that a mapping text leaves without a value.
std::string TextValue(const std::optional<std::uint16_t>& value)
{
    return value ? StringPrintf("%04X", *value) : std::string("----");
}

std::string JsonValue(const std::optional<std::uint16_t>& value)
{
    return value ? StringPrintf("%d", *value) : std::string("null");
}

int Diff(CVarnoTableApp& app, const DiffOptions& options)
{
    TableValues a;
    TableValues b;
    if (!app.ReadTableValues(options.first, "diff", a) || !app.ReadTableValues(options.second, "diff", b)) {
        return CVarnoTableApp::kExitError;
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
    app.Print(options.json ? "[" + list + "]\n" : text);
    return text.empty() ? CVarnoTableApp::kExitOk : CVarnoTableApp::kExitInconsistent;
}

} // namespace

Command AddDiffCommand(CLI::App& cli, CVarnoTableApp& app)
{
    auto options = std::make_shared<DiffOptions>();
    CLI::App* diff = cli.add_subcommand(
        "diff", "Print each byte 00-FF whose values differ between two tables (C0 0410 0430), each a code-page file, "
                "GDI module or mapping text.\nExit status 0 when none, 1 when some, 2 on an error.");
    diff->add_flag("--json", options->json, "A JSON list of {byte, a, b}");
    diff->add_option("A", options->first, "The first table")->required();
    diff->add_option("B", options->second, "The second table")->required();
    app.AddKindOption(*diff);
    diff->footer(Example("varno-table diff c_1252.nls CP1252.TXT"));
    return {diff, [&app, options] { return Diff(app, *options); }};
}
