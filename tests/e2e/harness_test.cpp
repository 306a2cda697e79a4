// The harness checked against an application of our own, so that a failing scenario points at
// the program under test and not at the driver.

#include "platform/utf.h"
#include "tests/e2e/driver/clipboard.h"
#include "tests/e2e/driver/environment.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/hotkeys.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/message_boxes.h"
#include "tests/e2e/driver/remote_controls.h"
#include "tests/e2e/driver/screenshot.h"
#include "tests/e2e/driver/target_app.h"
#include "tests/e2e/driver/unix_command.h"
#include "tests/e2e/driver/waiting.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace kvtx::e2e {
namespace {

const std::u16string kJapaneseAndEmoji = u"定型文のテスト😀 ｶﾅ ①";

class HarnessTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(target_.Focus()) << FailureWithScreenshot("the target did not take the focus");
    }

    TargetApp target_ = TargetApp::Start();
};

TEST_F(HarnessTest, TypedTextArrivesWholeInTheTarget) {
    TypeText(u"first " + kJapaneseAndEmoji);
    PressKey(VK_RETURN);
    TypeText(u"second");
    const std::u16string expected = u"first " + kJapaneseAndEmoji + u"\r\nsecond";
    EXPECT_TRUE(WaitUntil("the typed text in the target", [&] {
        return target_.Text() == expected;
    })) << platform::Utf16ToUtf8(target_.Text());
}

TEST_F(HarnessTest, TextAndSelectionAreSetAndReadBack) {
    target_.SetText(u"abc\r\n" + kJapaneseAndEmoji);
    target_.Select(2, 7);
    EXPECT_EQ(target_.Text(), u"abc\r\n" + kJapaneseAndEmoji);
    EXPECT_EQ(target_.Selection(), std::make_pair(2, 7));
}

TEST_F(HarnessTest, ArrowKeysMoveTheCaret) {
    target_.SetText(u"abcdef");
    target_.Select(6, 6);
    PressKey(VK_LEFT);
    PressKey(VK_LEFT);
    EXPECT_TRUE(WaitUntil("the caret two to the left",
                          [&] { return target_.Selection() == std::make_pair(4, 4); }));
    PressChord({VK_SHIFT, VK_HOME});
    EXPECT_TRUE(WaitUntil("the selection to the start",
                          [&] { return target_.Selection() == std::make_pair(0, 4); }));
}

// What Korvatex's "%{カーソル}" relies on: how many Left presses take the edit control's caret
// over a CR LF and over a surrogate pair. Each press's place is recorded, then compared.
TEST_F(HarnessTest, LeftArrowStepsOverALineBreakAtOnce) {
    const std::u16string text = u"a\r\nb😀c";
    target_.SetText(text);
    const int end = static_cast<int>(text.size());
    target_.Select(end, end);
    std::vector<int> places;
    for (int press = 0; press < 5; ++press) {
        const int before = target_.Selection().first;
        PressKey(VK_LEFT);
        if (!WaitUntil("the caret to move left", [&] { return target_.Selection().first < before; })) {
            break;
        }
        places.push_back(target_.Selection().first);
    }
    std::string shown;
    for (const int place : places) {
        shown += std::to_string(place) + " ";
    }
    RecordProperty("left_arrow_places", shown);
    // c, then the emoji's two units one press each (Wine 8; Windows takes the pair at once), b,
    // then the CR LF at once.
    EXPECT_EQ(places, (std::vector<int>{6, 5, 4, 3, 1})) << shown;
}

TEST_F(HarnessTest, ClipboardTextIsPastedIntoTheTarget) {
    target_.SetText(u"before [x] after");
    target_.Select(7, 10);
    ASSERT_TRUE(SetClipboardText(kJapaneseAndEmoji));
    PressChord({VK_CONTROL, 'V'});
    const std::u16string expected = u"before " + kJapaneseAndEmoji + u" after";
    EXPECT_TRUE(WaitUntil("the pasted text", [&] { return target_.Text() == expected; }))
        << platform::Utf16ToUtf8(target_.Text());
}

TEST_F(HarnessTest, CopiedSelectionReachesBothClipboards) {
    target_.SetText(u"keep " + kJapaneseAndEmoji + u"\r\nline two");
    const int start = 5;
    const int end = static_cast<int>(target_.Text().size());
    target_.Select(start, end);
    ASSERT_TRUE(EmptyClipboard());
    PressChord({VK_CONTROL, 'C'});
    const std::u16string copied = kJapaneseAndEmoji + u"\r\nline two";
    EXPECT_TRUE(WaitUntil("the copied selection on the clipboard",
                          [&] { return ClipboardText() == copied; }));
    EXPECT_EQ(XClipboardText(), platform::Utf16ToUtf8(kJapaneseAndEmoji) + "\nline two");
}

TEST_F(HarnessTest, TextFromTheXClipboardArrivesAsUnicode) {
    ASSERT_TRUE(SetXClipboardText(platform::Utf16ToUtf8(kJapaneseAndEmoji)));
    EXPECT_TRUE(WaitUntil("the X clipboard's text inside Wine",
                          [&] { return ClipboardText() == kJapaneseAndEmoji; }));
}

TEST_F(HarnessTest, MouseClickLandsWhereItIsSent) {
    target_.SetText(u"abcdef");
    target_.Select(0, 6);
    RECT edit{};
    ::GetWindowRect(target_.Edit(), &edit);
    const POINT inside{edit.left + 40, edit.top + 40};
    Click(inside);
    EXPECT_EQ(CursorPosition().x, inside.x);
    EXPECT_EQ(CursorPosition().y, inside.y);
    EXPECT_TRUE(WaitUntil("the click to collapse the selection", [&] {
        const auto [start, end] = target_.Selection();
        return start == end;
    }));
}

TEST(Harness, SynthesizedChordTriggersAGlobalHotkey) {
    const HeldHotkey hotkey(MOD_CONTROL | MOD_SHIFT | MOD_ALT, 'K');
    ASSERT_TRUE(hotkey.Held()) << hotkey.Error();
    EXPECT_TRUE(HotkeyTakenElsewhere(MOD_CONTROL | MOD_SHIFT | MOD_ALT, 'K'));
    MSG message{};
    ::PeekMessageW(&message, nullptr, WM_HOTKEY, WM_HOTKEY, PM_REMOVE);
    PressChord({VK_CONTROL, VK_SHIFT, VK_MENU, 'K'});
    EXPECT_TRUE(WaitUntil("WM_HOTKEY", [&] {
        return ::PeekMessageW(&message, nullptr, WM_HOTKEY, WM_HOTKEY, PM_REMOVE) != 0;
    }));
}

TEST(Harness, FreeCombinationIsNotTaken) {
    EXPECT_FALSE(HotkeyTakenElsewhere(MOD_CONTROL | MOD_SHIFT | MOD_ALT, 'J'));
}

TEST(Harness, MessageBoxIsFoundReadAndAnswered) {
    int answer = 0;
    std::thread asker([&] {
        answer = ::MessageBoxW(nullptr, L"ホットキーの登録に失敗しました\n1409,テスト", L"harness",
                               MB_OK);
    });
    const auto box = WaitFor<MessageBoxWindow>("the message box", [] {
        const auto boxes = MessageBoxesOf(::GetCurrentProcessId());
        return boxes.empty() ? std::nullopt : std::optional(boxes.front());
    });
    if (box) {
        EXPECT_EQ(box->caption, u"harness");
        EXPECT_EQ(box->text, u"ホットキーの登録に失敗しました\n1409,テスト");
        ClickButton(box->window, IDOK);
    }
    const bool closed = WaitUntil("the message box to close", [&] { return answer != 0; });
    if (!closed) {
        ::PostMessageW(box ? box->window : nullptr, WM_CLOSE, 0, 0);
    }
    asker.join();
    EXPECT_EQ(answer, IDOK);
}

TEST(Harness, UnixCommandsReportTheirStatusAndOutput) {
    const auto result = RunUnixCommand("printf 'out\\n'; echo err >&2; exit 3", 10s);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->status, 3);
    EXPECT_EQ(result->output, "out\nerr\n");
}

TEST(Harness, LockedFileCannotBeReplacedUntilReleased) {
    const std::u16string path =
        WindowsPathOfUnix(ScratchUnixDirectory() + "/" + UniqueName("locked") + ".dat");
    WriteTextFile(path, "old");
    ExclusiveFileLock lock(path);
    ASSERT_TRUE(lock.Held());
    EXPECT_ANY_THROW(WriteTextFile(path, "new"));
    lock.Release();
    WriteTextFile(path, "new");
    EXPECT_EQ(ReadTextFile(path), "new");
}

TEST(Harness, FailedWaitSavesTheScreenshotItNames) {
    const auto result = WaitUntil(
        "a condition that never holds", [] { return false; }, 50ms);
    ASSERT_FALSE(result);
    const std::string message = result.message();
    EXPECT_NE(message.find("waiting for a condition that never holds"), std::string::npos);
    const auto at = message.find("screenshot: /");
    ASSERT_NE(at, std::string::npos) << message;
    const std::string path = message.substr(at + 12);
    const auto bytes = ReadFileBytes(WindowsPathOfUnix(path));
    ASSERT_TRUE(bytes.has_value()) << path;
    ASSERT_GT(bytes->size(), 8u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes->data()) + 1, 3), "PNG");
}

} // namespace
} // namespace kvtx::e2e
