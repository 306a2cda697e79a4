#include "cli/commands.h"
#include "cli/store_json.h"
#include "platform/utf.h"

#include <CLI/CLI.hpp>

namespace kvtx::cli {
namespace {

// The whole store as JSON, to standard output or to a file.
class ExportCommand final : public Command {
public:
    CLI::App* Register(CLI::App& parent) override {
        CLI::App* command = parent.add_subcommand("export", "write the whole store as JSON");
        command->add_option("FILE", file_, "the JSON file to write (default: standard output)");
        return command;
    }

    int Run(const CommandContext& context) override {
        PhraseStore store(context.files, context.dataDirectory);
        const auto snapshot = ReadStore(store, context.err);
        if (!snapshot) {
            return kFailure;
        }
        const std::string text = StoreToJson(*snapshot, context.err).dump(2, ' ', false) + '\n';
        if (!file_) {
            context.out << text;
            return context.out.flush() ? kSuccess : kFailure;
        }
        const auto bytes = std::as_bytes(std::span(text));
        if (!context.files.WriteFile(platform::Utf8ToUtf16(*file_), bytes)) {
            context.err << "kvtx: cannot write " << *file_ << '\n';
            return kFailure;
        }
        return kSuccess;
    }

private:
    std::optional<std::string> file_;
};

} // namespace

std::unique_ptr<Command> MakeExportCommand() {
    return std::make_unique<ExportCommand>();
}

} // namespace kvtx::cli
