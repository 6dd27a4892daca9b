#include "view/FindCommands.h"

#include "document/CVarnoDoc.h"
#include "document/HexArgument.h"
#include "res/Resource.h"
#include "view/CTextFieldDlg.h"
#include "view/CVarnoView.h"
#include "view/DisplayFont.h"
#include "view/EntryDescription.h"
#include "view/MatchMarks.h"
#include "view/TableViewInput.h"

#include <algorithm>

namespace {
// The text that Find last sought in any view.
QString& LastSought()
{
    static QString text;
    return text;
}

std::optional<unsigned> GridByte(const QString& text) { return ParseHexArgument(text.trimmed().toStdString(), 0xFF); }

LiveLineState PreviewByte(CVarnoDoc& doc, const QString& text)
{
    const std::optional<unsigned> byte = GridByte(text);
    if (!byte) {
        return {QStringLiteral("Not a byte in hexadecimal, such as C0"), false};
    }
    if (*byte < 0x80) {
        return {QStringLiteral("The grid shows the bytes 80 to FF"), false};
    }
    return {DescribeEntry(doc, static_cast<int>(*byte), DisplayCodePage()).join(QStringLiteral(" · ")), true};
}

LiveLineState PreviewSearch(CVarnoDoc& doc, const QString& text)
{
    QString refusal;
    const std::optional<SearchQuery> query
        = ParseSearch(text, doc.m_nKind == CVarnoDoc::kindKeyboard, DisplayCodePage(), refusal);
    if (!query) {
        return {refusal, false};
    }
    return {DescribeMatches(*query, FindEntries(doc, *query).size(), DisplayCodePage()), true};
}

// The view seeks the text from now on; false, with the reason in the status bar, when it cannot.
bool Seek(CVarnoDoc& doc, TableViewInput& input, const QString& text)
{
    QString refusal;
    std::optional<SearchQuery> query
        = ParseSearch(text, doc.m_nKind == CVarnoDoc::kindKeyboard, DisplayCodePage(), refusal);
    if (!query) {
        input.Say(refusal);
        return false;
    }
    input.Marks().Seek(std::move(query));
    input.Refresh();
    return true;
}

// Moves to the match after or before the entry and says which it is.
void ShowMatch(TableViewInput& input, int entry, int direction)
{
    const MatchMarks& marks = input.Marks();
    const std::vector<int>& matches = marks.Matches();
    const int match = NextMatch(matches, entry, direction);
    if (match < 0) {
        input.Say(DescribeMatches(*marks.Query(), 0, DisplayCodePage()));
        return;
    }
    input.MoveCursorTo(match);
    const auto index = static_cast<std::size_t>(std::ranges::find(matches, match) - matches.begin());
    input.Say(DescribeMatch(*marks.Query(), index, matches.size(), DisplayCodePage()));
}

// The view's document while it has a table, and the view's input.
bool TableOf(CVarnoView& view, CVarnoDoc*& doc, TableViewInput*& input)
{
    doc = view.GetDocument();
    input = view.Input();
    return doc != nullptr && doc->m_pHandler != nullptr && input != nullptr;
}
} // namespace

void GoToByte(CVarnoView& view)
{
    CVarnoDoc* doc = nullptr;
    TableViewInput* input = nullptr;
    if (!TableOf(view, doc, input)) {
        return;
    }
    if (!CVarnoDoc::IsCodePageKind(doc->m_nKind)) {
        input->Say(QStringLiteral("A keyboard layout has keys, not bytes to go to; Find looks for a byte on them."));
        return;
    }
    CTextFieldDlg dialog(IDD_GO_TO_BYTE, [doc](const QString& text) { return PreviewByte(*doc, text); });
    dialog.m_strText = QString::number(input->CursorEntry(), 16).toUpper();
    if (dialog.DoModal() == IDOK) {
        input->MoveCursorTo(static_cast<int>(GridByte(dialog.m_strText).value_or(0)));
    }
}

void FindInView(CVarnoView& view)
{
    CVarnoDoc* doc = nullptr;
    TableViewInput* input = nullptr;
    if (!TableOf(view, doc, input)) {
        return;
    }
    CTextFieldDlg dialog(IDD_FIND, [doc](const QString& text) { return PreviewSearch(*doc, text); });
    dialog.m_strText = LastSought();
    if (dialog.DoModal() != IDOK) {
        return;
    }
    LastSought() = dialog.m_strText;
    if (Seek(*doc, *input, dialog.m_strText)) {
        // The cursor's own cell comes first.
        ShowMatch(*input, input->CursorEntry() - 1, +1);
    }
}

void FindAgain(CVarnoView& view, int direction)
{
    CVarnoDoc* doc = nullptr;
    TableViewInput* input = nullptr;
    if (!TableOf(view, doc, input)) {
        return;
    }
    if (!input->Marks().Query()) {
        if (LastSought().isEmpty()) {
            FindInView(view);
            return;
        }
        if (!Seek(*doc, *input, LastSought())) {
            return;
        }
    }
    ShowMatch(*input, input->CursorEntry(), direction);
}
