#include "platform/CEdit.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)
