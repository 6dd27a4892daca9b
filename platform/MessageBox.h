#pragma once
// AfxMessageBox: a modal message box captioned with the application title.
// Without a display it writes "<title>: <text>" as one line on standard error
// and answers as a user who pressed the default button would; no GUI toolkit
// is started then.

#include "platform/WinTypes.h"

#include <functional>
#include <string>

int AfxMessageBox(LPCSTR text, UINT type = MB_OK);
// The answer of a user who presses Enter: OK, or for a question the answer that keeps everything as it is.
int AfxDefaultMessageBoxAnswer(UINT type);

// Lets varno-table and tests answer message boxes: the handler gets the text and style and
// returns the button id. A null handler shows the boxes again.
using AfxMessageBoxHandler = std::function<int(const std::string& text, UINT type)>;
void AfxSetMessageBoxHandler(AfxMessageBoxHandler handler);
