// varno-table apply: a range of bytes in every file takes the values of a reference table.

#include "cli/CVarnoTableApp.h"
#include "cli/TableListing.h"
#include "document/CVarnoDoc.h"
#include "document/HexArgument.h"
#include "document/StringPrintf.h"
#include "document/TableTake.h"

#include <algorithm>

namespace {

// "80-FF": two hexadecimal bytes, the ends of the range.
std::optional<ByteRange> ParseByteRange(const std::string& text)
{
    std::size_t dash = text.find('-');
    if (dash == std::string::npos) {
        return std::nullopt;
    }
    std::optional<unsigned> first = ParseHexArgument(text.substr(0, dash), 0xFF);
    std::optional<unsigned> last = ParseHexArgument(text.substr(dash + 1), 0xFF);
    if (!first || !last) {
        return std::nullopt;
    }
    return ByteRange{*first, *last};
}

} // namespace

int CVarnoTableApp::Apply(const std::string& source, const std::string& rangeText, bool dryRun,
                          const std::vector<std::string>& files)
{
    std::optional<ByteRange> range = ParseByteRange(rangeText);
    if (!range) {
        Error({}, "--range: expected two hexadecimal bytes such as 80-FF, got '" + rangeText + "'");
        return kExitError;
    }
    if (range->first > range->last) {
        Error({}, "--range: the ends of '" + rangeText + "' are reversed; "
                      + StringPrintf("write %02X-%02X", range->last, range->first));
        return kExitError;
    }
    TableValues values;
    if (!ReadTableValues(source, "apply --from", values)) {
        return kExitError;
    }
    // Every file opened first: one that cannot be opened stops the change before anything is touched.
    std::vector<CVarnoDoc*> documents;
    std::vector<std::string> names;
    for (const std::string& file : files) {
        CVarnoDoc* document = Open(file);
        if (document != nullptr && !CVarnoDoc::IsCodePageKind(document->m_nKind)) {
            Error(file, "apply takes code-page files and GDI modules; the name makes this "
                            + KindWithArticle(document->m_nKind));
        } else if (document != nullptr && std::find(documents.begin(), documents.end(), document) == documents.end()) {
            documents.push_back(document); // a file named twice is open once
            names.push_back(file);
        }
    }
    if (m_hadError) {
        return kExitError;
    }

    return EditAndWrite(documents, names, dryRun, [&] {
        for (std::size_t i = 0; i < documents.size(); ++i) {
            const TakeResult result = TakeTable(*documents[i], values, *range);
            if (!result.Taken()) {
                Error(names[i], TakeRefusalReason(result) + "; no file was changed");
                return false;
            }
        }
        return true;
    });
}
