// varno-gen: writes synthetic sample files for tests and demonstrations.
//
//   varno-gen gdi OUT [--size N] [--base N] [--codepage NAME] [--stray N]... [--seed N]
//   varno-gen nt OUT [--codepage NAME] [--number N] [--glyphs]
//   varno-gen 9x OUT [--codepage NAME] [--size N] [--seed N]
//   varno-gen kbd OUT [--size N] [--key K:LOW:HIGH:CAPS]... [--seed N]

#include "tools/SampleGenerator.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <functional>
#include <optional>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The largest number any option takes: sizes and offsets stay below 2 GiB, the
// largest file that the editor opens.
constexpr std::size_t kMaxNumber = 0x7FFFFFFF;

// The usage on standard error with status 2, or, asked for with --help, on standard output with 0.
int Usage(bool asked = false)
{
    std::fprintf(asked ? stdout : stderr,
                 "usage: varno-gen gdi OUT [--size N] [--base N] [--codepage NAME] [--stray N]... [--seed N]\n"
                 "       varno-gen nt OUT [--codepage NAME] [--number N] [--glyphs]\n"
                 "       varno-gen 9x OUT [--codepage NAME] [--size N] [--seed N]\n"
                 "       varno-gen kbd OUT [--size N] [--key K:LOW:HIGH:CAPS]... [--seed N]\n"
                 "Numbers may be decimal or 0x-prefixed hexadecimal, at most 0x7FFFFFFF.\n");
    return asked ? 0 : 2;
}

bool ParseNumber(const std::string& text, std::size_t& value)
{
    char* end = nullptr;
    errno = 0;
    unsigned long long parsed = std::strtoull(text.c_str(), &end, 0);
    // strtoull takes "-1" as a huge number and gives the largest one for any that overflows.
    if (text.empty() || text[0] == '-' || end == text.c_str() || *end != '\0' || errno == ERANGE
        || parsed > kMaxNumber) {
        return false;
    }
    value = static_cast<std::size_t>(parsed);
    return true;
}

// "a:b:c" into count numbers.
bool ParseNumbers(const std::string& text, std::size_t count, std::vector<std::size_t>& values)
{
    std::istringstream parts(text);
    std::string part;
    values.clear();
    while (std::getline(parts, part, ':')) {
        std::size_t value = 0;
        if (!ParseNumber(part, value)) {
            return false;
        }
        values.push_back(value);
    }
    return values.size() == count;
}

struct Arguments {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> flags; // in order; switches have an empty value
};

// Splits argv from index first on; every "--name" but a switch takes the next argument as its value.
bool Split(int argc, char** argv, int first, const std::vector<std::string>& switches, Arguments& arguments)
{
    for (int i = first; i < argc; ++i) {
        std::string word = argv[i];
        if (word.rfind("--", 0) != 0) {
            arguments.positional.push_back(word);
        } else if (std::find(switches.begin(), switches.end(), word) != switches.end()) {
            arguments.flags.emplace_back(word, "");
        } else if (i + 1 < argc) {
            arguments.flags.emplace_back(word, argv[++i]);
        } else {
            return false;
        }
    }
    return true;
}

int Fail(const char* message, const std::string& what)
{
    std::fprintf(stderr, "varno-gen: %s: %s\n", message, what.c_str());
    return 2;
}

// A file too small for what it must hold has no usable table.
int TooSmall(std::size_t size, std::size_t needed, const char* what)
{
    std::fprintf(stderr, "varno-gen: --size %zu is too small: %s needs %zu bytes\n", size, what, needed);
    return 2;
}

// One option of a command: its flag, and what its value sets; false for a value it cannot take.
struct Option {
    const char* flag;
    std::function<bool(const std::string&)> set;
};

template <typename Number> Option NumberOption(const char* flag, Number& target, std::size_t largest = kMaxNumber)
{
    return {flag, [&target, largest](const std::string& text) {
                std::size_t value = 0;
                if (!ParseNumber(text, value) || value > largest) {
                    return false;
                }
                target = static_cast<Number>(value);
                return true;
            }};
}

Option TextOption(const char* flag, std::string& target)
{
    return {flag, [&target](const std::string& text) {
                target = text;
                return true;
            }};
}

// Sets the options in the order given. nullopt when all were taken, else the exit status.
std::optional<int> SetOptions(const Arguments& arguments, const std::vector<Option>& options)
{
    for (const auto& [flag, value] : arguments.flags) {
        const std::string& name = flag; // a structured binding that clang cannot capture
        auto option = std::find_if(options.begin(), options.end(), [&](const Option& o) { return name == o.flag; });
        if (option == options.end()) {
            return Usage();
        }
        if (!option->set(value)) {
            return Fail(("not a value for " + flag).c_str(), value);
        }
    }
    return std::nullopt;
}

bool KnownCodePage(const std::string& codePage)
{
    bool known = false;
    samples::CodePageMapping(codePage, &known);
    return known;
}

int Write(const std::string& path, const samples::Bytes& bytes)
{
    if (!samples::WriteFile(path, bytes)) {
        std::fprintf(stderr, "varno-gen: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}

int MakeGdi(const Arguments& arguments)
{
    samples::GdiModuleOptions options;
    if (auto status = SetOptions(arguments, {TextOption("--codepage", options.codePage),
                                             NumberOption("--size", options.size),
                                             NumberOption("--base", options.tableBase),
                                             NumberOption("--seed", options.seed),
                                             {"--stray", [&](const std::string& text) {
                                                  std::size_t offset = 0;
                                                  if (!ParseNumber(text, offset)) {
                                                      return false;
                                                  }
                                                  options.strayCopies.push_back(offset);
                                                  return true;
                                              }}})) {
        return *status;
    }
    if (!KnownCodePage(options.codePage)) {
        return Fail("unknown code page", options.codePage);
    }
    // Base 0 counts as no table; the whole table must lie inside the file.
    if (options.tableBase == 0) {
        return Fail("--base 0 would be read as no table", "give 1 or more");
    }
    if (options.size < options.tableBase + 512) {
        return TooSmall(options.size, options.tableBase + 512, "the table of 512 bytes at --base");
    }
    for (std::size_t offset : options.strayCopies) {
        if (options.size < offset + 10) {
            return TooSmall(options.size, offset + 10, "the signature at --stray");
        }
    }
    return Write(arguments.positional[0], samples::MakeGdiModule(options));
}

int MakeNt(const Arguments& arguments)
{
    samples::NtCodePageOptions options;
    if (auto status = SetOptions(arguments, {TextOption("--codepage", options.codePage),
                                             NumberOption("--number", options.number, 0xFFFF),
                                             {"--glyphs", [&](const std::string&) {
                                                  options.glyphTable = true;
                                                  return true;
                                              }}})) {
        return *status;
    }
    if (!KnownCodePage(options.codePage)) {
        return Fail("unknown code page", options.codePage);
    }
    return Write(arguments.positional[0], samples::MakeNtCodePageFile(options));
}

int MakeNinex(const Arguments& arguments)
{
    samples::NinexCodePageOptions options;
    if (auto status = SetOptions(arguments, {TextOption("--codepage", options.codePage),
                                             NumberOption("--size", options.size),
                                             NumberOption("--seed", options.seed)})) {
        return *status;
    }
    if (!KnownCodePage(options.codePage)) {
        return Fail("unknown code page", options.codePage);
    }
    const std::size_t needed = samples::kNinexReverseOffset
        + 2 * samples::ReferenceNinexTable(samples::CodePageMapping(options.codePage)).size();
    if (options.size < needed) {
        return TooSmall(options.size, needed, "the tables");
    }
    return Write(arguments.positional[0], samples::MakeNinexCodePageFile(options));
}

int MakeKeyboard(const Arguments& arguments)
{
    samples::KeyboardLayoutOptions options;
    Option key{"--key", [&](const std::string& text) {
                   std::vector<std::size_t> k;
                   if (!ParseNumbers(text, 4, k) || k[0] >= 14 || k[1] > 0xFF || k[2] > 0xFF || k[3] > 1) {
                       return false;
                   }
                   options.keys[k[0]] = {static_cast<std::uint8_t>(k[1]), static_cast<std::uint8_t>(k[2]), k[3] == 1};
                   return true;
               }};
    if (auto status = SetOptions(arguments, {key, NumberOption("--size", options.size),
                                             NumberOption("--seed", options.seed)})) {
        return *status;
    }
    if (options.size < 401) {
        return TooSmall(options.size, 401, "the top row of keys");
    }
    return Write(arguments.positional[0], samples::MakeKeyboardLayout(options));
}

} // namespace

int main(int argc, char** argv)
{
    struct Command {
        const char* name;
        int (*run)(const Arguments&);
    };
    const Command commands[] = {{"gdi", MakeGdi}, {"nt", MakeNt}, {"9x", MakeNinex}, {"kbd", MakeKeyboard}};
    if (argc < 2) {
        return Usage();
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            return Usage(true);
        }
    }
    for (const Command& command : commands) {
        Arguments arguments;
        if (std::strcmp(argv[1], command.name) != 0) {
            continue;
        }
        if (!Split(argc, argv, 2, {"--glyphs"}, arguments) || arguments.positional.size() != 1) {
            return Usage();
        }
        try {
            return command.run(arguments);
        } catch (const std::exception& error) { // memory for a large file, above all
            return Fail("cannot make the file", error.what());
        }
    }
    return Usage();
}
