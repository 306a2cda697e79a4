#include "cli/commands.h"
#include "cli/kind_words.h"
#include "cli/store_snapshot.h"
#include "platform/utf.h"
#include "store/fields.h"
#include "store/labels.h"

#include <CLI/CLI.hpp>

namespace kvtx::cli {
namespace {

// Every category and item, labelled as the picker labels them, each item with its kind.
class ListCommand final : public Command {
public:
    CLI::App* Register(CLI::App& parent) override {
        return parent.add_subcommand("list", "list every category and item with letter and kind");
    }

    int Run(const CommandContext& context) override {
        PhraseStore store(context.files, context.dataDirectory);
        const auto read = ReadStore(store, context.err);
        if (!read) {
            return kFailure;
        }
        const StoreSnapshot& snapshot = *read;
        for (std::size_t k = 0; k < snapshot.categories.size(); ++k) {
            const auto position = static_cast<int>(k);
            context.out << Utf8Label(CategoryLetter(position),
                                     FieldText(snapshot.index.categories[k].name))
                        << '\n';
            const CategoryHeader& header = snapshot.categories[k].header;
            for (int i = 0; i < header.itemCount; ++i) {
                context.out << "  " << Utf8Label(ItemLetter(i), FieldText(header.items[i].name))
                            << '\t' << KindText(header.items[i].kind) << '\n';
            }
        }
        return kSuccess;
    }

private:
    static std::string Utf8Label(char16_t letter, const std::u16string& name) {
        return platform::Utf16ToUtf8(ListLabel(letter, name));
    }

    static std::string KindText(std::int32_t kind) {
        const auto word = ItemKindWord(kind);
        return word ? std::string(*word) : "kind " + std::to_string(kind);
    }
};

} // namespace

std::unique_ptr<Command> MakeListCommand() {
    return std::make_unique<ListCommand>();
}

} // namespace kvtx::cli
