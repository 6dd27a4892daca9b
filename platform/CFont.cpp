#include "platform/CFont.h"

#include "platform/FontConversion.h"

#include <QFont>

#include <optional>

struct CFont::Impl {
    std::optional<QFont> font;
};

CFont::CFont() : m_impl(std::make_unique<Impl>()) {}

CFont::~CFont() = default;

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont)
{
    if (logFont == nullptr || m_impl->font) {
        return FALSE;
    }
    m_charSet = logFont->lfCharSet;
    m_impl->font = LogFontToQFont(*logFont);
    return TRUE;
}

BOOL CFont::DeleteObject()
{
    if (!m_impl->font) {
        return FALSE;
    }
    m_impl->font.reset();
    return TRUE;
}

const QFont* CFont::GetQFont() const { return m_impl->font ? &*m_impl->font : nullptr; }

void CFont::AttachQFont(const QFont& font, BYTE charSet)
{
    m_charSet = charSet;
    m_impl->font = font;
}
