#pragma once
// The editor's Undo and Redo: the steps of this session's edits, each over any number of open
// documents. Any edit of a set of documents becomes one step by running it through Record, for
// example a whole-table take of one document:
//
//     ApplicationEditHistory().Record("Take Table From c_1251.nls", {&document}, [&] { taken = Take(document); });
//
// The history is the application's, so an edit is a step whatever windows there are. Its steps
// live on Qt's undo stack, kept so that the stack's next step either way is one that still
// changes an open document; whoever follows the history hears when the stack moves.

#include "document/EditStep.h"

#include <QPointer>
#include <QUndoStack>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class EditHistory {
public:
    EditHistory();

    // Runs edit, which may change any of the documents (image bytes, entry flags, modified flag),
    // and keeps what it changed as one step named text. An edit that changed nothing makes no step.
    void Record(const std::string& text, const std::vector<CVarnoDoc*>& documents, const std::function<void()>& edit);

    // Takes back the last step, or does again the last one taken back, in its documents that are
    // still open.
    void Undo();
    void Redo();

    // The name of the step that Undo or Redo would take (EditStep::Rename); empty when there is none.
    QString UndoText() const { return m_stack.undoText(); }
    QString RedoText() const { return m_stack.redoText(); }

    // From now on, tell runs whenever UndoText or RedoText may give another text: a step was
    // recorded, taken back or done again, or a document of a step closed. It stops with receiver.
    void Follow(QObject* receiver, const std::function<void()>& tell);

private:
    // Renames every step for the documents still open, and drops those that Undo and Redo would
    // reach with none.
    void OnDocumentClosed();
    // Steps whose documents have all closed are dropped where Undo or Redo would take them next;
    // then the followers hear.
    void DropClosedSteps();
    void Tell();
    // The stack hands its steps out read-only; the history made them, and may rename them.
    EditStep& StepAt(int index) { return const_cast<EditStep&>(static_cast<const EditStep&>(*m_stack.command(index))); }

    QUndoStack m_stack;
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> m_followers;
};

// The application object of a program whose documents are edited in windows derives from this
// besides CWinApp: the history lives as long as the program, not as long as a window.
class EditHistoryOwner {
public:
    EditHistory m_editHistory;
};

// The history of the running application, which is an EditHistoryOwner.
EditHistory& ApplicationEditHistory();
