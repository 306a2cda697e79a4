#pragma once

#include "platform/win32/unique_handle.h"

#include <chrono>
#include <optional>
#include <string>
#include <windows.h>

namespace kvtx::e2e {

// A program started by a test. The destructor ends it if it still runs, so no scenario leaves a
// process behind for the next one.
class Process {
public:
    // Throws when the program cannot be started.
    // creationFlags as CreateProcessW takes them (CREATE_NEW_CONSOLE: a console window of its
    // own).
    static Process Start(const std::u16string& executable, const std::u16string& arguments = u"",
                         DWORD creationFlags = 0);

    Process(Process&&) = default;
    Process& operator=(Process&&) = default;
    ~Process();

    DWORD Id() const { return id_; }
    bool Running() const;
    // nullopt while it runs.
    std::optional<DWORD> ExitCode() const;
    bool WaitForExit(std::chrono::milliseconds timeout);
    void Terminate();

private:
    Process(win32::KernelHandle handle, DWORD id) : handle_(std::move(handle)), id_(id) {}

    win32::KernelHandle handle_;
    DWORD id_ = 0;
};

} // namespace kvtx::e2e
