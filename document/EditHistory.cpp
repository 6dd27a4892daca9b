#include "document/EditHistory.h"

#include "platform/CWinApp.h"

#include <memory>

void EditHistory::Record(const std::string& text, const std::vector<CVarnoDoc*>& documents,
                         const std::function<void()>& edit)
{
    auto step = std::make_unique<EditStep>(QString::fromStdString(text), documents);
    edit();
    if (step->Finish()) {
        m_stack.push(step.release());
    }
}

void EditHistory::Undo()
{
    while (m_stack.canUndo()) {
        const bool open = StepAt(m_stack.index() - 1)->HasOpenDocument();
        m_stack.undo();
        if (open) {
            return;
        }
    }
}

void EditHistory::Redo()
{
    while (m_stack.canRedo()) {
        const bool open = StepAt(m_stack.index())->HasOpenDocument();
        m_stack.redo();
        if (open) {
            return;
        }
    }
}

QString EditHistory::UndoText() const
{
    for (int index = m_stack.index() - 1; index >= 0; --index) {
        if (StepAt(index)->HasOpenDocument()) {
            return StepAt(index)->text();
        }
    }
    return {};
}

QString EditHistory::RedoText() const
{
    for (int index = m_stack.index(); index < m_stack.count(); ++index) {
        if (StepAt(index)->HasOpenDocument()) {
            return StepAt(index)->text();
        }
    }
    return {};
}

EditHistory& ApplicationEditHistory() { return dynamic_cast<EditHistoryOwner&>(*AfxGetApp()).m_editHistory; }
