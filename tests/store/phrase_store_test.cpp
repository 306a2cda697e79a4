#include "store/fields.h"
#include "store/file_names.h"
#include "store/item_content.h"
#include "store/phrase_store.h"
#include "store/step_text.h"
#include "tests/fakes/bytes.h"
#include "tests/fakes/fake_file_system.h"

#include <gtest/gtest.h>

namespace kvtx {
namespace {

using testing::ByteWriter;
using testing::FakeFileSystem;
using testing::ReadI32;
using testing::ReadU16;
using testing::ReadUnits;

using namespace std::string_literals;

const std::u16string kDir = u"C:\\Phrases\\";

// An index of the given categories, written field by field as the file format lays it out.
std::vector<std::byte> IndexFile(std::int32_t nextFileId,
                                 std::vector<std::pair<std::u16string, std::u16string>> entries,
                                 std::int32_t count) {
    ByteWriter w;
    w.I32(nextFileId).I32(count);
    for (std::size_t k = 0; k < 26; ++k) {
        const bool used = k < entries.size();
        w.Field(used ? entries[k].first : u"", 32).Field(used ? entries[k].second : u"", 32);
    }
    return w.bytes;
}

struct StoredItem {
    std::u16string name;
    std::int32_t kind;
    std::int32_t contentLength;
};

ByteWriter CategoryHeaderBytes(std::int32_t count, const std::vector<StoredItem>& items) {
    ByteWriter w;
    w.I32(count);
    for (std::size_t i = 0; i < 26; ++i) {
        const bool used = i < items.size();
        w.Field(used ? items[i].name : u"", 28)
            .I32(used ? items[i].kind : 0)
            .I32(0)
            .I32(used ? items[i].contentLength : 0);
    }
    return w;
}

class PhraseStoreTest : public ::testing::Test {
protected:
    FakeFileSystem files;
    PhraseStore store{files, kDir};

    void AddTextItem(const std::u16string& name, const std::u16string& text) {
        auto& header = store.Loaded().header;
        const int i = header.itemCount++;
        SetFieldText(header.items[i].name, name);
        header.items[i].kind = static_cast<std::int32_t>(ItemKind::TextInsertion);
        SetContentText(store.Loaded().contents[i], text);
        header.items[i].contentLength =
            ContentLengthFor(ItemKind::TextInsertion, store.Loaded().contents[i]);
    }

    void UseOneCategory(const std::u16string& fileName) {
        files.Put(kDir + u"kvtx_index.dat", IndexFile(1, {{u"挨拶", fileName}}, 1));
        store.LoadIndex();
    }
};

TEST_F(PhraseStoreTest, MissingIndexGivesEmptyStoreAndFirstCategoryIsFileZero) {
    store.LoadIndex();
    EXPECT_EQ(store.CategoryCount(), 0);
    EXPECT_EQ(store.Index().nextFileId, 0);

    const auto created = store.CreateCategoryFile(0);
    ASSERT_EQ(created.status, CreateCategoryStatus::Created);
    EXPECT_EQ(created.fileId, 0);
    EXPECT_EQ(FieldText(store.Index().categories[0].fileName), u"kvtx_00000.dat");
    const auto& file = files.files.at(kDir + u"kvtx_00000.dat");
    EXPECT_EQ(file, std::vector<std::byte>(1772));
}

TEST_F(PhraseStoreTest, AllocationStepsOverFilesLeftInTheFolder) {
    files.Put(kDir + u"kvtx_00000.dat", {});
    files.Put(kDir + u"kvtx_00001.dat", {});
    store.LoadIndex();
    const auto created = store.CreateCategoryFile(0);
    ASSERT_EQ(created.status, CreateCategoryStatus::Created);
    EXPECT_EQ(created.fileId, 2);
    EXPECT_TRUE(files.files.contains(kDir + u"kvtx_00002.dat"));
}

TEST_F(PhraseStoreTest, AllocationStartsAtNextFileIdSoDeletedIdsAreNotReused) {
    files.Put(kDir + u"kvtx_index.dat", IndexFile(6, {{u"x", u"kvtx_00003.dat"}}, 1));
    store.LoadIndex();
    EXPECT_EQ(store.CreateCategoryFile(1).fileId, 6);
}

TEST_F(PhraseStoreTest, AllocationGivesUpAfterTheProbeLimit) {
    std::int64_t probes = 0;
    store.LoadIndex();
    files.existsOverride = [&](const std::u16string&) {
        ++probes;
        return true;
    };
    EXPECT_EQ(store.CreateCategoryFile(0).status, CreateCategoryStatus::NoFreeFileId);
    EXPECT_EQ(probes, 0xFFFFF);
    EXPECT_EQ(files.writes, 0);
}

TEST_F(PhraseStoreTest, AllocationNeverOverflowsNextFileId) {
    files.Put(kDir + u"kvtx_index.dat", IndexFile(0x7FFFFFFF, {}, 0));
    store.LoadIndex();
    EXPECT_EQ(store.CreateCategoryFile(0).status, CreateCategoryStatus::NoFreeFileId);
}

TEST_F(PhraseStoreTest, FailedCreationLeavesIndexEntryUnchanged) {
    files.failAllWrites = true;
    store.LoadIndex();
    EXPECT_EQ(store.CreateCategoryFile(0).status, CreateCategoryStatus::CreateFailed);
    EXPECT_EQ(FieldText(store.Index().categories[0].fileName), u"");
}

TEST(CategoryFileNameTest, IsLowercaseHexWithAtLeastFiveDigits) {
    EXPECT_EQ(CategoryFileName(0), u"kvtx_00000.dat");
    EXPECT_EQ(CategoryFileName(26), u"kvtx_0001a.dat");
    EXPECT_EQ(CategoryFileName(0xFFFFF), u"kvtx_fffff.dat");
    EXPECT_EQ(CategoryFileName(1048576), u"kvtx_100000.dat");
}

TEST_F(PhraseStoreTest, ThreeTextItemsAreStoredBackToBackAndReadBack) {
    UseOneCategory(u"kvtx_00000.dat");
    const std::u16string longText(2044, u'長');
    AddTextItem(u"one", u"x");
    AddTextItem(u"none", u"");
    AddTextItem(u"long", longText);
    ASSERT_TRUE(store.SaveCategory(0));

    const auto& file = files.files.at(kDir + u"kvtx_00000.dat");
    ASSERT_EQ(file.size(), 5862u);
    EXPECT_EQ(ReadI32(file, 0), 3);
    EXPECT_EQ(ReadUnits(file, 4, 3), u"one");
    EXPECT_EQ(ReadI32(file, 60), 0); // kind of item 0
    EXPECT_EQ(ReadI32(file, 68), 2); // contentLength of item 0
    EXPECT_EQ(ReadI32(file, 68 + 68), 0);
    EXPECT_EQ(ReadI32(file, 68 + 136), 4088);
    EXPECT_EQ(ReadUnits(file, 1772, 1), u"x");
    EXPECT_EQ(ReadUnits(file, 1774, 2044), longText);

    PhraseStore reader(files, kDir);
    reader.LoadIndex();
    ASSERT_TRUE(reader.LoadCategory(0));
    ASSERT_EQ(reader.ItemCount(), 3);
    EXPECT_EQ(reader.ItemName(2), u"long");
    EXPECT_EQ(ContentText(reader.Loaded().contents[0]), u"x");
    EXPECT_EQ(ContentText(reader.Loaded().contents[1]), u"");
    EXPECT_EQ(ContentText(reader.Loaded().contents[2]), longText);
}

TEST_F(PhraseStoreTest, TwoStepConversionItemTakesThreeSlots) {
    UseOneCategory(u"kvtx_00000.dat");
    auto& header = store.Loaded().header;
    header.itemCount = 1;
    SetFieldText(header.items[0].name, u"chain");
    header.items[0].kind = static_cast<std::int32_t>(ItemKind::TextConversion);
    ItemContent& content = store.Loaded().contents[0];
    SetStepAt(content, 0, *PackStep(0, {u"foo", u"bar", u""}));
    SetStepAt(content, 1, *PackStep(2, {u"(", u")", u"x"}));
    SetStepCount(content, 2);
    header.items[0].contentLength = ContentLengthFor(ItemKind::TextConversion, content);
    ASSERT_TRUE(store.SaveCategory(0));

    const auto& file = files.files.at(kDir + u"kvtx_00000.dat");
    ASSERT_EQ(file.size(), 1772u + 1536u);
    EXPECT_EQ(ReadI32(file, 68), 1536);
    EXPECT_EQ(ReadU16(file, 1772), 2);       // stepCount
    EXPECT_EQ(ReadU16(file, 1772 + 512), 0); // step 0 kind
    EXPECT_EQ(ReadUnits(file, 1772 + 514, 8), u"foo\0bar\0"s);
    EXPECT_EQ(ReadU16(file, 1772 + 1024), 2); // step 1 kind
    EXPECT_EQ(ReadUnits(file, 1772 + 1026, 7), u"(\0)\0x\0\0"s);

    PhraseStore reader(files, kDir);
    reader.LoadIndex();
    reader.LoadCategory(0);
    EXPECT_EQ(StepCount(reader.Loaded().contents[0]), 2);
    const auto strings = SplitStepText(StepAt(reader.Loaded().contents[0], 1).text);
    EXPECT_EQ(strings.a, u"(");
    EXPECT_EQ(strings.b, u")");
    EXPECT_EQ(strings.c, u"x");
}

TEST_F(PhraseStoreTest, IndexWritesAllTwentySixEntriesExactly) {
    files.Put(kDir + u"kvtx_index.dat", {});
    store.LoadIndex();
    EXPECT_EQ(store.CategoryCount(), 0);
    SetFieldText(store.Index().categories[0].name, u"定型文");
    SetFieldText(store.Index().categories[0].fileName, u"kvtx_00000.dat");
    store.Index().categoryCount = 1;
    store.Index().nextFileId = 1;
    ASSERT_TRUE(store.SaveIndex());
    const auto& file = files.files.at(kDir + u"kvtx_index.dat");
    EXPECT_EQ(file, IndexFile(1, {{u"定型文", u"kvtx_00000.dat"}}, 1));
}

TEST_F(PhraseStoreTest, ShortCategoryFileCutsTheSecondTextAndEmptiesTheThird) {
    UseOneCategory(u"kvtx_00000.dat");
    auto w = CategoryHeaderBytes(3, {{u"a", 0, 4}, {u"b", 0, 6}, {u"c", 0, 4}});
    w.Units(u"ab").Units(u"x"); // the second text has only one of its three units
    files.Put(kDir + u"kvtx_00000.dat", w.bytes);

    ASSERT_TRUE(store.LoadCategory(0));
    ASSERT_EQ(store.ItemCount(), 3);
    EXPECT_EQ(store.ItemName(2), u"c");
    EXPECT_EQ(ContentText(store.Loaded().contents[0]), u"ab");
    EXPECT_EQ(ContentText(store.Loaded().contents[1]), u"x");
    EXPECT_EQ(ContentText(store.Loaded().contents[2]), u"");
}

TEST_F(PhraseStoreTest, CountsOutsideTheLimitsAreClamped) {
    files.Put(kDir + u"kvtx_index.dat", IndexFile(0, {}, 1000));
    store.LoadIndex();
    EXPECT_EQ(store.CategoryCount(), 26);
    EXPECT_EQ(store.Index().categoryCount, 26);

    files.Put(kDir + u"kvtx_index.dat", IndexFile(0, {}, -3));
    store.LoadIndex();
    EXPECT_EQ(store.CategoryCount(), 0);
    EXPECT_FALSE(store.LoadCategory(0));

    UseOneCategory(u"kvtx_00000.dat");
    files.Put(kDir + u"kvtx_00000.dat", CategoryHeaderBytes(99, {}).bytes);
    store.LoadCategory(0);
    EXPECT_EQ(store.ItemCount(), 26);
    ASSERT_TRUE(store.SaveCategory(0));
    EXPECT_EQ(ReadI32(files.files.at(kDir + u"kvtx_00000.dat"), 0), 26);
}

TEST_F(PhraseStoreTest, UntrustworthyContentLengthEmptiesThatItemAndTheRest) {
    UseOneCategory(u"kvtx_00000.dat");
    for (const std::int32_t bad : {-2, 4098, 0x7FFFFFFF}) {
        auto w = CategoryHeaderBytes(3, {{u"a", 0, 2}, {u"b", 0, bad}, {u"c", 0, 2}});
        w.Units(u"a").Zeros(8192);
        files.Put(kDir + u"kvtx_00000.dat", w.bytes);
        store.LoadCategory(0);
        ASSERT_EQ(store.ItemCount(), 3) << bad;
        EXPECT_EQ(ContentText(store.Loaded().contents[0]), u"a");
        EXPECT_EQ(store.Loaded().header.items[1].contentLength, 0);
        EXPECT_EQ(store.Loaded().header.items[2].contentLength, 0);
        ASSERT_TRUE(store.SaveCategory(0));
        EXPECT_EQ(files.files.at(kDir + u"kvtx_00000.dat").size(), 1772u + 2u);
    }
}

TEST_F(PhraseStoreTest, OddOrOverlongTextKeepsLaterItemsAtTheirOffsets) {
    UseOneCategory(u"kvtx_00000.dat");
    auto w = CategoryHeaderBytes(3, {{u"odd", 0, 3}, {u"long", 0, 4096}, {u"after", 0, 4}});
    w.Units(u"A").Raw("B", 1).Units(std::u16string(2048, u'L')).Units(u"ok");
    files.Put(kDir + u"kvtx_00000.dat", w.bytes);
    store.LoadCategory(0);
    EXPECT_EQ(ContentText(store.Loaded().contents[0]), u"A");
    EXPECT_EQ(store.Loaded().header.items[0].contentLength, 2);
    EXPECT_EQ(ContentText(store.Loaded().contents[1]), std::u16string(2044, u'L'));
    EXPECT_EQ(store.Loaded().header.items[1].contentLength, 4088);
    EXPECT_EQ(ContentText(store.Loaded().contents[2]), u"ok");
}

TEST_F(PhraseStoreTest, FileNamesThatLeaveTheDataFolderAreNeverUsed) {
    for (const std::u16string bad : {u"..\\boot.ini", u"C:x.dat", u"sub/x.dat", u"..", u""}) {
        files.Put(kDir + u"kvtx_index.dat", IndexFile(1, {{u"bad", bad}}, 1));
        files.Put(kDir + bad, CategoryHeaderBytes(1, {{u"secret", 0, 0}}).bytes);
        store.LoadIndex();
        store.LoadCategory(0);
        EXPECT_EQ(store.ItemCount(), 0) << std::string(bad.begin(), bad.end());
        EXPECT_FALSE(store.SaveCategory(0));
        EXPECT_FALSE(store.ReadCategoryHeader(0).has_value());
        store.DeleteCategoryFile(0);
        EXPECT_TRUE(files.removed.empty());
    }
}

TEST_F(PhraseStoreTest, FailedSaveReportsAndKeepsMemoryAndTheOldFile) {
    UseOneCategory(u"kvtx_00000.dat");
    AddTextItem(u"first", u"old");
    ASSERT_TRUE(store.SaveCategory(0));
    const auto before = files.files.at(kDir + u"kvtx_00000.dat");

    SetContentText(store.Loaded().contents[0], u"new text");
    store.Loaded().header.items[0].contentLength = 16;
    files.lockedFiles.insert(kDir + u"kvtx_00000.dat");
    EXPECT_FALSE(store.SaveCategory(0));
    EXPECT_EQ(files.files.at(kDir + u"kvtx_00000.dat"), before);
    EXPECT_EQ(ContentText(store.Loaded().contents[0]), u"new text");

    files.lockedFiles.clear();
    EXPECT_TRUE(store.SaveCategory(0));
    EXPECT_NE(files.files.at(kDir + u"kvtx_00000.dat"), before);
}

TEST_F(PhraseStoreTest, HeaderReadForTheMenuReadsOnlyTheHeader) {
    UseOneCategory(u"kvtx_00000.dat");
    AddTextItem(u"mail/hello", u"Hello");
    ASSERT_TRUE(store.SaveCategory(0));
    const auto header = store.ReadCategoryHeader(0);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->itemCount, 1);
    EXPECT_EQ(FieldText(header->items[0].name), u"mail/hello");
    files.unreadable.insert(kDir + u"kvtx_00000.dat");
    EXPECT_FALSE(store.ReadCategoryHeader(0).has_value());
}

TEST_F(PhraseStoreTest, UnreadableCategoryShowsNoItemsAndSaysSo) {
    UseOneCategory(u"kvtx_00000.dat");
    AddTextItem(u"stale", u"memory");
    files.Put(kDir + u"kvtx_00000.dat", CategoryHeaderBytes(1, {{u"disk", 0, 0}}).bytes);
    files.unreadable.insert(kDir + u"kvtx_00000.dat");
    EXPECT_EQ(store.LoadCategory(0), FileRead::Unreadable);
    EXPECT_EQ(store.ItemCount(), 0);
    EXPECT_EQ(ContentText(store.Loaded().contents[0]), u"");
    files.unreadable.clear();
    EXPECT_EQ(store.LoadCategory(0), FileRead::Read);
    EXPECT_EQ(store.ItemCount(), 1);
    files.files.erase(kDir + u"kvtx_00000.dat");
    EXPECT_EQ(store.LoadCategory(0), FileRead::Missing);
    EXPECT_EQ(store.LoadCategory(1), std::nullopt);
}

TEST_F(PhraseStoreTest, AnIndexIsReadMissingOrUnreadable) {
    EXPECT_EQ(store.LoadIndex(), FileRead::Missing);
    files.Put(kDir + u"kvtx_index.dat", IndexFile(1, {{u"x", u"kvtx_00000.dat"}}, 1));
    files.unreadable.insert(kDir + u"kvtx_index.dat");
    EXPECT_EQ(store.LoadIndex(), FileRead::Unreadable);
    EXPECT_EQ(store.CategoryCount(), 0);
    files.unreadable.clear();
    EXPECT_EQ(store.LoadIndex(), FileRead::Read);
    EXPECT_EQ(store.CategoryCount(), 1);
}

} // namespace
} // namespace kvtx
