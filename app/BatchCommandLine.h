#pragma once
// The batch mode's command line split into tokens: target, source, options.
//
// Tokens are separated by blanks; a double quote or an apostrophe opens or
// closes a quoted stretch in which blanks belong to the token, and the quote
// characters are dropped. A tab is an ordinary character and there is no
// escape character, so no token can hold a quote character or be empty.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

// The first maxTokens tokens of the command line; the text after them is not read.
std::vector<std::string> SplitBatchCommandLine(LPCSTR commandLine, std::size_t maxTokens);
