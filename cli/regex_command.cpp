#include "cli/commands.h"
#include "cli/text_io.h"
#include "engine/line_ends.h"
#include "engine/regex_engine.h"
#include "engine/regex_messages.h"
#include "platform/utf.h"

#include <CLI/CLI.hpp>

namespace kvtx::cli {
namespace {

// Standard input through the substitution of the quick tool, to standard output. The program
// works on CR LF text and pastes CR LF; an input without CR LF gets LF back.
class RegexCommand final : public Command {
public:
    CLI::App* Register(CLI::App& parent) override {
        CLI::App* command = parent.add_subcommand(
            "regex",
            "substitute PATTERN by REPLACEMENT over standard input, as the quick tool does");
        command->add_option("PATTERN", pattern_, "the regular expression (\\n and \\t allowed)")
            ->required();
        command->add_option("REPLACEMENT", replacement_, "$1, ${name} or \\1 for groups")
            ->required();
        return command;
    }

    int Run(const CommandContext& context) override {
        auto read = ReadUtf8Text(context.in);
        if (!read) {
            context.err << "kvtx: standard input is not valid UTF-8\n";
            return kFailure;
        }
        std::u16string text = std::move(*read);
        RegexEngine engine(DefaultRegexLibrary());
        const std::u16string pattern = platform::Utf8ToUtf16(pattern_);
        const std::u16string replacement = platform::Utf8ToUtf16(replacement_);
        // Input without CR LF would go to CR LF and come back unchanged, so it goes to the
        // library as it is; either way the output is the result as it stands.
        const RegexStatus status = HasCrLf(text)
                                       ? engine.SubstituteText(text, pattern, replacement)
                                       : engine.SubstituteLines(text, pattern, replacement);
        // The quick tool's message for the same failure.
        if (status != RegexStatus::kDone) {
            context.err << platform::Utf16ToUtf8(RegexFailureMessage(status)) << '\n';
            return kFailure;
        }
        WriteUtf8Text(context.out, text);
        return context.out.flush() ? kSuccess : kFailure;
    }

private:
    std::string pattern_;
    std::string replacement_;
};

} // namespace

std::unique_ptr<Command> MakeRegexCommand() {
    return std::make_unique<RegexCommand>();
}

} // namespace kvtx::cli
