#include "frames/EditMenu.h"

#include "document/CVarnoDoc.h"
#include "document/EditHistory.h"
#include "platform/AfxRes.h"
#include "res/Resource.h"

#include <QAction>
#include <QMenu>

namespace {

// The item's text as the menu resource gives it, kept as the item starts to follow the history.
constexpr const char* kCommandText = "varnoCommandText";

// "&Undo", the step's name with any "&" shown as itself, then the key that the item showed.
void NameStep(QAction& action, const QString& step)
{
    const QString key = action.text().section(QLatin1Char('\t'), 1);
    QString text = action.property(kCommandText).toString();
    if (!step.isEmpty()) {
        text += QLatin1Char(' ') + QString(step).replace(QLatin1Char('&'), QStringLiteral("&&"));
    }
    if (!key.isEmpty()) {
        text += QLatin1Char('\t') + key;
    }
    action.setText(text);
    action.setEnabled(!step.isEmpty());
}

// From now on the item names the step that stepText gives, whenever the history moves.
void FollowHistory(QAction& action, EditHistory& history, QString (EditHistory::*stepText)() const)
{
    if (action.property(kCommandText).isValid()) {
        return;
    }
    action.setProperty(kCommandText, action.text().section(QLatin1Char('\t'), 0, 0));
    auto name = [&action, &history, stepText] { NameStep(action, (history.*stepText)()); };
    history.Follow(&action, name);
    name();
}

} // namespace

void UpdateEditMenu(QMenu& menu, EditHistory& history, const CVarnoDoc* active)
{
    for (QAction* action : menu.actions()) {
        switch (action->data().toUInt()) {
        case ID_EDIT_UNDO: FollowHistory(*action, history, &EditHistory::UndoText); break;
        case ID_EDIT_REDO: FollowHistory(*action, history, &EditHistory::RedoText); break;
        case ID_EDIT_REFERENCE:
            action->setCheckable(true);
            action->setChecked(active != nullptr && active->m_bReferenceOnly);
            action->setEnabled(active != nullptr);
            break;
        case ID_EDIT_TAKE_TABLE: action->setEnabled(active != nullptr && !active->m_bReferenceOnly); break;
        case ID_EDIT_GO_TO_BYTE:
            action->setEnabled(active != nullptr && CVarnoDoc::IsCodePageKind(active->m_nKind));
            break;
        default: break;
        }
    }
}
