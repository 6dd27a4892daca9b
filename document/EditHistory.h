#pragma once
// The editor's Undo and Redo: the steps of this session's edits, each over any number of open
// documents. Any edit of a set of documents becomes one step by running it through Record, for
// example a whole-table take of one document:
//
//     ApplicationEditHistory().Record("Take Table From c_1251.nls", {&document}, [&] { taken = Take(document); });
//
// The history is the application's, so an edit is a step whatever windows there are.

#include "document/EditStep.h"

#include <QUndoStack>

#include <functional>
#include <string>
#include <vector>

class EditHistory {
public:
    // Runs edit, which may change any of the documents (image bytes, entry flags, modified flag),
    // and keeps what it changed as one step named text. An edit that changed nothing makes no step.
    void Record(const std::string& text, const std::vector<CVarnoDoc*>& documents, const std::function<void()>& edit);

    // Takes back the last step, or does again the last one taken back, in its documents that are
    // still open. Steps whose documents have all closed are dropped on the way.
    void Undo();
    void Redo();

    // The name of the step that Undo or Redo would take; empty when there is none.
    QString UndoText() const;
    QString RedoText() const;

private:
    const EditStep* StepAt(int index) const { return static_cast<const EditStep*>(m_stack.command(index)); }

    QUndoStack m_stack;
};

// The application object of a program whose documents are edited in windows derives from this
// besides CWinApp: the history lives as long as the program, not as long as a window.
class EditHistoryOwner {
public:
    EditHistory m_editHistory;
};

// The history of the running application, which is an EditHistoryOwner.
EditHistory& ApplicationEditHistory();
