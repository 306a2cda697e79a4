#pragma once

#include "platform/startup_shortcuts.h"

namespace kvtx::win32 {

// The start-up folder as the shell names it (CSIDL_STARTUP) and shell links through COM's
// IShellLinkW and IPersistFile, with COM initialised around each call.
class ShellStartupShortcuts final : public platform::StartupShortcuts {
public:
    std::u16string ProgramPath() const override;
    std::optional<std::u16string> Folder() const override;
    std::vector<std::u16string> FileNames(const std::u16string& folder) const override;
    std::optional<std::u16string> LinkTarget(const std::u16string& path) const override;
    platform::LinkCreation CreateLink(const std::u16string& path, const std::u16string& target,
                                      const std::u16string& description) override;
    bool Remove(const std::u16string& path) override;
};

} // namespace kvtx::win32
