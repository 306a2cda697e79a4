// Two computers' editors on one store folder: each PhraseStore reads, changes and saves as the
// editor does, and a save never writes over what the other saved since it read.

#include "store/fields.h"
#include "store/item_content.h"
#include "store/phrase_store.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/test_store.h"

#include <functional>
#include <gtest/gtest.h>
#include <span>

namespace kvtx {
namespace {

using testing::FakeFileSystem;

const std::u16string kDir = u"C:\\Phrases\\";
const std::u16string kCategoryFile = kDir + u"kvtx_00000.dat";

using Change = std::function<void(PhraseStore&)>;

Change Appends(std::u16string name, std::u16string text) {
    return [=](PhraseStore& s) {
        const int i = s.ItemCount();
        PhraseItem& item = s.Loaded().header.items[i];
        item = PhraseItem{};
        SetFieldText(item.name, name);
        SetContentText(s.Loaded().contents[i], text);
        item.contentLength = ContentLengthFor(ItemKind::TextInsertion, s.Loaded().contents[i]);
        s.Loaded().header.itemCount = i + 1;
    };
}
Change Edits(int i, std::u16string text) {
    return [=](PhraseStore& s) {
        SetContentText(s.Loaded().contents[i], text);
        s.Loaded().header.items[i].contentLength =
            ContentLengthFor(ItemKind::TextInsertion, s.Loaded().contents[i]);
    };
}
Change Removes(int i) {
    return [=](PhraseStore& s) {
        CategoryImage& image = s.Loaded();
        const int count = s.ItemCount();
        std::move(image.header.items + i + 1, image.header.items + count, image.header.items + i);
        std::move(image.contents + i + 1, image.contents + count, image.contents + i);
        image.header.itemCount = count - 1;
    };
}
Change Swaps(int i) {
    return [=](PhraseStore& s) {
        std::swap(s.Loaded().header.items[i], s.Loaded().header.items[i + 1]);
        std::swap(s.Loaded().contents[i], s.Loaded().contents[i + 1]);
    };
}
Change Fills() {
    return [](PhraseStore& s) {
        while (s.ItemCount() < kMaxItems) {
            Appends(u"満", u"x")(s);
        }
    };
}
Change Both(Change first, Change second) {
    return [=](PhraseStore& s) {
        first(s);
        second(s);
    };
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

// The other computer saves its change first, then this one saves its own.
struct Case {
    const char* what;
    Change theirChange;
    Change myChange;
    SharedSave outcome;
    std::vector<std::u16string> onDisk; // what the file then lists
};

// Each case on a fresh folder. Refused, nothing is written and memory holds their file; either
// way memory is then what the file holds, so saving again writes the very same bytes.
void RunCases(std::span<const Case> cases, const std::u16string& file,
              const std::function<SharedSave(PhraseStore&)>& save,
              const std::function<std::vector<std::u16string>(FakeFileSystem&)>& listing) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TwoComputers folder;
        if (c.theirChange) {
            c.theirChange(folder.theirs);
            ASSERT_EQ(save(folder.theirs), SharedSave::Saved);
        }
        const auto theirFile = folder.files.files.at(file);
        c.myChange(folder.mine);
        EXPECT_EQ(save(folder.mine), c.outcome);
        if (!c.onDisk.empty()) {
            EXPECT_EQ(listing(folder.files), c.onDisk);
        }
        const auto written = folder.files.files.at(file);
        if (c.outcome == SharedSave::ChangedElsewhere) {
            EXPECT_EQ(written, theirFile) << "nothing was written";
        }
        EXPECT_EQ(save(folder.mine), SharedSave::Saved);
        EXPECT_EQ(folder.files.files.at(file), written);
    }
}

TEST(SharedStoreTest, ACategoryChangedElsewhereIsJoinedWhenBothChangesCanStay) {
    const std::u16string morning = u"朝=おはよう", night = u"夜=こんばんは",
                         thanks = u"礼=ありがとう";
    const Case cases[] = {
        {"nobody else wrote",
         nullptr,
         Appends(u"私", u"mine"),
         SharedSave::Saved,
         {morning, night, thanks, u"私=mine"}},
        {"both add an item",
         Appends(u"同僚", u"theirs"),
         Appends(u"私", u"mine"),
         SharedSave::Merged,
         {morning, night, thanks, u"同僚=theirs", u"私=mine"}},
        {"I edit what they left alone",
         Both(Removes(0), Appends(u"同僚", u"theirs")),
         Edits(1, u"おやすみ"),
         SharedSave::Merged,
         {u"夜=おやすみ", thanks, u"同僚=theirs"}},
        {"I delete what they left alone",
         Swaps(1),
         Removes(0),
         SharedSave::Merged,
         {thanks, night}},
        {"I move two they left together",
         Appends(u"同僚", u"theirs"),
         Swaps(1),
         SharedSave::Merged,
         {morning, thanks, night, u"同僚=theirs"}},
        {"we both made the same edit",
         Edits(2, u"どうも"),
         Edits(2, u"どうも"),
         SharedSave::Merged,
         {morning, night, u"礼=どうも"}},
        // Refused: the colleague's change stays on disk and in memory.
        {"we both edit one item",
         Edits(0, u"おはようございます"),
         Edits(0, u"おっす"),
         SharedSave::ChangedElsewhere,
         {u"朝=おはようございます", night, thanks}},
        {"I delete what they edited",
         Edits(1, u"晩"),
         Removes(1),
         SharedSave::ChangedElsewhere,
         {morning, u"夜=晩", thanks}},
        {"I move what they deleted",
         Removes(1),
         Swaps(0),
         SharedSave::ChangedElsewhere,
         {morning, thanks}},
        {"I add to a category they filled",
         Fills(),
         Appends(u"私", u"mine"),
         SharedSave::ChangedElsewhere,
         {}},
    };
    RunCases(
        cases, kCategoryFile, [](PhraseStore& s) { return s.SaveCategoryShared(0); }, OnDisk);
}

Change AddsCategory(std::u16string name) {
    return [=](PhraseStore& s) {
        const int k = s.CategoryCount();
        SetFieldText(s.Index().categories[k].name, name);
        const CreatedCategoryFile created = s.CreateCategoryFile(k);
        ASSERT_EQ(created.status, CreateCategoryStatus::Created);
        s.Index().nextFileId = created.fileId + 1;
        s.Index().categoryCount = k + 1;
    };
}
Change Renames(int k, std::u16string name) {
    return [=](PhraseStore& s) { SetFieldText(s.Index().categories[k].name, name); };
}
Change DeletesCategory(int k) {
    return [=](PhraseStore& s) {
        IndexImage& index = s.Index();
        const int count = s.CategoryCount();
        std::move(index.categories + k + 1, index.categories + count, index.categories + k);
        index.categoryCount = count - 1;
    };
}
Change MovesDown(int k) {
    return [=](PhraseStore& s) { std::swap(s.Index().categories[k], s.Index().categories[k + 1]); };
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
    const std::u16string a = u"挨拶:kvtx_00000.dat", b = u"署名:kvtx_00001.dat",
                         c = u"定型:kvtx_00002.dat";
    const Case cases[] = {
        {"both add a category",
         AddsCategory(u"同僚"),
         AddsCategory(u"私"),
         SharedSave::Merged,
         {a, b, c, u"同僚:kvtx_00003.dat", u"私:kvtx_00004.dat"}},
        {"I rename what they moved",
         MovesDown(0),
         Renames(0, u"挨拶文"),
         SharedSave::Merged,
         {b, u"挨拶文:kvtx_00000.dat", c}},
        {"I delete and they add",
         AddsCategory(u"同僚"),
         DeletesCategory(1),
         SharedSave::Merged,
         {a, c, u"同僚:kvtx_00003.dat"}},
        {"I move two they left together",
         Renames(0, u"朝夕"),
         MovesDown(1),
         SharedSave::Merged,
         {u"朝夕:kvtx_00000.dat", c, b}},
        {"we both delete one", DeletesCategory(2), DeletesCategory(2), SharedSave::Merged, {a, b}},
        {"we both rename one",
         Renames(1, u"署名A"),
         Renames(1, u"署名B"),
         SharedSave::ChangedElsewhere,
         {a, u"署名A:kvtx_00001.dat", c}},
        {"I delete what they renamed",
         Renames(1, u"署名A"),
         DeletesCategory(1),
         SharedSave::ChangedElsewhere,
         {a, u"署名A:kvtx_00001.dat", c}},
        {"I rename what they deleted",
         DeletesCategory(1),
         Renames(1, u"署名B"),
         SharedSave::ChangedElsewhere,
         {a, c}},
        {"I move what they moved apart",
         MovesDown(0),
         MovesDown(1),
         SharedSave::ChangedElsewhere,
         {b, a, c}},
    };
    RunCases(
        cases, kDir + u"kvtx_index.dat", [](PhraseStore& s) { return s.SaveIndexShared(); },
        IndexOnDisk);
}

TEST(SharedStoreTest, ANewCategoryFileNeverTakesANameAnotherComputerJustCreated) {
    TwoComputers folder;
    AddsCategory(u"同僚")(folder.theirs);
    // Their file appeared after my probe found the name free.
    folder.files.existsOverride = [&](const std::u16string& path) {
        return path != kDir + u"kvtx_00003.dat" && folder.files.files.contains(path);
    };
    AddsCategory(u"私")(folder.mine);
    EXPECT_EQ(FieldText(folder.mine.Index().categories[3].fileName), u"kvtx_00004.dat");
    EXPECT_EQ(folder.mine.Index().nextFileId, 5);
    EXPECT_EQ(folder.files.files.at(kDir + u"kvtx_00003.dat").size(), 1772u);
}

TEST(SharedStoreTest, AFileReplacedWhileItIsReadIsReadAgainWhole) {
    TwoComputers folder;
    const auto original = folder.files.files.at(kCategoryFile);
    Appends(u"同僚", u"theirs")(folder.theirs);
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
    AddsCategory(u"同僚")(folder.theirs);
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
    Appends(u"私", u"mine")(folder.mine);
    folder.files.shareGone = true;
    EXPECT_FALSE(folder.mine.IndexChangedOnDisk()) << "what was read stays in use";
    EXPECT_EQ(folder.mine.SaveCategoryShared(0), SharedSave::Failed);
    EXPECT_EQ(folder.mine.ItemName(3), u"私") << "memory keeps the change";
    folder.files.shareGone = false;

    // Meanwhile the other computer saved.
    Appends(u"同僚", u"theirs")(folder.theirs);
    ASSERT_EQ(folder.theirs.SaveCategoryShared(0), SharedSave::Saved);
    EXPECT_EQ(folder.mine.SaveCategoryShared(0), SharedSave::Merged);
    EXPECT_EQ(OnDisk(folder.files).size(), 5u);
}

TEST(SharedStoreTest, ACategoryFileDeletedElsewhereIsNotBroughtBack) {
    TwoComputers folder;
    folder.files.Remove(kCategoryFile);
    Appends(u"私", u"mine")(folder.mine);
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
