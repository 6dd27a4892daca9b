// varno-gen: writes synthetic sample files for tests and demonstrations.
//
//   varno-gen gdi OUT [--size N] [--base N] [--codepage NAME] [--stray N]... [--seed N]

#include "tools/SampleGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int Usage()
{
    std::fprintf(stderr,
                 "usage: varno-gen gdi OUT [--size N] [--base N] [--codepage NAME] [--stray N]... [--seed N]\n"
                 "Numbers may be decimal or 0x-prefixed hexadecimal.\n");
    return 2;
}

bool ParseNumber(const char* text, std::size_t& value)
{
    char* end = nullptr;
    unsigned long long parsed = std::strtoull(text, &end, 0);
    if (end == text || *end != '\0') {
        return false;
    }
    value = static_cast<std::size_t>(parsed);
    return true;
}

int MakeGdi(int argc, char** argv)
{
    if (argc < 3) {
        return Usage();
    }
    samples::GdiModuleOptions options;
    for (int i = 3; i < argc; ++i) {
        std::string flag = argv[i];
        if (i + 1 >= argc) {
            return Usage();
        }
        const char* value = argv[++i];
        std::size_t number = 0;
        if (flag == "--codepage") {
            options.codePage = value;
        } else if (!ParseNumber(value, number)) {
            std::fprintf(stderr, "varno-gen: not a number: %s\n", value);
            return 2;
        } else if (flag == "--size") {
            options.size = number;
        } else if (flag == "--base") {
            options.tableBase = number;
        } else if (flag == "--stray") {
            options.strayCopies.push_back(number);
        } else if (flag == "--seed") {
            options.seed = static_cast<std::uint32_t>(number);
        } else {
            return Usage();
        }
    }
    bool known = false;
    samples::CodePageMapping(options.codePage, &known);
    if (!known) {
        std::fprintf(stderr, "varno-gen: unknown code page: %s\n", options.codePage.c_str());
        return 2;
    }
    if (!samples::WriteFile(argv[2], samples::MakeGdiModule(options))) {
        std::fprintf(stderr, "varno-gen: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "gdi") == 0) {
        return MakeGdi(argc, argv);
    }
    return Usage();
}
