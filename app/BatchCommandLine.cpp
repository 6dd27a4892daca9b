#include "app/BatchCommandLine.h"

BatchTokens TokeniseBatchCommandLine(const char* commandLine)
{
    BatchTokens tokens;
    std::string* slots[] = {&tokens.target, &tokens.source, &tokens.options};
    std::size_t slot = 0;
    bool quoted = false;
    for (const char* ch = commandLine; ch != nullptr && *ch != '\0' && slot < 3; ++ch) {
        if (*ch == ' ' && !quoted) {
            if (!slots[slot]->empty()) {
                ++slot;
            }
        } else if (*ch == '\'' || *ch == '"') {
            quoted = !quoted;
        } else {
            if (slots[slot]->size() == BatchTokens::kMaxTokenLength) {
                tokens.tokenTooLong = true;
                return tokens;
            }
            slots[slot]->push_back(*ch);
        }
    }
    return tokens;
}
