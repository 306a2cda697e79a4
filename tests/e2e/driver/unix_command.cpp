#include "tests/e2e/driver/unix_command.h"

#include "platform/file_system.h"
#include "platform/utf.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "tests/e2e/driver/environment.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/polling.h"

#include <windows.h>

namespace kvtx::e2e {

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

std::optional<UnixCommandResult> RunUnixCommand(const std::string& command,
                                                std::chrono::milliseconds timeout) {
    const std::string base = ScratchUnixDirectory() + "/" + UniqueName("command");
    const std::string script = base + ".sh";
    const std::string output = base + ".out";
    const std::string status = base + ".status";
    // A subshell, so that an exit in the command still leaves the status behind; the status
    // file is renamed into place, so it is never seen half written.
    const std::string text = "(\n" + command + "\n) >" + ShellQuote(output) + " 2>&1 </dev/null\n" +
                             "echo $? >" + ShellQuote(status + ".part") + "\n" + "mv " +
                             ShellQuote(status + ".part") + " " + ShellQuote(status) + "\n";
    WriteTextFile(WindowsPathOfUnix(script), text);

    // Wine splits the command line by the Windows rules, so the path goes in double quotes.
    std::u16string commandLine = u"/bin/sh \"" + platform::Utf8ToUtf16(script) + u"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(L"Z:\\bin\\sh", win32::Wide(commandLine.data()), nullptr, nullptr, FALSE,
                          0, nullptr, nullptr, &startup, &started)) {
        return std::nullopt;
    }
    win32::KernelHandle process(started.hProcess);
    win32::KernelHandle thread(started.hThread);

    const std::u16string statusPath = WindowsPathOfUnix(status);
    if (!PollUntil([&] { return platform::NativeFileSystem().Exists(statusPath); }, timeout)) {
        return std::nullopt;
    }
    UnixCommandResult result;
    result.status = std::stoi(ReadTextFile(statusPath).value_or("-1"));
    result.output = ReadTextFile(WindowsPathOfUnix(output)).value_or("");
    return result;
}

} // namespace kvtx::e2e
