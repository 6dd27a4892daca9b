#include "platform/CommandLine.h"

#include <algorithm>

int AfxBuildCommandLine(int argc, char** argv, std::string& line)
{
    line.clear();
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.empty() || argument.find_first_of("'\"") != std::string::npos) {
            line.clear();
            return i;
        }
        const bool needsQuotes =
            std::any_of(argument.begin(), argument.end(), [](unsigned char ch) { return ch >= 1 && ch <= 32; });
        if (i > 1) {
            line += ' ';
        }
        if (needsQuotes) {
            line += '"' + argument + '"';
        } else {
            line += argument;
        }
    }
    return 0;
}
