#include "app/CommandLineHelp.h"

#include <cstdio>
#include <cstring>

namespace {

// What follows the three lines of the usage.
constexpr const char* kDescription = R"(
With an empty command line, varno starts the editor. It opens NT and 9x
code-page files (c_*.nls, cp_*.nls), GDI modules (*.exe) and keyboard layouts
(*.kbd) through File > Open or dropped on its window, and needs a display.

Any other command line is the batch transplant, which needs no display: the
code-page table entries of the bytes 80-BF (all but B7) are copied from the GDI
module SOURCE into the GDI module TARGET, which is written back in place. When
the third word holds /q, in any case, success is silent; a failure is always
told. The outcome is shown in a message box, or on standard error when no
display can be opened. Quote a path that holds blanks. Exit status: 0 after a
successful transplant, 1 after any failure.

Example:
  varno /srv/win311/system/gdi.exe gdi-cyrillic.exe /q

varno-open FILE... opens files in the running editor, from the desktop or a
shell, and starts the editor when none runs. varno-table works on the same
files from a shell, without a display (varno-table --help). The manual pages
varno(1), varno-open(1) and varno-table(1) tell more.
)";

} // namespace

std::optional<int> AnswerHelpOrVersion(const char* commandLine)
{
    if (std::strcmp(commandLine, "--help") == 0) {
        std::printf("Usage: varno\n       %s\n       varno --help | --version\n%s", kBatchUsage, kDescription);
    } else if (std::strcmp(commandLine, "--version") == 0) {
        std::fputs("varno " VARNO_VERSION "\n", stdout);
    } else {
        return std::nullopt;
    }
    const bool written = std::fflush(stdout) == 0 && !std::ferror(stdout);
    return written ? 0 : 1;
}
