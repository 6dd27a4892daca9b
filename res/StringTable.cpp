#include "res/Resource.h"

#include "platform/ResourceStrings.h"

namespace {

// Only the titles and the document string are shown: the main frame has no
// status bar for command prompts.
const AfxStringResource kStrings[] = {
    {IDR_MAINFRAME, "Varno"},
    {IDR_VARNOTYPE, "\nVarno\nVarno\nCodepage files (*.nls)\n.nls\nVarno.Document\nVarno Document"},
    {AFX_IDS_APP_TITLE, "varno"},
};

} // namespace

void VarnoRegisterStrings() { AfxRegisterStringTable(kStrings); }
