#include "document/EditHistory.h"

#include "platform/CWinApp.h"

#include <memory>

EditHistory::EditHistory()
{
    QObject::connect(&m_stack, &QUndoStack::indexChanged, &m_stack, [this] { Tell(); });
}

void EditHistory::Record(const std::string& text, const std::vector<CVarnoDoc*>& documents,
                         const std::function<void()>& edit)
{
    auto step = std::make_unique<EditStep>(QString::fromStdString(text), documents);
    edit();
    if (!step->Finish()) {
        return;
    }
    m_stack.push(step.release());
    for (CVarnoDoc* document : documents) {
        if (document == nullptr) {
            continue;
        }
        // Through the stack, which goes with the history: a document may outlive it.
        document->m_editState->closed = [this, stack = QPointer<QUndoStack>(&m_stack)] {
            if (stack != nullptr) {
                OnDocumentClosed();
            }
        };
    }
}

void EditHistory::Undo()
{
    m_stack.undo();
    DropClosedSteps();
}

void EditHistory::Redo()
{
    m_stack.redo();
    DropClosedSteps();
}

void EditHistory::Follow(QObject* receiver, const std::function<void()>& tell)
{
    m_followers.emplace_back(receiver, tell);
}

void EditHistory::OnDocumentClosed()
{
    for (int index = 0; index < m_stack.count(); ++index) {
        StepAt(index).Rename();
    }
    DropClosedSteps();
}

void EditHistory::DropClosedSteps()
{
    // Taken either way, such a step changes nothing and makes itself obsolete, and the stack lets go of it.
    while (m_stack.canUndo() && !StepAt(m_stack.index() - 1).HasOpenDocument()) {
        m_stack.undo();
    }
    while (m_stack.canRedo() && !StepAt(m_stack.index()).HasOpenDocument()) {
        m_stack.redo();
    }
    // The stack says nothing when a step is renamed, or let go of ahead of its index.
    Tell();
}

void EditHistory::Tell()
{
    std::erase_if(m_followers, [](const auto& follower) { return follower.first == nullptr; });
    // A copy: a follower may start to follow another item.
    const auto followers = m_followers;
    for (const auto& follower : followers) {
        follower.second();
    }
}

EditHistory& ApplicationEditHistory() { return dynamic_cast<EditHistoryOwner&>(*AfxGetApp()).m_editHistory; }
