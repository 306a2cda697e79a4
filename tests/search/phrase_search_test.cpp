#include "search/phrase_search.h"
#include "store/item_content.h"
#include "store/step_text.h"
#include "tests/fakes/test_store.h"

#include <gtest/gtest.h>

namespace kvtx {
namespace {

using testing::TestCategory;
using testing::TestItem;

const std::u16string kDir = u"C:\\Korvatex\\";
constexpr auto kConversion = static_cast<std::int32_t>(ItemKind::TextConversion);

class PhraseSearchTest : public ::testing::Test {
protected:
    void Write(const std::vector<TestCategory>& categories) {
        testing::WriteTestStore(files, kDir, categories);
    }

    // The titles of the matches, in their order.
    std::vector<std::u16string> Titles(std::u16string_view query) {
        PhraseStore reader(files, kDir);
        reader.LoadIndex();
        PhraseSearch search = ReadPhraseSearch(reader);
        std::vector<std::u16string> titles;
        for (const std::size_t e : search.Find(query)) {
            titles.push_back(SearchTitle(search.Entries()[e]));
        }
        return titles;
    }

    testing::FakeFileSystem files;
};

TEST_F(PhraseSearchTest, EachSpellingOfAWordFindsTheSameItems) {
    Write({{u"連絡", {{u"メール署名", 0, u"--"}, {u"電話", 0, u"めーるで連絡します"}}},
           {u"ﾒｰﾙ", {{u"挨拶", 0, u"こんにちは"}}},
           {u"他", {{u"無関係", 0, u"メモ"}}}});
    const std::vector<std::u16string> expected{u"A-a 連絡/メール署名", u"B-a ﾒｰﾙ/挨拶",
                                               u"A-b 連絡/電話"};
    for (const char16_t* query : {u"めーる", u"メール", u"ﾒｰﾙ"}) {
        EXPECT_EQ(Titles(query), expected) << std::u16string(query).size();
    }
}

TEST_F(PhraseSearchTest, EveryWordMustOccurInANameOrTheContent) {
    Write({{u"Mail",
            {{u"Thanks", 0, u"Thank you for your order."},
             {u"Apology", 0, u"We are sorry for the delay."},
             {u"Order/confirm", 0, u"Your ORDER is confirmed."}}}});
    struct Case {
        const char16_t* query;
        std::vector<std::u16string> titles;
    };
    const Case cases[] = {
        // Words are split at ASCII and full-width spaces, in any number.
        {u"order", {u"A-c Mail/Order/confirm", u"A-a Mail/Thanks"}},
        {u"ORDER　thank", {u"A-a Mail/Thanks"}},
        {u"  mail   sorry ", {u"A-b Mail/Apology"}},
        // A word may come from the category's name, another from the content.
        {u"mail confirmed", {u"A-c Mail/Order/confirm"}},
        {u"order delay", {}},
        // A word never spans the category's name and the item's name.
        {u"mailorder", {}},
        {u"ｍａｉｌ ｏｒｄｅｒ", {u"A-c Mail/Order/confirm", u"A-a Mail/Thanks"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Titles(c.query), c.titles) << std::u16string(c.query).size();
    }
}

TEST_F(PhraseSearchTest, NameMatchesComeFirstThenContentMatchesEachInStoreOrder) {
    Write({{u"一", {{u"本文だけ", 0, u"請求書"}, {u"請求書A", 0, u""}}},
           {u"請求", {{u"書式", 0, u"x"}, {u"その他", 0, u"請求書を送ります"}}}});
    EXPECT_EQ(Titles(u"請求 書"),
              (std::vector<std::u16string>{u"A-b 一/請求書A", u"B-a 請求/書式", u"A-a 一/本文だけ",
                                           u"B-b 請求/その他"}));
}

TEST_F(PhraseSearchTest, AnEmptyQueryListsEveryItemInStoreOrder) {
    Write({{u"A", {{u"x", 0, u""}, {u"y", 0, u""}}}, {u"空", {}}, {u"B", {{u"z", 0, u""}}}});
    const std::vector<std::u16string> all{u"A-a A/x", u"A-b A/y", u"C-a B/z"};
    EXPECT_EQ(Titles(u""), all);
    EXPECT_EQ(Titles(u" \u3000 "), all);
}

TEST_F(PhraseSearchTest, AConversionMatchesThroughItsStepStringsAndPreviewsItsSteps) {
    Write({{u"整形", {{u"変換", kConversion, u""}}}});
    // The steps go straight into the file: the test store writes templates only.
    PhraseStore writer(files, kDir);
    writer.LoadIndex();
    writer.LoadCategory(0);
    ItemContent& content = writer.Loaded().contents[0];
    SetStepAt(content, 0, *PackStep(0, {u"ﾃｽﾄ", u"試験", u""}));
    SetStepAt(content, 1, *PackStep(2, {u"<", u">", u"括弧"}));
    SetStepCount(content, 2);
    writer.Loaded().header.items[0].contentLength =
        ContentLengthFor(ItemKind::TextConversion, content);
    ASSERT_TRUE(writer.SaveCategory(0));

    for (const char16_t* query : {u"てすと", u"試験", u"括弧", u"<"}) {
        EXPECT_EQ(Titles(query), std::vector<std::u16string>{u"A-a 整形/変換"});
    }
    // Strings of a step are apart: nothing matches across A and B.
    EXPECT_TRUE(Titles(u"テスト試験").empty());

    PhraseStore reader(files, kDir);
    reader.LoadIndex();
    const PhraseSearch search = ReadPhraseSearch(reader);
    ASSERT_EQ(search.Entries().size(), 1u);
    EXPECT_NE(search.Entries()[0].preview.find(u"ﾃｽﾄ"), std::u16string::npos);
    EXPECT_EQ(search.Entries()[0].preview.find(u"テスト"), std::u16string::npos);
}

TEST_F(PhraseSearchTest, AnUnreadableCategoryIsLeftOutAndTold) {
    Write({{u"読める", {{u"a", 0, u"共通"}}}, {u"読めない", {{u"b", 0, u"共通"}}}});
    files.unreadable.insert(kDir + u"kvtx_00001.dat");
    PhraseStore reader(files, kDir);
    reader.LoadIndex();
    std::vector<int> unreadable;
    PhraseSearch search = ReadPhraseSearch(reader, &unreadable);
    EXPECT_EQ(unreadable, std::vector<int>{1});
    ASSERT_EQ(search.Find(u"共通"), std::vector<std::size_t>{0});
    EXPECT_EQ(SearchLetters(search.Entries()[0]), u"A-a");
}

} // namespace
} // namespace kvtx
