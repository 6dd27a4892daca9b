// varno-table diff: the bytes 00-FF at which any of the tables differ.

#include "cli/CVarnoTableApp.h"
#include "cli/Command.h"
#include "cli/OptionChecks.h"
#include "document/StringPrintf.h"
#include "document/TableComparison.h"
#include "tables/BuiltInCodePages.h"

#include <memory>

namespace {

struct DiffOptions {
    bool json = false;
    std::string codePage;
    std::vector<std::string> tables;
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

// {"byte":192,"a":1040,"b":1072} for two tables, {"byte":192,"values":[1040,1072,1040]} for more.
std::string JsonRow(const std::vector<ComparedTable>& tables, int byte)
{
    if (tables.size() == 2) {
        return StringPrintf("{\"byte\":%d,\"a\":", byte) + JsonValue(tables[0].values[byte])
            + ",\"b\":" + JsonValue(tables[1].values[byte]) + "}";
    }
    std::string values;
    for (const ComparedTable& table : tables) {
        values += (values.empty() ? "" : ",") + JsonValue(table.values[byte]);
    }
    return StringPrintf("{\"byte\":%d,\"values\":[", byte) + values + "]}";
}

// The code page first, then the files in their order; false after an error (reported).
bool ReadTables(CVarnoTableApp& app, const DiffOptions& options, std::vector<ComparedTable>& tables)
{
    if (!options.codePage.empty()) {
        const BuiltInCodePage* codePage = FindBuiltInCodePage(options.codePage);
        if (codePage == nullptr) {
            app.Error({}, "--codepage: no built-in code page is named '" + options.codePage
                              + "'; varno-table diff --help lists them");
            return false;
        }
        tables.push_back(CodePageTable(*codePage));
    }
    for (const std::string& name : options.tables) {
        ComparedTable table;
        if (!app.ReadTableValues(name, "diff", table.values, true)) {
            return false;
        }
        tables.push_back(table);
    }
    if (tables.size() < 2) {
        app.Error({}, "diff compares at least two tables: name another file, or a code page with --codepage");
        return false;
    }
    return true;
}

int Diff(CVarnoTableApp& app, const DiffOptions& options)
{
    std::vector<ComparedTable> tables;
    if (!ReadTables(app, options, tables)) {
        return CVarnoTableApp::kExitError;
    }
    std::string text;
    std::string list;
    for (int byte = 0; byte < 256; ++byte) {
        if (!TablesDisagree(tables, static_cast<std::uint8_t>(byte))) {
            continue;
        }
        text += StringPrintf("%02X", byte);
        for (const ComparedTable& table : tables) {
            text += " " + TextValue(table.values[byte]);
        }
        text += "\n";
        list += (list.empty() ? "" : ",") + JsonRow(tables, byte);
    }
    app.Print(options.json ? "[" + list + "]\n" : text);
    return text.empty() ? CVarnoTableApp::kExitOk : CVarnoTableApp::kExitInconsistent;
}

} // namespace

Command AddDiffCommand(CLI::App& cli, CVarnoTableApp& app)
{
    auto options = std::make_shared<DiffOptions>();
    CLI::App* diff = cli.add_subcommand(
        "diff", "Print each byte 00-FF at which any of the tables differ, a column per table in their order "
                "(C0 0410 0430 0410); each table is a code-page file, GDI module or mapping text.\n"
                "Exit status 0 when none, 1 when some, 2 on an error.");
    diff->add_flag("--json", options->json,
                   "A JSON list of {byte, a, b} for two tables, of {byte, values} for more; null for no value");
    diff->add_option("--codepage", options->codePage,
                     "A built-in code page as the first table, by name (or alias: cp1251, latin-2, koi8r) in any case; "
                     "a byte that it leaves undefined shows as ---- and is not compared: "
                         + CodePageNames())
        ->type_name("NAME");
    app.AddTableOption(*diff);
    diff->add_option("TABLE", options->tables, "Files, at least two with --codepage counted; a name is always a file")
        ->required();
    app.AddKindOption(*diff);
    diff->footer(Example("varno-table diff c_1251.nls cp_1251.nls gdi.exe"));
    return {diff, [&app, options] { return Diff(app, *options); }};
}
