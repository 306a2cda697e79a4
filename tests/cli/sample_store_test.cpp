#include "platform/file_system.h"
#include "tests/cli/cli_fixture.h"

namespace kvtx::testing {
namespace {

using SampleStoreTest = CliTest;

// The sample store that the start command imports beside korvatex.exe; the build copies it next
// to the test programs.
TEST_F(SampleStoreTest, ImportsAndHoldsEveryKindOfEntryItShows) {
    const auto sample = platform::NativeFileSystem().ReadFile(
        platform::ExecutableDirectory() + u"sample-store.json", 1 << 20);
    ASSERT_TRUE(sample.has_value());
    files.Put(kJsonPath, *sample);

    const auto result = Kvtx({"import", kJsonName});
    ASSERT_EQ(result.code, 0) << result.err;

    PhraseStore store(files, kStoreDir);
    store.LoadIndex();
    ASSERT_GE(store.CategoryCount(), 3);
    bool slashGroup = false;
    bool dateFields = false;
    bool everyStepKind = false;
    for (int k = 0; k < store.CategoryCount(); ++k) {
        ASSERT_TRUE(store.LoadCategory(k));
        for (int i = 0; i < store.ItemCount(); ++i) {
            const auto& content = store.Loaded().contents[i];
            slashGroup = slashGroup || store.ItemName(i).find(u'/') != std::u16string::npos;
            if (store.Loaded().header.items[i].kind == 0) {
                const auto text = ContentText(content);
                dateFields = dateFields || (text.find(u"%Y") != std::u16string::npos &&
                                            text.find(u"%M") != std::u16string::npos &&
                                            text.find(u"%D") != std::u16string::npos);
            } else {
                unsigned kinds = 0;
                for (int s = 0; s < StepCount(content); ++s) {
                    kinds |= 1u << StepAt(content, s).kind;
                }
                everyStepKind = everyStepKind || kinds == 0b111;
            }
        }
    }
    EXPECT_TRUE(slashGroup);
    EXPECT_TRUE(dateFields);
    EXPECT_TRUE(everyStepKind);
    EXPECT_EQ(store.CategoryName(1), u"メール");
}

} // namespace
} // namespace kvtx::testing
