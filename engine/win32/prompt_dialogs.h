#pragma once

// The engine's small modal dialogs over their templates: the "%input" prompt, the name dialog
// and the quick tool's dialog. Each question gets a new dialog, made without a parent window.

#include "engine/prompts.h"
#include "engine/regex_dialog.h"
#include "engine/regex_prompt.h"
#include "platform/file_system.h"

#include <string>

namespace kvtx::win32 {

class DialogInputPrompt final : public InputPrompt {
public:
    std::optional<std::u16string> AskInput() override;
};

class DialogNamePrompt final : public NamePrompt {
public:
    std::optional<std::u16string> AskName(const std::u16string& preset) override;
};

// Remembers the texts used in the history file; Esc and the close box save nothing.
class DialogRegexPrompt final : public RegexPrompt {
public:
    DialogRegexPrompt(platform::FileSystem& files, std::u16string historyPath,
                      RegexDialog::SyntaxCheck checkSyntax);
    std::optional<QuickRegexRequest> AskRegex() override;

private:
    platform::FileSystem& files_;
    std::u16string historyPath_;
    RegexDialog::SyntaxCheck checkSyntax_;
};

} // namespace kvtx::win32
