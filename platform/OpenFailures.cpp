#include "platform/OpenFailures.h"

#include "platform/CWinApp.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <utility>

namespace {

struct OpenFailure {
    std::string path;
    std::string reason;
};

// The failures of the files being opened together; null when none are.
std::vector<OpenFailure>* g_gathered = nullptr;

// The files named in a message of several; the others are counted.
constexpr std::size_t kNamedFailures = 5;

std::string Sentence(std::string text)
{
    if (!text.empty() && text.back() != '.') {
        text += '.';
    }
    return text;
}

std::string FailuresText(const std::vector<OpenFailure>& failures)
{
    if (failures.size() == 1) {
        return "Cannot open file " + failures.front().path + ".\n" + Sentence(failures.front().reason);
    }
    std::string text = "Cannot open " + std::to_string(failures.size()) + " files:";
    const std::size_t named = std::min(failures.size(), kNamedFailures);
    for (std::size_t i = 0; i < named; ++i) {
        text += "\n" + failures[i].path + ": " + Sentence(failures[i].reason);
    }
    if (failures.size() > named) {
        text += "\nand " + std::to_string(failures.size() - named) + " more.";
    }
    return text;
}

void Report(const std::vector<OpenFailure>& failures)
{
    if (!failures.empty()) {
        AfxMessageBox(FailuresText(failures).c_str(), MB_ICONSTOP);
    }
}

} // namespace

void AfxOpenDocumentFiles(const std::vector<std::string>& paths)
{
    std::vector<OpenFailure> failures;
    // Files handed over while a box shows, during these opens or after them, gather on their own.
    std::vector<OpenFailure>* outer = std::exchange(g_gathered, &failures);
    for (const std::string& path : paths) {
        AfxGetApp()->OpenDocumentFile(path.c_str());
    }
    g_gathered = outer;
    Report(failures);
}

void AfxReportOpenFailure(const std::string& path, const std::string& reason)
{
    if (g_gathered != nullptr) {
        g_gathered->push_back({path, reason});
    } else {
        Report({{path, reason}});
    }
}
