#include "cli/commands.h"
#include "cli/entry_names.h"
#include "cli/store_snapshot.h"
#include "platform/utf.h"
#include "search/phrase_search.h"

#include <CLI/CLI.hpp>

namespace kvtx::cli {
namespace {

// The search window's matches for the words, in its order, one a line.
class SearchCommand final : public Command {
public:
    CLI::App* Register(CLI::App& parent) override {
        CLI::App* command = parent.add_subcommand(
            "search", "list the items holding every WORD, as the search window does");
        command->footer(
            "Each match is printed as \"A-b category/item\": items whose names hold every word "
            "first, then those found through their content (a template, or a conversion's step "
            "strings), each in store order. Words compare with hiragana and katakana, full-width "
            "and half-width forms and letter case folded together. Exits with 1 when nothing "
            "matches.");
        command->add_option("WORD", words_, "a word to find; no word lists every item");
        return command;
    }

    int Run(const CommandContext& context) override {
        PhraseStore store(context.files, context.dataDirectory);
        if (store.LoadIndex() == FileRead::Unreadable) {
            SayUnreadable(context.err, store.IndexPath());
            return kFailure;
        }
        std::vector<int> unreadable;
        PhraseSearch search = ReadPhraseSearch(store, &unreadable);
        for (const int k : unreadable) {
            context.err << "kvtx: warning: " << CategoryEntry(k, store.CategoryName(k))
                        << ": its file cannot be read; its items are left out\n";
        }
        std::u16string query;
        for (const auto& word : words_) {
            query += platform::Utf8ToUtf16(word);
            query += u' ';
        }
        const auto found = search.Find(query);
        for (const std::size_t e : found) {
            context.out << platform::Utf16ToUtf8(SearchTitle(search.Entries()[e])) << '\n';
        }
        context.out.flush();
        return found.empty() || !context.out ? kFailure : kSuccess;
    }

private:
    std::vector<std::string> words_;
};

} // namespace

std::unique_ptr<Command> MakeSearchCommand() {
    return std::make_unique<SearchCommand>();
}

} // namespace kvtx::cli
