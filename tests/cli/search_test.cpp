#include "tests/cli/cli_fixture.h"

namespace kvtx::testing {
namespace {

class SearchTest : public CliTest {
protected:
    void SetUp() override {
        StoreBuilder()
            .Category(u"メール", u"kvtx_00000.dat")
            .Text(u"署名", u"--\r\n山田")
            .Text(u"お礼", u"ありがとうございました")
            .Category(u"整形", u"kvtx_00001.dat")
            .Conversion(u"返信", {Step(StepKind::RegexReplace, u"^", u"> ")})
            .Text(u"宛名", u"めーる送信先")
            .Save(files);
    }
};

TEST_F(SearchTest, PrintsTheMatchesInTheWindowsOrder) {
    const auto result = Kvtx({"search", "ﾒｰﾙ"});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, "A-a メール/署名\nA-b メール/お礼\nB-b 整形/宛名\n");
    EXPECT_EQ(result.err, "");

    EXPECT_EQ(Kvtx({"search", "メール", "アリガトウ"}).out, "A-b メール/お礼\n");
    EXPECT_EQ(Kvtx({"search", ">"}).out, "B-a 整形/返信\n");
    EXPECT_EQ(Kvtx({"search"}).out,
              "A-a メール/署名\nA-b メール/お礼\nB-a 整形/返信\nB-b 整形/宛名\n");
}

TEST_F(SearchTest, NothingFoundExitsWithOneAndPrintsNothing) {
    const auto result = Kvtx({"search", "メール", "返信"});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.out, "");
}

TEST_F(SearchTest, AnUnreadableCategoryIsLeftOutWithAWarningAndAnUnreadableIndexFails) {
    files.unreadable.insert(kStoreDir + u"kvtx_00000.dat");
    const auto partial = Kvtx({"search", "めーる"});
    EXPECT_EQ(partial.code, 0);
    EXPECT_EQ(partial.out, "B-b 整形/宛名\n");
    EXPECT_NE(partial.err.find("category A \"メール\": its file cannot be read"), std::string::npos)
        << partial.err;

    files.unreadable.insert(kStoreDir + u"kvtx_index.dat");
    const auto none = Kvtx({"search", "めーる"});
    EXPECT_EQ(none.code, 1);
    EXPECT_NE(none.err.find("cannot read"), std::string::npos) << none.err;
}

} // namespace
} // namespace kvtx::testing
