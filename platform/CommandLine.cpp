#include "platform/CommandLine.h"

#include <algorithm>

namespace {

bool NeedsQuotes(const std::string& argument)
{
    return std::any_of(argument.begin(), argument.end(), [](unsigned char ch) { return ch >= 1 && ch <= 32; });
}

} // namespace

int AfxFindUncarriableArgument(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i] != nullptr ? argv[i] : "";
        if (argument[0] == '\0' || std::string(argument).find_first_of("'\"") != std::string::npos) {
            return i;
        }
    }
    return 0;
}

std::string AfxBuildCommandLine(int argc, char** argv)
{
    std::string line;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i] != nullptr ? argv[i] : "";
        if (i > 1) {
            line += ' ';
        }
        line += NeedsQuotes(argument) ? '"' + argument + '"' : argument;
    }
    return line;
}

std::vector<std::string> AfxSplitCommandLine(LPCSTR commandLine, std::size_t maxTokens)
{
    std::vector<std::string> tokens;
    std::string token;
    bool quoted = false;
    for (const char* ch = commandLine != nullptr ? commandLine : ""; *ch != '\0' && tokens.size() < maxTokens; ++ch) {
        if (*ch == ' ' && !quoted) {
            if (!token.empty()) {
                tokens.push_back(std::move(token));
                token.clear();
            }
        } else if (*ch == '\'' || *ch == '"') {
            quoted = !quoted;
        } else {
            token += *ch;
        }
    }
    if (!token.empty() && tokens.size() < maxTokens) {
        tokens.push_back(std::move(token));
    }
    return tokens;
}
