#pragma once

#include "store/phrase_store.h"

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace kvtx {

// One item as the search lists it.
struct SearchEntry {
    int category = 0;
    int item = 0;
    std::u16string categoryName;
    std::u16string itemName;
    // The picker's preview: the template as stored, or one line per step.
    std::u16string preview;
};

// The phrases of a whole store, folded once (search_fold.h) so that each query only compares.
// A query is split into words at ASCII and full-width spaces; an item matches when every word
// occurs in its category's name, its own name or its content (a template, or the strings of a
// conversion's steps). Items whose names hold every word come first, then those that needed
// their content, each group in store order; an empty query gives every item in store order.
class PhraseSearch {
public:
    // Adds the items of the category at this position, as the loaded image holds them.
    void AddCategory(int position, std::u16string_view name, const CategoryImage& image);

    const std::vector<SearchEntry>& Entries() const { return entries_; }
    // Positions in Entries(), in the order described above. The first query with a word folds
    // the contents, unless FoldContents has.
    std::vector<std::size_t> Find(std::u16string_view query);
    // Folds what the items hold. Adding only gathers it, so that the window can show every
    // item before the longest work is done.
    void FoldContents();

private:
    // The folded texts of every entry one after another, and where each entry's starts; each
    // text is closed by a NUL, which no word holds, so no match spans two of them.
    struct FoldedTexts {
        std::u16string text;
        std::vector<std::size_t> starts;
        // Folds the parts into one entry's text, each closed by a NUL.
        void Add(std::initializer_list<std::u16string_view> parts);
        // Marks the entries whose text holds the word.
        void MarkHolders(std::u16string_view word, std::vector<char>& holds) const;
    };

    std::vector<SearchEntry> entries_;
    FoldedTexts names_;
    FoldedTexts contents_;
    // Each entry's searchable content, until FoldContents takes it.
    std::vector<std::u16string> unfolded_;
};

// Reads every category of the reader's index afresh from its file and gathers their items. A
// category whose file cannot be read is left out; its position is added to `unreadable` when
// that is given.
PhraseSearch ReadPhraseSearch(PhraseStore& reader, std::vector<int>* unreadable = nullptr);

// Whether the store still holds the entry where it was found: the same category name in its
// index and the same item name in the category's file, read afresh. The user chooses some time
// after the search read the store, and the editor may have moved or renamed items meanwhile.
bool StillInStore(const PhraseStore& store, const SearchEntry& entry);

// The item as the category menu's commands number it: 26 × category + item.
int PhraseIndex(const SearchEntry& entry);

// "A-b", the letters of an item.
std::u16string SearchLetters(const SearchEntry& entry);
// "A-b カテゴリ名/項目名", as kvtx search prints a match.
std::u16string SearchTitle(const SearchEntry& entry);

} // namespace kvtx
