#pragma once
// The editor's end of the hand-over: files that varno-open sends are opened as
// dropped files are, through the main frame, so that an open file is activated
// and a file that cannot be opened is reported in this editor.
//
// One editor per user and display takes files. The editor binds the socket
// itself, holding a lock file beside it, and only when nobody listens there yet;
// at its end it removes the socket only if the name still leads to the one it bound.

class CWnd;

// Listens on this user's hand-over socket for as long as the main window lives.
// A stale socket left by an editor that ended is replaced; when another editor
// already listens, or there is no private folder, this one goes without. Tells
// whether this editor has work: false when varno-open started it for files that
// another editor, started meanwhile, takes.
bool ListenForHandOver(CWnd* pMainWnd);
