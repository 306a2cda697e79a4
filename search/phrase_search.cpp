#include "search/phrase_search.h"

#include "search/search_fold.h"
#include "store/fields.h"
#include "store/item_content.h"
#include "store/item_preview.h"
#include "store/labels.h"
#include "store/step_text.h"
#include "store/store_codec.h"

#include <algorithm>

namespace kvtx {
namespace {

constexpr char16_t kEnd = u'\0';

// What a query matches against in an item's content: its template, or its steps' strings.
std::u16string SearchableContent(const PhraseItem& item, const ItemContent& content) {
    switch (static_cast<ItemKind>(item.kind)) {
    case ItemKind::TextInsertion:
        return ContentText(content);
    case ItemKind::TextConversion: {
        std::u16string strings;
        const int count = StepCount(content);
        for (int index = 0; index < count; ++index) {
            const StepStrings step = SplitStepText(StepAt(content, index).text);
            // Each string stands alone: a word spanning two of them matches nothing.
            for (const std::u16string* part : {&step.a, &step.b, &step.c}) {
                strings += *part;
                strings += kEnd;
            }
        }
        return strings;
    }
    }
    return {};
}

std::vector<std::u16string_view> Words(std::u16string_view folded) {
    std::vector<std::u16string_view> words;
    std::size_t start = 0;
    while (start < folded.size()) {
        const std::size_t space = std::min(folded.find(u' ', start), folded.size());
        if (space > start) {
            words.push_back(folded.substr(start, space - start));
        }
        start = space + 1;
    }
    return words;
}

} // namespace

void PhraseSearch::FoldedTexts::Add(std::initializer_list<std::u16string_view> parts) {
    starts.push_back(text.size());
    for (const auto part : parts) {
        AppendFolded(part, text);
        text += kEnd;
    }
}

void PhraseSearch::FoldedTexts::MarkHolders(std::u16string_view word,
                                            std::vector<char>& holds) const {
    std::size_t from = 0;
    for (;;) {
        const std::size_t found = text.find(word, from);
        if (found == std::u16string::npos) {
            return;
        }
        // The entry the match lies in; the search goes on at the next entry's text.
        const auto next = std::upper_bound(starts.begin(), starts.end(), found);
        holds[static_cast<std::size_t>(next - starts.begin()) - 1] = 1;
        if (next == starts.end()) {
            return;
        }
        from = *next;
    }
}

void PhraseSearch::AddCategory(int position, std::u16string_view name, const CategoryImage& image) {
    const int count = UsedItems(image.header);
    for (int i = 0; i < count; ++i) {
        const PhraseItem& item = image.header.items[i];
        const ItemContent& content = image.contents[i];
        SearchEntry entry{position, i, std::u16string(name), FieldText(item.name),
                          PreviewItem(item, content).text};
        names_.Add({name, entry.itemName});
        unfolded_.push_back(SearchableContent(item, content));
        entries_.push_back(std::move(entry));
    }
}

void PhraseSearch::FoldContents() {
    for (const auto& content : unfolded_) {
        contents_.Add({content});
    }
    unfolded_.clear();
    unfolded_.shrink_to_fit();
}

std::vector<std::size_t> PhraseSearch::Find(std::u16string_view query) {
    const std::u16string folded = FoldForSearch(query);
    const auto words = Words(folded);
    if (!words.empty()) {
        FoldContents();
    }
    const std::size_t count = entries_.size();
    // Per entry: every word so far in its names, and every word so far somewhere.
    std::vector<char> byName(count, 1);
    std::vector<char> matched(count, 1);
    std::vector<char> inName(count);
    std::vector<char> inContent(count);
    for (const auto word : words) {
        std::fill(inName.begin(), inName.end(), 0);
        std::fill(inContent.begin(), inContent.end(), 0);
        names_.MarkHolders(word, inName);
        contents_.MarkHolders(word, inContent);
        for (std::size_t e = 0; e < count; ++e) {
            byName[e] = static_cast<char>(byName[e] && inName[e]);
            matched[e] = static_cast<char>(matched[e] && (inName[e] || inContent[e]));
        }
    }
    std::vector<std::size_t> order;
    for (std::size_t e = 0; e < count; ++e) {
        if (byName[e]) {
            order.push_back(e);
        }
    }
    for (std::size_t e = 0; e < count; ++e) {
        if (matched[e] && !byName[e]) {
            order.push_back(e);
        }
    }
    return order;
}

PhraseSearch ReadPhraseSearch(PhraseStore& reader, std::vector<int>* unreadable) {
    PhraseSearch search;
    for (int k = 0; k < reader.CategoryCount(); ++k) {
        if (reader.LoadCategory(k) == FileRead::Unreadable) {
            if (unreadable != nullptr) {
                unreadable->push_back(k);
            }
            continue;
        }
        search.AddCategory(k, reader.CategoryName(k), reader.Loaded());
    }
    return search;
}

bool StillInStore(const PhraseStore& store, const SearchEntry& entry) {
    if (entry.category >= store.CategoryCount() ||
        store.CategoryName(entry.category) != entry.categoryName) {
        return false;
    }
    const auto header = store.ReadCategoryHeader(entry.category);
    return header && entry.item < UsedItems(*header) &&
           FieldText(header->items[entry.item].name) == entry.itemName;
}

int PhraseIndex(const SearchEntry& entry) {
    return kMaxItems * entry.category + entry.item;
}

std::u16string SearchLetters(const SearchEntry& entry) {
    return {CategoryLetter(entry.category), u'-', ItemLetter(entry.item)};
}

std::u16string SearchTitle(const SearchEntry& entry) {
    return SearchLetters(entry) + u' ' + entry.categoryName + u'/' + entry.itemName;
}

} // namespace kvtx
