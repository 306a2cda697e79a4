#pragma once

#include "store/phrase_store.h"

#include <string>
#include <vector>

namespace kvtx {

// Command ids of the category menu: item i of category c is kPhraseCommandBase + 26 c + i.
inline constexpr unsigned kPhraseCommandBase = 32851;

// One entry of the menu: a command with its id, or a pop-up holding further entries.
struct MenuEntry {
    std::u16string caption;
    unsigned id = 0; // 0 for a pop-up
    std::vector<MenuEntry> children;

    bool IsPopup() const { return id == 0; }
    bool operator==(const MenuEntry&) const = default;
};

// The categories of the menu the menu hotkey opens, which ends with the menu template's own
// "Exit": a pop-up "(&A) name" … per category of the index in memory, holding that category's
// items as read afresh from its file. Items whose names
// contain "/" are gathered under the text before the first slash; plain items and groups share
// one letter sequence, and a group's members have their own. A category file that is missing or
// unreadable gives an empty pop-up.
std::vector<MenuEntry> BuildCategoryMenu(const PhraseStore& store);

} // namespace kvtx
