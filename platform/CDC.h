#pragma once
// A device context: text drawing over a Qt painter, the way the window system
// draws it. The painter must outlive the context; the context leaves the
// painter's state as it found it.

#include "platform/CObject.h"
#include "platform/WinTypes.h"

#include <memory>

class CFont;
class QPainter;
class QStringView;

class CDC : public CObject {
public:
    // Starts with the painter's font in the default character set, white background, black text.
    explicit CDC(QPainter* painter);
    ~CDC() override;

    // Selects the font for the texts that follow and returns the font selected before
    // (at first one that the context owns). A null font or one that holds no font is not
    // selected and gives null. The font is copied: deleting it later does not affect drawing.
    CFont* SelectObject(CFont* font);
    COLORREF SetBkColor(COLORREF color);
    // Whether any part of the rectangle lies within the painter's clip, as it was when the
    // context was made (everywhere, without one): what lies outside need not be drawn.
    BOOL RectVisible(const RECT* rect) const;

    // Draws count bytes of text (a negative count: up to the terminating zero) in the
    // rectangle. The bytes are characters of the selected font's character set. Format 0
    // is the only one: top left, line feeds start new lines, no wrapping, clipped to the
    // rectangle, "&&" shows "&", a single "&" is not shown, black text on the background
    // colour behind the glyphs only. Returns the height of the text.
    int DrawText(LPCSTR text, int count, RECT* rect, UINT format);
    // The same for UTF-16 text (a negative count: up to the terminating zero), whatever the
    // selected font's character set; characters that the font lacks come from other fonts.
    int DrawTextW(LPCWSTR text, int count, RECT* rect, UINT format);

private:
    int DrawLines(QStringView text, const RECT& rect);

    struct Impl;
    // Also what keeps a CDC from being copied.
    std::unique_ptr<Impl> m_impl;
};
