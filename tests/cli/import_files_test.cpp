#include "store/file_names.h"
#include "tests/cli/cli_fixture.h"
#include "tests/fakes/bytes.h"

namespace kvtx::testing {
namespace {

class ImportFilesTest : public CliTest {
protected:
    CliResult Import(std::string_view json) {
        PutJson(json);
        return Kvtx({"import", kJsonName});
    }

    std::vector<std::u16string> IndexFileNames() {
        PhraseStore store(files, kStoreDir);
        store.LoadIndex();
        std::vector<std::u16string> names;
        for (int k = 0; k < store.CategoryCount(); ++k) {
            names.push_back(FieldText(store.Index().categories[k].fileName));
        }
        return names;
    }

    std::int32_t NextFileId() { return ReadI32(StoreFile(u"kvtx_index.dat"), 0); }

    std::vector<std::u16string> StoreFileNames() const {
        std::vector<std::u16string> names;
        for (const auto& [path, bytes] : files.files) {
            if (path.starts_with(kStoreDir)) {
                names.push_back(path.substr(kStoreDir.size()));
            }
        }
        return names;
    }
};

TEST_F(ImportFilesTest, IntoAnEmptyFolderTheJsonFileNamesAndNextFileIdAreKept) {
    const auto result = Import(R"({"nextFileId": 40, "categories": [
        {"name": "一", "file": "kvtx_00021.dat"}, {"name": "二", "file": "kvtx_00003.dat"}]})");
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(IndexFileNames(),
              (std::vector<std::u16string>{u"kvtx_00021.dat", u"kvtx_00003.dat"}));
    EXPECT_EQ(NextFileId(), 40);
    EXPECT_EQ(StoreFile(u"kvtx_00021.dat"), std::vector<std::byte>(1772));
    EXPECT_EQ(result.out, "imported 2 categories and 0 items into C:\\Korvatex\\\n");
}

TEST_F(ImportFilesTest, CategoriesWithoutAFileGetIdsFromNextFileIdUpward) {
    ASSERT_EQ(Import(R"({"categories": [{"name": "一"}, {"name": "二"}]})").code, 0);
    EXPECT_EQ(IndexFileNames(),
              (std::vector<std::u16string>{u"kvtx_00000.dat", u"kvtx_00001.dat"}));
    EXPECT_EQ(NextFileId(), 2);
}

TEST_F(ImportFilesTest, NeverWritesOverAFileAlreadyInTheFolder) {
    files.Put(kStoreDir + u"kvtx_00000.dat", Bytes("old zero"));
    files.Put(kStoreDir + u"kvtx_00001.dat", Bytes("old one"));
    const auto result = Import(R"({"nextFileId": 1, "categories": [
        {"name": "一", "file": "kvtx_00000.dat"}, {"name": "二", "file": "kvtx_00002.dat"},
        {"name": "三"}]})");
    ASSERT_EQ(result.code, 0) << result.err;
    // The first asks for a file that is in the folder and the third for none: both get ids from
    // nextFileId on, stepping over 1 (in the folder) and 2 (asked for by the second).
    EXPECT_EQ(IndexFileNames(), (std::vector<std::u16string>{u"kvtx_00003.dat", u"kvtx_00002.dat",
                                                             u"kvtx_00004.dat"}));
    EXPECT_EQ(NextFileId(), 5);
    EXPECT_EQ(StoreFile(u"kvtx_00000.dat"), Bytes("old zero"));
    EXPECT_EQ(StoreFile(u"kvtx_00001.dat"), Bytes("old one"));
}

TEST_F(ImportFilesTest, TwoCategoriesAskingForOneFileGetOneEach) {
    ASSERT_EQ(Import(R"({"nextFileId": 8, "categories": [
        {"name": "一", "file": "kvtx_00002.dat"}, {"name": "二", "file": "kvtx_00002.dat"}]})")
                  .code,
              0);
    EXPECT_EQ(IndexFileNames(),
              (std::vector<std::u16string>{u"kvtx_00002.dat", u"kvtx_00008.dat"}));
    EXPECT_EQ(NextFileId(), 9);
}

TEST_F(ImportFilesTest, RestoringOverAStoreReplacesItAndKeepsItsOldFiles) {
    StoreBuilder()
        .Category(u"古い", u"kvtx_00000.dat")
        .Text(u"旧", u"旧い文")
        .Category(u"消す", u"kvtx_00001.dat")
        .Save(files);
    const auto oldZero = StoreFile(u"kvtx_00000.dat");
    PhraseStore old(files, kStoreDir);
    old.LoadIndex();
    old.Index().nextFileId = 2;
    ASSERT_TRUE(old.SaveIndex());

    const auto result = Import(R"({"nextFileId": 1, "categories": [
        {"name": "新しい", "file": "kvtx_00000.dat", "items": [
            {"name": "新", "kind": "text", "text": "新しい文"}]}]})");
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(Kvtx({"list"}).out, "A:新しい\n  a:新\ttext\n");
    EXPECT_EQ(IndexFileNames(), std::vector<std::u16string>{u"kvtx_00002.dat"});
    EXPECT_EQ(NextFileId(), 3);
    EXPECT_EQ(StoreFile(u"kvtx_00000.dat"), oldZero);
    EXPECT_EQ(StoreFileNames(),
              (std::vector<std::u16string>{u"kvtx_00000.dat", u"kvtx_00001.dat", u"kvtx_00002.dat",
                                           u"kvtx_index.dat"}));
}

TEST_F(ImportFilesTest, AFailedCategoryWriteRemovesWhatItWroteAndKeepsTheOldIndex) {
    StoreBuilder().Category(u"古い", u"kvtx_00000.dat").Save(files);
    const auto before = files.files;
    files.lockedFiles.insert(kStoreDir + u"kvtx_00002.dat");

    const auto result = Import(R"({"categories": [{"name": "一"}, {"name": "二"}]})");
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.err.find("cannot write C:\\Korvatex\\kvtx_00002.dat"), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("the store was left as it was"), std::string::npos);
    files.files.erase(kJsonPath);
    EXPECT_EQ(files.files, before);
    EXPECT_EQ(files.removed, std::vector<std::u16string>{kStoreDir + u"kvtx_00001.dat"});
}

TEST_F(ImportFilesTest, AFailedIndexWriteRemovesEveryNewCategoryFile) {
    StoreBuilder().Category(u"古い", u"kvtx_00000.dat").Save(files);
    const auto before = files.files;
    files.lockedFiles.insert(kStoreDir + u"kvtx_index.dat");

    const auto result = Import(R"({"categories": [{"name": "一"}, {"name": "二"}]})");
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.err.find("cannot write C:\\Korvatex\\kvtx_index.dat"), std::string::npos)
        << result.err;
    files.files.erase(kJsonPath);
    EXPECT_EQ(files.files, before);
}

TEST_F(ImportFilesTest, NoFreeFileIdRefusesTheImportBeforeAnyWrite) {
    files.existsOverride = [](const std::u16string& path) { return !path.ends_with(u".json"); };
    const auto result = Import(R"({"categories": [{"name": "一"}]})");
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.err.find("no free file id"), std::string::npos) << result.err;
    EXPECT_EQ(files.writes, 0);
}

TEST_F(ImportFilesTest, IdsStopBeforeNextFileIdWouldOverflow) {
    const auto result = Import(R"({"nextFileId": 2147483646, "categories": [
        {"name": "一"}, {"name": "二"}]})");
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.err.find("no free file id"), std::string::npos) << result.err;
    EXPECT_EQ(files.writes, 0);
}

} // namespace
} // namespace kvtx::testing
