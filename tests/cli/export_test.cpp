#include "cli/store_json.h"
#include "tests/cli/cli_fixture.h"

namespace kvtx::testing {
namespace {

using cli::Json;

class ExportTest : public CliTest {
protected:
    Json ExportedJson() {
        const auto result = Kvtx({"export"});
        EXPECT_EQ(result.code, 0) << result.err;
        return Json::parse(result.out);
    }
};

TEST_F(ExportTest, WritesTheStoreInTheDocumentedShape) {
    StoreBuilder()
        .Category(u"挨拶", u"kvtx_00000.dat")
        .Text(u"おはよう", u"おはよう\r\n%Y/%M/%D")
        .Category(u"変換", u"kvtx_0001a.dat")
        .Conversion(u"整形", {Step(StepKind::SimpleReplace, u"　", u" "),
                              Step(StepKind::RegexReplace, u" +$", u""),
                              Step(StepKind::RangeReplace, u"【", u"】", u"%Y")})
        .Save(files);
    PhraseStore store(files, kStoreDir);
    store.LoadIndex();
    store.Index().nextFileId = 27;
    ASSERT_TRUE(store.SaveIndex());

    const Json expected = Json::parse(R"({
        "nextFileId": 27,
        "categories": [
            {"name": "挨拶", "file": "kvtx_00000.dat", "items": [
                {"name": "おはよう", "kind": "text", "text": "おはよう\r\n%Y/%M/%D"}]},
            {"name": "変換", "file": "kvtx_0001a.dat", "items": [
                {"name": "整形", "kind": "conversion", "steps": [
                    {"kind": "replace", "a": "　", "b": " "},
                    {"kind": "regex", "a": " +$", "b": ""},
                    {"kind": "range", "a": "【", "b": "】", "c": "%Y"}]}]}]})");
    const Json exported = ExportedJson();
    EXPECT_EQ(exported, expected) << exported.dump(2);
    // Readers of the JSON meet the keys in the store's own order.
    EXPECT_EQ(exported.begin().key(), "nextFileId");
}

TEST_F(ExportTest, UnknownKindsGoOutAsTheirNumberWithTheRawContent) {
    ConversionStep foreign{};
    foreign.kind = 9;
    foreign.text[0] = u'Z';
    foreign.text[3] = u'\x0102';
    StoreBuilder()
        .Category(u"未知", u"kvtx_00000.dat")
        .Raw(u"画像", 5, {std::byte{0xAB}, std::byte{0}, std::byte{0x10}})
        .Conversion(u"混在", {foreign})
        .Save(files);

    const Json items = ExportedJson()["categories"][0]["items"];
    EXPECT_EQ(items[0], Json::parse(R"({"name": "画像", "kind": 5, "content": "ab0010"})"));
    // The step's text field, without the zeros that end it.
    EXPECT_EQ(items[1]["steps"][0], Json::parse(R"({"kind": 9, "content": "5a00000000000201"})"));
}

TEST_F(ExportTest, StaleEntriesBeyondTheCountsAreLeftOut) {
    StoreBuilder builder;
    builder.Category(u"残る", u"kvtx_00000.dat").Text(u"一", u"1");
    SetFieldText(builder.index.categories[1].name, u"削除済み");
    SetFieldText(builder.index.categories[1].fileName, u"kvtx_00009.dat");
    SetFieldText(builder.Current().header.items[1].name, u"古い項目");
    builder.Save(files);

    const Json exported = ExportedJson();
    ASSERT_EQ(exported["categories"].size(), 1u);
    EXPECT_EQ(exported["categories"][0]["items"].size(), 1u);
}

TEST_F(ExportTest, WritesToAFileWhenOneIsNamed) {
    StoreBuilder().Category(u"挨拶", u"kvtx_00000.dat").Text(u"a", u"b").Save(files);
    const auto result = Kvtx({"export", "保存.json"});
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out, "");
    const auto& file = files.files.at(u"保存.json");
    EXPECT_EQ(Json::parse(std::string(reinterpret_cast<const char*>(file.data()),
                                      file.size()))["categories"][0]["name"],
              "挨拶");
}

TEST_F(ExportTest, AFileThatCannotBeWrittenIsAFailure) {
    StoreBuilder().Category(u"挨拶", u"kvtx_00000.dat").Save(files);
    files.lockedFiles.insert(u"out.json");
    const auto result = Kvtx({"export", "out.json"});
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.err.find("cannot write out.json"), std::string::npos) << result.err;
}

// A backup that silently lacked a file another program holds would look complete.
TEST_F(ExportTest, AStoreFileThatCannotBeReadFailsTheExport) {
    StoreBuilder().Category(u"挨拶", u"kvtx_00000.dat").Text(u"a", u"b").Save(files);
    for (const std::u16string name : {u"kvtx_00000.dat", u"kvtx_index.dat"}) {
        files.unreadable = {kStoreDir + name};
        for (const char* command : {"export", "list"}) {
            const auto result = Kvtx({command});
            EXPECT_EQ(result.code, 1) << command;
            EXPECT_TRUE(result.out.empty()) << command;
            EXPECT_NE(result.err.find("cannot read"), std::string::npos) << result.err;
        }
    }
}

TEST_F(ExportTest, WhatJsonCannotCarryIsToldNotDropped) {
    StoreBuilder builder;
    builder.Category(std::u16string(u"壊れ") + char16_t(0xD800), u"kvtx_00000.dat");
    builder.Category(u"手作り", u"custom.dat");
    builder.Save(files);

    const auto result = Kvtx({"export"});
    EXPECT_EQ(result.code, 0);
    const Json exported = Json::parse(result.out);
    EXPECT_EQ(exported["categories"][0]["name"], "壊れ\xEF\xBF\xBD");
    EXPECT_FALSE(exported["categories"][1].contains("file"));
    EXPECT_NE(result.err.find("category A"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("unpaired surrogate"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("category B \"手作り\": the file name \"custom.dat\""),
              std::string::npos)
        << result.err;
}

TEST_F(ExportTest, ANegativeNextFileIdFromADamagedIndexGoesOutAsZero) {
    StoreBuilder builder;
    builder.index.nextFileId = -5;
    builder.Save(files);
    EXPECT_EQ(ExportedJson()["nextFileId"], 0);
}

} // namespace
} // namespace kvtx::testing
