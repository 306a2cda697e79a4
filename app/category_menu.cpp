#include "app/category_menu.h"

#include "store/fields.h"
#include "store/labels.h"
#include "store/store_codec.h"

#include <algorithm>

namespace kvtx {
namespace {

struct Group {
    std::u16string name;
    std::size_t entry; // position of its pop-up among the category's entries
    int members;
};

std::vector<MenuEntry> ItemEntries(const CategoryHeader& header, int category) {
    std::vector<MenuEntry> entries;
    std::vector<Group> groups;
    int letter = 0;
    const int count = UsedItems(header);
    for (int i = 0; i < count; ++i) {
        const std::u16string name = FieldText(header.items[i].name);
        const unsigned id = kPhraseCommandBase + static_cast<unsigned>(26 * category + i);
        const auto slash = name.find(u'/');
        if (slash == std::u16string::npos) {
            entries.push_back({MenuLabel(ItemLetter(letter++), name), id, {}});
            continue;
        }
        const std::u16string groupName = name.substr(0, slash);
        const std::u16string label = name.substr(slash + 1);
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const Group& g) { return g.name == groupName; });
        if (group == groups.end()) {
            groups.push_back({groupName, entries.size(), 0});
            group = groups.end() - 1;
            entries.push_back({MenuLabel(ItemLetter(letter++), groupName), 0, {}});
        }
        entries[group->entry].children.push_back(
            {MenuLabel(ItemLetter(group->members++), label), id, {}});
    }
    return entries;
}

} // namespace

std::vector<MenuEntry> BuildCategoryMenu(const PhraseStore& store) {
    std::vector<MenuEntry> menu;
    for (int c = 0; c < store.CategoryCount(); ++c) {
        MenuEntry category{MenuLabel(CategoryLetter(c), store.CategoryName(c)), 0, {}};
        if (const auto header = store.ReadCategoryHeader(c)) {
            category.children = ItemEntries(*header, c);
        }
        menu.push_back(std::move(category));
    }
    return menu;
}

} // namespace kvtx
