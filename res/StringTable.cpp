#include "res/Resource.h"

#include "platform/ResourceStrings.h"

namespace {

// The framework's own prompts are kept for the ids the program's menus use;
// the main frame has no status bar, so none of them is displayed.
const AfxStringResource kStrings[] = {
    {IDR_MAINFRAME, "Varno"},
    {IDR_VARNOTYPE, "\nVarno\nVarno\nCodepage files (*.nls)\n.nls\nVarno.Document\nVarno Document"},
    {ID_EDIT_FONT, "Change display font"},
    {AFX_IDS_APP_TITLE, "varno"},
    {AFX_IDS_IDLEMESSAGE, "Ready"},
    {57600, "Create a new document\nNew"},
    {57601, "Open an existing document\nOpen"},
    {57602, "Close the active document\nClose"},
    {57603, "Save the active document\nSave"},
    {57604, "Save the active document with a new name\nSave As"},
    {57664, "Display program information, version number and copyright\nAbout"},
    {57665, "Quit the application; prompts to save documents\nExit"},
};

} // namespace

void VarnoRegisterStrings() { AfxRegisterStringTable(kStrings, sizeof kStrings / sizeof kStrings[0]); }
