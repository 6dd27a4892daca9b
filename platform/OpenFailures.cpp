#include "platform/OpenFailures.h"

#include "platform/CDocument.h"
#include "platform/CWinApp.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <utility>

namespace {

struct FileFailure {
    std::string path;
    std::string reason;
};

// Failures of files handled together, and the verb that the message says of them.
struct Gathering {
    const char* verb;
    // The failures gathered; null while no files are handled together.
    std::vector<FileFailure>* failures = nullptr;
};
Gathering g_opens{"open"};
Gathering g_saves{"save"};

// The files named in a message of several; the others are counted.
constexpr std::size_t kNamedFailures = 5;

std::string Sentence(std::string text)
{
    if (!text.empty() && text.back() != '.') {
        text += '.';
    }
    return text;
}

std::string FailuresText(const char* verb, const std::vector<FileFailure>& failures)
{
    if (failures.size() == 1) {
        return std::string("Cannot ") + verb + " file " + failures.front().path + ".\n" + Sentence(failures.front().reason);
    }
    std::string text = std::string("Cannot ") + verb + " " + std::to_string(failures.size()) + " files:";
    const std::size_t named = std::min(failures.size(), kNamedFailures);
    for (std::size_t i = 0; i < named; ++i) {
        text += "\n" + failures[i].path + ": " + Sentence(failures[i].reason);
    }
    if (failures.size() > named) {
        text += "\nand " + std::to_string(failures.size() - named) + " more.";
    }
    return text;
}

void Report(const char* verb, const std::vector<FileFailure>& failures)
{
    if (!failures.empty()) {
        AfxMessageBox(FailuresText(verb, failures).c_str(), MB_ICONSTOP);
    }
}

// Runs each of the items, gathering their failures, and reports them in one message.
template <typename Item, typename Action>
void HandleTogether(Gathering& gathering, const std::vector<Item>& items, Action action)
{
    std::vector<FileFailure> failures;
    // Files handled while a box shows, during these or after them, gather on their own.
    std::vector<FileFailure>* outer = std::exchange(gathering.failures, &failures);
    for (const Item& item : items) {
        action(item);
    }
    gathering.failures = outer;
    Report(gathering.verb, failures);
}

void ReportFailure(const Gathering& gathering, const std::string& path, const std::string& reason)
{
    if (gathering.failures != nullptr) {
        gathering.failures->push_back({path, reason});
    } else {
        Report(gathering.verb, {{path, reason}});
    }
}

} // namespace

void AfxOpenDocumentFiles(const std::vector<std::string>& paths)
{
    HandleTogether(g_opens, paths, [](const std::string& path) { AfxGetApp()->OpenDocumentFile(path.c_str()); });
}

void AfxReportOpenFailure(const std::string& path, const std::string& reason)
{
    ReportFailure(g_opens, path, reason);
}

void AfxSaveDocuments(const std::vector<CDocument*>& documents)
{
    HandleTogether(g_saves, documents, [](CDocument* document) { document->DoFileSave(); });
}

void AfxReportSaveFailure(const std::string& path, const std::string& reason)
{
    ReportFailure(g_saves, path, reason);
}
