#pragma once

// The phrase store's records. Their memory layout is, byte for byte, the layout of the store
// files: a file is read into its record with one copy and written back the same way.

#include <bit>
#include <cstddef>
#include <cstdint>

namespace kvtx {

static_assert(std::endian::native == std::endian::little,
              "the store files are little-endian images of these records");

inline constexpr int kMaxCategories = 26;
inline constexpr int kMaxItems = 26;
inline constexpr int kMaxSteps = 7;
inline constexpr int kContentBytes = 4096;
inline constexpr int kMaxTextChars = 2044;
inline constexpr int kStepSlotBytes = 512;
inline constexpr int kStepTextUnits = 255;
inline constexpr int kMaxStepChars = 252; // all strings of one step together
inline constexpr int kMaxStepFieldChars = 254;
inline constexpr int kMaxCategoryNameChars = 30;
inline constexpr int kMaxItemNameChars = 27;

enum class ItemKind : std::int32_t {
    TextInsertion = 0,
    TextConversion = 1,
};

enum class StepKind : std::uint16_t {
    SimpleReplace = 0,
    RegexReplace = 1,
    RangeReplace = 2,
};

struct Category {
    char16_t name[32];
    char16_t fileName[32];
};

struct IndexImage {
    std::int32_t nextFileId;
    std::int32_t categoryCount;
    Category categories[kMaxCategories];
};

struct PhraseItem {
    char16_t name[28];
    std::int32_t kind; // an ItemKind, kept as stored so that unknown values survive a save
    std::int32_t reserved;
    std::int32_t contentLength;
};

struct ConversionStep {
    std::uint16_t kind; // a StepKind, kept as stored
    char16_t text[kStepTextUnits];
};

// One item's content buffer: a template text (UTF-16 units, NUL-terminated) or a step chain
// (slot 0 holds the uint16 step count, slots 1 to 7 the steps), by the item's kind. It is kept as
// bytes and read through item_content.h, which copies in and out instead of punning.
struct ItemContent {
    std::byte bytes[kContentBytes];
};

struct CategoryHeader {
    std::int32_t itemCount;
    PhraseItem items[kMaxItems];
};

struct CategoryImage {
    CategoryHeader header;
    ItemContent contents[kMaxItems];
};

static_assert(sizeof(Category) == 128 && offsetof(Category, fileName) == 64);
static_assert(sizeof(IndexImage) == 3336 && offsetof(IndexImage, categories) == 8);
static_assert(sizeof(PhraseItem) == 68 && offsetof(PhraseItem, kind) == 56 &&
              offsetof(PhraseItem, reserved) == 60 && offsetof(PhraseItem, contentLength) == 64);
static_assert(sizeof(ConversionStep) == kStepSlotBytes && offsetof(ConversionStep, text) == 2);
static_assert(sizeof(ItemContent) == kContentBytes);
static_assert(sizeof(CategoryHeader) == 1772 && offsetof(CategoryHeader, items) == 4);
static_assert(sizeof(CategoryImage) == 1772 + kMaxItems * kContentBytes &&
              offsetof(CategoryImage, contents) == 1772);

} // namespace kvtx
