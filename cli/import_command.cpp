#include "cli/commands.h"
#include "cli/store_json.h"
#include "cli/store_writer.h"
#include "platform/utf.h"

#include <CLI/CLI.hpp>

namespace kvtx::cli {
namespace {

// Far above the largest store's JSON (26 × 26 full texts, every unit escaped, is about 8 MB),
// so only a wrong file is turned away.
constexpr std::size_t kMostImportBytes = 64u << 20;

// nlohmann's messages start with an error id and may quote bytes that are not UTF-8.
std::string ParseErrorText(const nlohmann::json::parse_error& error) {
    std::string_view text = error.what();
    if (const auto end = text.find("] ");
        text.starts_with("[json.exception") && end != std::string_view::npos) {
        text.remove_prefix(end + 2);
    }
    return platform::Utf16ToUtf8(platform::Utf8ToUtf16(text));
}

// Replaces the store in the folder with the one a JSON file holds, or, when anything in the file
// is wrong, writes nothing at all.
class ImportCommand final : public Command {
public:
    CLI::App* Register(CLI::App& parent) override {
        CLI::App* command = parent.add_subcommand("import", "write a complete store from JSON");
        command->add_option("FILE", file_, "the JSON file to read")->required();
        return command;
    }

    int Run(const CommandContext& context) override {
        const auto bytes =
            context.files.ReadFile(platform::Utf8ToUtf16(file_), kMostImportBytes + 1);
        if (!bytes) {
            context.err << "kvtx: cannot read " << file_ << '\n';
            return kFailure;
        }
        if (bytes->size() > kMostImportBytes) {
            return Refuse(context, file_ + " is larger than any store (over " +
                                       std::to_string(kMostImportBytes >> 20) + " MiB)");
        }

        PhraseStore store(context.files, context.dataDirectory);
        StoreSnapshot snapshot;
        try {
            const std::string_view text(reinterpret_cast<const char*>(bytes->data()),
                                        bytes->size());
            snapshot = StoreFromJson(Json::parse(text));
            AssignFileNames(snapshot, store);
        } catch (const Json::parse_error& error) {
            return Refuse(context, file_ + " is not valid JSON: " + ParseErrorText(error));
        } catch (const ImportError& error) {
            return Refuse(context, error.what());
        }

        if (const auto failed = WriteStore(snapshot, store)) {
            context.err << "kvtx: import failed: cannot write " << platform::Utf16ToUtf8(*failed)
                        << "; the store was left as it was\n";
            return kFailure;
        }
        int items = 0;
        for (const auto& category : snapshot.categories) {
            items += category.header.itemCount;
        }
        context.out << "imported " << snapshot.index.categoryCount << " categories and " << items
                    << " items into " << platform::Utf16ToUtf8(context.dataDirectory) << '\n';
        return kSuccess;
    }

private:
    static int Refuse(const CommandContext& context, const std::string& reason) {
        context.err << "kvtx: import refused: " << reason << "; nothing was written\n";
        return kFailure;
    }

    std::string file_;
};

} // namespace

std::unique_ptr<Command> MakeImportCommand() {
    return std::make_unique<ImportCommand>();
}

} // namespace kvtx::cli
