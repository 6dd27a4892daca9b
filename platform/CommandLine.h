#pragma once
// The single command-line text of the original system: rebuilt from the
// arguments that the shell has already split, and split into tokens again.
//
// Tokens are separated by blanks; a double quote or an apostrophe opens or
// closes a quoted stretch in which blanks belong to the token, and the quote
// characters are dropped. A tab is an ordinary character and there is no
// escape character, so no token can hold a quote character or be empty.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

// The first argument (counted from 1, after the program's name) that the
// command line cannot carry, because it is empty or holds ' or ", which the
// tokeniser would drop; 0 when every argument can be carried.
int AfxFindUncarriableArgument(int argc, char** argv);

// The arguments joined by one blank, each one holding a blank or a control
// character in double quotes. Splitting the result gives the arguments back
// exactly, provided that AfxFindUncarriableArgument found none.
std::string AfxBuildCommandLine(int argc, char** argv);

// The first maxTokens tokens of the command line; the text after them is not read.
std::vector<std::string> AfxSplitCommandLine(LPCSTR commandLine, std::size_t maxTokens);
