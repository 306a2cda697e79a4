// The picker over controls with the real controls' rules and the sample store in memory.

#include "res/resource_ids.h"
#include "store/fields.h"
#include "tests/app/resident_fixture.h"

#include <utility>

namespace kvtx::testing {
namespace {

constexpr unsigned kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

const std::vector<std::u16string> kCategoryLabels = {u"A:挨拶", u"B:変換", u"C:メール",
                                                     u"D:空のカテゴリ", u"E:English"};

class PickerTest : public ResidentFixture {
protected:
    void SetUp() override {
        PutStore(e2e::SampleStore());
        Started();
        categories.onSelectionChange = [this] { Dialog().SelectCategory(); };
        items.onSelectionChange = [this] { Dialog().ShowPreview(); };
    }

    void Expect(int category, int item) {
        EXPECT_EQ(categories.Selection(), category);
        EXPECT_EQ(items.Selection(), item);
        EXPECT_EQ(Dialog().m_nCategory, category);
        EXPECT_EQ(Dialog().m_nItem, item);
    }
    bool Key(unsigned key, bool shift = false) { return Dialog().PreTranslateKeyDown(key, shift); }
};

TEST_F(PickerTest, StartsOnTheFirstCategoryAndItem) {
    EXPECT_EQ(categories.items, kCategoryLabels);
    EXPECT_EQ(items.items, (std::vector<std::u16string>{u"a:おはよう", u"b:日付入り", u"c:署名"}));
    Expect(0, 0);
    EXPECT_EQ(preview.Text(), u"おはようございます。\r\n本日もよろしくお願いいたします。");
    EXPECT_TRUE(copy.IsEnabled());
}

TEST_F(PickerTest, ArrowsStepAndStopAtTheEndsAlwaysConsumed) {
    EXPECT_TRUE(Key(kUp));
    EXPECT_TRUE(Key(kLeft));
    Expect(0, 0);
    EXPECT_TRUE(Key(kDown));
    EXPECT_TRUE(Key(kDown));
    EXPECT_TRUE(Key(kDown));
    Expect(0, 2);
    EXPECT_EQ(preview.Text(), u"山田 太郎\r\nDova Studio 😀");
    EXPECT_TRUE(Key(kRight));
    Expect(1, 0);
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(Key(kRight));
    }
    Expect(4, 0);
    EXPECT_TRUE(Key(kLeft));
    // The empty category: nothing to select, nothing to show.
    Expect(3, -1);
    EXPECT_TRUE(items.items.empty());
    EXPECT_TRUE(preview.Text().empty());
    EXPECT_TRUE(Key(kDown));
    Expect(3, -1);
}

TEST_F(PickerTest, LettersPickItemsAndShiftedLettersCategories) {
    EXPECT_TRUE(Key('C'));
    Expect(0, 2);
    EXPECT_TRUE(Key('E', true));
    Expect(4, 0);
    EXPECT_EQ(preview.Text(), u"Thank you.");
    EXPECT_TRUE(Key('C', true));
    EXPECT_TRUE(Key('B'));
    Expect(2, 1);
    EXPECT_EQ(preview.Text(), u"申し訳ございません。");
}

TEST_F(PickerTest, LettersPastTheEntriesNeverReachBeyondTheCounts) {
    Key('B');
    // The list box keeps its selection for an entry it lacks.
    EXPECT_TRUE(Key('Z'));
    Expect(0, 1);
    EXPECT_EQ(preview.Text(), u"%Y/%M/%D 作成\r\n%input 様\r\n%original");
    // The combo box then has no selection; the loaded category and its list stay.
    EXPECT_TRUE(Key('Z', true));
    EXPECT_EQ(categories.Selection(), -1);
    EXPECT_EQ(items.Count(), 3);
    // From nowhere, Right goes to the first category.
    EXPECT_TRUE(Key(kRight));
    Expect(0, 0);
}

TEST_F(PickerTest, OtherKeysGoToTheDialogManager) {
    for (const unsigned key : {13u, 27u, 9u, 32u, 48u, 112u}) {
        EXPECT_FALSE(Key(key)) << key;
    }
    Expect(0, 0);
}

TEST_F(PickerTest, ConversionItemShowsStepLinesAndDisablesCopy) {
    Key('B', true);
    EXPECT_EQ(preview.Text(),
              u"Step 1 置換：( → （\r\nStep 2 正規：s/\\s+$//\r\nStep 3 区間：<<…>>\r\n");
    EXPECT_FALSE(copy.IsEnabled());
    Key('B');
    EXPECT_TRUE(preview.Text().empty());
    EXPECT_FALSE(copy.IsEnabled());
    Key('A', true);
    EXPECT_TRUE(copy.IsEnabled());
}

TEST_F(PickerTest, CopyCopiesTheWholeUnexpandedPreviewAndHides) {
    Key('B');
    Dialog().OnOK();
    ASSERT_EQ(window.copied.size(), 1u);
    EXPECT_EQ(window.copied[0], static_cast<int>(preview.Text().size()));
    EXPECT_FALSE(window.visible);
    EXPECT_FALSE(window.ended.has_value()) << "Copy only hides";
}

TEST_F(PickerTest, CopyOfAnEmptyPreviewCopiesNothingAndStillHides) {
    Key('D', true);
    Dialog().OnTrayNotify(app::WM_TRAYNOTIFY, 0, 514);
    Dialog().OnOK();
    EXPECT_TRUE(window.copied.empty());
    EXPECT_FALSE(window.visible);
}

TEST_F(PickerTest, MouseChoiceOfACategoryLoadsItWithItsFirstItem) {
    Key('C');
    categories.UserSelects(2);
    Expect(2, 0);
    EXPECT_EQ(items.items,
              (std::vector<std::u16string>{u"a:mail/お礼", u"b:mail/お詫び", u"c:連絡"}));
    items.UserSelects(2);
    EXPECT_EQ(preview.Text(), u"ご連絡します。");
}

TEST_F(PickerTest, SelectionsSurviveHidingAndThePreviewIsRebuilt) {
    Key('C', true);
    Key('C');
    Dialog().OnCancel();
    preview.SetText(u"scribbled");
    Dialog().OnTrayNotify(app::WM_TRAYNOTIFY, 0, 514);
    Expect(2, 2);
    EXPECT_EQ(preview.Text(), u"ご連絡します。");
    EXPECT_TRUE(window.visible);
}

TEST_F(PickerTest, EditorGetsTheLastExchangedSelectionsAndThePickerReloads) {
    Key('C', true);
    Key('B');
    int seenCategory = -2, seenItem = -2;
    Dialog().hooks.openEditor = [&] {
        seenCategory = Dialog().m_nCategory;
        seenItem = Dialog().m_nItem;
        EXPECT_EQ(Dialog().m_strAppDir, kFolder);
        // The editor renames the first category on disk.
        auto store = e2e::SampleStore();
        store[0].name = u"ごあいさつ";
        PutStore(store);
    };
    Dialog().OnEditButton();
    EXPECT_EQ(seenCategory, 2);
    EXPECT_EQ(seenItem, 1);
    Expect(0, 0);
    EXPECT_EQ(categories.items[0], u"A:ごあいさつ");
}

TEST_F(PickerTest, AnotherComputersChangeIsShownWhenTheFolderTellsOrAtTheNextOpening) {
    Key('C', true);
    Key('B');
    const int reads = files.reads;
    Dialog().RefreshStoreIfChanged();
    EXPECT_EQ(files.reads, reads) << "nothing changed: only sizes and times were looked at";

    // A colleague adds a category, and the folder's watch tells.
    auto store = e2e::SampleStore();
    store.push_back({u"同僚", {e2e::TextItem(u"連絡", u"よろしく")}});
    PutStore(store);
    Dialog().RefreshStoreIfChanged();
    EXPECT_EQ(categories.ItemText(5), u"F:同僚");
    Expect(2, 1);

    // Moved to the front elsewhere, the shown category is followed by its file.
    PhraseStore colleague(files, kFolder);
    colleague.LoadIndex();
    std::swap(colleague.Index().categories[0], colleague.Index().categories[2]);
    colleague.SaveIndex();
    Dialog().RefreshStoreIfChanged();
    EXPECT_EQ(categories.ItemText(0), u"A:メール");
    EXPECT_EQ(Dialog().m_nCategory, 0);

    // Renamed on a share that never tells: the picker's opening looks itself, and so do the
    // menu's and the search window's.
    SetFieldText(colleague.Index().categories[0].name, u"連絡");
    colleague.SaveIndex();
    Dialog().OnTrayNotify(app::WM_TRAYNOTIFY, 0, 514);
    EXPECT_EQ(categories.ItemText(0), u"A:連絡");
    SetFieldText(colleague.Index().categories[0].name, u"お知らせ");
    colleague.SaveIndex();
    Dialog().OnCommand(ID_MENU_SEARCH);
    EXPECT_EQ(categories.ItemText(0), u"A:お知らせ");
}

TEST_F(PickerTest, AMenuChoiceFollowsItsCategoryWhenAnotherComputerMovedItMeanwhile) {
    std::vector<int> applied;
    Dialog().hooks.applyItem = [&](int index) { applied.push_back(index); };
    Dialog().hooks.showCategoryMenu = [](platform::ScreenPoint, const platform::Target&) {};
    Dialog().OnHotkey(static_cast<std::uintptr_t>(Dialog().m_hkMenu.id));

    // While the menu is open the colleague moves C to the front and deletes E; the watch reads it.
    PhraseStore colleague(files, kFolder);
    colleague.LoadIndex();
    std::swap(colleague.Index().categories[0], colleague.Index().categories[2]);
    colleague.Index().categoryCount = 4;
    colleague.SaveIndex();
    Dialog().RefreshStoreIfChanged();

    Dialog().OnCommand(ID_PHRASE_BASE + 26 * 2 + 1); // C-b as the menu showed it
    Dialog().OnCommand(ID_PHRASE_BASE + 26 * 1);     // B-a, which stayed
    Dialog().OnCommand(ID_PHRASE_BASE + 26 * 4);     // E-a, gone
    EXPECT_EQ(applied, (std::vector<int>{1, 26}));
}

using EmptyStorePickerTest = ResidentFixture;

TEST_F(EmptyStorePickerTest, EmptyControlsAndKeysChangeNothing) {
    app::ResidentDialog& dialog = Started();
    EXPECT_TRUE(categories.items.empty());
    EXPECT_TRUE(items.items.empty());
    EXPECT_TRUE(preview.Text().empty());
    for (const unsigned key : {kLeft, kRight, kUp, kDown, 65u}) {
        EXPECT_TRUE(dialog.PreTranslateKeyDown(key, false));
        EXPECT_TRUE(dialog.PreTranslateKeyDown(key, true));
    }
    EXPECT_EQ(categories.Selection(), -1);
    EXPECT_EQ(items.Selection(), -1);
    EXPECT_TRUE(preview.Text().empty());
}

} // namespace
} // namespace kvtx::testing
