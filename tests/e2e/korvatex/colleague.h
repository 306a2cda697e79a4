#pragma once

// A colleague's editor on another computer, working on the same shared store folder as the
// program: it keeps its own copy of the store and delivers each file whole, renamed into place,
// as such an editor or a sync service does. Its files are laid out by the scenarios' own writer,
// independently of the program.

#include "tests/e2e/korvatex/store_files.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kvtx::e2e {

class Colleague {
public:
    // The folder ends in a backslash; the store is what the folder holds now.
    Colleague(std::u16string folder, std::vector<StoreCategory> store);

    // Rewrites that category's file with the item added at its end.
    void AddItem(std::size_t category, StoreItem item);
    // Writes the new category's file, then the index that names it.
    void AddCategory(StoreCategory category);

    // The store as the colleague left it.
    const std::vector<StoreCategory>& Store() const { return store_; }

private:
    void WriteCategory(std::size_t category) const;

    std::u16string folder_;
    std::vector<StoreCategory> store_;
};

} // namespace kvtx::e2e
