#pragma once
// LOGFONT <-> Qt font, in one place for the dialogs and the text drawing.
// Platform-internal: program code keeps to LOGFONT.

#include "platform/LogFont.h"

class QFont;
class QString;

// The installed family of that name; for a missing or empty name, an installed
// sans family that has Cyrillic, else the toolkit's general font.
QString AfxFontFamilyFor(const char* faceName);

// A LOGFONT as a Qt font. lfHeight < 0 is the character height in pixels,
// > 0 the cell height (ascent + descent) in pixels, 0 the toolkit's default
// size; lfWeight 0 is normal, others are taken on the same 1-1000 scale;
// italic, underline and strike-out are nonzero-means-on. The width,
// escapement, orientation, precision, quality and pitch fields are not used;
// the character set is the caller's (it picks the code page, not the font).
QFont AfxFontFromLogFont(const LOGFONT& logFont);

// Writes the face (truncated to LF_FACESIZE - 1 bytes at a character
// boundary, zero-filled), the height as a negative character height in pixels,
// the weight, italic, underline and strike-out of the Qt font into *logFont;
// every other field, the character set among them, is left as it was.
void AfxLogFontFromFont(const QFont& font, LOGFONT* logFont);

// The screen's logical resolution that turns points into pixels (96 without a screen).
double AfxLogicalDpi();
