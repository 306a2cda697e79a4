// The phrase editor, opened from the picker and worked with the mouse and the keyboard; what it
// saved is read back from the store files byte for byte.

#include "platform/utf.h"
#include "tests/e2e/driver/environment.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/remote_controls.h"
#include "tests/e2e/driver/screenshot.h"
#include "tests/e2e/driver/target_app.h"
#include "tests/e2e/driver/tray.h"
#include "tests/e2e/driver/waiting.h"
#include "tests/e2e/korvatex/editor_window.h"
#include "tests/fakes/bytes.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace kvtx::e2e {
namespace {

using testing::ByteWriter;

// The part of a category file that readers use: the count, the headers in use and the contents.
// Headers past the count may hold what a deleted or moved item left there.
std::vector<std::byte> UsedPart(const std::vector<std::byte>& file) {
    if (file.size() < 1772) {
        return file;
    }
    std::int32_t count = 0;
    std::memcpy(&count, file.data(), 4);
    const auto headers = 4 + 68 * static_cast<std::size_t>(std::clamp(count, 0, 26));
    std::vector<std::byte> used(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(headers));
    used.insert(used.end(), file.begin() + 1772, file.end());
    return used;
}

class EditorScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(TrayShowsIcons()) << "an icon of an earlier scenario is still in the tray";
        app_.Start();
        ASSERT_TRUE(app_.WaitUntilHidden());
        ASSERT_TRUE(editor_.Open());
        ASSERT_TRUE(editor_.WaitFor("the picker's category and item", [](const EditorView& v) {
            return v.category == 0 && v.item == 0;
        }));
    }
    void TearDown() override {
        if (app_.Instance().Running()) {
            EXPECT_TRUE(editor_.HidePicker());
            EXPECT_TRUE(app_.ExitFromTray());
        }
    }

    std::u16string Path(const std::u16string& fileName) const { return app_.Folder() + fileName; }
    std::vector<std::byte> FileBytes(const std::u16string& fileName) const {
        return ReadFileBytes(Path(fileName)).value_or(std::vector<std::byte>{});
    }
    // Waits until the file on disk holds exactly these bytes (a save lands while we look).
    ::testing::AssertionResult FileBecomes(const std::u16string& fileName,
                                           const std::vector<std::byte>& bytes) const {
        return WaitUntil(platform::Utf16ToUtf8(fileName) + " as expected",
                         [&] { return FileBytes(fileName) == bytes; });
    }
    ::testing::AssertionResult UsedPartBecomes(const std::u16string& fileName,
                                               const StoreCategory& category) const {
        return WaitUntil(platform::Utf16ToUtf8(fileName) + " holding the expected items", [&] {
            return UsedPart(FileBytes(fileName)) == UsedPart(CategoryFileBytes(category));
        });
    }

    KorvatexApp app_;
    EditorWindow editor_{app_};
    std::vector<StoreCategory> store_ = SampleStore();
};

TEST_F(EditorScenario, ANewCategoryAndItemAreStoredExactlyAndTheProgramShowsThem) {
    editor_.ClickControl(editor::kCategoryAdd);
    ASSERT_TRUE(editor_.AnswerName(u"新しい分類"));
    ASSERT_TRUE(editor_.WaitFor("the new category selected", [](const EditorView& v) {
        return v.categories.size() == 6 && v.categories[5] == u"F:新しい分類" && v.category == 5 &&
               v.items.empty();
    }));
    editor_.ClickControl(editor::kItemAdd);
    ASSERT_TRUE(editor_.AnswerName(u"新しい項目"));
    ASSERT_TRUE(editor_.WaitFor("the new item selected", [](const EditorView& v) {
        return v.items == std::vector<std::u16string>{u"a:新しい項目"} && v.item == 0 &&
               v.kind == 0 && v.textVisible;
    }));
    const std::u16string text = u"ご確認ください。よろしくお願いします";
    editor_.TypeInto(editor::kText, text);
    ASSERT_TRUE(
        editor_.WaitFor("the typed text", [&](const EditorView& v) { return v.text == text; }));
    ASSERT_TRUE(editor_.Close());

    store_.push_back({u"新しい分類", {TextItem(u"新しい項目", text)}});
    EXPECT_EQ(FileBytes(u"kvtx_index.dat"), IndexFileBytes(store_));
    EXPECT_EQ(FileBytes(u"kvtx_00005.dat"), CategoryFileBytes(store_.back()));

    // The picker has read the store again: first category, and the new one a key away.
    ASSERT_TRUE(WaitUntil("the picker with six categories", [&] {
        const PickerView view = app_.Picker();
        return view.categories.size() == 6 && view.category == 0 && view.item == 0;
    }));
    ASSERT_TRUE(app_.ShowPickerAt({400, 300}));
    PressChord({VK_SHIFT, 'F'});
    EXPECT_TRUE(WaitUntil("the new item in the picker", [&] {
        const PickerView view = app_.Picker();
        return view.category == 5 && view.items == std::vector<std::u16string>{u"a:新しい項目"} &&
               view.preview == text;
    }));

    // The category menu reads the new files too: F, then a, pastes the new text.
    TargetApp target = TargetApp::Start();
    target.SetText(u"");
    ASSERT_TRUE(target.Focus());
    MoveMouse({300, 200});
    PressHotkey(kMenuHotkey);
    ASSERT_TRUE(WaitUntil("the category menu", [&] { return app_.MenuTakesKeys(1); }));
    PressKey('F');
    ASSERT_TRUE(WaitUntil("the new category's submenu", [&] { return app_.MenuTakesKeys(2); }));
    PressKey('A');
    EXPECT_TRUE(WaitUntil("the new text pasted by the menu", [&] { return target.Text() == text; }))
        << platform::Utf16ToUtf8(target.Text());
}

TEST_F(EditorScenario, CategoriesAreRenamedMovedAndDeleted) {
    editor_.ClickControl(editor::kCategoryRename);
    ASSERT_TRUE(editor_.AnswerName(u"あいさつ"));
    ASSERT_TRUE(editor_.WaitFor("the renamed category", [](const EditorView& v) {
        return v.categories[0] == u"A:あいさつ" && v.category == 0 && v.items.size() == 3;
    }));
    editor_.ClickControl(editor::kCategoryDown);
    ASSERT_TRUE(editor_.WaitFor("the category moved down", [](const EditorView& v) {
        return v.categories[0] == u"A:変換" && v.categories[1] == u"B:あいさつ" &&
               v.category == 1 && v.items.size() == 3;
    }));
    editor_.ClickControl(editor::kCategoryUp);
    ASSERT_TRUE(editor_.WaitFor("the category moved back up", [](const EditorView& v) {
        return v.categories[0] == u"A:あいさつ" && v.category == 0;
    }));

    ASSERT_TRUE(editor_.StepComboTo(editor::kCategories, 3));
    editor_.ClickControl(editor::kCategoryDelete);
    EXPECT_EQ(editor_.WaitForMessage(), u"このカテゴリと全ての項目を削除しますか？");
    ASSERT_TRUE(editor_.AnswerMessage(IDNO));
    EXPECT_EQ(editor_.View().categories.size(), 5u);
    EXPECT_TRUE(FileExists(Path(u"kvtx_00003.dat")));
    editor_.ClickControl(editor::kCategoryDelete);
    EXPECT_EQ(editor_.WaitForMessage(), u"このカテゴリと全ての項目を削除しますか？");
    ASSERT_TRUE(editor_.AnswerMessage(IDYES));
    ASSERT_TRUE(editor_.WaitFor("the category that moved into the gap", [](const EditorView& v) {
        return v.categories.size() == 4 && v.categories[3] == u"D:English" && v.category == 3 &&
               v.items.size() == 2;
    }));
    EXPECT_FALSE(FileExists(Path(u"kvtx_00003.dat")));
    ASSERT_TRUE(editor_.Close());

    // The entries moved down by one; the old last entry stays behind, unused.
    ByteWriter index;
    index.I32(5).I32(4);
    const std::vector<std::pair<std::u16string, int>> entries = {
        {u"あいさつ", 0}, {u"変換", 1}, {u"メール", 2}, {u"English", 4}, {u"English", 4}};
    for (const auto& [name, id] : entries) {
        index.Field(name, 32).Field(CategoryFileName(id), 32);
    }
    index.Zeros(128 * (26 - entries.size()));
    EXPECT_EQ(FileBytes(u"kvtx_index.dat"), index.bytes);
    EXPECT_EQ(FileBytes(u"kvtx_00001.dat"), CategoryFileBytes(store_[1]));
}

TEST_F(EditorScenario, ItemsAreRenamedMovedAndDeleted) {
    editor_.ClickListEntry(editor::kItems, 1);
    editor_.ClickControl(editor::kItemRename);
    ASSERT_TRUE(editor_.AnswerName(u"日付"));
    ASSERT_TRUE(editor_.WaitFor("the renamed item", [](const EditorView& v) {
        return v.items.size() == 3 && v.items[1] == u"b:日付" && v.item == 1;
    }));
    editor_.ClickControl(editor::kItemDown);
    ASSERT_TRUE(editor_.WaitFor("the item moved down", [](const EditorView& v) {
        return v.items[1] == u"b:署名" && v.items[2] == u"c:日付" && v.item == 2 &&
               v.text == u"%Y/%M/%D 作成\r\n%input 様\r\n%original";
    }));
    editor_.ClickListEntry(editor::kItems, 0);
    editor_.ClickControl(editor::kItemDelete);
    ASSERT_TRUE(editor_.WaitFor("the item that moved into the place", [](const EditorView& v) {
        return v.items == std::vector<std::u16string>{u"a:署名", u"b:日付"} && v.item == 0 &&
               v.text == u"山田 太郎\r\nDova Studio 😀";
    }));
    ASSERT_TRUE(editor_.Close());

    StoreCategory expected = store_[0];
    expected.items = {expected.items[2], expected.items[1]};
    expected.items[1].name = u"日付";
    EXPECT_TRUE(UsedPartBecomes(u"kvtx_00000.dat", expected));
}

TEST_F(EditorScenario, SwitchingTheKindAsksOnlyWhenTheItemHoldsData) {
    ASSERT_TRUE(editor_.StepComboTo(editor::kKind, 1));
    EXPECT_EQ(editor_.WaitForMessage(), u"種別を変更するとデータが消去されます。変更しますか？");
    ASSERT_TRUE(editor_.AnswerMessage(IDNO));
    ASSERT_TRUE(editor_.WaitFor("the kind put back", [](const EditorView& v) {
        return v.kind == 0 && v.textVisible &&
               v.text == u"おはようございます。\r\n本日もよろしくお願いいたします。";
    }));

    ASSERT_TRUE(editor_.StepComboTo(editor::kKind, 1));
    EXPECT_EQ(editor_.WaitForMessage(), u"種別を変更するとデータが消去されます。変更しますか？");
    ASSERT_TRUE(editor_.AnswerMessage(IDYES));
    ASSERT_TRUE(editor_.WaitFor("the step controls", [](const EditorView& v) {
        return v.kind == 1 && !v.textVisible && v.stepsVisible && v.steps.empty();
    }));

    // An item without data changes at once.
    editor_.ClickControl(editor::kItemAdd);
    ASSERT_TRUE(editor_.AnswerName(u"空"));
    ASSERT_TRUE(editor_.WaitFor("the new empty item",
                                [](const EditorView& v) { return v.item == 3 && v.textVisible; }));
    ASSERT_TRUE(editor_.StepComboTo(editor::kKind, 1));
    ASSERT_TRUE(editor_.WaitFor("the step controls without a question",
                                [](const EditorView& v) { return v.kind == 1 && v.stepsVisible; }));
    EXPECT_TRUE(app_.MessageBoxes().empty());
    ASSERT_TRUE(editor_.Close());

    StoreCategory expected = store_[0];
    expected.items[0] = ConversionItem(u"おはよう", {});
    expected.items.push_back(ConversionItem(u"空", {}));
    EXPECT_TRUE(UsedPartBecomes(u"kvtx_00000.dat", expected));
}

TEST_F(EditorScenario, ASevenStepChainRefusesTheEighthAndMarksAMalformedRegex) {
    ASSERT_TRUE(editor_.StepComboTo(editor::kCategories, 1));
    editor_.ClickListEntry(editor::kItems, 1);
    ASSERT_TRUE(editor_.WaitFor("the empty chain", [](const EditorView& v) {
        return v.category == 1 && v.item == 1 && v.stepsVisible && v.steps.empty();
    }));
    std::vector<StoreStep> chain;
    for (int t = 0; t < 7; ++t) {
        const std::u16string n(1, static_cast<char16_t>(u'1' + t));
        // The fourth step is a regular expression that does not compile.
        StoreStep step = t == 3 ? StoreStep{1, u"(" + n, u"x", {}} : StoreStep{0, n, u"#" + n, {}};
        ASSERT_TRUE(editor_.StepComboTo(editor::kStepKind, step.kind));
        editor_.TypeInto(editor::kA, step.a);
        editor_.TypeInto(editor::kB, step.b);
        ASSERT_TRUE(editor_.WaitFor("the step's strings", [&](const EditorView& v) {
            return v.a == step.a && v.b == step.b;
        }));
        editor_.ClickControl(editor::kStepAdd);
        ASSERT_TRUE(editor_.WaitFor("step " + std::to_string(t + 1), [&](const EditorView& v) {
            return v.steps.size() == static_cast<std::size_t>(t + 1) && v.step == t;
        }));
        chain.push_back(step);
    }
    EXPECT_EQ(editor_.View().steps[3], u"Step 4 【構文誤り】 正規：s/(4/x/");
    EXPECT_EQ(editor_.View().steps[0], u"Step 1 置換：1 → #1");

    editor_.ClickControl(editor::kStepAdd);
    EXPECT_EQ(editor_.WaitForMessage(), u"追加できるのは7項目までです");
    ASSERT_TRUE(editor_.AnswerMessage(IDOK));
    EXPECT_EQ(editor_.View().steps.size(), 7u);
    ASSERT_TRUE(editor_.Close());

    StoreCategory expected = store_[1];
    expected.items[1] = ConversionItem(u"空の変換", chain);
    EXPECT_EQ(FileBytes(u"kvtx_00001.dat"), CategoryFileBytes(expected));
}

TEST_F(EditorScenario, TypedTextIsSavedByTheNextClickOrTheCloseAndNeverWithoutAnItem) {
    editor_.TypeInto(editor::kText, u"書き換えた挨拶");
    editor_.ClickListEntry(editor::kItems, 1);
    store_[0].items[0].text = u"書き換えた挨拶";
    EXPECT_TRUE(FileBecomes(u"kvtx_00000.dat", CategoryFileBytes(store_[0])));

    editor_.TypeInto(editor::kText, u"二番目");
    ASSERT_TRUE(
        editor_.WaitFor("the typed text", [](const EditorView& v) { return v.text == u"二番目"; }));
    ASSERT_TRUE(editor_.StepComboTo(editor::kCategories, 3));
    store_[0].items[1].text = u"二番目";
    EXPECT_TRUE(FileBecomes(u"kvtx_00000.dat", CategoryFileBytes(store_[0])));

    // The empty category: the text box takes keys, but there is no item to keep them.
    ASSERT_TRUE(editor_.WaitFor("the empty category", [](const EditorView& v) {
        return v.category == 3 && v.items.empty() && v.textVisible;
    }));
    editor_.TypeInto(editor::kText, u"どこにも入らない");
    ASSERT_TRUE(editor_.WaitFor("the typed text",
                                [](const EditorView& v) { return v.text == u"どこにも入らない"; }));
    ASSERT_TRUE(editor_.Close());
    for (const auto& [name, bytes] : StoreFiles(store_)) {
        EXPECT_EQ(FileBytes(name), bytes) << platform::Utf16ToUtf8(name);
    }
}

TEST_F(EditorScenario, ASaveThatFailsIsReportedAndTheEditIsSavedOnceTheFileIsFree) {
    const std::u16string failure = u"ファイルの保存に失敗しました\n" + Path(u"kvtx_00000.dat");
    ExclusiveFileLock lock(Path(u"kvtx_00000.dat"));
    ASSERT_TRUE(lock.Held());
    editor_.TypeInto(editor::kText, u"ロック中の編集");
    ASSERT_TRUE(editor_.WaitFor("the typed text",
                                [](const EditorView& v) { return v.text == u"ロック中の編集"; }));
    editor_.ClickListEntry(editor::kItems, 1);
    EXPECT_EQ(editor_.WaitForMessage(), failure);
    ASSERT_TRUE(editor_.AnswerMessage(IDOK));
    // Every commit tries again and tells again while the file is held.
    editor_.ClickListEntry(editor::kItems, 0);
    EXPECT_EQ(editor_.WaitForMessage(), failure);
    ASSERT_TRUE(editor_.AnswerMessage(IDOK));
    ASSERT_TRUE(editor_.WaitFor("the edit kept in memory", [](const EditorView& v) {
        return v.item == 0 && v.text == u"ロック中の編集";
    }));

    // Closing while the file is still held asks; No keeps the editor open.
    editor_.ClickControl(editor::kClose);
    EXPECT_EQ(editor_.WaitForMessage(), failure + u"\n変更を保存せずに閉じますか？");
    ASSERT_TRUE(editor_.AnswerMessage(IDNO));
    EXPECT_TRUE(::IsWindowVisible(editor_.Window()));

    lock.Release();
    EXPECT_EQ(FileBytes(u"kvtx_00000.dat"), CategoryFileBytes(store_[0]));
    editor_.ClickListEntry(editor::kItems, 2);
    store_[0].items[0].text = u"ロック中の編集";
    EXPECT_TRUE(FileBecomes(u"kvtx_00000.dat", CategoryFileBytes(store_[0])));
    ASSERT_TRUE(editor_.Close());
}

} // namespace

TEST(Screenshots, EditorWithAConversionItem) {
    ASSERT_FALSE(TrayShowsIcons()) << "an icon of an earlier scenario is still in the tray";
    KorvatexApp app;
    app.Start();
    ASSERT_TRUE(app.WaitUntilHidden());
    EditorWindow editor(app);
    ASSERT_TRUE(editor.Open());
    ASSERT_TRUE(editor.StepComboTo(editor::kCategories, 1));
    editor.ClickListEntry(editor::kItems, 0);
    ASSERT_TRUE(editor.WaitFor("the conversion item", [](const EditorView& v) {
        return v.item == 0 && v.steps.size() == 3;
    }));
    editor.ClickListEntry(editor::kSteps, 2);
    ASSERT_TRUE(editor.WaitFor("the range step in the boxes", [](const EditorView& v) {
        return v.step == 2 && v.c == u"…" && v.cEnabled;
    }));
    MoveMouse({1000, 740});
    RECT rect{};
    ::GetWindowRect(editor.Window(), &rect);
    EXPECT_TRUE(SaveScreenRectangle(rect, ArtifactsUnixDirectory() + "/editor.png"));
    ASSERT_TRUE(editor.Close());
    EXPECT_TRUE(editor.HidePicker());
    EXPECT_TRUE(app.ExitFromTray());
}

} // namespace kvtx::e2e
