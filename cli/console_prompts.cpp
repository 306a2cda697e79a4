#include "cli/console_prompts.h"

#include "platform/utf.h"

namespace kvtx::cli {

std::optional<std::u16string> TerminalPrompt::AskInput() {
    err_ << "%input: " << std::flush;
    std::string line;
    if (!std::getline(in_, line)) {
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return platform::Utf8ToUtf16(line);
}

std::optional<std::u16string> UnansweredPrompt::AskInput() {
    err_ << "kvtx: %input left empty (give its text with --input)\n";
    return std::nullopt;
}

void ConsoleMessageBox::Show(const std::u16string& text) {
    err_ << platform::Utf16ToUtf8(text) << '\n';
}

bool ConsoleMessageBox::AskYesNo(const std::u16string& text) {
    // Nobody can answer on a pipe, so the question takes the cautious answer.
    err_ << platform::Utf16ToUtf8(text) << " (no)\n";
    return false;
}

} // namespace kvtx::cli
