#pragma once
// Whether windows can be shown to a person, and the one GUI application object.

class QApplication;

// True when a window system can really be reached: a connection to the X
// server of DISPLAY or the Wayland compositor of WAYLAND_DISPLAY opens (or
// QT_QPA_PLATFORM names another window system), and Qt is not told to render
// offscreen or to a minimal platform. Set but unreachable counts as none.
bool AfxHasDisplay();

// True when the GUI toolkit can start: on a display, or offscreen or minimal
// as QT_QPA_PLATFORM asks (windows that nobody sees, as in the tests).
bool AfxCanCreateWindows();

// Starts the GUI toolkit on first use and returns its application object; later
// calls return the same object.
QApplication* AfxEnsureGuiApplication();
