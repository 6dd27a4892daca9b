#pragma once
// The one place where a font description of the window system becomes a Qt
// font and back. Needs the GUI application: sizes are measured on real fonts.

#include "platform/LogFont.h"

class QFont;
class QString;

// The installed family of that name; for a missing or empty name, an installed
// sans family that has Cyrillic glyphs.
QString AfxFontFamilyFor(const char* faceName);

// The screen's logical resolution that turns points into pixels (96 without a screen).
double AfxLogicalDpi();

// A face that is not installed falls back to an installed sans font with Cyrillic
// glyphs. The character set is not part of a QFont: it decodes the bytes drawn.
QFont LogFontToQFont(const LOGFONT& logFont);

// The description of a Qt font with its character height (negative lfHeight), in
// the given character set.
LOGFONT QFontToLogFont(const QFont& font, BYTE charSet);
