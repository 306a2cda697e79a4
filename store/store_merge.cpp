#include "store/store_merge.h"

#include "store/fields.h"
#include "store/store_codec.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace kvtx {
namespace {

// ---- categories of the index, known by their file names

struct Entry {
    std::u16string name;
    std::u16string fileName;
};

std::vector<Entry> EntriesOf(const IndexImage& index) {
    std::vector<Entry> entries;
    for (int k = 0; k < UsedCategories(index); ++k) {
        entries.push_back(
            {FieldText(index.categories[k].name), FieldText(index.categories[k].fileName)});
    }
    return entries;
}

const Entry* Find(const std::vector<Entry>& entries, const std::u16string& fileName) {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const Entry& e) { return e.fileName == fileName; });
    return found == entries.end() ? nullptr : &*found;
}

std::ptrdiff_t PositionOf(const std::vector<Entry>& entries, const std::u16string& fileName) {
    const Entry* found = Find(entries, fileName);
    return found == nullptr ? -1 : found - entries.data();
}

// A file name twice in one index leaves no way to tell its two categories apart.
bool NamesEachFileOnce(const std::vector<Entry>& entries) {
    std::set<std::u16string> seen;
    return std::all_of(entries.begin(), entries.end(),
                       [&](const Entry& e) { return seen.insert(e.fileName).second; });
}

// The file names of `of` that `in` also has, in the order of `of`.
std::vector<std::u16string> Shared(const std::vector<Entry>& of, const std::vector<Entry>& in) {
    std::vector<std::u16string> names;
    for (const Entry& entry : of) {
        if (Find(in, entry.fileName) != nullptr) {
            names.push_back(entry.fileName);
        }
    }
    return names;
}

// ---- items, known by their whole value

bool SameItem(const PhraseItem& x, const ItemContent& xContent, const PhraseItem& y,
              const ItemContent& yContent) {
    if (FieldText(x.name) != FieldText(y.name) || x.kind != y.kind ||
        x.contentLength != y.contentLength) {
        return false;
    }
    const auto length = static_cast<std::size_t>(std::clamp(x.contentLength, 0, kContentBytes));
    return std::memcmp(xContent.bytes, yContent.bytes, length) == 0;
}

bool SameItem(const CategoryImage& a, int i, const CategoryImage& b, int j) {
    return SameItem(a.header.items[i], a.contents[i], b.header.items[j], b.contents[j]);
}

// Where base's item i is in `image`: at i if it is still there, else wherever the one equal item
// is; nullopt when it is gone, changed, or not alone.
std::optional<int> Locate(const CategoryImage& image, const CategoryImage& base, int i) {
    const int count = UsedItems(image.header);
    if (i < count && SameItem(image, i, base, i)) {
        return i;
    }
    std::optional<int> found;
    for (int j = 0; j < count; ++j) {
        if (SameItem(image, j, base, i)) {
            if (found) {
                return std::nullopt;
            }
            found = j;
        }
    }
    return found;
}

void CopyItem(CategoryImage& to, int j, const CategoryImage& from, int i) {
    to.header.items[j] = from.header.items[i];
    to.contents[j] = from.contents[i];
}

void RemoveItem(CategoryImage& image, int position) {
    const int count = UsedItems(image.header);
    for (int j = position; j + 1 < count; ++j) {
        CopyItem(image, j, image, j + 1);
    }
    image.header.itemCount = count - 1;
}

void SwapItems(CategoryImage& image, int first) {
    std::swap(image.header.items[first], image.header.items[first + 1]);
    std::swap(image.contents[first], image.contents[first + 1]);
}

// The first position at which mine's item differs from base's, up to the smaller count.
int FirstDifference(const CategoryImage& base, const CategoryImage& mine) {
    const int common = std::min(UsedItems(base.header), UsedItems(mine.header));
    int i = 0;
    while (i < common && SameItem(base, i, mine, i)) {
        ++i;
    }
    return i;
}

bool SameFrom(const CategoryImage& a, int i, const CategoryImage& b, int j, int count) {
    for (int n = 0; n < count; ++n) {
        if (!SameItem(a, i + n, b, j + n)) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<int> PositionOfItem(const CategoryImage& image, const PhraseItem& item,
                                  const ItemContent& content) {
    for (int j = 0; j < UsedItems(image.header); ++j) {
        if (SameItem(image.header.items[j], image.contents[j], item, content)) {
            return j;
        }
    }
    return std::nullopt;
}

std::optional<int> PositionOfCategory(const IndexImage& index, const std::u16string& fileName) {
    const std::ptrdiff_t at = PositionOf(EntriesOf(index), fileName);
    return at < 0 ? std::nullopt : std::optional<int>(static_cast<int>(at));
}

std::optional<IndexImage> MergeIndex(const IndexImage& base, const IndexImage& mine,
                                     const IndexImage& theirs) {
    const std::vector<Entry> was = EntriesOf(base);
    const std::vector<Entry> now = EntriesOf(mine);
    std::vector<Entry> merged = EntriesOf(theirs);
    if (!NamesEachFileOnce(was) || !NamesEachFileOnce(now) || !NamesEachFileOnce(merged)) {
        return std::nullopt;
    }

    // Order first, while the positions still match theirs: only a move of one category by one
    // place is carried over, and only while the two stand together there as they did here.
    const std::vector<std::u16string> wasOrder = Shared(was, now);
    const std::vector<std::u16string> nowOrder = Shared(now, was);
    if (wasOrder != nowOrder) {
        const auto differ = std::mismatch(wasOrder.begin(), wasOrder.end(), nowOrder.begin());
        const auto i = static_cast<std::size_t>(differ.first - wasOrder.begin());
        std::vector<std::u16string> swapped = wasOrder;
        std::swap(swapped[i], swapped[i + 1]);
        if (swapped != nowOrder) {
            return std::nullopt;
        }
        const std::ptrdiff_t first = PositionOf(merged, wasOrder[i]);
        const std::ptrdiff_t second = PositionOf(merged, wasOrder[i + 1]);
        if (first < 0 || second != first + 1) {
            return std::nullopt;
        }
        std::swap(merged[static_cast<std::size_t>(first)],
                  merged[static_cast<std::size_t>(second)]);
    }

    for (const Entry& old : was) {
        const Entry* kept = Find(now, old.fileName);
        const std::ptrdiff_t at = PositionOf(merged, old.fileName);
        if (kept == nullptr) {
            // Deleted here: gone there too is fine; renamed there is a change of its own.
            if (at >= 0 && merged[static_cast<std::size_t>(at)].name != old.name) {
                return std::nullopt;
            }
            if (at >= 0) {
                merged.erase(merged.begin() + at);
            }
        } else if (kept->name != old.name) {
            if (at < 0) {
                return std::nullopt;
            }
            Entry& there = merged[static_cast<std::size_t>(at)];
            if (there.name != old.name && there.name != kept->name) {
                return std::nullopt;
            }
            there.name = kept->name;
        }
    }
    for (const Entry& added : now) {
        if (Find(was, added.fileName) == nullptr && Find(merged, added.fileName) == nullptr) {
            merged.push_back(added);
        }
    }
    if (merged.size() > static_cast<std::size_t>(kMaxCategories)) {
        return std::nullopt;
    }

    // Entries past the count keep what theirs held there, as a deletion leaves them.
    IndexImage result = theirs;
    result.nextFileId = std::max(theirs.nextFileId, mine.nextFileId);
    result.categoryCount = static_cast<std::int32_t>(merged.size());
    for (std::size_t k = 0; k < merged.size(); ++k) {
        SetFieldText(result.categories[k].name, merged[k].name);
        SetFieldText(result.categories[k].fileName, merged[k].fileName);
    }
    return result;
}

std::unique_ptr<CategoryImage> MergeCategory(const CategoryImage& base, const CategoryImage& mine,
                                             const CategoryImage& theirs) {
    const int was = UsedItems(base.header);
    const int now = UsedItems(mine.header);
    const int there = UsedItems(theirs.header);
    auto result = std::make_unique<CategoryImage>(theirs);
    const int i = FirstDifference(base, mine);

    if (now > was && i == was) {
        // Items added at the end go after theirs.
        if (there + now - was > kMaxItems) {
            return nullptr;
        }
        for (int n = was; n < now; ++n) {
            CopyItem(*result, there + n - was, mine, n);
        }
        result->header.itemCount = there + now - was;
        return result;
    }
    if (now == was && i == was) {
        return result; // nothing of mine to add
    }
    if (now + 1 == was && SameFrom(base, i + 1, mine, i, now - i)) {
        const auto at = Locate(*result, base, i);
        if (!at) {
            return nullptr;
        }
        RemoveItem(*result, *at);
        return result;
    }
    if (now != was) {
        return nullptr;
    }
    if (SameFrom(base, i + 1, mine, i + 1, now - i - 1)) {
        // One item changed; a colleague who made the very same change leaves nothing to do.
        const auto at = Locate(*result, base, i);
        if (at) {
            CopyItem(*result, *at, mine, i);
            return result;
        }
        for (int j = 0; j < there; ++j) {
            if (SameItem(*result, j, mine, i)) {
                return result;
            }
        }
        return nullptr;
    }
    if (i + 1 < now && SameItem(base, i, mine, i + 1) && SameItem(base, i + 1, mine, i) &&
        SameFrom(base, i + 2, mine, i + 2, now - i - 2)) {
        const auto first = Locate(*result, base, i);
        const auto second = Locate(*result, base, i + 1);
        if (!first || !second || *second != *first + 1) {
            return nullptr;
        }
        SwapItems(*result, *first);
        return result;
    }
    return nullptr;
}

} // namespace kvtx
