#include "tests/e2e/driver/process.h"

#include "platform/utf.h"
#include "platform/win32/wide.h"

#include <stdexcept>

namespace kvtx::e2e {

Process Process::Start(const std::u16string& executable, const std::u16string& arguments,
                       DWORD creationFlags) {
    std::u16string commandLine = u"\"" + executable + u"\"";
    if (!arguments.empty()) {
        commandLine += u" " + arguments;
    }
    // The program's folder is its working folder, as when the user starts it from Explorer.
    const std::u16string folder = executable.substr(0, executable.find_last_of(u'\\') + 1);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(win32::Wide(executable), win32::Wide(commandLine.data()), nullptr,
                          nullptr, FALSE, creationFlags, nullptr, win32::Wide(folder), &startup,
                          &started)) {
        throw std::runtime_error("cannot start " + platform::Utf16ToUtf8(executable) + ", error " +
                                 std::to_string(::GetLastError()));
    }
    ::CloseHandle(started.hThread);
    return Process(win32::KernelHandle(started.hProcess), started.dwProcessId);
}

Process::~Process() {
    if (handle_ && Running()) {
        Terminate();
    }
}

bool Process::Running() const {
    return !ExitCode().has_value();
}

std::optional<DWORD> Process::ExitCode() const {
    if (::WaitForSingleObject(handle_.get(), 0) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(handle_.get(), &code);
    return code;
}

bool Process::WaitForExit(std::chrono::milliseconds timeout) {
    return ::WaitForSingleObject(handle_.get(), static_cast<DWORD>(timeout.count())) ==
           WAIT_OBJECT_0;
}

void Process::Terminate() {
    ::TerminateProcess(handle_.get(), 1);
    ::WaitForSingleObject(handle_.get(), 5000);
}

} // namespace kvtx::e2e
