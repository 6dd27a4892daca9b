#include "open/OpenHelp.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kUsage = R"(Usage: varno-open [FILE]...
       varno-open --help | --version

Hands the files to this user's varno editor on this display: its main window
comes to the front, and each file opens there as through File > Open. When no
editor runs, varno-open starts one (the varno beside varno-open, else the first
one in an absolute PATH entry). Without files it only brings the editor to the
front, or starts it.
The desktop opens code-page files and keyboard layouts with varno through it.
A file named --help or --version is given as ./--help or ./--version.
Exit status: 0 once the editor holds the files, 1 with a one-line message on
standard error when it could do neither, or when a name was too long to hand
over (the other files are still handed over).

Example:
  varno-open c_1251.nls ru.kbd
)";

} // namespace

std::optional<int> AnswerHelpOrVersion(int argc, char** argv)
{
    if (argc != 2) {
        return std::nullopt;
    }
    if (std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
    } else if (std::strcmp(argv[1], "--version") == 0) {
        std::fputs("varno-open " VARNO_VERSION "\n", stdout);
    } else {
        return std::nullopt;
    }
    const bool written = std::fflush(stdout) == 0 && !std::ferror(stdout);
    return written ? 0 : 1;
}
