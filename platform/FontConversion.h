#pragma once
// The one place where a font description of the window system becomes a Qt
// font and back. Needs the GUI application: sizes are measured on real fonts.

#include "platform/LogFont.h"

class QFont;
class QString;

// The sans family that stands in for a face that is not installed: one with Cyrillic glyphs.
QString AfxFallbackFontFamily();

// A face that is not installed falls back to an installed sans font with Cyrillic
// glyphs. The character set is not part of a QFont: it decodes the bytes drawn.
QFont LogFontToQFont(const LOGFONT& logFont);

// The description of a Qt font sized in points, as the font dialog gives it, with its
// character height (negative lfHeight), in the given character set.
LOGFONT QFontToLogFont(const QFont& font, BYTE charSet);
