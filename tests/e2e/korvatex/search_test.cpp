// The search window on its hotkey: typed hiragana finds katakana and half-width names, Enter
// applies the chosen item to the application that was in front, Esc and a click elsewhere send
// nothing.

#include "platform/utf.h"
#include "tests/e2e/driver/clipboard.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/polling.h"
#include "tests/e2e/driver/remote_controls.h"
#include "tests/e2e/driver/top_level_windows.h"
#include "tests/e2e/driver/tray.h"
#include "tests/e2e/driver/waiting.h"
#include "tests/e2e/korvatex/apply_scenario.h"

#include <algorithm>

namespace kvtx::e2e {
namespace {

constexpr char16_t kCaption[] = u"検索";
constexpr int kQuery = 1040;
constexpr int kResults = 1041;
constexpr int kPreview = 1042;

std::vector<StoreCategory> SearchStore() {
    return {
        {u"挨拶",
         {TextItem(u"おはよう", u"おはようございます"), TextItem(u"括弧", u"[%original]")}},
        {u"ﾒｰﾙ", {TextItem(u"署名", u"--\r\n山田"), TextItem(u"結び", u"よろしくお願いします")}},
        {u"変換", {ConversionItem(u"メール引用", {{1, u"(?m)^", u"> ", {}}})}},
    };
}

class SearchTest : public ApplyScenario {
protected:
    void SetUp() override { Start(SearchStore()); }

    // Presses the hotkey with the mouse at `cursor` and waits for the window, which must open
    // there, moved back just enough to be wholly inside the work area, as a modal dialog over the
    // program's window with the keyboard in its box.
    HWND Open(POINT cursor = {200, 150}) {
        MoveMouse(cursor);
        PressHotkey(kSearchHotkey);
        HWND window = WaitForDialog(kCaption);
        if (window == nullptr) {
            return nullptr;
        }
        EXPECT_TRUE(WaitUntil("the keyboard in the search box",
                              [&] { return HasKeyboardFocus(ChildById(window, kQuery)); }));
        RECT frame{};
        ::GetWindowRect(window, &frame);
        const RECT work = WorkAreaAt(cursor);
        EXPECT_EQ(frame.left, std::min(cursor.x, work.right - (frame.right - frame.left)));
        EXPECT_EQ(frame.top, std::min(cursor.y, work.bottom - (frame.bottom - frame.top)));
        EXPECT_TRUE(WhollyInside(frame, work));
        return window;
    }

    // The same through the tray menu's "検索(&F)". Wine's tray drops a click that comes while a
    // window is still being mapped, so a click that brings no menu is made again.
    HWND OpenFromTrayMenu() {
        for (int attempt = 0; attempt < 4 && !app_->MenuTakesKeys(1); ++attempt) {
            ClickTrayIcon(0, MouseButton::Right);
            PollUntil([&] { return app_->MenuTakesKeys(1); }, 5s);
        }
        EXPECT_TRUE(WaitUntil("the tray menu", [&] { return app_->MenuTakesKeys(1); }));
        PressKey('F');
        return WaitForDialog(kCaption);
    }

    testing::AssertionResult Lists(HWND window, const std::vector<std::u16string>& titles) {
        return WaitUntil("the list to hold " + std::to_string(titles.size()) + " matches", [&] {
            const auto lines = ListBoxItems(ChildById(window, kResults));
            if (lines.size() != titles.size()) {
                return false;
            }
            for (std::size_t i = 0; i < lines.size(); ++i) {
                if (lines[i].rfind(titles[i], 0) != 0) {
                    return false;
                }
            }
            return true;
        });
    }
};

TEST_F(SearchTest, HiraganaFindsTheItemAndEnterAppliesItToTheApplicationInFront) {
    Prepare(u"前 選択 後", 2, 4);
    HWND window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Lists(window, {u"A-a 挨拶/おはよう", u"A-b 挨拶/括弧", u"B-a ﾒｰﾙ/署名",
                               u"B-b ﾒｰﾙ/結び", u"C-a 変換/メール引用"}));

    TypeText(u"めーる");
    ASSERT_TRUE(Lists(window, {u"B-a ﾒｰﾙ/署名", u"B-b ﾒｰﾙ/結び", u"C-a 変換/メール引用"}));
    EXPECT_EQ(ControlText(ChildById(window, kPreview)), u"--\r\n山田");
    // The arrows move in the list while the keyboard stays in the box.
    PressKey(VK_DOWN);
    ASSERT_TRUE(WaitUntil("the second line chosen",
                          [&] { return ListBoxSelection(ChildById(window, kResults)) == 1; }));
    EXPECT_EQ(ControlText(ChildById(window, kPreview)), u"よろしくお願いします");
    EXPECT_TRUE(HasKeyboardFocus(ChildById(window, kQuery)));

    TypeText(u"　よろしく");
    ASSERT_TRUE(Lists(window, {u"B-b ﾒｰﾙ/結び"}));
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntilClosed(kCaption));
    EXPECT_TRUE(TargetShows(u"前 よろしくお願いします 後"));
    // As from the category menu, the picker follows the applied item.
    EXPECT_EQ(app_->Picker().category, 1);
    EXPECT_EQ(app_->Picker().item, 1);

    // A conversion found through its name works on the selection as from the menu.
    Prepare(u"一行目\r\n二行目", 0, -1);
    window = Open({700, 600});
    ASSERT_NE(window, nullptr);
    TypeText(u"ﾒｰﾙ　>");
    ASSERT_TRUE(Lists(window, {u"C-a 変換/メール引用"}));
    PressKey(VK_RETURN);
    EXPECT_TRUE(TargetShows(u"> 一行目\r\n> 二行目"));
}

// From the tray icon's menu, whose click gave the foreground to the taskbar, the item goes to the
// application the user was in before.
TEST_F(SearchTest, FromTheTrayMenuItAppliesToTheApplicationTheUserWasIn) {
    Prepare(u"前 選択 後", 2, 4);
    HWND window = OpenFromTrayMenu();
    ASSERT_NE(window, nullptr);
    TypeText(u"よろしく");
    ASSERT_TRUE(Lists(window, {u"B-b ﾒｰﾙ/結び"}));
    PressKey(VK_RETURN);
    EXPECT_TRUE(TargetShows(u"前 よろしくお願いします 後"));
}

TEST_F(SearchTest, EscAndAClickOnAnotherApplicationCloseItAndSendNothing) {
    ASSERT_TRUE(SetClipboardText(u"sentinel"));
    Prepare(u"one two", 4, 7);
    ASSERT_NE(Open(), nullptr);
    TypeText(u"おはよう");
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilClosed(kCaption));

    // The tray menu's "検索(&F)" opens it too.
    ASSERT_NE(OpenFromTrayMenu(), nullptr);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilClosed(kCaption));

    ASSERT_NE(Open(), nullptr);
    // The target's lower right corner, which the window at the cursor leaves uncovered.
    Click({760, 600});
    ASSERT_TRUE(WaitUntilClosed(kCaption));

    // The picker coming up shows that the program has finished with both; a key typed into the
    // target afterwards arrives behind any copy or paste the window might have sent.
    ASSERT_TRUE(app_->ShowPickerAt({300, 200}));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil("the picker to hide", [&] { return !app_->Picker().visible; }));
    Prepare(u"one two", 4, 7);
    TypeText(u"!");
    EXPECT_TRUE(TargetShows(u"one !"));
    EXPECT_EQ(ClipboardText(), std::optional<std::u16string>(u"sentinel"));
}

} // namespace
} // namespace kvtx::e2e
