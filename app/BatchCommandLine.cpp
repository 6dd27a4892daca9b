#include "app/BatchCommandLine.h"

std::vector<std::string> SplitBatchCommandLine(LPCSTR commandLine, std::size_t maxTokens)
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
