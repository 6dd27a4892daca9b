#pragma once
// A document: the data of one open file, its path and title, its modified
// flag and the views that show it. Opening and saving run Serialize over an
// archive on the file; failures are reported to the user here, in a box of their own or,
// for files opened or saved together, with the others (OpenFailures.h).

#include "platform/CCmdTarget.h"
#include "platform/CDocumentView.h"
#include "platform/CFile.h"
#include "platform/Position.h"

#include <string>
#include <vector>

class CArchive;
class CDocTemplate;

class CDocument : public CCmdTarget {
public:
    CDocument() = default;
    // Leaves its template's list; its views are left without a document.
    ~CDocument() override;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    // Prepares an empty document. FALSE refuses it: the framework then drops
    // the document without a message.
    virtual BOOL OnNewDocument() { return TRUE; }
    // Loads the file through Serialize and clears the modified flag. A file
    // that cannot be opened or read, that is 2 GiB or larger, or that Serialize
    // refuses is reported (AfxReportOpenFailure) and answers FALSE; one whose load the user
    // cancelled answers FALSE without a report.
    virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
    // Writes through Serialize and clears the modified flag. On any failure the
    // old file stays whole, the failure is reported, the document stays
    // modified, and the answer is FALSE. When the file is the one last read or
    // saved and has changed on disk since, the user is asked first (MB_YESNO,
    // naming the file); No leaves it as it is and answers FALSE. When its name
    // now leads to another file (a symbolic link), nothing is written.
    virtual BOOL OnSaveDocument(LPCSTR lpszPathName);
    // The file last read or saved, as it was then.
    const DiskState& GetDiskState() const { return m_diskState; }
    // Saves to the path, which the document then takes with its title. Without
    // a path the user is asked for one (Save As); FALSE when there is none or the save fails.
    virtual BOOL DoSave(LPCSTR lpszPathName);
    // Save: to the document's path, or through Save As when it has none.
    virtual BOOL DoFileSave();
    // Asks whether to save a modified document (Yes, No, Cancel) and saves on
    // Yes. TRUE when the document may be closed: unmodified, No, or saved.
    virtual BOOL SaveModified();
    // The save question with the buttons of nButtons (MB_YESNOCANCEL or MB_YESNOCANCELALL); the button pressed.
    int PromptToSave(UINT nButtons) const;
    // Whether the frame may close: when another frame still shows the document,
    // or after SaveModified.
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // Closes the document: the frames of its views are destroyed, and so are
    // the views, and with m_bAutoDelete the document is deleted.
    virtual void OnCloseDocument();
    virtual void Serialize(CArchive& ar);

    BOOL IsModified() const { return m_bModified; }
    // A change of the flag retitles the document's windows, which mark a modified document.
    void SetModifiedFlag(BOOL bModified = TRUE);

    // Asks every view but pSender to update itself (all of them with no sender).
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

    // The full path of the document's file; empty until it has one.
    const std::string& GetPathName() const { return m_strPathName; }
    // The path as the system resolved it when the document took it: what tells whether
    // a file being opened is this document's.
    const std::string& GetResolvedPathName() const { return m_strResolvedPathName; }
    // Takes the path, made absolute, and the file's name as title, which renames
    // its windows; the path goes into the application's recent-file list.
    virtual void SetPathName(LPCSTR lpszPathName);
    const std::string& GetTitle() const { return m_strTitle; }
    // Names the document's windows.
    void SetTitle(LPCSTR lpszTitle);

    void AddView(CDocumentView* pView);
    // When the last view goes and m_bAutoDelete is set, the document closes.
    void RemoveView(CDocumentView* pView);
    POSITION GetFirstViewPosition() const { return AfxHeadPosition(m_viewList); }
    CView* GetNextView(POSITION& rPosition) const
    {
        CDocumentView* view = AfxGetNextAt(m_viewList, rPosition);
        return view != nullptr ? view->GetView() : nullptr;
    }

    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    // Whether closing deletes the document (documents that the framework creates).
    BOOL m_bAutoDelete = TRUE;

protected:
    // File > Close, Save and Save As.
    void OnFileClose();
    void OnFileSave() { DoFileSave(); }
    void OnFileSaveAs() { DoSave(nullptr); }

    DECLARE_MESSAGE_MAP()

private:
    friend class CDocTemplate;
    // Numbers the document's windows when there are several, and retitles them.
    void UpdateFrameCounts();
    // Opens the file, writes through Serialize and closes it; for the
    // document's own file only while its name leads where it did when the file
    // was last read or saved and, with bUnchanged, while the file is as it was
    // then. The reason of a failure, or empty.
    std::string StoreTo(CFile& file, LPCSTR lpszPathName, bool bOwnFile, bool bUnchanged);

    std::string m_strPathName;
    std::string m_strResolvedPathName;
    std::string m_strTitle;
    BOOL m_bModified = FALSE;
    // The file last read or saved, as it was then: the document's own file
    // once the framework has given it its path.
    DiskState m_diskState;
    CDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CDocumentView*> m_viewList;
};
