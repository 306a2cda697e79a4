// The picker: shown by its hotkey or the tray icon next to the cursor, moved through with the
// arrow and letter keys, copying a text item's template unexpanded.

#include "platform/utf.h"
#include "tests/e2e/driver/clipboard.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/modal_dialogs.h"
#include "tests/e2e/driver/remote_controls.h"
#include "tests/e2e/driver/top_level_windows.h"
#include "tests/e2e/driver/tray.h"
#include "tests/e2e/driver/waiting.h"
#include "tests/e2e/korvatex/korvatex_app.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kvtx::e2e {
namespace {

const std::vector<std::u16string> kCategoryLabels = {u"A:挨拶", u"B:変換", u"C:メール",
                                                     u"D:空のカテゴリ", u"E:English"};
const std::vector<std::u16string> kGreetingLabels = {u"a:おはよう", u"b:日付入り", u"c:署名"};
const std::u16string kFirstText = u"おはようございます。\r\n本日もよろしくお願いいたします。";
const std::u16string kFieldsText = u"%Y/%M/%D 作成\r\n%input 様\r\n%original";
const std::u16string kSignatureText = u"山田 太郎\r\nDova Studio 😀";
const std::u16string kStepLines =
    u"Step 1 置換：( → （\r\nStep 2 正規：s/\\s+$//\r\nStep 3 区間：<<…>>\r\n";

class PickerTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(TrayShowsIcons()) << "an icon of an earlier scenario is still in the tray";
        app_.Start();
        ASSERT_TRUE(app_.WaitUntilHidden());
    }
    void TearDown() override {
        if (app_.Instance().Running()) {
            EXPECT_TRUE(app_.ExitFromTray());
        }
    }

    // Waits until the picker shows this category and item.
    testing::AssertionResult Shows(int category, int item) {
        return WaitUntil("the picker on category " + std::to_string(category) + ", item " +
                             std::to_string(item),
                         [&] {
                             const PickerView view = app_.Picker();
                             return view.category == category && view.item == item;
                         });
    }

    // The picker is shown, then moved: an observer may see it at its old place in between.
    testing::AssertionResult At(LONG left, LONG top) {
        return WaitUntil("the picker at " + std::to_string(left) + "," + std::to_string(top), [&] {
            const RECT rect = app_.Picker().rect;
            return rect.left == left && rect.top == top;
        });
    }

    KorvatexApp app_;
};

TEST_F(PickerTest, HotkeyShowsThePickerNextToTheCursorWithTheFirstItem) {
    ASSERT_TRUE(app_.ShowPickerAt({400, 300}));
    EXPECT_TRUE(At(300, 270));
    const PickerView view = app_.Picker();
    EXPECT_EQ(view.categories, kCategoryLabels);
    EXPECT_EQ(view.category, 0);
    EXPECT_EQ(view.items, kGreetingLabels);
    EXPECT_EQ(view.item, 0);
    EXPECT_EQ(view.preview, kFirstText);
    EXPECT_TRUE(view.copyEnabled);
    EXPECT_FALSE(HasTaskbarButton(app_.MainWindow())) << "the picker is a tool window";
}

TEST_F(PickerTest, AboutBoxFromTheSystemMenuIsModalOverThePicker) {
    ASSERT_TRUE(app_.ShowPickerAt({400, 300}));
    PressChord({VK_MENU, VK_SPACE});
    ASSERT_TRUE(WaitUntil("the system menu", [&] { return app_.MenuTakesKeys(1); }));
    // The program's entry is the last one; Wine's own "Wine について(&A)" takes the letter.
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    HWND about = app_.WaitForDialog(u"情報");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(ShowsAsModalOver(about, app_.MainWindow()));
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil("the about box to close", [&] { return !::IsWindow(about); }));
    EXPECT_TRUE(::IsWindowEnabled(app_.MainWindow()));
}

// Called up in the bottom right corner, the picker stands back just far enough to be wholly on the
// screen, above the taskbar, its buttons within reach.
TEST_F(PickerTest, AtTheScreensCornerThePickerIsWhollyOnIt) {
    const POINT corner{::GetSystemMetrics(SM_CXSCREEN) - 5, ::GetSystemMetrics(SM_CYSCREEN) - 5};
    ASSERT_TRUE(app_.ShowPickerAt(corner));
    const RECT work = WorkAreaAt(corner);
    const RECT shown = app_.Picker().rect;
    EXPECT_TRUE(
        At(work.right - (shown.right - shown.left), work.bottom - (shown.bottom - shown.top)));
    EXPECT_TRUE(WhollyInside(app_.Picker().rect, work));
    // Pressed again while shown, the hotkey moves the picker to the cursor again.
    ASSERT_TRUE(app_.ShowPickerAt({20, 10}));
    EXPECT_TRUE(At(0, 0));
    // In the corner the picker covers the tray; hidden again, it lets the tray menu be reached.
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil("the picker to hide", [&] { return !app_.Picker().visible; }));
}

TEST_F(PickerTest, TrayIconLeftClickShowsThePickerAtTheIcon) {
    ClickTrayIcon(0, MouseButton::Left);
    ASSERT_TRUE(WaitUntil("the picker shown by a click on the tray icon",
                          [&] { return app_.Picker().visible; }));
    // Up and to the left of the icon, kept above the taskbar that holds it.
    const POINT icon = TrayIconPoint(0);
    const RECT work = WorkAreaAt(icon);
    const RECT shown = app_.Picker().rect;
    EXPECT_TRUE(At(std::min(icon.x - 100, work.right - (shown.right - shown.left)),
                   std::min(icon.y - 30, work.bottom - (shown.bottom - shown.top))));
    EXPECT_TRUE(WhollyInside(app_.Picker().rect, work));
    EXPECT_EQ(app_.Picker().item, 0);
    // Next to the icon the picker covers it; hidden again, it lets the tray menu be reached.
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil("the picker to hide", [&] { return !app_.Picker().visible; }));
}

TEST_F(PickerTest, ArrowKeysStepThroughItemsAndCategoriesAndStopAtTheEnds) {
    ASSERT_TRUE(app_.ShowPickerAt({400, 300}));
    PressKey(VK_UP);   // on the first item: nothing changes
    PressKey(VK_LEFT); // on the first category: nothing changes
    PressKey(VK_DOWN);
    ASSERT_TRUE(Shows(0, 1));
    EXPECT_EQ(app_.Picker().preview, kFieldsText);
    PressKey(VK_DOWN);
    PressKey(VK_DOWN); // on the last item: nothing changes
    PressKey(VK_UP);
    ASSERT_TRUE(Shows(0, 1));
    PressKey(VK_RIGHT); // a new category starts on its first item
    ASSERT_TRUE(Shows(1, 0));
    EXPECT_EQ(app_.Picker().items, (std::vector<std::u16string>{u"a:全角括弧", u"b:空の変換"}));
    for (int i = 0; i < 5; ++i) {
        PressKey(VK_RIGHT);
    }
    ASSERT_TRUE(Shows(4, 0));
    PressKey(VK_LEFT);
    ASSERT_TRUE(Shows(3, -1)) << "the empty category has no item to select";
    EXPECT_TRUE(app_.Picker().items.empty());
    EXPECT_TRUE(app_.Picker().preview.empty());
    EXPECT_TRUE(app_.Picker().visible) << "the keys must not close the picker";
}

TEST_F(PickerTest, LettersChooseItemsAndShiftedLettersCategories) {
    ASSERT_TRUE(app_.ShowPickerAt({400, 300}));
    PressKey('C');
    ASSERT_TRUE(Shows(0, 2));
    EXPECT_EQ(app_.Picker().preview, kSignatureText);
    PressChord({VK_SHIFT, 'E'});
    ASSERT_TRUE(Shows(4, 0));
    EXPECT_EQ(app_.Picker().preview, u"Thank you.");
    PressChord({VK_SHIFT, 'C'});
    ASSERT_TRUE(Shows(2, 0));
    PressKey('B');
    ASSERT_TRUE(Shows(2, 1));
}

TEST_F(PickerTest, CtrlCSelectsItemCInsteadOfCopying) {
    ASSERT_TRUE(SetClipboardText(u"untouched"));
    ASSERT_TRUE(app_.ShowPickerAt({400, 300}));
    PressChord({VK_CONTROL, 'C'});
    ASSERT_TRUE(Shows(0, 2));
    EXPECT_EQ(ClipboardText(), u"untouched");
    EXPECT_TRUE(app_.Picker().visible);
}

TEST_F(PickerTest, CopyPutsTheUnexpandedTemplateOnTheClipboardAndHides) {
    ASSERT_TRUE(SetClipboardText(u"before"));
    ASSERT_TRUE(app_.ShowPickerAt({400, 300}));
    PressKey('B');
    ASSERT_TRUE(Shows(0, 1));
    Click(CenterOf(app_.PickerControl(picker::kCopy)));
    EXPECT_TRUE(WaitUntil("the picker to hide after Copy", [&] { return !app_.Picker().visible; }));
    EXPECT_TRUE(WaitUntil("the template on the clipboard", [&] {
        return ClipboardText() == kFieldsText;
    })) << platform::Utf16ToUtf8(ClipboardText().value_or(u"(no text)"));
    // Seen from outside Wine, where line ends are LF.
    EXPECT_EQ(XClipboardText(), "%Y/%M/%D 作成\n%input 様\n%original");
    EXPECT_TRUE(app_.Instance().Running());
}

TEST_F(PickerTest, EnterCopiesLikeTheCopyButton) {
    ASSERT_TRUE(app_.ShowPickerAt({400, 300}));
    PressKey('C');
    ASSERT_TRUE(Shows(0, 2));
    PressKey(VK_RETURN);
    EXPECT_TRUE(
        WaitUntil("the picker to hide after Enter", [&] { return !app_.Picker().visible; }));
    EXPECT_TRUE(WaitUntil("the signature on the clipboard",
                          [&] { return ClipboardText() == kSignatureText; }));
}

TEST_F(PickerTest, ConversionItemShowsItsStepsAndDisablesCopy) {
    ASSERT_TRUE(SetClipboardText(u"before"));
    ASSERT_TRUE(app_.ShowPickerAt({400, 300}));
    PressChord({VK_SHIFT, 'B'});
    ASSERT_TRUE(Shows(1, 0));
    const PickerView view = app_.Picker();
    EXPECT_EQ(view.preview, kStepLines);
    EXPECT_FALSE(view.copyEnabled);
    PressKey(VK_RETURN); // the default button is disabled: nothing happens
    PressKey('B');       // an empty chain: empty preview, Copy still disabled
    ASSERT_TRUE(Shows(1, 1));
    EXPECT_TRUE(app_.Picker().preview.empty());
    EXPECT_FALSE(app_.Picker().copyEnabled);
    EXPECT_TRUE(app_.Picker().visible);
    EXPECT_EQ(ClipboardText(), u"before");
    PressKey(VK_UP);
    PressChord({VK_SHIFT, 'A'}); // back to a text item: Copy comes back
    ASSERT_TRUE(Shows(0, 0));
    EXPECT_TRUE(WaitUntil("Copy enabled again", [&] { return app_.Picker().copyEnabled; }));
}

TEST_F(PickerTest, SelectionsPersistWhileHidden) {
    ASSERT_TRUE(app_.ShowPickerAt({400, 300}));
    PressChord({VK_SHIFT, 'C'});
    PressKey('C');
    ASSERT_TRUE(Shows(2, 2));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil("the picker to hide", [&] { return !app_.Picker().visible; }));
    ASSERT_TRUE(app_.ShowPickerAt({500, 400}));
    EXPECT_TRUE(Shows(2, 2));
    EXPECT_EQ(app_.Picker().preview, u"ご連絡します。");
}

} // namespace
} // namespace kvtx::e2e
