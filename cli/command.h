#pragma once

#include "platform/file_system.h"

#include <istream>
#include <ostream>
#include <string>

namespace CLI {
class App;
}

namespace kvtx::cli {

enum ExitCode : int {
    kSuccess = 0,
    kFailure = 1, // the command could not do its work
    kUsage = 2,   // the arguments were wrong
};

// What a command works on. Every stream is UTF-8.
struct CommandContext {
    platform::FileSystem& files;
    std::u16string dataDirectory; // ends in a path separator
    std::ostream& out;
    std::ostream& err;
    std::istream& in;
};

// One subcommand of kvtx. Register adds it to the parser and binds its arguments to members of
// the command; Run is called when the parsed command line named it.
class Command {
public:
    virtual ~Command() = default;
    virtual CLI::App* Register(CLI::App& parent) = 0;
    virtual int Run(const CommandContext& context) = 0;
};

} // namespace kvtx::cli
