#include "view/TableViewHost.h"

#include "platform/CWinApp.h"
#include "platform/CWnd.h"

TableViewHost* TableViewHost::OfMainWindow() { return dynamic_cast<TableViewHost*>(AfxGetMainWnd()); }
