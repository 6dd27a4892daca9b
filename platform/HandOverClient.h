#pragma once
// varno-open: hands the files named on its command line to this user's editor
// on this display, starting the editor when none runs.

// Returns the process exit status: 0 once the editor holds the files, 1 with
// one line on standard error when they could not be handed over.
int AfxHandOverMain(int argc, char** argv);
