#pragma once
// Files opened or saved together (a drop, an Open of several files, a hand-over, Save All)
// report those that fail in one message, not in a box each: a list of thousands of missing
// files asks for one OK. A single failure reads as the document's own report.

#include <string>
#include <vector>

class CDocument;

// Opens each file as CWinApp::OpenDocumentFile does; then the files that could not be opened
// are reported, several in one message that names the first few and counts the rest. Files
// opened while that message shows (another hand-over) are reported in a message of their own.
void AfxOpenDocumentFiles(const std::vector<std::string>& paths);

// Reports a file that cannot be opened, and why: with the others when files are opened
// together, else at once (MB_ICONSTOP, "Cannot open file PATH.", the reason below).
void AfxReportOpenFailure(const std::string& path, const std::string& reason);

// Saves each document as File > Save does (CDocument::DoFileSave); then the saves that
// failed are reported as failed opens are above.
void AfxSaveDocuments(const std::vector<CDocument*>& documents);

// Reports a file that cannot be saved, and why: with the others when documents are saved
// together, else at once (MB_ICONSTOP, "Cannot save file PATH.", the reason below).
void AfxReportSaveFailure(const std::string& path, const std::string& reason);
