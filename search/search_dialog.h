#pragma once

#include "platform/ui/controls.h"
#include "search/phrase_search.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kvtx {

struct SearchControls {
    // The one-line box the user types into; it keeps the keyboard.
    ui::TextControl& query;
    ui::ListControl& results;
    ui::TextControl& preview;
};

// The search window's behaviour over its controls: the matches of what the box holds, one line
// each, narrowed at every change of the box, the chosen line's preview, and the keys that move
// through the list without leaving the box.
class SearchDialog {
public:
    // Lines a Page Up or Page Down moves.
    static constexpr int kPageLines = 8;
    // Characters of an item's text shown after its names.
    static constexpr std::size_t kExcerptCharacters = 40;

    explicit SearchDialog(const SearchControls& controls);

    // The keyboard in the box; the list stays empty until the items come.
    void OnInitDialog();
    // The store's items, read once the window is on the screen; the list shows those that match
    // what the box holds by then (every item for an empty box), the first one chosen.
    void ShowItems(PhraseSearch search);
    // The search's longest work, done once the window is shown and before the first keystroke
    // needs it.
    void PrepareSearch();
    // The box changed: the list holds what matches now, its first line chosen.
    void OnQueryChange();
    // A line was clicked.
    void OnResultSelected();
    // Up, Down, Page Up and Page Down move the chosen line and are consumed; any other key is
    // left to the box.
    bool OnKeyDown(unsigned virtualKey);

    // The entry of the chosen line; null when the list is empty.
    const SearchEntry* Chosen() const;

private:
    void ShowChosenPreview();

    SearchControls controls_;
    PhraseSearch search_;
    // The entries the list shows, line by line.
    std::vector<std::size_t> shown_;
};

// One line of the list: "A-b カテゴリ名/項目名  " and the start of the item's text on one line.
std::u16string SearchLine(const SearchEntry& entry);

} // namespace kvtx
