#pragma once
// AfxMessageBox: a message to the user, captioned with the application title. It reaches
// the user through the application object's hook, CWinApp::DoMessageBox: a box in a
// program with windows (CWindowedApp), else one line "<title>: <text>" on standard error,
// answered as a user who pressed the default button would.

#include "platform/WinTypes.h"

#include <functional>
#include <string>

int AfxMessageBox(LPCSTR text, UINT type = MB_OK);
// The answer of a user who presses Enter: OK, or for a question the answer that keeps everything as it is.
int AfxDefaultMessageBoxAnswer(UINT type);
// The message as one line on standard error, with the default answer: how a program
// without windows, or without a display, shows it.
int AfxMessageLine(LPCSTR text, UINT type);
// The application's title, the caption of every message.
const char* AfxMessageBoxCaption();

// Lets tests answer message boxes: the handler gets the text and style and returns the
// button id, before the application sees them. A null handler gives them back to the application.
using AfxMessageBoxHandler = std::function<int(const std::string& text, UINT type)>;
void AfxSetMessageBoxHandler(AfxMessageBoxHandler handler);
