#include "tests/e2e/korvatex/colleague.h"

#include "tests/e2e/driver/files.h"

#include <utility>

namespace kvtx::e2e {

Colleague::Colleague(std::u16string folder, std::vector<StoreCategory> store)
    : folder_(std::move(folder)), store_(std::move(store)) {}

void Colleague::AddItem(std::size_t category, StoreItem item) {
    store_.at(category).items.push_back(std::move(item));
    WriteCategory(category);
}

void Colleague::AddCategory(StoreCategory category) {
    store_.push_back(std::move(category));
    WriteCategory(store_.size() - 1);
    ReplaceFileBytes(folder_ + u"kvtx_index.dat", IndexFileBytes(store_));
}

void Colleague::WriteCategory(std::size_t category) const {
    ReplaceFileBytes(folder_ + CategoryFileName(static_cast<int>(category)),
                     CategoryFileBytes(store_[category]));
}

} // namespace kvtx::e2e
