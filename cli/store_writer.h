#pragma once

#include "cli/store_snapshot.h"

#include <optional>
#include <string>

namespace kvtx::cli {

// Makes the snapshot's file names safe to write into the store's folder: a category keeps the
// name it asks for unless a file of that name is already there or an earlier category has it;
// every other category gets the next id from nextFileId upward that names no file in the folder
// and no name of this snapshot. nextFileId then lies above every id handed out here. So no file
// that is in the folder is ever written over, and a failed import leaves the old store whole.
// Throws ImportError when no id is free.
void AssignFileNames(StoreSnapshot& snapshot, const PhraseStore& store);

// Writes every category file, then the index. On a failed write it removes the category files
// it wrote (the old index, untouched, still names only the old files) and returns the path that
// could not be written.
std::optional<std::u16string> WriteStore(const StoreSnapshot& snapshot, PhraseStore& store);

} // namespace kvtx::cli
