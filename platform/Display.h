#pragma once
// Whether windows can be shown to a person, and the one GUI application object.

class QApplication;

// True when a window system is reachable: DISPLAY or WAYLAND_DISPLAY is set and
// Qt is not told to render offscreen or to a minimal platform.
bool AfxHasDisplay();

// Starts the GUI toolkit on first use with the process's arguments and returns
// its application object; later calls return the same object.
QApplication* AfxEnsureGuiApplication();

// Hands the process's arguments to the toolkit start above; called once by AfxWinMain.
void AfxSetProcessArguments(int argc, char** argv);
