#include "res/Resource.h"

#include "platform/ResourceStrings.h"

namespace {

// The titles, the document string and the status bar's idle prompt.
const AfxStringResource kStrings[] = {
    {IDR_MAINFRAME, "Varno"},
    {IDR_VARNOTYPE, "\nVarno\nVarno\nCodepage files (*.nls)\n.nls\nVarno.Document\nVarno Document"},
    {AFX_IDS_APP_TITLE, "varno"},
    {AFX_IDS_IDLEMESSAGE, "Ready"},
};

} // namespace

void VarnoRegisterStrings() { AfxRegisterStringTable(kStrings); }
