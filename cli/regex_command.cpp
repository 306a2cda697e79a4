#include "cli/commands.h"
#include "engine/regex_engine.h"
#include "platform/utf.h"

#include <CLI/CLI.hpp>

namespace kvtx::cli {
namespace {

// The quick tool's message for a pattern or replacement the library will not take.
constexpr const char* kMalformedMessage = "正規表現の構文に誤りがあります";

std::string ReadAll(std::istream& in) {
    std::string bytes;
    char chunk[64 * 1024];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    return bytes;
}

std::u16string WithLineFeeds(const std::u16string& text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')) {
            out.push_back(text[i]);
        }
    }
    return out;
}

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
        const std::string input = ReadAll(context.in);
        if (!platform::IsValidUtf8(input)) {
            context.err << "kvtx: standard input is not valid UTF-8\n";
            return kFailure;
        }
        std::u16string text = platform::Utf8ToUtf16(input);
        const bool unixLineEnds = text.find(u"\r\n") == std::u16string::npos;
        RegexEngine engine(DefaultRegexLibrary());
        if (!engine.SubstituteText(text, platform::Utf8ToUtf16(pattern_),
                                   platform::Utf8ToUtf16(replacement_))) {
            context.err << kMalformedMessage << '\n';
            return kFailure;
        }
        context.out << platform::Utf16ToUtf8(unixLineEnds ? WithLineFeeds(text) : text);
        return kSuccess;
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
