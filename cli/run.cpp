#include "cli/run.h"

#include "cli/commands.h"
#include "cli/data_directory.h"
#include "platform/utf.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>
#include <optional>

namespace kvtx::cli {
namespace {

std::optional<std::size_t> FirstNonUtf8Argument(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (!platform::IsValidUtf8(arguments[i])) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace

int Run(const std::vector<std::string>& arguments, const Environment& environment) {
    // Paths go through UTF-16 to the file system, so bytes that are not UTF-8 would name
    // another file than the one meant.
    if (const auto bad = FirstNonUtf8Argument(arguments)) {
        environment.err << "kvtx: argument " << *bad << " is not valid UTF-8\n";
        return kUsage;
    }

    CLI::App app("kvtx, the Korvatex phrase store tool", "kvtx");
    app.require_subcommand(1);
    // --dir may also follow the command: "kvtx list --dir DIR".
    app.fallthrough();
    std::optional<std::string> directory;
    app.add_option("--dir", directory,
                   "the folder of the store (default: the folder of the kvtx executable)")
        ->option_text("DIR");

    auto commands = AllCommands();
    std::vector<CLI::App*> parsers;
    for (auto& command : commands) {
        parsers.push_back(command->Register(app));
    }

    std::vector<const char*> argv;
    for (const auto& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError& error) {
        return app.exit(error, environment.out, environment.err) == 0 ? kSuccess : kUsage;
    }

    const CommandContext context{environment.files,
                                 directory ? DataDirectoryFromArgument(*directory)
                                           : environment.executableDirectory,
                                 environment.out, environment.err, environment.in};
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (!parsers[i]->parsed()) {
            continue;
        }
        try {
            return commands[i]->Run(context);
        } catch (const std::exception& error) {
            environment.err << "kvtx: " << error.what() << '\n';
            return kFailure;
        }
    }
    return kUsage;
}

int RunNative(const std::vector<std::string>& arguments) {
    const Environment environment{platform::NativeFileSystem(), platform::ExecutableDirectory(),
                                  std::cout, std::cerr};
    const int code = Run(arguments, environment);
    std::cout.flush();
    return code;
}

} // namespace kvtx::cli
