#pragma once
// varno-open --help and varno-open --version: either one, as the whole command
// line, prints the usage or the version and hands nothing over. A file of that
// name is still reached as ./--help.

#include <optional>

// The exit status after the usage or the version was printed (1 when standard
// output could not take it), or nothing when the arguments ask for neither.
std::optional<int> AnswerHelpOrVersion(int argc, char** argv);
