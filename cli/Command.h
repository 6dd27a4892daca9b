#pragma once
// The commands of varno-table, a file each. Each adds its subcommand, with its
// options, help and example, to the command line, and gives back what runs it
// once the command line is parsed; the application gives them what they share.

#include <functional>

namespace CLI {
class App;
}
class CVarnoTableApp;

struct Command {
    CLI::App* options; // parsed() when the command line names this command
    std::function<int()> run; // returns the exit status
};

Command AddShowCommand(CLI::App& cli, CVarnoTableApp& app);
Command AddCheckCommand(CLI::App& cli, CVarnoTableApp& app);
Command AddSetCommand(CLI::App& cli, CVarnoTableApp& app);
Command AddKeyCommand(CLI::App& cli, CVarnoTableApp& app);
Command AddExportCommand(CLI::App& cli, CVarnoTableApp& app);
Command AddApplyCommand(CLI::App& cli, CVarnoTableApp& app);
Command AddDiffCommand(CLI::App& cli, CVarnoTableApp& app);
Command AddTablesCommand(CLI::App& cli, CVarnoTableApp& app);
