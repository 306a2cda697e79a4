// The quick regular-expression tool: its hotkey, its dialog with the history file, malformed
// patterns, and cancelling.

#include "platform/utf.h"
#include "tests/e2e/driver/clipboard.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/remote_controls.h"
#include "tests/e2e/driver/waiting.h"
#include "tests/e2e/korvatex/apply_scenario.h"

#include <cstring>

namespace kvtx::e2e {
namespace {

constexpr char16_t kCaption[] = u"正規表現";

std::vector<std::u16string> HistoryLines(const std::u16string& path) {
    std::vector<std::u16string> lines;
    const auto bytes = ReadFileBytes(path);
    if (!bytes) {
        return lines;
    }
    std::u16string text(bytes->size() / 2, u'\0');
    std::memcpy(text.data(), bytes->data(), text.size() * 2);
    for (std::size_t start = 0; start < text.size();) {
        const auto end = text.find(u"\r\n", start);
        if (end == std::u16string::npos) {
            lines.push_back(text.substr(start) + u"<no CR LF>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

class QuickRegexTest : public ApplyScenario {
protected:
    void SetUp() override { Start({{u"挨拶", {TextItem(u"括弧", u"[%original]")}}}); }

    std::u16string HistoryPath() const { return app_->Folder() + u"korvatex.his"; }

    // Opens the tool over the target's selection and types the two fields.
    HWND Open(const std::u16string& pattern, const std::u16string& replacement) {
        PressHotkey(kRegexHotkey);
        HWND dialog = WaitForDialog(kCaption);
        if (dialog != nullptr) {
            TypeText(pattern);
            PressKey(VK_TAB);
            TypeText(replacement);
        }
        return dialog;
    }
};

TEST_F(QuickRegexTest, SubstitutesOverTheSelectionAndRemembersTheTexts) {
    Prepare(u"x a1b22c\r\n3 y", 2, 12);
    ASSERT_NE(Open(u"\\d+", u"#"), nullptr);
    PressKey(VK_RETURN);
    ASSERT_TRUE(TargetShows(u"x a#b#c\r\n# y"));

    std::vector<std::u16string> expected{u"\\d+"};
    expected.resize(10);
    expected.emplace_back(u"#");
    expected.resize(20);
    EXPECT_EQ(HistoryLines(HistoryPath()), expected);
}

TEST_F(QuickRegexTest, NextOpeningOffersTheLastTexts) {
    Prepare(u"aaa", 0, 3);
    ASSERT_NE(Open(u"a", u"b"), nullptr);
    PressKey(VK_RETURN);
    ASSERT_TRUE(TargetShows(u"bbb"));

    Prepare(u"bab", 0, 3);
    PressHotkey(kRegexHotkey);
    HWND dialog = WaitForDialog(kCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(ChildById(dialog, 1032)), u"a");
    EXPECT_EQ(ControlText(ChildById(dialog, 1033)), u"b");
    EXPECT_EQ(ComboBoxItems(ChildById(dialog, 1032)), std::vector<std::u16string>{u"a"});
    PressKey(VK_RETURN);
    ASSERT_TRUE(TargetShows(u"bbb"));
    const auto lines = HistoryLines(HistoryPath());
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], u"a");
    EXPECT_EQ(lines[1], u"a") << "the same pattern used twice is listed twice";
    EXPECT_EQ(lines[11], u"b");
}

TEST_F(QuickRegexTest, MalformedPatternKeepsTheDialogOpenWithItsMessage) {
    Prepare(u"abc", 0, 3);
    HWND dialog = Open(u"(", u"x");
    ASSERT_NE(dialog, nullptr);
    PressKey(VK_RETURN);
    EXPECT_EQ(app_->WaitForMessage(dialog), u"構文に誤りがあります");
    ASSERT_TRUE(app_->AnswerMessage());
    EXPECT_TRUE(::IsWindowVisible(dialog));
    EXPECT_EQ(ControlText(ChildById(dialog, 1032)), u"(");
    EXPECT_FALSE(FileExists(HistoryPath()));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntilClosed(kCaption));
    EXPECT_EQ(target_->Text(), u"abc");
}

TEST_F(QuickRegexTest, EscSendsNoKeystrokes) {
    ASSERT_TRUE(SetClipboardText(u"sentinel"));
    Prepare(u"one two", 4, 7);
    ASSERT_NE(Open(u"o", u"0"), nullptr);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilClosed(kCaption));
    EXPECT_FALSE(FileExists(HistoryPath()));
    // The picker coming up shows that the program has finished with the Esc; a key typed into
    // the target afterwards arrives behind any copy or paste the tool might have sent.
    ASSERT_TRUE(app_->ShowPickerAt({300, 200}));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil("the picker to hide", [&] { return !app_->Picker().visible; }));
    ASSERT_TRUE(target_->Focus());
    TypeText(u"!");
    EXPECT_TRUE(TargetShows(u"one !"));
    EXPECT_EQ(ClipboardText(), std::optional<std::u16string>(u"sentinel"));
}

} // namespace
} // namespace kvtx::e2e
