// Two computers' editors on one store folder: each PhraseStore reads, changes and saves as the
// editor does, and a save never writes over what the other saved since it read.

#include "store/fields.h"
#include "store/item_content.h"
#include "store/phrase_store.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/test_store.h"

#include <functional>
#include <gtest/gtest.h>

namespace kvtx {
namespace {

using testing::FakeFileSystem;

const std::u16string kDir = u"C:\\Phrases\\";
const std::u16string kCategoryFile = kDir + u"kvtx_00000.dat";

using Change = std::function<void(PhraseStore&)>;

void Append(PhraseStore& store, const std::u16string& name, const std::u16string& text) {
    const int i = store.ItemCount();
    PhraseItem& item = store.Loaded().header.items[i];
    item = PhraseItem{};
    SetFieldText(item.name, name);
    SetContentText(store.Loaded().contents[i], text);
    item.contentLength = ContentLengthFor(ItemKind::TextInsertion, store.Loaded().contents[i]);
    store.Loaded().header.itemCount = i + 1;
}

void SetText(PhraseStore& store, int i, const std::u16string& text) {
    SetContentText(store.Loaded().contents[i], text);
    store.Loaded().header.items[i].contentLength =
        ContentLengthFor(ItemKind::TextInsertion, store.Loaded().contents[i]);
}

void Remove(PhraseStore& store, int i) {
    CategoryImage& image = store.Loaded();
    const int count = store.ItemCount();
    std::move(image.header.items + i + 1, image.header.items + count, image.header.items + i);
    std::move(image.contents + i + 1, image.contents + count, image.contents + i);
    image.header.itemCount = count - 1;
}

void SwapWithNext(PhraseStore& store, int i) {
    std::swap(store.Loaded().header.items[i], store.Loaded().header.items[i + 1]);
    std::swap(store.Loaded().contents[i], store.Loaded().contents[i + 1]);
}

// "name=text" for each item of the category file as it is on disk.
std::vector<std::u16string> OnDisk(FakeFileSystem& files) {
    PhraseStore reader(files, kDir);
    reader.LoadIndex();
    reader.LoadCategory(0);
    std::vector<std::u16string> items;
    for (int i = 0; i < reader.ItemCount(); ++i) {
        items.push_back(reader.ItemName(i) + u"=" + ContentText(reader.Loaded().contents[i]));
    }
    return items;
}

// One store folder, and the editors of two computers that both read it.
struct TwoComputers {
    TwoComputers() {
        testing::WriteTestStore(
            files, kDir,
            {{u"挨拶",
              {{u"朝", 0, u"おはよう"}, {u"夜", 0, u"こんばんは"}, {u"礼", 0, u"ありがとう"}}},
             {u"署名", {}},
             {u"定型", {}}});
        for (PhraseStore* store : {&mine, &theirs}) {
            store->LoadIndex();
            store->LoadCategory(0);
        }
    }

    FakeFileSystem files;
    PhraseStore mine{files, kDir};
    PhraseStore theirs{files, kDir};
};

TEST(SharedStoreTest, ACategoryChangedElsewhereIsJoinedWhenBothChangesCanStay) {
    struct Case {
        const char* what;
        Change theirChange;
        Change myChange;
        SharedSave outcome;
        std::vector<std::u16string> onDisk;
    };
    const std::u16string morning = u"朝=おはよう", night = u"夜=こんばんは",
                         thanks = u"礼=ありがとう";
    const Case cases[] = {
        {"nobody else wrote",
         nullptr,
         [](PhraseStore& s) { Append(s, u"私", u"mine"); },
         SharedSave::Saved,
         {morning, night, thanks, u"私=mine"}},
        {"both add an item",
         [](PhraseStore& s) { Append(s, u"同僚", u"theirs"); },
         [](PhraseStore& s) { Append(s, u"私", u"mine"); },
         SharedSave::Merged,
         {morning, night, thanks, u"同僚=theirs", u"私=mine"}},
        {"I edit what they left alone",
         [](PhraseStore& s) {
             Remove(s, 0);
             Append(s, u"同僚", u"theirs");
         },
         [](PhraseStore& s) { SetText(s, 1, u"おやすみ"); },
         SharedSave::Merged,
         {u"夜=おやすみ", thanks, u"同僚=theirs"}},
        {"I delete what they left alone",
         [](PhraseStore& s) { SwapWithNext(s, 1); },
         [](PhraseStore& s) { Remove(s, 0); },
         SharedSave::Merged,
         {thanks, night}},
        {"I move two they left together",
         [](PhraseStore& s) { Append(s, u"同僚", u"theirs"); },
         [](PhraseStore& s) { SwapWithNext(s, 1); },
         SharedSave::Merged,
         {morning, thanks, night, u"同僚=theirs"}},
        {"we both made the same edit",
         [](PhraseStore& s) { SetText(s, 2, u"どうも"); },
         [](PhraseStore& s) { SetText(s, 2, u"どうも"); },
         SharedSave::Merged,
         {morning, night, u"礼=どうも"}},
        // Refused: the colleague's change stays on disk and in memory.
        {"we both edit one item",
         [](PhraseStore& s) { SetText(s, 0, u"おはようございます"); },
         [](PhraseStore& s) { SetText(s, 0, u"おっす"); },
         SharedSave::ChangedElsewhere,
         {u"朝=おはようございます", night, thanks}},
        {"I delete what they edited",
         [](PhraseStore& s) { SetText(s, 1, u"晩"); },
         [](PhraseStore& s) { Remove(s, 1); },
         SharedSave::ChangedElsewhere,
         {morning, u"夜=晩", thanks}},
        {"I move what they deleted",
         [](PhraseStore& s) { Remove(s, 1); },
         [](PhraseStore& s) { SwapWithNext(s, 0); },
         SharedSave::ChangedElsewhere,
         {morning, thanks}},
        {"I add to a category they filled",
         [](PhraseStore& s) {
             while (s.ItemCount() < kMaxItems) {
                 Append(s, u"満", u"x");
             }
         },
         [](PhraseStore& s) { Append(s, u"私", u"mine"); },
         SharedSave::ChangedElsewhere,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TwoComputers folder;
        if (c.theirChange) {
            c.theirChange(folder.theirs);
            ASSERT_EQ(folder.theirs.SaveCategoryShared(0), SharedSave::Saved);
        }
        const auto theirFile = folder.files.files.at(kCategoryFile);
        c.myChange(folder.mine);
        EXPECT_EQ(folder.mine.SaveCategoryShared(0), c.outcome);
        if (c.outcome == SharedSave::ChangedElsewhere) {
            EXPECT_EQ(folder.files.files.at(kCategoryFile), theirFile) << "nothing was written";
            if (!c.onDisk.empty()) {
                EXPECT_EQ(OnDisk(folder.files), c.onDisk);
            }
            // Memory holds their file now, so the next save of mine starts from it.
            EXPECT_EQ(folder.mine.Loaded().header.itemCount,
                      folder.theirs.Loaded().header.itemCount);
            EXPECT_EQ(folder.mine.SaveCategoryShared(0), SharedSave::Saved);
            continue;
        }
        EXPECT_EQ(OnDisk(folder.files), c.onDisk);
        // Memory is what was written: saving again changes nothing.
        const auto written = folder.files.files.at(kCategoryFile);
        EXPECT_EQ(folder.mine.SaveCategoryShared(0), SharedSave::Saved);
        EXPECT_EQ(folder.files.files.at(kCategoryFile), written);
    }
}

void AddCategory(PhraseStore& store, const std::u16string& name) {
    const int k = store.CategoryCount();
    SetFieldText(store.Index().categories[k].name, name);
    const CreatedCategoryFile created = store.CreateCategoryFile(k);
    ASSERT_EQ(created.status, CreateCategoryStatus::Created);
    store.Index().nextFileId = created.fileId + 1;
    store.Index().categoryCount = k + 1;
}

void Rename(PhraseStore& store, int k, const std::u16string& name) {
    SetFieldText(store.Index().categories[k].name, name);
}

void DeleteCategory(PhraseStore& store, int k) {
    IndexImage& index = store.Index();
    const int count = store.CategoryCount();
    std::move(index.categories + k + 1, index.categories + count, index.categories + k);
    index.categoryCount = count - 1;
}

void MoveDown(PhraseStore& store, int k) {
    std::swap(store.Index().categories[k], store.Index().categories[k + 1]);
}

// "name:file" for each category of the index as it is on disk.
std::vector<std::u16string> IndexOnDisk(FakeFileSystem& files) {
    PhraseStore reader(files, kDir);
    reader.LoadIndex();
    std::vector<std::u16string> entries;
    for (int k = 0; k < reader.CategoryCount(); ++k) {
        entries.push_back(reader.CategoryName(k) + u":" +
                          FieldText(reader.Index().categories[k].fileName));
    }
    return entries;
}

TEST(SharedStoreTest, AnIndexChangedElsewhereIsJoinedCategoryByFile) {
    struct Case {
        const char* what;
        Change theirChange;
        Change myChange;
        SharedSave outcome;
        std::vector<std::u16string> onDisk;
    };
    const std::u16string a = u"挨拶:kvtx_00000.dat", b = u"署名:kvtx_00001.dat",
                         c = u"定型:kvtx_00002.dat";
    const Case cases[] = {
        {"both add a category",
         [](PhraseStore& s) { AddCategory(s, u"同僚"); },
         [](PhraseStore& s) { AddCategory(s, u"私"); },
         SharedSave::Merged,
         {a, b, c, u"同僚:kvtx_00003.dat", u"私:kvtx_00004.dat"}},
        {"I rename what they moved",
         [](PhraseStore& s) { MoveDown(s, 0); },
         [](PhraseStore& s) { Rename(s, 0, u"挨拶文"); },
         SharedSave::Merged,
         {b, u"挨拶文:kvtx_00000.dat", c}},
        {"I delete and they add",
         [](PhraseStore& s) { AddCategory(s, u"同僚"); },
         [](PhraseStore& s) { DeleteCategory(s, 1); },
         SharedSave::Merged,
         {a, c, u"同僚:kvtx_00003.dat"}},
        {"I move two they left together",
         [](PhraseStore& s) { Rename(s, 0, u"朝夕"); },
         [](PhraseStore& s) { MoveDown(s, 1); },
         SharedSave::Merged,
         {u"朝夕:kvtx_00000.dat", c, b}},
        {"we both delete one",
         [](PhraseStore& s) { DeleteCategory(s, 2); },
         [](PhraseStore& s) { DeleteCategory(s, 2); },
         SharedSave::Merged,
         {a, b}},
        {"we both rename one",
         [](PhraseStore& s) { Rename(s, 1, u"署名A"); },
         [](PhraseStore& s) { Rename(s, 1, u"署名B"); },
         SharedSave::ChangedElsewhere,
         {a, u"署名A:kvtx_00001.dat", c}},
        {"I delete what they renamed",
         [](PhraseStore& s) { Rename(s, 1, u"署名A"); },
         [](PhraseStore& s) { DeleteCategory(s, 1); },
         SharedSave::ChangedElsewhere,
         {a, u"署名A:kvtx_00001.dat", c}},
        {"I rename what they deleted",
         [](PhraseStore& s) { DeleteCategory(s, 1); },
         [](PhraseStore& s) { Rename(s, 1, u"署名B"); },
         SharedSave::ChangedElsewhere,
         {a, c}},
        {"I move what they moved apart",
         [](PhraseStore& s) { MoveDown(s, 0); },
         [](PhraseStore& s) { MoveDown(s, 1); },
         SharedSave::ChangedElsewhere,
         {b, a, c}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        TwoComputers folder;
        test.theirChange(folder.theirs);
        ASSERT_EQ(folder.theirs.SaveIndexShared(), SharedSave::Saved);
        test.myChange(folder.mine);
        EXPECT_EQ(folder.mine.SaveIndexShared(), test.outcome);
        EXPECT_EQ(IndexOnDisk(folder.files), test.onDisk);
    }
}

TEST(SharedStoreTest, ANewCategoryFileNeverTakesANameAnotherComputerJustCreated) {
    TwoComputers folder;
    AddCategory(folder.theirs, u"同僚");
    // Their file appeared after my probe found the name free.
    folder.files.existsOverride = [&](const std::u16string& path) {
        return path != kDir + u"kvtx_00003.dat" && folder.files.files.contains(path);
    };
    AddCategory(folder.mine, u"私");
    EXPECT_EQ(FieldText(folder.mine.Index().categories[3].fileName), u"kvtx_00004.dat");
    EXPECT_EQ(folder.mine.Index().nextFileId, 5);
    EXPECT_EQ(folder.files.files.at(kDir + u"kvtx_00003.dat").size(), 1772u);
}

TEST(SharedStoreTest, AFileReplacedWhileItIsReadIsReadAgainWhole) {
    TwoComputers folder;
    const auto original = folder.files.files.at(kCategoryFile);
    Append(folder.theirs, u"同僚", u"theirs");
    folder.theirs.SaveCategory(0);
    const auto replacement = folder.files.files.at(kCategoryFile);
    folder.files.Put(kCategoryFile, original);
    folder.files.replaceDuringRead[kCategoryFile] = replacement;

    ASSERT_EQ(folder.mine.LoadCategory(0), FileRead::Read);
    EXPECT_EQ(folder.mine.ItemCount(), 4);
    EXPECT_EQ(folder.mine.ItemName(3), u"同僚");
    EXPECT_FALSE(folder.mine.LoadedCategoryChangedOnDisk());
}

TEST(SharedStoreTest, ChangesOnDiskAreSeenFromSizeAndTimeAlone) {
    TwoComputers folder;
    EXPECT_FALSE(folder.mine.IndexChangedOnDisk());
    EXPECT_FALSE(folder.mine.LoadedCategoryChangedOnDisk());
    AddCategory(folder.theirs, u"同僚");
    folder.theirs.SaveIndexShared();
    EXPECT_TRUE(folder.mine.IndexChangedOnDisk());
    EXPECT_FALSE(folder.mine.LoadedCategoryChangedOnDisk());
    folder.mine.LoadIndex();
    EXPECT_FALSE(folder.mine.IndexChangedOnDisk());
    const int reads = folder.files.reads;
    folder.mine.IndexChangedOnDisk();
    EXPECT_EQ(folder.files.reads, reads) << "the look reads no file";
}

TEST(SharedStoreTest, WhileTheShareIsGoneNothingIsWrittenAndWhenItIsBackTheFileIsCheckedAgain) {
    TwoComputers folder;
    Append(folder.mine, u"私", u"mine");
    folder.files.CutShare();
    EXPECT_FALSE(folder.mine.IndexChangedOnDisk()) << "what was read stays in use";
    EXPECT_EQ(folder.mine.SaveCategoryShared(0), SharedSave::Failed);
    EXPECT_EQ(folder.mine.ItemName(3), u"私") << "memory keeps the change";
    folder.files.RestoreShare();

    // Meanwhile the other computer saved.
    Append(folder.theirs, u"同僚", u"theirs");
    ASSERT_EQ(folder.theirs.SaveCategoryShared(0), SharedSave::Saved);
    EXPECT_EQ(folder.mine.SaveCategoryShared(0), SharedSave::Merged);
    EXPECT_EQ(OnDisk(folder.files).size(), 5u);
}

TEST(SharedStoreTest, ACategoryFileDeletedElsewhereIsNotBroughtBack) {
    TwoComputers folder;
    folder.files.Remove(kCategoryFile);
    Append(folder.mine, u"私", u"mine");
    EXPECT_EQ(folder.mine.SaveCategoryShared(0), SharedSave::ChangedElsewhere);
    EXPECT_FALSE(folder.files.files.contains(kCategoryFile));
}

TEST(SharedStoreTest, AReadOnlyLibraryAndTheCopiesASyncServiceLeftAreTold) {
    TwoComputers folder;
    EXPECT_FALSE(folder.mine.ReadOnly());
    folder.files.readOnlyFiles.insert(kDir + u"kvtx_index.dat");
    EXPECT_TRUE(folder.mine.ReadOnly());
    folder.files.readOnlyFiles.clear();
    folder.files.readOnlyFolder = true;
    EXPECT_TRUE(folder.mine.ReadOnly());

    folder.files.Put(kDir + u"kvtx_00000-PC2.dat", {});
    folder.files.Put(kDir + u"kvtx_00000 (conflicted copy).dat", {});
    EXPECT_EQ(
        folder.mine.SyncServiceCopies(),
        (std::vector<std::u16string>{u"kvtx_00000 (conflicted copy).dat", u"kvtx_00000-PC2.dat"}));
}

} // namespace
} // namespace kvtx
