#pragma once
// Icon resources: images compiled in as Qt resources named
// ":/varno/icon-<id>-<size>.png", in the sizes 32 and 16.

#include "platform/WinTypes.h"

class QIcon;

// The icon of the id with every size that exists; a null icon when there is none.
QIcon AfxLoadIcon(UINT id);
