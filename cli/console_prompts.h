#pragma once

#include "engine/prompts.h"
#include "platform/message_box.h"

#include <istream>
#include <optional>
#include <ostream>
#include <string>

namespace kvtx::cli {

// "%input" answered by the --input argument.
class ArgumentPrompt final : public InputPrompt {
public:
    explicit ArgumentPrompt(std::u16string answer) : answer_(std::move(answer)) {}
    std::optional<std::u16string> AskInput() override { return answer_; }

private:
    std::u16string answer_;
};

// "%input" asked on the terminal: one line; the end of the input stands for Esc.
class TerminalPrompt final : public InputPrompt {
public:
    TerminalPrompt(std::istream& in, std::ostream& err) : in_(in), err_(err) {}
    std::optional<std::u16string> AskInput() override;

private:
    std::istream& in_;
    std::ostream& err_;
};

// "%input" where standard input already carries the selection: empty, as Esc gives, with a note.
class UnansweredPrompt final : public InputPrompt {
public:
    explicit UnansweredPrompt(std::ostream& err) : err_(err) {}
    std::optional<std::u16string> AskInput() override;

private:
    std::ostream& err_;
};

// The program's messages, written to standard error instead of a message box.
class ConsoleMessageBox final : public platform::MessageBox {
public:
    explicit ConsoleMessageBox(std::ostream& err) : err_(err) {}
    void Show(const std::u16string& text) override;
    bool AskYesNo(const std::u16string& text) override;

private:
    std::ostream& err_;
};

} // namespace kvtx::cli
