#include "cli/commands.h"
#include "cli/console_prompts.h"
#include "cli/text_io.h"
#include "cli/time_argument.h"
#include "engine/line_ends.h"
#include "engine/template_expansion.h"
#include "platform/utf.h"

#include <CLI/CLI.hpp>

namespace kvtx::cli {
namespace {

// One template expanded as an insertion item would be, printed without a line end of its own.
class ExpandCommand final : public Command {
public:
    CLI::App* Register(CLI::App& parent) override {
        CLI::App* command =
            parent.add_subcommand("expand", "print a template with its fields filled in");
        command->add_option("--original", original_, "the selected text that %original stands for")
            ->option_text("TEXT");
        command
            ->add_option("--input", input_,
                         "the text %input takes (default: asked on the terminal)")
            ->option_text("TEXT");
        command
            ->add_option("--caret", caret_,
                         "printed where %{カーソル} leaves the caret after the paste "
                         "(default: nothing)")
            ->option_text("MARK");
        AddNowOption(*command, now_);
        command->add_option("TEMPLATE", template_, "the template text")->required();
        return command;
    }

    int Run(const CommandContext& context) override {
        const std::u16string original = platform::Utf8ToUtf16(original_);
        const std::u16string typed = platform::Utf8ToUtf16(template_);
        const std::u16string input = platform::Utf8ToUtf16(input_.value_or(""));
        const bool crLf = HasCrLf(typed) || HasCrLf(original) || HasCrLf(input);

        TerminalPrompt terminal(context.in, context.err);
        ArgumentPrompt given(WithCrLf(input));
        const CommandClock clock(now_);
        std::u16string text = WithCrLf(typed);
        const auto caret = ExpandTemplate(
            text, WithCrLf(original), {clock, input_ ? static_cast<InputPrompt&>(given) : terminal});
        if (caret && caret_) {
            std::u16string marked = text.substr(0, *caret);
            marked += WithCrLf(platform::Utf8ToUtf16(*caret_));
            marked.append(text, *caret);
            text = std::move(marked);
        }
        WriteOutputText(context.out, std::move(text), crLf);
        return context.out.flush() ? kSuccess : kFailure;
    }

private:
    std::string original_;
    std::optional<std::string> input_;
    std::optional<std::string> caret_;
    std::optional<std::string> now_;
    std::string template_;
};

} // namespace

std::unique_ptr<Command> MakeExpandCommand() {
    return std::make_unique<ExpandCommand>();
}

} // namespace kvtx::cli
