#include "cli/commands.h"
#include "cli/text_io.h"
#include "engine/regex_engine.h"
#include "platform/utf.h"

#include <CLI/CLI.hpp>

namespace kvtx::cli {
namespace {

// The quick tool's message for a pattern or replacement the library will not take.
constexpr const char* kMalformedMessage = "正規表現の構文に誤りがあります";

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
        const bool crLf = HasCrLf(text);
        RegexEngine engine(DefaultRegexLibrary());
        if (!engine.SubstituteText(text, platform::Utf8ToUtf16(pattern_),
                                   platform::Utf8ToUtf16(replacement_))) {
            context.err << kMalformedMessage << '\n';
            return kFailure;
        }
        context.out << OutputText(text, crLf);
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
