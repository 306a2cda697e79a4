// Applying phrases to the user's application: the category menu at the cursor, insertion and
// conversion items, the "%input" prompt, and many applications in a row.

#include "platform/utf.h"
#include "tests/e2e/driver/clipboard.h"
#include "tests/e2e/driver/clipboard_history.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/polling.h"
#include "tests/e2e/driver/top_level_windows.h"
#include "tests/e2e/driver/tray.h"
#include "tests/e2e/driver/waiting.h"
#include "tests/e2e/korvatex/apply_scenario.h"

#include <algorithm>
#include <cstdio>

namespace kvtx::e2e {
namespace {

std::vector<StoreCategory> ApplyStore() {
    return {
        {u"挨拶",
         {TextItem(u"日付", u"%Y/%M/%D [%original]"), TextItem(u"二つの入力", u"%input と %input"),
          TextItem(u"括弧", u"[%original]"), TextItem(u"空", u"")}},
        {u"メール",
         {TextItem(u"x", u"X"), TextItem(u"mail/hello", u"H"), TextItem(u"y", u"Y"),
          TextItem(u"mail/bye", u"B")}},
        {u"変換",
         {ConversionItem(
             u"三段",
             {{0, u"猫", u"犬", {}}, {1, u"(\\d+)", u"[$1]", {}}, {2, u"<", u">", u"…"}})}},
        {u"和文",
         {TextItem(u"宛名", u"%original様\r\n%{カーソル}\r\nよろしくお願いいたします。"),
          TextItem(u"日付", u"%{月}月%{日}日(%{曜日}) %{元号}%{和暦年}年 %Y/%M/%D%{カーソル}")}},
        {u"誤り", {ConversionItem(u"閉じない括弧", {{1, u"(", u"x", {}}})}},
    };
}

std::u16string Today() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char text[16];
    std::snprintf(text, sizeof text, "%04u/%02u/%02u", now.wYear, now.wMonth, now.wDay);
    return std::u16string(text, text + 10);
}

// The date line "%{月}月%{日}日(%{曜日}) %{元号}%{和暦年}年 %Y/%M/%D" as Windows' own clock gives
// it (a date from 2019-05-01 on, in 令和).
std::u16string JapaneseDateLine() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    static constexpr const char16_t* kWeekdays[] = {u"日", u"月", u"火", u"水",
                                                    u"木", u"金", u"土"};
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "%u|%u|%u|%04u/%02u/%02u", now.wMonth, now.wDay,
                  now.wYear - 2018u, now.wYear, now.wMonth, now.wDay);
    const std::u16string parts = platform::Utf8ToUtf16(numbers);
    const std::size_t first = parts.find(u'|');
    const std::size_t second = parts.find(u'|', first + 1);
    const std::size_t third = parts.find(u'|', second + 1);
    std::u16string line = parts.substr(0, first);
    line += u"月";
    line += parts.substr(first + 1, second - first - 1);
    line += u"日(";
    line += kWeekdays[now.wDayOfWeek];
    line += u") 令和";
    line += parts.substr(second + 1, third - second - 1);
    line += u"年 ";
    line += parts.substr(third + 1);
    return line;
}

class ApplyTest : public ApplyScenario {
protected:
    void SetUp() override { Start(ApplyStore()); }
};

TEST_F(ApplyTest, MenuItemReplacesTheSelectionWithTheExpandedTemplate) {
    Prepare(u"前 選択 後", 2, 4);
    const std::u16string before = Today();
    ChooseFromMenu({'A', 'A'});
    const std::u16string after = Today();
    EXPECT_TRUE(WaitUntil("the target to show the expanded template",
                          [&] {
                              const std::u16string text = target_->Text();
                              return text == u"前 " + before + u" [選択] 後" ||
                                     text == u"前 " + after + u" [選択] 後";
                          }))
        << "target shows: " << platform::Utf16ToUtf8(target_->Text());
    const PickerView picker = app_->Picker();
    EXPECT_EQ(picker.category, 0);
    EXPECT_EQ(picker.item, 0);
    EXPECT_FALSE(picker.visible);
}

TEST_F(ApplyTest, PickerFollowsTheItemApplied) {
    Prepare(u"abc", 1, 2);
    ChooseFromMenu({'B', 'C'});
    ASSERT_TRUE(TargetShows(u"aYc"));
    EXPECT_EQ(app_->Picker().category, 1);
    EXPECT_EQ(app_->Picker().item, 2);
}

TEST_F(ApplyTest, SlashNamesAreGroupedAndShareTheCategoryLetters) {
    Prepare(u"1 2", 0, 1);
    ChooseFromMenu({'B', 'B', 'B'}); // メール, group "mail", its second member "bye"
    ASSERT_TRUE(TargetShows(u"B 2"));
    Prepare(u"1 2", 2, 3);
    ChooseFromMenu({'B', 'B', 'A'});
    ASSERT_TRUE(TargetShows(u"1 H"));
}

TEST_F(ApplyTest, ExitIsTheLastEntryOfTheMenu) {
    Prepare(u"text", 0, 4);
    ChooseFromMenu({});
    ASSERT_TRUE(WaitUntil("the category menu", [&] { return app_->MenuTakesKeys(1); }));
    PressKey(VK_UP); // from no selection, up goes to the last entry
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil("korvatex.exe to end", [&] { return !app_->Instance().Running(); }));
    EXPECT_EQ(target_->Text(), u"text");
}

// An item with nothing to insert and no use for the selection sends no key at all: the selection
// and the clipboard stay as they were.
TEST_F(ApplyTest, AnEmptyItemSendsNothing) {
    ASSERT_TRUE(SetClipboardText(u"sentinel"));
    Prepare(u"keep this", 0, 4);
    ChooseFromMenu({'A', 'D'});
    ASSERT_TRUE(WaitUntil("the picker on the item applied", [&] {
        const PickerView picker = app_->Picker();
        return picker.category == 0 && picker.item == 3;
    }));
    // A key typed now arrives behind anything the program might have sent.
    TypeText(u"!");
    EXPECT_TRUE(TargetShows(u"! this"));
    EXPECT_EQ(ClipboardText(), std::optional<std::u16string>(u"sentinel"));
}

TEST_F(ApplyTest, ConversionKeepsJapaneseEmojiAndLineEnds) {
    const std::u16string text = u"猫が3匹😀\r\n<中身>と12個 ①\r\n終わり";
    Prepare(text, 0, -1);
    ChooseFromMenu({'C', 'A'});
    EXPECT_TRUE(TargetShows(u"犬が[3]匹😀\r\n<…>と[12]個 ①\r\n終わり"));
}

// A target that answers the copy 300 ms late, with other text on the clipboard beforehand: the
// capture awaits its copy, so both kinds of item work on its selection.
TEST_F(ApplyTest, ATargetThatCopiesLateIsAwaited) {
    target_->SetCopyDelay(300ms);
    for (const auto& [letters, expected] :
         {std::pair{std::vector<WORD>{'A', 'C'}, u"前[猫3]後"}, {{'C', 'A'}, u"前犬[3]後"}}) {
        ASSERT_TRUE(SetClipboardText(u"unrelated"));
        Prepare(u"前猫3後", 1, 3);
        ChooseFromMenu(letters);
        EXPECT_TRUE(TargetShows(expected));
        // With the restore setting off, the clipboard keeps the pasted text.
        EXPECT_EQ(ClipboardText(), std::u16string(expected).substr(1, 4));
    }
}

// With an editor open before the program starts again (its tray icon goes and comes back, and the
// taskbar with it), hiding the program's window hands the foreground to the taskbar. The program
// gives it back to the editor itself, so both kinds of item reach the editor's selection rather
// than the clipboard's old text going to the taskbar.
TEST_F(ApplyTest, AfterARestartItemsReachTheEditorOpenedBefore) {
    ASSERT_TRUE(app_->ExitFromTray());
    app_ = std::make_unique<KorvatexApp>(ApplyStore());
    app_->Start();
    ASSERT_TRUE(app_->WaitUntilHidden());
    for (const auto& [letters, expected] :
         {std::pair{std::vector<WORD>{'C', 'A'}, u"前犬[3]後"}, {{'A', 'C'}, u"前[猫3]後"}}) {
        ASSERT_TRUE(SetClipboardText(u"STALE"));
        EXPECT_TRUE(ApplyToTheCat(letters, expected));
    }
}

TEST_F(ApplyTest, TwoInputFieldsAskOnceAndBothGetTheText) {
    Prepare(u"<>", 1, 1);
    ChooseFromMenu({'A', 'B'});
    ASSERT_NE(WaitForDialog(u"%input 入力"), nullptr);
    TypeText(u"入力😀");
    PressKey(VK_RETURN);
    EXPECT_TRUE(TargetShows(u"<入力😀 と 入力😀>"));
}

TEST_F(ApplyTest, EscInThePromptFillsBothFieldsWithNothing) {
    Prepare(u"<>", 1, 1);
    ChooseFromMenu({'A', 'B'});
    ASSERT_NE(WaitForDialog(u"%input 入力"), nullptr);
    TypeText(u"dropped");
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(TargetShows(u"< と >"));
}

// "貼り付け後にクリップボードを元に戻す" on: what the user had copied, in every format, is back
// once the target has pasted the result, unless a newer copy came after the paste.
class RestoreClipboardScenario : public ApplyScenario {
protected:
    void SetUp() override { Start(ApplyStore(), {{u"restoreclip", 1}}); }

    static constexpr char16_t kUsers[] = u"ユーザーのコピー😀\r\n二行目";
    static constexpr char16_t kRich[] = u"Korvatex test format";
    const std::string kRichBytes = "<b>太字</b>";
};

TEST_F(RestoreClipboardScenario, TheUsersClipboardComesBackAfterThePaste) {
    ASSERT_TRUE(SetClipboardTextWith(kUsers, kRich, kRichBytes));
    Prepare(u"前猫3後", 1, 3);
    ChooseFromMenu({'A', 'C'});
    ASSERT_TRUE(TargetShows(u"前[猫3]後"));
    EXPECT_TRUE(WaitUntil("the user's clipboard back in both formats", [&] {
        const auto rich = ClipboardFormat(kRich);
        return ClipboardText() == kUsers && rich && rich->starts_with(kRichBytes);
    }));
}

// The program's process, whose copy of the result makes it the clipboard's owner; the clipboard is
// not opened, which would read the announced text before the target does.
bool ProgramOwnsTheClipboard(HWND programWindow) {
    DWORD owner = 0;
    DWORD program = 1;
    ::GetWindowThreadProcessId(::GetClipboardOwner(), &owner);
    ::GetWindowThreadProcessId(programWindow, &program);
    return owner == program;
}

// A target that answers its paste late, and a second application started while it waits: the
// late paste gets the first result, not the user's old clipboard, and the user's clipboard is back
// after the second paste.
TEST_F(RestoreClipboardScenario, ALatePasteGetsItsResultWhileASecondApplicationRuns) {
    ASSERT_TRUE(SetClipboardText(kUsers));
    target_->SetPasteDelay(600ms);
    Prepare(u"前猫3後", 1, 3);
    ChooseFromMenu({'A', 'C'});
    ASSERT_TRUE(WaitUntil("the result on its way to the target",
                          [&] { return ProgramOwnsTheClipboard(app_->MainWindow()); }));
    // Its paste done, the target has no selection: the second capture takes the first result.
    ChooseFromMenu({'A', 'C'});
    EXPECT_TRUE(TargetShows(u"前[猫3][[猫3]]後"));
    EXPECT_TRUE(ClipboardBackTo(kUsers));
}

// A conversion refused after the capture brings the user's clipboard back at once, and the next
// application saves it again, not the selection.
TEST_F(RestoreClipboardScenario, ARefusedConversionBringsTheUsersClipboardBack) {
    ASSERT_TRUE(SetClipboardText(kUsers));
    Prepare(u"前猫3後", 1, 3);
    ChooseFromMenu({'E', 'A'});
    EXPECT_EQ(app_->WaitForMessage(app_->MainWindow()), u"正規表現の構文に誤りがあります");
    ASSERT_TRUE(app_->AnswerMessage());
    EXPECT_TRUE(ClipboardBackTo(kUsers)) << "after the refusal";
    ASSERT_TRUE(ApplyToTheCat({'A', 'C'}, u"前[猫3]後"));
    EXPECT_TRUE(ClipboardBackTo(kUsers)) << "after the next application";
}

// An owner that puts ANSI text before its Unicode text, as older programs do: the text comes back
// whole, emoji included, rather than as the code page's "?".
TEST_F(RestoreClipboardScenario, TextGivenAsAnsiFirstComesBackWithItsEmoji) {
    ASSERT_TRUE(SetClipboardAnsiTextFirst(kUsers));
    ASSERT_TRUE(ApplyToTheCat({'A', 'C'}, u"前[猫3]後"));
    EXPECT_TRUE(ClipboardBackTo(kUsers));
}

// Two clipboard histories beside the program, one honouring Windows' markers and one only
// "Clipboard Viewer Ignore": neither records the result, and neither reads it before the target,
// so the user's clipboard comes back.
TEST_F(RestoreClipboardScenario, ClipboardHistoriesRecordNoResultAndDoNotStopTheRestore) {
    ClipboardHistory windows(ClipboardHistory::Honours::WindowsMarkers);
    ClipboardHistory thirdParty(ClipboardHistory::Honours::ViewerIgnoreOnly);
    ASSERT_TRUE(windows.WaitUntilListening() && thirdParty.WaitUntilListening());
    ASSERT_TRUE(SetClipboardText(kUsers));
    ASSERT_TRUE(ApplyToTheCat({'A', 'C'}, u"前[猫3]後"));
    EXPECT_TRUE(ClipboardBackTo(kUsers));
    for (const ClipboardHistory* history : {&windows, &thirdParty}) {
        const auto recorded = history->Recorded();
        EXPECT_EQ(std::count(recorded.begin(), recorded.end(), u"[猫3]"), 0);
        EXPECT_EQ(std::count(recorded.begin(), recorded.end(), kUsers), 1)
            << "the user's own copy, once, and not again when it comes back";
    }
}

// With a long paste delay, a second application within it: only its result is pasted, and the
// user's clipboard, not the first result, comes back.
class SlowRestoreScenario : public ApplyScenario {
protected:
    void SetUp() override { Start(ApplyStore(), {{u"restoreclip", 1}, {u"timedelay", 1500}}); }
};

TEST_F(SlowRestoreScenario, ASecondApplicationWithinTheDelayKeepsTheUsersClipboard) {
    static constexpr char16_t kUsers[] = u"KEEP😀 ①";
    ASSERT_TRUE(SetClipboardText(kUsers));
    Prepare(u"前猫3後", 1, 3);
    const auto before = PerformanceClock::now();
    ChooseFromMenu({'C', 'A'});
    // The first capture over, its paste waits for the delay.
    ASSERT_TRUE(WaitUntil("the first copy", [&] { return target_->LastCopy() > before; }));
    ChooseFromMenu({'C', 'A'});
    EXPECT_TRUE(TargetShows(u"前犬[3]後"));
    EXPECT_TRUE(ClipboardBackTo(kUsers));
}

TEST_F(RestoreClipboardScenario, ACopyByAnotherProgramAfterThePasteIsLeftAlone) {
    ASSERT_TRUE(SetClipboardTextWith(kUsers, kRich, kRichBytes));
    target_->CopyAfterEachPaste(true);
    Prepare(u"前猫3後", 1, 3);
    ChooseFromMenu({'C', 'A'});
    ASSERT_TRUE(TargetShows(u"前犬[3]後"));
    EXPECT_TRUE(WaitUntil("the later copy on the clipboard",
                          [] { return ClipboardText() == TargetApp::kLaterCopy; }));
    // Longer than the restore takes when nothing stops it.
    EXPECT_FALSE(PollUntil([] { return ClipboardText() == kUsers; }, 1s));
}

// A paste delay of two seconds, and the user clicks into another application before it is over:
// that application's text is untouched, nothing goes into the first one either, and the result
// waits on the clipboard, as a balloon at the tray icon says.
class SlowPasteScenario : public ApplyScenario {
protected:
    void SetUp() override { Start(ApplyStore(), {{u"timedelay", 2000}}); }
};

TEST_F(SlowPasteScenario, AnApplicationSwitchedToDuringTheDelayKeepsItsText) {
    TargetApp other = TargetApp::Start();
    other.SetText(u"別のアプリ");
    other.Select(0, -1);
    Prepare(u"前猫3後", 1, 3);
    ChooseFromMenu({'A', 'C'});
    ASSERT_TRUE(WaitUntil("the result on the clipboard",
                          [] { return ClipboardText() == std::u16string(u"[猫3]"); }));
    // Asked again if the program's hand-over of the foreground to the target comes after it.
    ASSERT_TRUE(WaitUntil("the other application with the keyboard", [&] {
        if (::GetForegroundWindow() != other.Window()) {
            ::SetForegroundWindow(other.Window());
        }
        return HasKeyboardFocus(other.Edit());
    }));
    HWND balloon = nullptr;
    ASSERT_TRUE(WaitUntil("a balloon at the tray icon", [&] {
        balloon = VisibleBalloon();
        return balloon != nullptr;
    }));
    EXPECT_EQ(
        BalloonText(balloon),
        u"貼り付け先が切り替わったため貼り付けませんでした。結果はクリップボードにあります。");
    EXPECT_EQ(other.Text(), u"別のアプリ");
    EXPECT_EQ(target_->Text(), u"前猫3後");
    EXPECT_EQ(ClipboardText(), std::optional<std::u16string>(u"[猫3]"));
    EXPECT_TRUE(DismissBalloon(balloon));
}

// "%{カーソル}": after the paste the caret stands where the field stood, between the two line
// breaks, read back from the target's edit control. Left is pressed once for the CR LF and once
// for each character after it.
TEST_F(ApplyTest, TheCaretStandsWhereTheCaretFieldStood) {
    Prepare(u"前\r\n田中\r\n後", 3, 5);
    ChooseFromMenu({'D', 'A'});
    const std::u16string before = u"前\r\n田中様\r\n";
    ASSERT_TRUE(TargetShows(before + u"\r\nよろしくお願いいたします。\r\n後"));
    const int caret = static_cast<int>(before.size());
    EXPECT_TRUE(WaitUntil("the caret where %{カーソル} stood",
                          [&] { return target_->Selection() == std::pair(caret, caret); }))
        << "the caret is at " << target_->Selection().first << ", not " << caret;
    // No further keys come: the caret stays there.
    EXPECT_FALSE(PollUntil([&] { return target_->Selection() != std::pair(caret, caret); }, 500ms));
}

// The Japanese date fields agree with Windows' clock, the weekday with its day of the week; a
// caret field at the end sends no arrows.
TEST_F(ApplyTest, JapaneseDateFieldsAgreeWithTheSystemClock) {
    Prepare(u"<>", 1, 1);
    const std::u16string before = JapaneseDateLine();
    ChooseFromMenu({'D', 'B'});
    const std::u16string after = JapaneseDateLine();
    EXPECT_TRUE(WaitUntil("the target to show the Japanese date line",
                          [&] {
                              const std::u16string text = target_->Text();
                              return text == u"<" + before + u">" || text == u"<" + after + u">";
                          }))
        << "target shows: " << platform::Utf16ToUtf8(target_->Text());
    const int end = static_cast<int>(1 + before.size());
    EXPECT_FALSE(PollUntil([&] { return target_->Selection() != std::pair(end, end); }, 500ms))
        << "the caret moved to " << target_->Selection().first;
}

TEST_F(ApplyTest, FiftyApplicationsInARowLoseNothing) {
    for (int i = 0; i < 50; ++i) {
        // Appended piece by piece: GCC 12 warns falsely on a literal added to a string here.
        std::u16string text = u"行";
        text += platform::Utf8ToUtf16(std::to_string(i));
        text += u" 😀 テキスト\r\n二行目";
        Prepare(text, 0, -1);
        ChooseFromMenu({'A', 'C'});
        ASSERT_TRUE(TargetShows(u"[" + text + u"]")) << "application " << i;
    }
}

} // namespace
} // namespace kvtx::e2e
