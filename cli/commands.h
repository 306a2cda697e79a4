#pragma once

#include "cli/command.h"

#include <memory>
#include <vector>

namespace kvtx::cli {

// The registration point: a new subcommand lives in its own file and adds its factory here and to
// AllCommands.
std::unique_ptr<Command> MakeListCommand();
std::unique_ptr<Command> MakeExportCommand();
std::unique_ptr<Command> MakeImportCommand();
std::unique_ptr<Command> MakeRegexCommand();
std::unique_ptr<Command> MakeExpandCommand();
std::unique_ptr<Command> MakeApplyCommand();
std::unique_ptr<Command> MakeSearchCommand();

std::vector<std::unique_ptr<Command>> AllCommands();

} // namespace kvtx::cli
