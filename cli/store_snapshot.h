#pragma once

#include "store/phrase_store.h"
#include "store/records.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kvtx::cli {

// A whole store in memory: the index and the loaded image of every category in use, in index
// order. Entries beyond the counts are zero.
struct StoreSnapshot {
    IndexImage index{};
    std::vector<CategoryImage> categories;
};

// Reads the index and every category in use, as the picker would. What the picker silently
// shows as empty (no index, a missing category file, a file name that leaves the folder) is
// also told to warnings, since a backup taken from it would lack those items. A file that is
// there but cannot be read (another program holds it) gives nullopt, said on warnings: a
// backup without it would look complete.
std::optional<StoreSnapshot> ReadStore(PhraseStore& store, std::ostream& warnings);

// The error line for a store file that is there but cannot be read.
void SayUnreadable(std::ostream& err, const std::u16string& path);

} // namespace kvtx::cli
