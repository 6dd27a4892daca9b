#include "frames/LettersChoice.h"

#include "platform/CWinApp.h"
#include "res/Resource.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace {
constexpr const char* kSection = "Settings";
constexpr const char* kEntry = "Letters";

UINT ItemOf(Letters letters)
{
    return letters == Letters::displayCodePage ? ID_VIEW_DISPLAY_CODE_PAGE : ID_VIEW_TABLE_CHARACTERS;
}
} // namespace

Letters ReadLettersSetting()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return Letters::tableCharacters;
    }
    const UINT kept = app->GetProfileInt(kSection, kEntry, static_cast<int>(Letters::tableCharacters));
    if (kept == static_cast<UINT>(Letters::displayCodePage)) {
        return Letters::displayCodePage;
    }
    return Letters::tableCharacters;
}

void WriteLettersSetting(Letters letters)
{
    if (CWinApp* app = AfxGetApp()) {
        app->WriteProfileInt(kSection, kEntry, static_cast<int>(letters));
    }
}

void CheckLettersItems(QMenu& menu, Letters current)
{
    QActionGroup* radio = nullptr;
    for (QAction* action : menu.actions()) {
        const UINT id = action->data().toUInt();
        if (id != ID_VIEW_TABLE_CHARACTERS && id != ID_VIEW_DISPLAY_CODE_PAGE) {
            continue;
        }
        // Items of an exclusive group show as radio items.
        if (action->actionGroup() == nullptr) {
            if (radio == nullptr) {
                radio = new QActionGroup(&menu);
            }
            radio->addAction(action);
        }
        radio = action->actionGroup();
        action->setCheckable(true);
        action->setChecked(id == ItemOf(current));
    }
}
