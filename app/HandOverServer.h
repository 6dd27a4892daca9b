#pragma once
// The editor's end of the hand-over: files that varno-open sends are opened
// through the application's OpenDocumentFile, so that an open file is
// activated and a file that cannot be opened is reported in this editor.

class CWnd;

// Listens on this user's hand-over socket for as long as the main window
// lives. A stale socket left by an editor that ended is replaced; when another
// editor already listens, or there is no private folder, this one goes without.
void ListenForHandOver(CWnd* pMainWnd);
