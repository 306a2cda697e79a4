// A save that fails (full disk, locked file) is reported, the editor keeps its memory instead of
// reading the old file back over it, and a later commit saves the change once the file is free.
#include "editor/editor_texts.h"
#include "tests/editor/editor_fixture.h"

namespace kvtx::editor {
namespace {

class SaveFailureTest : public EditorTest {
protected:
    void SetUp() override { SeedDefault(); }

    void Lock(const std::u16string& fileName) { files.lockedFiles.insert(Path(fileName)); }
    void Unlock() { files.lockedFiles.clear(); }

    static std::u16string Failure(const std::u16string& fileName) {
        return std::u16string(texts::kSaveFailed) + u"\n" + kDir + fileName;
    }
};

TEST_F(SaveFailureTest, AFailedTextCommitIsReportedAndSavedByTheNextCommit) {
    Open(0, 0);
    const auto before = File(u"kvtx_00000.dat");
    Lock(u"kvtx_00000.dat");
    text.UserReplaces(u"失われない");
    items.UserSelects(1);
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{Failure(u"kvtx_00000.dat")}));
    EXPECT_TRUE(editor->PendingChange());
    EXPECT_EQ(File(u"kvtx_00000.dat"), before);
    items.UserSelects(0);
    EXPECT_EQ(text.Text(), u"失われない");

    Unlock();
    items.UserSelects(1);
    EXPECT_FALSE(editor->PendingChange());
    EXPECT_EQ(ContentTextOf(*Reread(0), 0), u"失われない");
}

TEST_F(SaveFailureTest, TheChangeSurvivesMovingToAnotherItemAndIsSavedFromThere) {
    Open(0, 0);
    Lock(u"kvtx_00000.dat");
    text.UserReplaces(u"保留");
    items.UserSelects(1);
    Unlock();
    items.UserSelects(0); // nothing typed here, yet the category is still due
    EXPECT_EQ(ContentTextOf(*Reread(0), 0), u"保留");
    EXPECT_EQ(ContentTextOf(*Reread(0), 1), u"こんばんは");
}

TEST_F(SaveFailureTest, TheCategoryCannotBeLeftWhileItsChangeIsUnsaved) {
    Open(0, 0);
    Lock(u"kvtx_00000.dat");
    text.UserReplaces(u"保留");
    category.UserSelects(1);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(category.Selection(), 0);
    EXPECT_EQ(editor->LoadedCategory(), 0);
    EXPECT_EQ(items.Count(), 3);
    EXPECT_EQ(text.Text(), u"保留");

    // Category commands read the index and the category back, so they stop as well.
    names.answers.push_back(u"新");
    editor->AddCategory();
    editor->RenameCategory();
    editor->MoveCategoryDown();
    messages.answers.push_back(true);
    editor->DeleteCategory();
    EXPECT_TRUE(names.presets.empty());
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_EQ(Reread()->CategoryCount(), 4);
    EXPECT_EQ(text.Text(), u"保留");

    Unlock();
    category.UserSelects(1);
    EXPECT_EQ(editor->LoadedCategory(), 1);
    EXPECT_EQ(ContentTextOf(*Reread(0), 0), u"保留");
}

TEST_F(SaveFailureTest, AnItemAddedWhileTheFileIsLockedStaysListedAndIsSavedLater) {
    Open(2, 0);
    Lock(u"kvtx_00002.dat");
    names.answers.push_back(u"FAX");
    editor->AddItem();
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{Failure(u"kvtx_00002.dat")}));
    EXPECT_EQ(items.items, (std::vector<std::u16string>{u"a:住所", u"b:電話", u"c:FAX"}));
    EXPECT_EQ(items.Selection(), 2);
    EXPECT_EQ(editor->CurrentItem(), 2);
    EXPECT_TRUE(editor->PendingChange());
    EXPECT_EQ(CountOnDisk(u"kvtx_00002.dat"), 2);

    Unlock();
    EXPECT_TRUE(editor->RequestClose());
    EXPECT_EQ(CountOnDisk(u"kvtx_00002.dat"), 3);
    EXPECT_EQ(NameOnDisk(u"kvtx_00002.dat", 2), u"FAX");
}

TEST_F(SaveFailureTest, DeletingTheLastItemOfALockedFileKeepsTheDeletionPending) {
    Open(1, 0);
    Lock(u"kvtx_00001.dat");
    editor->DeleteItem();
    EXPECT_TRUE(items.items.empty());
    EXPECT_EQ(editor->CurrentItem(), -1);
    EXPECT_TRUE(editor->PendingChange());
    Unlock();
    editor->OnDestroy();
    EXPECT_EQ(CountOnDisk(u"kvtx_00001.dat"), 0);
}

TEST_F(SaveFailureTest, ClosingAsksAndAnswerNoKeepsTheDialogOpen) {
    Open(0, 0);
    Lock(u"kvtx_00000.dat");
    text.UserReplaces(u"閉じる前");
    EXPECT_FALSE(editor->RequestClose());
    EXPECT_EQ(messages.asked, (std::vector<std::u16string>{Failure(u"kvtx_00000.dat") + u"\n" +
                                                           texts::kCloseWithoutSaving}));
    EXPECT_TRUE(editor->PendingChange());

    Unlock();
    EXPECT_TRUE(editor->RequestClose());
    editor->OnDestroy();
    EXPECT_EQ(ContentTextOf(*Reread(0), 0), u"閉じる前");
    EXPECT_EQ(messages.asked.size(), 1u);
}

TEST_F(SaveFailureTest, ClosingAnywayAndTheFinalDestroyReportWithoutAsking) {
    Open(0, 0);
    Lock(u"kvtx_00000.dat");
    text.UserReplaces(u"諦める");
    messages.answers.push_back(true);
    EXPECT_TRUE(editor->RequestClose());
    editor->OnDestroy();
    EXPECT_EQ(messages.asked.size(), 1u);
    EXPECT_TRUE(messages.shown.empty());

    Open(0, 0);
    text.UserReplaces(u"壊れない");
    editor->OnDestroy();
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{Failure(u"kvtx_00000.dat")}));
    EXPECT_EQ(ContentTextOf(*Reread(0), 0), u"おはよう");
}

TEST_F(SaveFailureTest, AFailedIndexWriteLeavesTheCategoriesAsTheDiskHasThem) {
    Open(1, 0);
    Lock(u"kvtx_index.dat");
    names.answers.push_back(u"改名");
    editor->RenameCategory();
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{Failure(u"kvtx_index.dat")}));
    EXPECT_EQ(category.items[1], u"B:署名");
    EXPECT_EQ(category.Selection(), 1);
    EXPECT_EQ(editor->LoadedCategory(), 1);

    editor->MoveCategoryUp();
    EXPECT_EQ(category.items[0], u"A:挨拶");
    EXPECT_EQ(category.Selection(), 1);

    messages.answers.push_back(true);
    editor->DeleteCategory();
    EXPECT_TRUE(files.files.contains(Path(u"kvtx_00001.dat")));
    EXPECT_EQ(category.Count(), 4);

    names.answers.push_back(u"新");
    editor->AddCategory();
    EXPECT_FALSE(files.files.contains(Path(u"kvtx_00004.dat")));
    EXPECT_EQ(category.Count(), 4);
    EXPECT_EQ(messages.shown.size(), 4u);

    Unlock();
    names.answers.push_back(u"新");
    editor->AddCategory();
    EXPECT_EQ(Reread()->CategoryCount(), 5);
    EXPECT_EQ(Reread()->CategoryName(1), u"署名");
}

TEST_F(SaveFailureTest, AnIndexThatCannotBeReadIsReportedAndNeverWrittenOver) {
    files.unreadable.insert(Path(u"kvtx_index.dat"));
    const auto before = File(u"kvtx_index.dat");
    Open(0, 0);
    const std::u16string failure =
        std::u16string(texts::kReadFailed) + u"\n" + Path(u"kvtx_index.dat");
    EXPECT_EQ(messages.shown, std::vector<std::u16string>{failure});
    EXPECT_EQ(category.Count(), 0);
    names.answers.push_back(u"新");
    editor->AddCategory();
    EXPECT_TRUE(names.presets.empty()) << "nothing is asked that could not be stored";
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{failure, failure}));
    EXPECT_TRUE(editor->RequestClose());
    EXPECT_EQ(File(u"kvtx_index.dat"), before);
    EXPECT_FALSE(files.files.contains(Path(u"kvtx_00004.dat")));
}

TEST_F(SaveFailureTest, AnIndexThatCannotBeReadBackAfterItsWriteKeepsWhatWasWritten) {
    Open(0, 0);
    names.answers.push_back(u"新");
    files.readsToFailAfterWrite[Path(u"kvtx_index.dat")] = 1;
    editor->AddCategory();
    EXPECT_EQ(category.Count(), 5);
    EXPECT_EQ(Reread()->CategoryCount(), 5);
    names.answers.push_back(u"改名");
    editor->RenameCategory();
    EXPECT_EQ(Reread()->CategoryCount(), 5) << "the next write still names every category";
    EXPECT_EQ(Reread()->CategoryName(4), u"改名");
}

// One read decides: a category file that fails its read and could be read a moment later is
// still taken as unreadable, never as an empty category to be written over it.
TEST_F(SaveFailureTest, ACategoryReadThatFailsOnceLeavesTheCategoryUnloaded) {
    files.readsToFail[Path(u"kvtx_00002.dat")] = 1;
    const auto before = File(u"kvtx_00002.dat");
    Open(2, 0);
    EXPECT_EQ(editor->LoadedCategory(), -1);
    EXPECT_TRUE(editor->RequestClose());
    EXPECT_EQ(File(u"kvtx_00002.dat"), before);
}

TEST_F(SaveFailureTest, ACategoryFileThatCannotBeReadIsNeverWrittenOver) {
    files.unreadable.insert(Path(u"kvtx_00002.dat"));
    const auto before = File(u"kvtx_00002.dat");
    Open(2, 0);
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{std::u16string(texts::kReadFailed) +
                                                           u"\n" + Path(u"kvtx_00002.dat")}));
    EXPECT_TRUE(items.items.empty());
    EXPECT_EQ(editor->LoadedCategory(), -1);
    names.answers.push_back(u"上書き");
    editor->AddItem();
    EXPECT_TRUE(names.presets.empty());
    EXPECT_TRUE(editor->RequestClose());
    EXPECT_EQ(File(u"kvtx_00002.dat"), before);

    // A missing file is simply an empty category, created by its first save.
    files.unreadable.clear();
    files.files.erase(Path(u"kvtx_00003.dat"));
    Open(3, 0);
    EXPECT_EQ(editor->LoadedCategory(), 3);
    names.answers.push_back(u"最初");
    editor->AddItem();
    EXPECT_EQ(CountOnDisk(u"kvtx_00003.dat"), 1);
}

} // namespace
} // namespace kvtx::editor
