#include "cli/commands.h"
#include "cli/console_prompts.h"
#include "cli/entry_names.h"
#include "cli/store_snapshot.h"
#include "cli/text_io.h"
#include "cli/time_argument.h"
#include "engine/conversion_chain.h"
#include "engine/line_ends.h"
#include "platform/large_text.h"
#include "platform/utf.h"
#include "store/item_content.h"
#include "store/phrase_store.h"

#include <CLI/CLI.hpp>

namespace kvtx::cli {
namespace {

// The position a letter names, either case: A or a is 0.
std::optional<int> LetterPosition(const std::string& letter) {
    if (letter.size() != 1) {
        return std::nullopt;
    }
    const char c = letter[0];
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a';
    }
    return std::nullopt;
}

const CLI::Validator kLetter(
    [](const std::string& text) {
        return LetterPosition(text) ? std::string() : "must be one letter A to Z";
    },
    "", "letter");

// One item applied to the selection on standard input; standard output gets what the program
// would paste over it.
class ApplyCommand final : public Command {
public:
    CLI::App* Register(CLI::App& parent) override {
        CLI::App* command = parent.add_subcommand(
            "apply", "apply an item to the text on standard input, as the menu hotkey does");
        command->add_option("--input", input_, "the text %input takes (default: empty)")
            ->option_text("TEXT");
        AddNowOption(*command, now_);
        command->add_option("CATEGORY-LETTER", category_, "the category, A to Z")
            ->required()
            ->check(kLetter);
        command->add_option("ITEM-LETTER", item_, "the item in it, a to z")
            ->required()
            ->check(kLetter);
        return command;
    }

    int Run(const CommandContext& context) override {
        const int category = *LetterPosition(category_);
        const int item = *LetterPosition(item_);
        PhraseStore store(context.files, context.dataDirectory);
        if (store.LoadIndex() == FileRead::Unreadable) {
            SayUnreadable(context.err, store.IndexPath());
            return kFailure;
        }
        if (category >= store.CategoryCount()) {
            context.err << "kvtx: there is no " << CategoryEntry(category, u"") << '\n';
            return kFailure;
        }
        if (store.LoadCategory(category) == FileRead::Unreadable) {
            SayUnreadable(context.err, *store.CategoryPath(category));
            return kFailure;
        }
        if (item >= store.ItemCount()) {
            context.err << "kvtx: " << CategoryEntry(category, store.CategoryName(category))
                        << " has no " << ItemEntry(item, u"") << '\n';
            return kFailure;
        }

        auto read = ReadUtf8Text(context.in);
        if (!read) {
            context.err << "kvtx: standard input is not valid UTF-8\n";
            return kFailure;
        }
        const bool crLf = HasCrLf(*read);
        std::u16string selection = WithCrLf(std::move(*read));

        std::optional<std::u16string> text = Apply(store, item, selection, context);
        if (!text) {
            return kFailure;
        }
        // An empty result is not copied, so the paste puts the selection back.
        WriteOutputText(context.out, text->empty() ? std::move(selection) : std::move(*text), crLf);
        return context.out.flush() ? kSuccess : kFailure;
    }

private:
    std::optional<std::u16string> Apply(const PhraseStore& store, int item,
                                        const std::u16string& selection,
                                        const CommandContext& context) const {
        ArgumentPrompt given(WithCrLf(platform::Utf8ToUtf16(input_.value_or(""))));
        UnansweredPrompt unanswered(context.err);
        const CommandClock clock(now_);
        const ExpansionContext expansion{clock,
                                         input_ ? static_cast<InputPrompt&>(given) : unanswered};
        const ItemContent& content = store.Loaded().contents[item];
        const std::int32_t kind = store.Loaded().header.items[item].kind;
        switch (static_cast<ItemKind>(kind)) {
        case ItemKind::TextInsertion: {
            std::u16string text = ContentText(content);
            ExpandTemplate(text, selection, expansion);
            return text;
        }
        case ItemKind::TextConversion: {
            ConsoleMessageBox messages(context.err);
            RegexEngine regex(DefaultRegexLibrary());
            // A copy: an empty result puts the selection back.
            std::u16string text;
            platform::ReserveLargeText(text, selection.size());
            text = selection;
            if (!ApplyConversion(content, text, {expansion, regex, messages})) {
                return std::nullopt;
            }
            return text;
        }
        }
        context.err << "kvtx: " << ItemEntry(item, store.ItemName(item)) << " has kind " << kind
                    << ", which nothing applies\n";
        return std::nullopt;
    }

    std::optional<std::string> input_;
    std::optional<std::string> now_;
    std::string category_;
    std::string item_;
};

} // namespace

std::unique_ptr<Command> MakeApplyCommand() {
    return std::make_unique<ApplyCommand>();
}

} // namespace kvtx::cli
