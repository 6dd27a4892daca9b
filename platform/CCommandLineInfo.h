#pragma once
// What the command line asks the framework to do at start-up. The editor
// starts only with an empty command line, which asks for a new document.

class CCommandLineInfo {};
