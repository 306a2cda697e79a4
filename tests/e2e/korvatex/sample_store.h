#pragma once

#include "tests/e2e/korvatex/store_files.h"

#include <vector>

namespace kvtx::e2e {

// The store the scenarios start from: five categories with Japanese names, text items with
// fields, conversion items with every step kind, a category with slash groups and an empty one.
std::vector<StoreCategory> SampleStore();

} // namespace kvtx::e2e
