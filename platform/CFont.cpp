#include "platform/CFont.h"

#include "platform/FontConversion.h"

#include <QFont>

CFont::CFont() = default;

CFont::~CFont() = default;

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont)
{
    if (logFont == nullptr || m_font != nullptr) {
        return FALSE;
    }
    m_charSet = logFont->lfCharSet;
    m_font = std::make_unique<QFont>(LogFontToQFont(*logFont));
    return TRUE;
}

BOOL CFont::DeleteObject()
{
    if (m_font == nullptr) {
        return FALSE;
    }
    m_font.reset();
    return TRUE;
}
