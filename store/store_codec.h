#pragma once

// Bytes of the store files to records and back. Kept apart from the file access so that the
// fuzzer and the tests can feed any bytes straight in.

#include "store/records.h"

#include <cstddef>
#include <span>
#include <vector>

namespace kvtx {

inline constexpr std::size_t kIndexFileBytes = sizeof(IndexImage);
inline constexpr std::size_t kCategoryHeaderBytes = sizeof(CategoryHeader);
// The most a category file can hold that a reader uses: the header and 26 full contents.
inline constexpr std::size_t kCategoryFileMaxBytes =
    kCategoryHeaderBytes + sizeof(ItemContent) * kMaxItems;

// A short file leaves the rest zero; the count is clamped to 0..26.
IndexImage DecodeIndex(std::span<const std::byte> bytes);
std::vector<std::byte> EncodeIndex(const IndexImage& index);

// A short file leaves the rest zero; the count is clamped to 0..26. A content length outside
// 0..4096 cannot have been written by this program and leaves no way to find where the next
// content starts, so that item and every later one load empty (their names stay). A text
// length that is odd drops the half unit; a text beyond 2044 characters is cut there. In both
// cases later contents are still found at the offsets the file's own lengths give.
void DecodeCategory(std::span<const std::byte> bytes, CategoryImage& image);
std::vector<std::byte> EncodeCategory(const CategoryImage& image);
CategoryHeader DecodeCategoryHeader(std::span<const std::byte> bytes);

// The counts as readers use them.
int UsedCategories(const IndexImage& index);
int UsedItems(const CategoryHeader& header);

} // namespace kvtx
