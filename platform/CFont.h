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

    const QFont* GetQFont() const;

private:
    friend class CDC;
    // Holds a font given as a Qt font: a device context's initial font.
    void AttachQFont(const QFont& font, BYTE charSet);

    struct Impl;
    // Also what keeps a CFont from being copied.
    std::unique_ptr<Impl> m_impl;
    // The character set that decodes the bytes drawn in the font.
    BYTE m_charSet = DEFAULT_CHARSET;
};
