#pragma once
// Icon resources: images compiled in as Qt resources named
// ":/varno/icon-<id>-<size>.png", in the sizes 32 and 16.

#include "platform/WinTypes.h"

class QIcon;
class QString;

// Where the image of the icon in that size is, whether or not it exists.
QString AfxIconPath(UINT id, int size);
// The icon of the id with every size that exists; a null icon when there is none.
QIcon AfxLoadIcon(UINT id);
