#pragma once
// varno --help and varno --version. Either one, as the whole command line,
// prints the usage or the version on standard output instead of running the
// batch transplant: a single word names no source module, so it never was a
// working transplant, and every other command line keeps its meaning.

#include <optional>

// The batch transplant's line of the usage.
inline constexpr const char* kBatchUsage = "varno TARGET SOURCE [/q]";

// The exit status after the usage or the version was printed (1 when standard
// output could not take it), or nothing when the command line asks for neither.
std::optional<int> AnswerHelpOrVersion(const char* commandLine);
