#pragma once
// The single command-line text of the original system, rebuilt from the
// arguments that the shell has already split.

#include <string>

// The arguments joined by one blank, each one holding a blank or a control
// character in double quotes, so that a tokeniser that takes blanks as
// separators and drops quote characters gives them back exactly. Returns 0,
// or the first argument (counted from 1, after the program's name) that the
// line cannot carry, because it is empty or holds ' or "; line is then empty.
int AfxBuildCommandLine(int argc, char** argv, std::string& line);
