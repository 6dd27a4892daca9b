#include "frames/EditMenu.h"

#include "document/CVarnoDoc.h"
#include "document/EditHistory.h"
#include "platform/AfxRes.h"
#include "res/Resource.h"

#include <QAction>
#include <QMenu>

namespace {

// The item's text as the menu resource gives it, kept the first time the menu opens.
constexpr const char* kCommandText = "varnoCommandText";

// "&Undo", the step's name with any "&" shown as itself, then the key that the item showed.
void NameStep(QAction& action, const QString& step)
{
    const QString key = action.text().section(QLatin1Char('\t'), 1);
    if (!action.property(kCommandText).isValid()) {
        action.setProperty(kCommandText, action.text().section(QLatin1Char('\t'), 0, 0));
    }
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

} // namespace

void UpdateEditMenu(QMenu& menu, const EditHistory& history, const CVarnoDoc* active)
{
    for (QAction* action : menu.actions()) {
        switch (action->data().toUInt()) {
        case ID_EDIT_UNDO: NameStep(*action, history.UndoText()); break;
        case ID_EDIT_REDO: NameStep(*action, history.RedoText()); break;
        case ID_EDIT_REFERENCE:
            action->setCheckable(true);
            action->setChecked(active != nullptr && active->m_bReferenceOnly);
            action->setEnabled(active != nullptr);
            break;
        default: break;
        }
    }
}
