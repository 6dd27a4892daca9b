#pragma once
// Whoever shows every open table at once (the Compare window) follows them here. It hears whenever
// any of them may show otherwise: a document opened (as it takes its name) or closed, its title
// changed, or its entries (CVarnoDoc::UpdateEntryViews, with every edit, Undo, Redo and take). What it
// hears names no document: it reads the open documents again, once the moment has passed.

#include <functional>

class QObject;

// From now on, tell runs at each such moment; it stops with receiver.
void FollowOpenTables(QObject* receiver, std::function<void()> tell);

// Tells the followers.
void TellOpenTablesFollowers();
