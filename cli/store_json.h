#pragma once

#include "cli/store_snapshot.h"

#include <nlohmann/json.hpp>
#include <ostream>
#include <stdexcept>

namespace kvtx::cli {

// Keys keep the order they are written in, so an export reads top-down like the store.
using Json = nlohmann::ordered_json;

// The JSON form of a store. A kind the program does not know goes out as its number with the raw
// content in hexadecimal, so that an import gives the same bytes back. Two things JSON cannot
// carry are told to warnings: an unpaired surrogate (written as U+FFFD) and a file name that is
// not of the kvtx_%.5x.dat form (left out, so the import gives the category a new file).
Json StoreToJson(const StoreSnapshot& snapshot, std::ostream& warnings);

class ImportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Checks the whole document against the store's limits and builds its records; the first fault
// throws ImportError with a message that names the entry. A category without "file" gets an
// empty fileName, which the writer fills in.
StoreSnapshot StoreFromJson(const Json& document);

} // namespace kvtx::cli
