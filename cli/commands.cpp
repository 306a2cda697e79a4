#include "cli/commands.h"

namespace kvtx::cli {

std::vector<std::unique_ptr<Command>> AllCommands() {
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(MakeListCommand());
    commands.push_back(MakeExportCommand());
    commands.push_back(MakeImportCommand());
    commands.push_back(MakeRegexCommand());
    commands.push_back(MakeExpandCommand());
    commands.push_back(MakeApplyCommand());
    commands.push_back(MakeSearchCommand());
    return commands;
}

} // namespace kvtx::cli
