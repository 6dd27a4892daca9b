#pragma once
// The batch command line: up to three blank-separated tokens (target module,
// source module, options). A double quote or an apostrophe opens or closes a
// quoted stretch in which blanks belong to the token; the quote characters are
// dropped. A tab is an ordinary character and there is no escape character.

#include <string>

struct BatchTokens {
    static constexpr std::size_t kMaxTokenLength = 255;

    std::string target;
    std::string source;
    std::string options;
    // Set when a token would not fit in kMaxTokenLength characters; the tokens
    // are then incomplete and must not be used.
    bool tokenTooLong = false;
};

BatchTokens TokeniseBatchCommandLine(const char* commandLine);
