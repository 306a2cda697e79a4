// A phrase store in a folder that a team shares: a colleague's editor on another computer writes
// the same files while the program runs, the editor merges what it can and never writes over the
// rest, and a store the user may only read is shown and applied but not edited.

#include "platform/utf.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/remote_controls.h"
#include "tests/e2e/driver/waiting.h"
#include "tests/e2e/korvatex/apply_scenario.h"
#include "tests/e2e/korvatex/colleague.h"
#include "tests/e2e/korvatex/editor_window.h"

#include <gtest/gtest.h>
#include <memory>

namespace kvtx::e2e {
namespace {

std::vector<StoreCategory> TeamStore() {
    return {
        {u"共有", {TextItem(u"こんにちは", u"こんにちは。"), TextItem(u"bye", u"またね。")}},
        {u"変換", {ConversionItem(u"括弧", {{0, u"(", u"（", {}}})}},
    };
}

const StoreCategory kColleaguesCategory{u"同僚の分類",
                                        {TextItem(u"同僚の項目", u"同僚が書いた文です。")}};

class SharedStoreTest : public ApplyScenario {
protected:
    void SetUp() override {
        Start(TeamStore());
        colleague_ = std::make_unique<Colleague>(app_->Folder(), TeamStore());
        editor_ = std::make_unique<EditorWindow>(*app_);
    }

    std::u16string Path(const std::u16string& fileName) const { return app_->Folder() + fileName; }
    std::vector<std::byte> FileBytes(const std::u16string& fileName) const {
        return ReadFileBytes(Path(fileName)).value_or(std::vector<std::byte>{});
    }
    // Waits until the file holds exactly these bytes: a save may land while the test looks.
    testing::AssertionResult FileBecomes(const std::u16string& fileName,
                                         const std::vector<std::byte>& bytes) const {
        return WaitUntil(platform::Utf16ToUtf8(fileName) + " as expected",
                         [&] { return FileBytes(fileName) == bytes; });
    }
    // Every file of this store holds exactly what it should.
    void ExpectStoreFiles(const std::vector<StoreCategory>& store) const {
        for (const auto& [name, bytes] : StoreFiles(store)) {
            EXPECT_EQ(FileBytes(name), bytes) << platform::Utf16ToUtf8(name);
        }
    }

    testing::AssertionResult OpenEditorOnTheFirstItem() {
        if (auto opened = editor_->Open(); !opened) {
            return opened;
        }
        return editor_->WaitFor("the first category and item",
                                [](const EditorView& v) { return v.category == 0 && v.item == 0; });
    }
    testing::AssertionResult CloseEditor() {
        if (!editor_->Close()) {
            return testing::AssertionFailure() << "the editor did not close";
        }
        return app_->HidePicker();
    }

    std::unique_ptr<Colleague> colleague_;
    std::unique_ptr<EditorWindow> editor_;
};

TEST_F(SharedStoreTest, AColleaguesNewCategoryAppearsInTheOpenPickerAndTheNextMenu) {
    ASSERT_TRUE(app_->ShowPickerAt({400, 300}));
    colleague_->AddCategory(kColleaguesCategory);
    // Nothing the user does brings it: the program notices the folder change itself.
    const std::vector<std::u16string> three = {u"A:共有", u"B:変換", u"C:同僚の分類"};
    EXPECT_TRUE(WaitUntil(
        "the open picker to list the colleague's category",
        [&] { return app_->Picker().categories == three; }, 5s));
    ASSERT_TRUE(app_->HidePicker());

    // A category that arrives just before the menu opens is in it.
    colleague_->AddCategory({u"二つ目", {TextItem(u"追記", u"二つ目の文")}});
    ASSERT_TRUE(ApplyToTheCat({'D', 'A'}, u"前二つ目の文後"));
    ASSERT_TRUE(ApplyToTheCat({'C', 'A'}, u"前同僚が書いた文です。後"));
}

TEST_F(SharedStoreTest, AColleaguesItemIsKeptWhenTheUserAddsOneToTheSameCategory) {
    ASSERT_TRUE(OpenEditorOnTheFirstItem());
    colleague_->AddItem(0, TextItem(u"同僚の項目", u"同僚が書いた文です。"));
    editor_->ClickControl(editor::kItemAdd);
    ASSERT_TRUE(editor_->AnswerName(u"私の項目"));
    EXPECT_TRUE(editor_->WaitFor("both new items, the user's selected", [](const EditorView& v) {
        return v.items == std::vector<std::u16string>{u"a:こんにちは", u"b:bye", u"c:同僚の項目",
                                                      u"d:私の項目"} &&
               v.item == 3;
    }));
    StoreCategory expected = colleague_->Store()[0];
    expected.items.push_back(TextItem(u"私の項目", u""));
    EXPECT_TRUE(FileBecomes(CategoryFileName(0), CategoryFileBytes(expected)));
    EXPECT_TRUE(app_->MessageBoxes().empty()) << "a merged change needs no message";
    ASSERT_TRUE(CloseEditor());
    EXPECT_EQ(FileBytes(CategoryFileName(0)), CategoryFileBytes(expected));
}

TEST_F(SharedStoreTest, AColleaguesCategoryIsKeptWhenTheUserAddsOne) {
    ASSERT_TRUE(OpenEditorOnTheFirstItem());
    colleague_->AddCategory(kColleaguesCategory);
    editor_->ClickControl(editor::kCategoryAdd);
    ASSERT_TRUE(editor_->AnswerName(u"私の分類"));
    EXPECT_TRUE(
        editor_->WaitFor("both new categories, the user's selected", [](const EditorView& v) {
            return v.categories == std::vector<std::u16string>{u"A:共有", u"B:変換",
                                                               u"C:同僚の分類", u"D:私の分類"} &&
                   v.category == 3 && v.items.empty();
        }));
    // The user's category takes the next free file after the colleague's.
    std::vector<StoreCategory> expected = colleague_->Store();
    expected.push_back({u"私の分類", {}});
    EXPECT_TRUE(FileBecomes(u"kvtx_index.dat", IndexFileBytes(expected)));
    EXPECT_TRUE(app_->MessageBoxes().empty()) << "a merged change needs no message";
    ASSERT_TRUE(CloseEditor());
    ExpectStoreFiles(expected);
}

TEST_F(SharedStoreTest, AReadOnlyStoreIsAppliedAndShownButNotEdited) {
    std::vector<std::unique_ptr<ReadOnlyMark>> marks;
    for (const auto& [name, bytes] : StoreFiles(TeamStore())) {
        marks.push_back(std::make_unique<ReadOnlyMark>(Path(name)));
        ASSERT_TRUE(marks.back()->Set()) << platform::Utf16ToUtf8(name);
    }
    ASSERT_TRUE(ApplyToTheCat({'A', 'B'}, u"前またね。後"));

    EXPECT_EQ(editor_->OpenPastMessage(), u"このフォルダーは読み取り専用のため、編集できません。");
    ASSERT_NE(editor_->Window(), nullptr);
    const auto enabledOf = [&](std::initializer_list<int> ids) {
        std::vector<int> enabled;
        for (int id : ids) {
            if (IsControlEnabled(editor_->Control(id))) {
                enabled.push_back(id);
            }
        }
        return enabled;
    };
    using namespace editor;
    const auto editing = {kCategoryAdd,    kCategoryDelete, kCategoryUp, kCategoryDown,
                          kCategoryRename, kItemAdd,        kItemRename, kItemDelete,
                          kItemUp,         kItemDown,       kText,       kKind};
    const auto stepEditing = {kStepAdd,  kStepChange, kStepDelete, kStepUp, kStepDown,
                              kStepKind, kA,          kB,          kC};
    EXPECT_EQ(enabledOf(editing), std::vector<int>{}) << "editing controls left enabled";

    // Clicks and keys on the disabled controls change nothing; browsing to a conversion item
    // still shows its steps, and with them disabled too.
    for (int id : {kItemAdd, kCategoryAdd, kItemDelete, kCategoryDelete}) {
        editor_->ClickControl(id);
    }
    Click(CenterOf(editor_->Control(kText)));
    TypeText(u"書けない");
    ASSERT_TRUE(editor_->StepComboTo(kCategories, 1));
    editor_->ClickListEntry(kItems, 0);
    ASSERT_TRUE(editor_->WaitFor("the conversion item's steps", [](const EditorView& v) {
        return v.category == 1 && v.item == 0 && v.stepsVisible && v.steps.size() == 1;
    }));
    EXPECT_EQ(enabledOf(editing), std::vector<int>{}) << "editing controls enabled again";
    EXPECT_EQ(enabledOf(stepEditing), std::vector<int>{}) << "step controls left enabled";

    // A second message would hold the editor open.
    ASSERT_TRUE(CloseEditor());
    ExpectStoreFiles(TeamStore());
}

} // namespace
} // namespace kvtx::e2e
