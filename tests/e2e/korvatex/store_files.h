#pragma once

// Store files as the scenarios lay them out beside the program, and as they expect to find them
// after the editor saved: written field by field from the file format, independently of the
// program's own records, so that a layout fault in the program cannot hide behind the test.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kvtx::e2e {

struct StoreStep {
    std::uint16_t kind = 0; // 0 plain, 1 regular expression, 2 range
    std::u16string a, b, c;
};

struct StoreItem {
    std::u16string name;
    std::int32_t kind = 0; // 0 text insertion, 1 text conversion
    std::u16string text;
    std::vector<StoreStep> steps;
};

struct StoreCategory {
    std::u16string name;
    std::vector<StoreItem> items;
};

StoreItem TextItem(std::u16string name, std::u16string text);
StoreItem ConversionItem(std::u16string name, std::vector<StoreStep> steps);

std::u16string CategoryFileName(int fileId); // "kvtx_%.5x.dat"

// The index for these categories, with category k in file id k and nextFileId after the last.
std::vector<std::byte> IndexFileBytes(const std::vector<StoreCategory>& categories);
std::vector<std::byte> CategoryFileBytes(const StoreCategory& category);

// Every file of the store: the index, then category k's file.
std::vector<std::pair<std::u16string, std::vector<std::byte>>>
StoreFiles(const std::vector<StoreCategory>& categories);

} // namespace kvtx::e2e
