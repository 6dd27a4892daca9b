#include "view/TableTextCommands.h"

#include "document/CVarnoDoc.h"
#include "document/PropagateCharChange.h"
#include "document/TableListing.h"
#include "platform/CFile.h"
#include "platform/CFileDialog.h"
#include "platform/CWinApp.h"
#include "platform/FilePath.h"
#include "platform/MessageBox.h"
#include "view/CVarnoView.h"
#include "view/DisplayFont.h"
#include "view/EntryDescription.h"
#include "view/TableViewInput.h"

#include <QClipboard>
#include <QGuiApplication>

#include <filesystem>

namespace {
bool HasTable(const CVarnoDoc* doc) { return doc != nullptr && doc->m_pHandler != nullptr; }

std::string TextOf(const CVarnoDoc& doc)
{
    return TableText(doc, doc.GetPathName(), DecodeByteCharacters(DisplayCodePage()));
}

// What the text lists, in messages.
const char* EntriesName(const CVarnoDoc& doc) { return doc.m_nKind == CVarnoDoc::kindKeyboard ? "keys" : "entries"; }

// The open document whose file the path names, or null: an export over it would lose the table.
const CVarnoDoc* OpenDocumentAt(const std::string& path)
{
    CWinApp* app = AfxGetApp();
    for (const CVarnoDoc* doc : app != nullptr ? AllOpenDocuments(*app) : std::vector<CVarnoDoc*>()) {
        std::error_code error;
        if (std::filesystem::equivalent(path, doc->GetPathName(), error)) {
            return doc;
        }
    }
    return nullptr;
}

// False with the system's reason when the file did not take the text.
bool WriteText(const std::string& path, const std::string& text, std::string& error)
{
    CFile file;
    if (file.Open(path.c_str(), CFile::modeWrite)) {
        file.Write(text.data(), static_cast<UINT>(text.size()));
        file.Close();
    }
    error = file.GetErrorText();
    return !file.HasError();
}
} // namespace

void CopyCursorEntry(CVarnoView& view)
{
    CVarnoDoc* doc = view.GetDocument();
    if (HasTable(doc) && view.Input() != nullptr) {
        const QStringList parts = DescribeEntry(*doc, view.Input()->CursorEntry(), DisplayCodePage());
        QGuiApplication::clipboard()->setText(parts.join(QStringLiteral(" · ")));
    }
}

void CopyTable(CVarnoView& view)
{
    CVarnoDoc* doc = view.GetDocument();
    if (!HasTable(doc)) {
        return;
    }
    QGuiApplication::clipboard()->setText(QString::fromStdString(TextOf(*doc)));
    if (view.Input() != nullptr) {
        view.Input()->Say(QStringLiteral("The %1 of %2 are on the clipboard.")
                              .arg(QLatin1String(EntriesName(*doc)),
                                   QString::fromStdString(doc->GetTitle())));
    }
}

void ExportMapping(CVarnoView& view)
{
    CVarnoDoc* doc = view.GetDocument();
    if (!HasTable(doc)) {
        return;
    }
    const std::filesystem::path table(doc->GetPathName());
    const std::string proposed = std::filesystem::path(table).replace_extension(".txt").string();
    CFileDialog dialog(FALSE, "txt", proposed.c_str(), 0, "Mapping texts (*.txt)|*.txt|All Files (*.*)|*.*||", nullptr);
    if (dialog.DoModal() != IDOK) {
        return;
    }
    const std::string path = dialog.GetPathName();
    if (const CVarnoDoc* open = OpenDocumentAt(path)) {
        AfxMessageBox((path + " is open as " + open->GetTitle() + ". The " + EntriesName(*doc)
                       + " go to a file of their own.").c_str(),
                      MB_ICONSTOP);
        return;
    }
    std::string error;
    if (!WriteText(path, TextOf(*doc), error)) {
        AfxMessageBox(("Cannot export to " + path + ":\n" + error + ".").c_str(), MB_ICONSTOP);
        return;
    }
    if (view.Input() != nullptr) {
        view.Input()->Say(QStringLiteral("The %1 of %2 are exported to %3.")
                              .arg(QLatin1String(EntriesName(*doc)), QString::fromStdString(doc->GetTitle()),
                                   QString::fromStdString(path)));
    }
}
