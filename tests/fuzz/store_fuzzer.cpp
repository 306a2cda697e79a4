// Arbitrary bytes as an index file and as a category file: loading must never crash or read
// past a buffer, and what a load keeps must survive a save and a second load unchanged.
#include "store/item_content.h"
#include "store/step_text.h"
#include "store/store_codec.h"

#include <cstdlib>
#include <cstring>
#include <memory>

using namespace kvtx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);

    const IndexImage index = DecodeIndex(bytes);
    if (index.categoryCount < 0 || index.categoryCount > kMaxCategories) {
        std::abort();
    }
    if (DecodeIndex(EncodeIndex(index)).categoryCount != index.categoryCount) {
        std::abort();
    }

    auto first = std::make_unique<CategoryImage>();
    DecodeCategory(bytes, *first);
    const std::vector<std::byte> saved = EncodeCategory(*first);
    if (saved.size() > kCategoryFileMaxBytes) {
        std::abort();
    }
    auto second = std::make_unique<CategoryImage>();
    DecodeCategory(saved, *second);
    if (EncodeCategory(*second) != saved) {
        std::abort();
    }
    for (int i = 0; i < UsedItems(first->header); ++i) {
        const ItemContent& content = first->contents[i];
        if (ContentText(content).size() > kMaxTextChars || StepCount(content) > kMaxSteps) {
            std::abort();
        }
        for (int s = 0; s < StepCount(content); ++s) {
            const StepStrings strings = SplitStepText(StepAt(content, s).text);
            if (strings.a.size() + strings.b.size() + strings.c.size() > kStepTextUnits) {
                std::abort();
            }
        }
    }
    return 0;
}
