// The scenarios' store files must be what the program reads: checked against the store's own
// decoder, which was written separately from them.

#include "store/item_content.h"
#include "store/step_text.h"
#include "store/store_codec.h"
#include "tests/e2e/korvatex/sample_store.h"

#include <gtest/gtest.h>
#include <memory>

namespace kvtx::e2e {
namespace {

std::u16string NameOf(const char16_t* field) {
    return std::u16string(field);
}

TEST(ScenarioStoreFiles, IndexListsEveryCategoryWithItsFile) {
    const auto store = SampleStore();
    const auto bytes = IndexFileBytes(store);
    ASSERT_EQ(bytes.size(), 3336u);
    const IndexImage index = DecodeIndex(bytes);
    ASSERT_EQ(index.categoryCount, static_cast<int>(store.size()));
    EXPECT_EQ(index.nextFileId, static_cast<int>(store.size()));
    for (std::size_t k = 0; k < store.size(); ++k) {
        EXPECT_EQ(NameOf(index.categories[k].name), store[k].name);
        EXPECT_EQ(NameOf(index.categories[k].fileName), CategoryFileName(static_cast<int>(k)));
    }
    EXPECT_EQ(CategoryFileName(26), u"kvtx_0001a.dat");
}

TEST(ScenarioStoreFiles, CategoriesReadBackItemByItem) {
    for (const StoreCategory& category : SampleStore()) {
        auto image = std::make_unique<CategoryImage>();
        DecodeCategory(CategoryFileBytes(category), *image);
        ASSERT_EQ(image->header.itemCount, static_cast<int>(category.items.size()));
        for (std::size_t i = 0; i < category.items.size(); ++i) {
            const StoreItem& item = category.items[i];
            EXPECT_EQ(NameOf(image->header.items[i].name), item.name);
            EXPECT_EQ(image->header.items[i].kind, item.kind);
            const ItemContent& content = image->contents[i];
            if (item.kind == 0) {
                EXPECT_EQ(ContentText(content), item.text);
                continue;
            }
            ASSERT_EQ(StepCount(content), static_cast<int>(item.steps.size()));
            for (std::size_t s = 0; s < item.steps.size(); ++s) {
                const ConversionStep step = StepAt(content, static_cast<int>(s));
                const StepStrings strings = SplitStepText(step.text);
                EXPECT_EQ(step.kind, item.steps[s].kind);
                EXPECT_EQ(strings.a, item.steps[s].a);
                EXPECT_EQ(strings.b, item.steps[s].b);
                EXPECT_EQ(strings.c, item.steps[s].c);
            }
        }
    }
}

TEST(ScenarioStoreFiles, FileSizesFollowTheContents) {
    // 1772-byte header, then 2 bytes per text character and 512 per step slot plus the count slot.
    EXPECT_EQ(CategoryFileBytes({u"x", {}}).size(), 1772u);
    EXPECT_EQ(CategoryFileBytes({u"x", {TextItem(u"a", u"abc"), TextItem(u"b", u"")}}).size(),
              1772u + 6u);
    EXPECT_EQ(CategoryFileBytes({u"x", {ConversionItem(u"c", {{0, u"a", u"b", {}}})}}).size(),
              1772u + 1024u);
}

} // namespace
} // namespace kvtx::e2e
