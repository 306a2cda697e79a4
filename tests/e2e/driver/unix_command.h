#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace kvtx::e2e {

struct UnixCommandResult {
    int status = -1;
    std::string output; // standard output and standard error together
};

// Runs a shell command as a Unix program on the test machine (xclip, import). Wine starts Unix
// programs but gives no exit code or pipes for them, so the command writes its output and
// status to scratch files, and the end is seen when the status file appears. nullopt when the
// command did not end in time.
std::optional<UnixCommandResult> RunUnixCommand(const std::string& command,
                                                std::chrono::milliseconds timeout);

// Single-quoted for /bin/sh.
std::string ShellQuote(const std::string& text);

} // namespace kvtx::e2e
