#include "view/DisplayFont.h"

#include "platform/CodePageDecoding.h"
#include "view/TableViewHost.h"

#include <cstring>

LOGFONT DefaultDisplayFont()
{
    LOGFONT logFont;
    std::memset(&logFont, 0, sizeof logFont);
    logFont.lfHeight = 14;
    logFont.lfCharSet = RUSSIAN_CHARSET;
    std::strcpy(logFont.lfFaceName, "Microsoft Sans Serif");
    return logFont;
}

LOGFONT CurrentDisplayFont()
{
    if (const TableViewHost* host = TableViewHost::OfMainWindow()) {
        return host->DisplayFont();
    }
    return DefaultDisplayFont();
}

const char* DisplayCodePage() { return AfxCodePageOfCharSet(CurrentDisplayFont().lfCharSet); }

Letters CurrentLetters()
{
    if (const TableViewHost* host = TableViewHost::OfMainWindow()) {
        return host->CellLetters();
    }
    return Letters::tableCharacters;
}
