#pragma once

// The engine's small modal dialogs over their templates: the "%input" prompt, the name dialog
// and the quick tool's dialog. Each question gets a new dialog, owned as the framework owns a
// dialog made without a parent: by the main window's last active pop-up, else the main window
// (ui::DefaultOwner), which is disabled while the question is open.

#include "engine/prompts.h"
#include "engine/regex_dialog.h"
#include "engine/regex_prompt.h"
#include "platform/file_system.h"

#include <string>
#include <windows.h>
// windows.h names MessageBoxW MessageBox, which would rename the engine's message interface.
#undef MessageBox

namespace kvtx::win32 {

class DialogInputPrompt final : public InputPrompt {
public:
    explicit DialogInputPrompt(HWND mainWindow) : mainWindow_(mainWindow) {}
    std::optional<std::u16string> AskInput() override;

private:
    HWND mainWindow_;
};

class DialogNamePrompt final : public NamePrompt {
public:
    explicit DialogNamePrompt(HWND mainWindow) : mainWindow_(mainWindow) {}
    std::optional<std::u16string> AskName(const std::u16string& preset) override;

private:
    HWND mainWindow_;
};

// Remembers the texts used in the history file; Esc and the close box save nothing.
class DialogRegexPrompt final : public RegexPrompt {
public:
    DialogRegexPrompt(HWND mainWindow, platform::FileSystem& files, std::u16string historyPath,
                      RegexDialog::SyntaxCheck checkSyntax);
    std::optional<QuickRegexRequest> AskRegex() override;

private:
    HWND mainWindow_;
    platform::FileSystem& files_;
    std::u16string historyPath_;
    RegexDialog::SyntaxCheck checkSyntax_;
};

} // namespace kvtx::win32
