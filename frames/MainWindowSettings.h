#pragma once
// The display font and the main window's size and place, kept in the settings file beside the
// recent-file list for the next start.

#include "platform/LogFont.h"

class QWidget;

// The kept display font; the default (DefaultDisplayFont) when none is kept, when the entry holds
// anything but a font within bounds, and when the settings cannot be read.
LOGFONT ReadDisplayFontSetting();
// Keeps the font for the next start; settings that cannot be written keep nothing.
void WriteDisplayFontSetting(const LOGFONT& logFont);

// Gives the main window its kept size and place, maximised when it was; without a usable one
// kept, the window stays as it is.
void RestoreWindowPlacement(QWidget& window);
// Keeps the main window's size and place for the next start.
void KeepWindowPlacement(const QWidget& window);
