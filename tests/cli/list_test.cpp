#include "tests/cli/cli_fixture.h"

namespace kvtx::testing {
namespace {

using ListTest = CliTest;

TEST_F(ListTest, LabelsEveryCategoryAndItemAsThePickerDoesWithTheirKinds) {
    StoreBuilder()
        .Category(u"挨拶", u"kvtx_00000.dat")
        .Text(u"おはよう", u"おはようございます。")
        .Conversion(u"整形", {Step(StepKind::SimpleReplace, u"a", u"b")})
        .Raw(u"謎", 7, {std::byte{1}})
        .Category(u"メール", u"kvtx_00001.dat")
        .Text(u"メール/署名", u"--")
        .Save(files);

    const auto result = Kvtx({"list"});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, "A:挨拶\n"
                          "  a:おはよう\ttext\n"
                          "  b:整形\tconversion\n"
                          "  c:謎\tkind 7\n"
                          "B:メール\n"
                          "  a:メール/署名\ttext\n");
    EXPECT_EQ(result.err, "");
}

TEST_F(ListTest, StaleEntriesBeyondTheCountsAreNotListed) {
    StoreBuilder builder;
    builder.Category(u"残る", u"kvtx_00000.dat").Text(u"一", u"1");
    SetFieldText(builder.index.categories[1].name, u"削除済み");
    SetFieldText(builder.Current().header.items[1].name, u"古い項目");
    builder.Save(files);

    EXPECT_EQ(Kvtx({"list"}).out, "A:残る\n  a:一\ttext\n");
}

TEST_F(ListTest, AFolderWithoutAStoreListsNothingAndSaysSo) {
    const auto result = Kvtx({"list"});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("no store in"), std::string::npos) << result.err;
}

TEST_F(ListTest, AMissingCategoryFileShowsTheCategoryEmptyWithAWarning) {
    StoreBuilder().Category(u"消えた", u"kvtx_00004.dat").Text(u"x", u"y").Save(files);
    files.files.erase(kStoreDir + u"kvtx_00004.dat");

    const auto result = Kvtx({"list"});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, "A:消えた\n");
    EXPECT_NE(result.err.find("category A \"消えた\": kvtx_00004.dat is missing"),
              std::string::npos)
        << result.err;
}

TEST_F(ListTest, CopiesASyncServiceLeftAreNamedAndNotRead) {
    StoreBuilder().Category(u"共有", u"kvtx_00000.dat").Text(u"一", u"1").Save(files);
    const auto category = files.files.at(kStoreDir + u"kvtx_00000.dat");
    files.Put(kStoreDir + u"kvtx_00000 (conflicted copy).dat", category);
    files.Put(kStoreDir + u"kvtx_index-PC2.dat", files.files.at(kStoreDir + u"kvtx_index.dat"));

    const auto result = Kvtx({"list"});
    EXPECT_EQ(result.out, "A:共有\n  a:一\ttext\n");
    EXPECT_NE(result.err.find("kvtx_00000 (conflicted copy).dat was left by a sync service"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("kvtx_index-PC2.dat was left"), std::string::npos) << result.err;
}

} // namespace
} // namespace kvtx::testing
