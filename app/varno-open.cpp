// varno-open FILE...: the desktop's way in. It hands the files to this user's
// editor, so that varno's own command line stays the batch transplant.
#include "platform/HandOverClient.h"

int main(int argc, char** argv) { return AfxHandOverMain(argc, argv); }
