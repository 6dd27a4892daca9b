// varno-gen: writes synthetic sample files for tests and demonstrations.

#include "tools/SampleGenerator.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

namespace {

constexpr const char* kProgram = "varno-gen";

// The largest number any option takes: sizes and offsets stay below 2 GiB, the
// largest file that the editor opens.
constexpr std::size_t kMaxNumber = 0x7FFFFFFF;

// Decimal or 0x-prefixed hexadecimal, at most largest.
std::optional<std::size_t> ParseNumber(const std::string& text, std::size_t largest)
{
    char* end = nullptr;
    errno = 0;
    const unsigned long long parsed = std::strtoull(text.c_str(), &end, 0);
    // strtoull takes "-1" as a huge number and gives the largest one for any that overflows.
    if (text.empty() || text[0] == '-' || end == text.c_str() || *end != '\0' || errno == ERANGE
        || parsed > largest) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(parsed);
}

// Refuses what ParseNumber refuses; CLI11 then reads the number as strtoull does, to the same value.
CLI::Validator Number(std::size_t largest)
{
    char range[24];
    std::snprintf(range, sizeof range, "0-0x%zX", largest);
    const std::string name = range;
    return CLI::Validator(
        [=](std::string& text) -> std::string {
            return ParseNumber(text, largest) ? "" : "expected a number " + name + ", got '" + text + "'";
        },
        name);
}

// "K:LOW:HIGH:CAPS" sets key K (0-13) to two character bytes and caps lock 0 or 1.
void SetKey(const std::string& text, samples::KeyboardLayoutOptions& options)
{
    constexpr std::size_t kLargest[] = {13, 0xFF, 0xFF, 1};
    std::vector<std::optional<std::size_t>> values;
    std::istringstream parts(text);
    for (std::string part; std::getline(parts, part, ':');) {
        values.push_back(values.size() < 4 ? ParseNumber(part, kLargest[values.size()]) : std::nullopt);
    }
    if (values.size() != 4 || std::find(values.begin(), values.end(), std::nullopt) != values.end()) {
        throw CLI::ValidationError("--key", "expected K:LOW:HIGH:CAPS, key 0-13, bytes 0-0xFF, caps lock 0 or 1, "
                                            "got '" + text + "'");
    }
    options.keys[*values[0]] = {static_cast<std::uint8_t>(*values[1]), static_cast<std::uint8_t>(*values[2]),
                                *values[3] == 1};
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
    return 2;
}

// A file too small for what it must hold has no usable table.
int TooSmall(std::size_t size, std::size_t needed, const char* what)
{
    return Fail("--size " + std::to_string(size) + " is too small: " + what + " needs " + std::to_string(needed)
                + " bytes");
}

int Write(const std::string& path, const samples::Bytes& bytes)
{
    if (!samples::WriteFile(path, bytes)) {
        std::fprintf(stderr, "%s: cannot write %s\n", kProgram, path.c_str());
        return 1;
    }
    return 0;
}

template <typename Target>
void AddNumber(CLI::App* command, const char* flag, Target& target, const char* description,
               std::size_t largest = kMaxNumber)
{
    CLI::Option* option = command->add_option(flag, target, description)->check(Number(largest))->type_name("N");
    if constexpr (std::is_arithmetic_v<Target>) {
        option->capture_default_str();
    } else {
        option->allow_extra_args(false); // a list takes one number each time the option is given
    }
}

CLI::Validator KnownCodePage()
{
    return CLI::Validator(
        [](std::string& name) -> std::string {
            bool found = false;
            samples::CodePageMapping(name, &found);
            return found ? "" : "unknown code page '" + name + "'";
        },
        "");
}

void AddCodePage(CLI::App* command, std::string& codePage)
{
    command->add_option("--codepage", codePage, "Code page of the table, as Qt names it")
        ->check(KnownCodePage())->type_name("NAME")->capture_default_str();
}

// A subcommand that writes the file OUT, and what it does once its options are parsed: an exit status.
struct Command {
    CLI::App* app;
    std::function<int()> run;
};

// What the commands fill in from the command line.
struct Request {
    std::string out;
    samples::GdiModuleOptions gdi;
    samples::GdiTablesOptions gdiTables;
    samples::NtCodePageOptions nt;
    samples::NinexCodePageOptions ninex;
    samples::KeyboardLayoutOptions keyboard;
};

CLI::App* AddCommand(CLI::App& cli, const char* name, const char* description, Request& request)
{
    CLI::App* command = cli.add_subcommand(name, description);
    command->add_option("OUT", request.out, "The file to write")->required();
    return command;
}

Command Gdi(CLI::App& cli, Request& request)
{
    samples::GdiModuleOptions& options = request.gdi;
    CLI::App* gdi = AddCommand(cli, "gdi", "A GDI module holding a code-page table", request);
    AddNumber(gdi, "--size", options.size, "File size in bytes");
    AddNumber(gdi, "--base", options.tableBase, "Offset of the table, 1 or more");
    AddCodePage(gdi, options.codePage);
    AddNumber(gdi, "--stray", options.strayCopies, "Offset of a further copy of the table's signature (repeatable)");
    AddNumber(gdi, "--seed", options.seed, "Seed of the filler");
    return {gdi, [&] {
                // Base 0 counts as no table; the whole table must lie inside the file.
                if (options.tableBase == 0) {
                    return Fail("--base 0 would be read as no table: give 1 or more");
                }
                if (options.size < options.tableBase + 512) {
                    return TooSmall(options.size, options.tableBase + 512, "the table of 512 bytes at --base");
                }
                for (std::size_t offset : options.strayCopies) {
                    if (options.size < offset + 10) {
                        return TooSmall(options.size, offset + 10, "the signature at --stray");
                    }
                }
                return Write(request.out, samples::MakeGdiModule(options));
            }};
}

Command GdiTables(CLI::App& cli, Request& request)
{
    samples::GdiTablesOptions& options = request.gdiTables;
    CLI::App* gdi = AddCommand(cli, "gdi-tables", "A GDI module holding a table for each code page", request);
    AddNumber(gdi, "--size", options.size, "File size in bytes");
    gdi->add_option("--codepage", options.codePages, "Code page of a table, as Qt names it, in file order (repeatable)")
        ->check(KnownCodePage())->type_name("NAME")->allow_extra_args(false)->capture_default_str();
    AddNumber(gdi, "--at", options.offsets,
              "Offset of a table, one per code page, ascending (repeatable); without: drawn from the seed, every "
              "other one odd");
    gdi->add_flag("!--no-resources", options.resourceTable, "Without the MZ and NE headers and their resource table");
    AddNumber(gdi, "--first-resource", options.firstResource, "Resource number of the first table", 0x7FFF - 255);
    AddNumber(gdi, "--seed", options.seed, "Seed of the filler");
    return {gdi, [&] {
                if (!options.offsets.empty() && options.offsets.size() != options.codePages.size()) {
                    return Fail("give one --at for each --codepage, or none");
                }
                if (samples::GdiTableOffsets(options).empty()) {
                    return Fail("the tables do not fit: each needs 512 bytes of its own behind byte "
                                + std::to_string(samples::GdiHeaderEnd(options)) + " and before the end");
                }
                return Write(request.out, samples::MakeGdiModuleWithTables(options));
            }};
}

Command Nt(CLI::App& cli, Request& request)
{
    samples::NtCodePageOptions& options = request.nt;
    CLI::App* nt = AddCommand(cli, "nt", "An NT code-page file", request);
    AddCodePage(nt, options.codePage);
    AddNumber(nt, "--number", options.number, "The code page's number in the header", 0xFFFF);
    nt->add_flag("--glyphs", options.glyphTable, "With the glyph table of an OEM code page");
    return {nt, [&] { return Write(request.out, samples::MakeNtCodePageFile(options)); }};
}

Command Ninex(CLI::App& cli, Request& request)
{
    samples::NinexCodePageOptions& options = request.ninex;
    CLI::App* ninex = AddCommand(cli, "9x", "A 9x code-page file", request);
    AddCodePage(ninex, options.codePage);
    AddNumber(ninex, "--size", options.size, "File size in bytes; the tables must fit");
    AddNumber(ninex, "--seed", options.seed, "Seed of the filler");
    return {ninex, [&] {
                const std::size_t needed = samples::kNinexReverseOffset
                    + 2 * samples::ReferenceNinexTable(samples::CodePageMapping(options.codePage)).size();
                if (options.size < needed) {
                    return TooSmall(options.size, needed, "a 9x file of this code page");
                }
                return Write(request.out, samples::MakeNinexCodePageFile(options));
            }};
}

Command Keyboard(CLI::App& cli, Request& request)
{
    samples::KeyboardLayoutOptions& options = request.keyboard;
    CLI::App* kbd = AddCommand(cli, "kbd", "A keyboard layout file", request);
    AddNumber(kbd, "--size", options.size, "File size in bytes");
    kbd->add_option_function<std::vector<std::string>>(
           "--key",
           [&](const std::vector<std::string>& keys) {
               for (const std::string& key : keys) {
                   SetKey(key, options);
               }
           },
           "A key of the top row: its unshifted and shifted bytes, caps lock (repeatable)")
        ->type_name("K:LOW:HIGH:CAPS")
        ->allow_extra_args(false);
    AddNumber(kbd, "--seed", options.seed, "Seed of the filler");
    return {kbd, [&] {
                if (options.size < 401) {
                    return TooSmall(options.size, 401, "the top row of keys");
                }
                return Write(request.out, samples::MakeKeyboardLayout(options));
            }};
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App cli("Writes synthetic sample files for tests and demonstrations.", kProgram);
    cli.require_subcommand(1);
    cli.footer("N is a number, decimal or 0x-prefixed hexadecimal."); // the commands inherit it
    Request request;
    const Command commands[] = {Gdi(cli, request), GdiTables(cli, request), Nt(cli, request), Ninex(cli, request), Keyboard(cli, request)};
    cli.footer("varno-gen COMMAND --help tells the options of a command.");
    try {
        cli.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) {
            return cli.exit(error); // --help
        }
        // The complaint, then the usage of the command it concerns.
        Fail(error.what());
        std::fputs(cli.help().c_str(), stderr);
        return 2;
    }
    for (const Command& command : commands) {
        if (command.app->parsed()) {
            try {
                return command.run();
            } catch (const std::exception& error) { // memory for a large file, above all
                return Fail(std::string("cannot make the file: ") + error.what());
            }
        }
    }
    return 2;
}
