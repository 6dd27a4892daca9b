#pragma once
// A font object: made from a font description, selected into a device context.

#include "platform/CObject.h"
#include "platform/LogFont.h"

#include <memory>

class QFont;

class CFont : public CObject {
public:
    CFont();
    ~CFont() override;

    // Makes the font; fails for a null description or when this object already holds
    // a font (delete that one first).
    BOOL CreateFontIndirect(const LOGFONT* logFont);
    // Releases the font; the object can make another. FALSE when there was none.
    BOOL DeleteObject();

private:
    // A device context reads the fonts selected into it, and keeps its first font in one.
    friend class CDC;

    // Null while the object holds no font; also what keeps a CFont from being copied.
    std::unique_ptr<QFont> m_font;
    // The character set that decodes the bytes drawn in the font.
    BYTE m_charSet = DEFAULT_CHARSET;
};
