#include "engine/capture_and_paste.h"
#include "engine/regex_messages.h"
#include "platform/utf.h"
#include "tests/engine/fake_picker.h"
#include "tests/fakes/fake_clipboard.h"
#include "tests/fakes/fake_foreground.h"
#include "tests/fakes/fake_keystrokes.h"
#include "tests/fakes/fake_paste_window.h"
#include "tests/fakes/fake_tray_icon.h"
#include "tests/fakes/fake_ui_thread.h"
#include "tests/fakes/test_store.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace kvtx {
namespace {

using namespace testing;

const std::u16string kDir = u"C:\\kvtx\\";
const platform::TargetWindow kEditor = FakeForeground::kEditor;
const platform::TargetWindow kNotepad = FakeForeground::kNotepad;
constexpr std::int32_t kInsertion = static_cast<std::int32_t>(ItemKind::TextInsertion);
constexpr std::int32_t kConversion = static_cast<std::int32_t>(ItemKind::TextConversion);

std::u16string ReplaceAll(std::u16string text, const std::u16string& from,
                          const std::u16string& to) {
    for (auto at = text.find(from); at != std::u16string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

// Fields and steps reduced to what shows that the driver hands the right texts around.
class FakeTransforms final : public TextTransforms {
public:
    // "%{カーソル}" is only looked for after "%original", as the fake's templates want.
    std::optional<std::size_t> ExpandTemplate(std::u16string& text,
                                              const std::u16string& selected) override {
        ++expansions;
        if (onExpand) {
            onExpand();
        }
        text = ReplaceAll(text, u"%original", selected);
        static constexpr std::u16string_view kCaret = u"%{カーソル}";
        const std::size_t caret = text.find(kCaret);
        if (caret == std::u16string::npos) {
            return std::nullopt;
        }
        text = ReplaceAll(text, std::u16string(kCaret), u"");
        return caret;
    }
    bool ApplyConversion(const PhraseItem& item, const ItemContent&,
                         std::u16string& text) override {
        convertedItems.push_back(FieldText(item.name));
        if (conversionFails) {
            return false;
        }
        text = u"[" + text + u"]";
        return true;
    }
    RegexStatus SubstituteQuick(std::u16string& text, const std::u16string& pattern,
                                const std::u16string& replacement) override {
        if (pattern == u"(") {
            return RegexStatus::kMalformed;
        }
        if (pattern == u"(a+)+b") {
            return RegexStatus::kMatchLimit;
        }
        text = ReplaceAll(text, pattern, replacement);
        return RegexStatus::kDone;
    }

    int expansions = 0;
    bool conversionFails = false;
    std::vector<std::u16string> convertedItems;
    std::function<void()> onExpand;
};

class ScriptedRegexPrompt final : public RegexPrompt {
public:
    std::optional<QuickRegexRequest> AskRegex() override {
        ++asked;
        if (onAsk) {
            onAsk();
        }
        return answer;
    }
    std::optional<QuickRegexRequest> answer;
    int asked = 0;
    std::function<void()> onAsk;
};

// The foreground application: its selection goes to the clipboard on Ctrl+C, and Ctrl+V
// replaces the selection with the clipboard's text.
struct Target {
    std::u16string before;
    std::u16string selected;
    std::u16string after;
    int copies = 0;
    int pastes = 0;
    bool takesPastes = true;
    std::u16string Text() const { return before + selected + after; }
    // The caret stands between before (and the selection) and after.
    std::size_t Caret() const { return before.size(); }
    // Left moves the caret one stop back, over a CR LF or a surrogate pair as a whole.
    void Left() {
        if (before.empty()) {
            return;
        }
        std::size_t units = 1;
        if (before.size() >= 2) {
            const char16_t last = before.back();
            const char16_t previous = before[before.size() - 2];
            if ((previous == u'\r' && last == u'\n') ||
                (previous >= 0xD800 && previous <= 0xDBFF && last >= 0xDC00 && last <= 0xDFFF)) {
                units = 2;
            }
        }
        after.insert(0, before.substr(before.size() - units));
        before.resize(before.size() - units);
    }
};

class CaptureAndPasteTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteTestStore(files, kDir,
                       {{u"挨拶",
                         {{u"dear", kInsertion, u"Dear %original,"},
                          {u"empty", kInsertion, u""},
                          {u"wrap", kConversion, u""}}},
                        {u"other", {{u"odd", 7, u"x"}, {u"plain", kInsertion, u"plain"}}},
                        {u"caret",
                         {{u"mid", kInsertion, u"%original様\r\n%{カーソル}\r\n以上😀"},
                          {u"end", kInsertion, u"%original%{カーソル}"},
                          {u"only", kInsertion, u"%{カーソル}"},
                          {u"wrap", kConversion, u""}}}});
        picker = std::make_unique<FakePicker>(files, kDir, clipboard);
        driver = std::make_unique<CaptureAndPaste>(
            DriverServices{clipboard, keys, thread, window, foreground, messages, tray}, *picker,
            transforms);
        keys.onKeyDown = [this](std::uint8_t key, bool control) {
            if (!control && !(key == platform::kVkInsert && keys.shiftDown)) {
                if (key == platform::kVkLeft) {
                    target.Left();
                }
                return;
            }
            // Ctrl+Insert copies and Shift+Insert pastes, as in a terminal.
            if (key == platform::kVkInsert) {
                key = keys.shiftDown ? platform::kVkV : platform::kVkC;
            }
            if (key == platform::kVkC) {
                ++target.copies;
                // An application copies nothing without a selection; one that answers late has
                // answered the keys before first.
                const auto copy = [this] {
                    if (!target.selected.empty()) {
                        clipboard.Set(target.selected);
                    }
                };
                thread.at.emplace(thread.waitedMs + copyDelayMs, copy);
            } else if (key == platform::kVkLeft) {
                ADD_FAILURE() << "Left with Ctrl down";
            } else if (key == platform::kVkV && target.takesPastes) {
                ++target.pastes;
                const auto paste = [this] {
                    target.before += clipboard.ReadForPaste(readerProcess);
                    target.selected.clear();
                };
                if (pasteDelayMs > 0) {
                    thread.at.emplace(thread.waitedMs + pasteDelayMs, paste);
                } else {
                    paste();
                }
            }
        };
        keys.onType = [this](std::u16string_view text) {
            target.before += text;
            target.selected.clear();
        };
        clipboard.onRenderRequest = [this](unsigned format) {
            driver->Keeper().OnRenderRequest(format);
        };
        clipboard.onReplaced = [this] { driver->Keeper().OnClipboardReplaced(); };
        clipboard.Set(u"stale");
        target = {u"<", u"Bob", u">"};
    }

    void LogEverything() {
        clipboard.log = keys.log = thread.log = window.log = foreground.log = &log;
    }
    // As from the category menu, opened over the editor.
    void Apply(int category, int item) { driver->ApplyItem(category * 26 + item, kEditor); }
    void FirePasteTimer() {
        if (window.pasteTimerMs >= 0) {
            driver->OnPasteTimer();
        }
    }
    void FireRestoreTimer() {
        if (window.restoreTimerMs >= 0) {
            driver->Keeper().OnRestoreTimer();
        }
    }
    std::ptrdiff_t Count(const std::string& event) const {
        return std::count(log.begin(), log.end(), event);
    }

    FakeFileSystem files;
    FakeClipboard clipboard;
    FakeKeystrokes keys;
    FakeUiThread thread;
    FakePasteWindow window;
    FakeForeground foreground;
    FakeMessageBox messages;
    FakeTrayIcon tray;
    FakeTransforms transforms;
    std::unique_ptr<FakePicker> picker;
    std::unique_ptr<CaptureAndPaste> driver;
    Target target;
    // How long the target takes to answer Ctrl+C and Ctrl+V, and the process its paste reads the
    // clipboard from.
    int copyDelayMs = 0;
    int pasteDelayMs = 0;
    std::uint32_t readerProcess = kEditor.process;
    EventLog log;
};

std::vector<std::string> WaitsAndPumps() {
    std::vector<std::string> events;
    for (int i = 0; i < 5; ++i) {
        events.insert(events.end(), {"wait 10", "pump", "pump", "pump"});
    }
    return events;
}

TEST_F(CaptureAndPasteTest, InsertionCapturesCopiesHidesAndPastesInTheOrderGiven) {
    LogEverything();
    Apply(0, 0);

    std::vector<std::string> expected = {"minimize", "hide", "bring to front 4096"};
    const auto waits = WaitsAndPumps();
    expected.insert(expected.end(), waits.begin(), waits.end());
    // The target's copy lands as soon as the thread waits for it.
    expected.insert(expected.end(), {"return focus 4097", "watch clipboard", "down 17", "down 67",
                                     "up 67", "up 17", "wait for a message 10", "pump", "pump",
                                     "pump", "read clipboard", "stop watching", "minimize", "hide",
                                     "bring to front 4096", "start paste timer 150"});
    EXPECT_EQ(log, expected);
    EXPECT_EQ(clipboard.text, u"Dear Bob,");
    EXPECT_EQ(target.Text(), u"<Bob>") << "nothing is pasted before the timer fires";

    log.clear();
    FirePasteTimer();
    EXPECT_EQ(log, (std::vector<std::string>{"kill paste timer", "down 17", "down 86", "up 86",
                                             "up 17"}));
    EXPECT_EQ(target.Text(), u"<Dear Bob,>");
}

// The copy is awaited, not timed: a target that answers late is still read after its copy, and
// the capture ends as soon as the copy has landed and the clipboard can be opened.
TEST_F(CaptureAndPasteTest, TheCaptureAwaitsTheTargetsCopyAndEndsWhenItHasLanded) {
    for (const int delay : {0, 120, 300, 990}) {
        target = {u"<", u"Bob", u">"};
        clipboard.Set(u"unrelated");
        copyDelayMs = delay;
        const int before = thread.waitedMs;
        Apply(0, 2);
        EXPECT_EQ(transforms.convertedItems.size(), 1u);
        FirePasteTimer();
        EXPECT_EQ(target.Text(), u"<[Bob]>") << delay;
        EXPECT_EQ(thread.waitedMs - before, 50 + delay) << "five waits, then the copy";
        transforms.convertedItems.clear();
    }
}

TEST_F(CaptureAndPasteTest, AClipboardHeldOpenAfterTheCopyIsReadOnceItIsFree) {
    copyDelayMs = 20;
    thread.at.emplace(60, [&] { clipboard.locked = true; });
    thread.at.emplace(200, [&] { clipboard.locked = false; });
    Apply(0, 2);
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"<[Bob]>");
    EXPECT_EQ(thread.waitedMs, 200);
}

TEST_F(CaptureAndPasteTest, WithNoCopyWithinASecondTheCaptureTakesWhatTheClipboardHolds) {
    target = {u"<", u"", u">"};
    Apply(0, 2);
    EXPECT_EQ(thread.waitedMs, 50 + kCopyWaitMs);
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"<[stale]>");
    clipboard.locked = true; // held for ever: the capture still ends, with nothing
    Apply(0, 2);
    EXPECT_EQ(thread.waitedMs, 2 * (50 + kCopyWaitMs));
}

// Windows drops synthesized keys sent to a program of a higher integrity level: the user is told,
// and nothing is copied, applied or pasted.
TEST_F(CaptureAndPasteTest, ATargetRunAsAdministratorIsToldNotSilentlyMissed) {
    keys.elevatedProcess = kEditor.process;
    ScriptedRegexPrompt prompt;
    prompt.answer = QuickRegexRequest{u"o", u"0"};
    Apply(0, 0);
    driver->RunQuickRegex(prompt, kEditor);
    const std::u16string message = u"管理者として実行中のアプリケーションには貼り付けできません。"
                                   u"Korvatexも管理者として実行してください。";
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{message, message}));
    EXPECT_EQ(target.copies, 0);
    EXPECT_EQ(transforms.expansions, 0);
    EXPECT_EQ(window.pasteTimerMs, -1);
    EXPECT_EQ(clipboard.text, u"stale");
}

// The keys go to the target and nowhere else: one that is gone, hangs, or has lost the keyboard
// to another window by the time of the copy gets nothing, and the user is told; so does a hotkey
// pressed with no application in front. Nothing is left waiting, and a target that is gone or
// hangs is not brought to the front.
TEST_F(CaptureAndPasteTest, NoKeyGoesOutWhenTheTargetCannotTakeTheCopy) {
    const std::u16string missing = u"貼り付け先のウィンドウが見つからないため、中止しました。";
    const std::u16string hanging = u"貼り付け先のアプリケーションが応答しないため、中止しました。";
    struct Case {
        const char* what;
        std::function<void()> arrange;
        platform::Target target;
        std::u16string message;
        bool broughtToFront;
    };
    const Case cases[] = {
        {"closed", [&] { foreground.closed = kEditor.window; }, kEditor, missing, false},
        {"hung", [&] { foreground.hung = kEditor.window; }, kEditor, hanging, false},
        {"another window took over",
         [&] {
             foreground.takesForeground = false;
             foreground.front = kNotepad;
         },
         kEditor, missing, true},
        {"no application in front", [] {}, std::nullopt, missing, false},
    };
    ScriptedRegexPrompt prompt;
    prompt.answer = QuickRegexRequest{u"o", u"0"};
    for (const auto& c : cases) {
        foreground = FakeForeground{};
        foreground.log = &log;
        log.clear();
        messages.shown.clear();
        c.arrange();
        const int before = thread.waitedMs;
        driver->ApplyItem(2, c.target);
        driver->RunQuickRegex(prompt, c.target);
        EXPECT_EQ(messages.shown, (std::vector<std::u16string>{c.message, c.message})) << c.what;
        EXPECT_EQ(target.copies, 0) << c.what;
        EXPECT_EQ(window.pasteTimerMs, -1) << c.what;
        EXPECT_FALSE(driver->Busy()) << c.what;
        EXPECT_LE(thread.waitedMs - before, 2 * (50 + kTargetWaitMs)) << c.what;
        EXPECT_EQ(Count("bring to front 4096") > 0, c.broughtToFront) << c.what;
    }
    EXPECT_EQ(clipboard.text, u"stale");
}

// The target takes its activation in its own time: the copy waits for it to have the keyboard.
TEST_F(CaptureAndPasteTest, TheCopyWaitsForTheTargetToHaveTheKeyboardBack) {
    foreground.takesForeground = false;
    foreground.front.reset();
    thread.at.emplace(170, [&] { foreground.front = kEditor; });
    Apply(0, 2);
    EXPECT_EQ(target.copies, 1);
    EXPECT_GE(thread.waitedMs, 170);
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"<[Bob]>");
}

// When the paste is due the target must still have the keyboard: a user gone to another
// application keeps their text there untouched and finds the result on the clipboard, told by a
// balloon that takes no keyboard. Nothing is pasted later either.
TEST_F(CaptureAndPasteTest, APasteDueWhenTheTargetHasLostTheKeyboardIsWithheldWithABalloon) {
    struct Case {
        const char* what;
        std::function<void()> happen;
        std::u16string balloon;
    };
    const Case cases[] = {
        {"switched", [&] { foreground.front = kNotepad; },
         u"貼り付け先が切り替わったため貼り付けませんでした。結果はクリップボードにあります。"},
        {"closed",
         [&] {
             foreground.closed = kEditor.window;
             foreground.front = kNotepad;
         },
         u"貼り付け先のウィンドウが閉じられたため貼り付けませんでした。"
         u"結果はクリップボードにあります。"},
        {"hung", [&] { foreground.hung = kEditor.window; },
         u"貼り付け先のアプリケーションが応答しないため貼り付けませんでした。"
         u"結果はクリップボードにあります。"},
    };
    // With the user's clipboard to come back as well: the result still stays for the user.
    for (const bool restores : {false, true}) {
        picker->restoreClipboard = restores;
        for (const auto& c : cases) {
            foreground = FakeForeground{};
            target = {u"<", u"Bob", u">"};
            Apply(0, 2);
            c.happen();
            FirePasteTimer();
            FireRestoreTimer();
            EXPECT_EQ(target.pastes, 0) << c.what;
            EXPECT_EQ(clipboard.text, u"[Bob]") << c.what << restores;
            EXPECT_EQ(window.restoreTimerMs, -1) << c.what;
            ASSERT_FALSE(tray.balloons.empty()) << c.what;
            EXPECT_EQ(tray.balloons.back(), c.balloon) << c.what;
        }
    }
    EXPECT_EQ(tray.balloons.size(), 6u);
    EXPECT_TRUE(messages.shown.empty());
    foreground = FakeForeground{};
    FirePasteTimer();
    EXPECT_EQ(target.pastes, 0);
}

// The item chosen from the category menu goes to the application the menu was opened over; a
// command that comes with no menu before it has none. A second application, started in another
// application before the first one's paste, pastes only its own result, into its own target.
TEST_F(CaptureAndPasteTest, EachApplicationPastesIntoTheApplicationItWasStartedIn) {
    driver->ShowMenuFor(kEditor, [] {});
    driver->ApplyMenuChoice(2);
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"<[Bob]>");
    driver->ApplyMenuChoice(2);
    EXPECT_EQ(messages.shown, std::vector<std::u16string>{
                                  u"貼り付け先のウィンドウが見つからないため、中止しました。"});
    EXPECT_EQ(target.copies, 1);

    target = {u"<", u"Bob", u">"};
    Apply(0, 2);
    foreground.front = kNotepad;
    target = {u"(", u"Ann", u")"}; // the test's one application stands for notepad now
    driver->ApplyItem(2, kNotepad);
    FirePasteTimer();
    EXPECT_EQ(target.pastes, 1);
    EXPECT_EQ(target.Text(), u"([Ann])");
    EXPECT_TRUE(tray.balloons.empty());
}

TEST_F(CaptureAndPasteTest, PickerShowsTheAppliedCategoryAndItemAfterwards) {
    Apply(1, 1);
    EXPECT_EQ(picker->category, 1);
    EXPECT_EQ(picker->item, 1);
    EXPECT_EQ(picker->combo.Selection(), 1);
    EXPECT_EQ(picker->list.Selection(), 1);
    EXPECT_EQ(picker->preview.Text(), u"plain");
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"<plain>");
}

TEST_F(CaptureAndPasteTest, CategoryFileIsReadAfreshForEveryApplication) {
    Apply(0, 0);
    FirePasteTimer();
    WriteTestStore(files, kDir, {{u"挨拶", {{u"dear", kInsertion, u"Hello %original"}}}});
    target = {u"", u"Ann", u""};
    Apply(0, 0);
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"Hello Ann");
}

// A text item that does not use the selection sends no copy keystroke (in a console it would
// throw the line away), and with nothing to insert, no paste either; one that does copies.
TEST_F(CaptureAndPasteTest, OnlyAnItemThatUsesTheSelectionSendsTheCopyKeystroke) {
    Apply(1, 1);
    FirePasteTimer();
    EXPECT_EQ(target.copies, 0);
    EXPECT_EQ(target.Text(), u"<plain>");

    target = {u"<", u"Bob", u">"};
    Apply(0, 1);
    FirePasteTimer();
    EXPECT_EQ(target.copies, 0);
    EXPECT_EQ(target.pastes, 0);
    EXPECT_EQ(window.pasteTimerMs, -1);
    EXPECT_EQ(clipboard.text, u"plain");
    EXPECT_EQ(target.Text(), u"<Bob>");

    Apply(0, 0);
    FirePasteTimer();
    EXPECT_EQ(target.copies, 1);
    EXPECT_EQ(target.Text(), u"<Dear Bob,>");
}

TEST_F(CaptureAndPasteTest, WithoutASelectionOriginalIsWhatTheClipboardHeld) {
    target = {u"ab", u"", u"cd"};
    Apply(0, 0);
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"abDear stale,cd");
}

TEST_F(CaptureAndPasteTest, ClipboardThatCannotBeOpenedGivesEmptyCapture) {
    clipboard.locked = true;
    Apply(0, 0);
    EXPECT_EQ(picker->preview.Text(), u"Dear ,");
}

TEST_F(CaptureAndPasteTest, ConversionRewritesTheCapturedSelection) {
    Apply(0, 2);
    EXPECT_EQ(transforms.convertedItems, std::vector<std::u16string>{u"wrap"});
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"<[Bob]>");
}

TEST_F(CaptureAndPasteTest, MalformedConversionHidesAndLeavesTheSelectionOnTheClipboard) {
    transforms.conversionFails = true;
    Apply(0, 2);
    EXPECT_EQ(target.copies, 1);
    EXPECT_EQ(picker->copies, 0);
    EXPECT_EQ(clipboard.text, u"Bob");
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(window.pasteTimerMs, -1);
    FirePasteTimer();
    EXPECT_EQ(target.pastes, 0);
    EXPECT_FALSE(driver->Busy());
}

TEST_F(CaptureAndPasteTest, IdsThatNameNoItemSendNoKeystrokes) {
    LogEverything();
    for (const int index : {0 * 26 + 3, 3 * 26 + 0, 25 * 26 + 25, 26 * 26 + 1, -1}) {
        driver->ApplyItem(index, kEditor);
    }
    EXPECT_EQ(Count("down 17"), 0);
    EXPECT_EQ(window.pasteTimerMs, -1);
    EXPECT_FALSE(window.visible);
    EXPECT_TRUE(transforms.convertedItems.empty());
}

TEST_F(CaptureAndPasteTest, ItemOfUnknownKindPastesNothing) {
    Apply(1, 0);
    EXPECT_EQ(target.copies, 0);
    EXPECT_EQ(window.pasteTimerMs, -1);
    EXPECT_EQ(clipboard.text, u"stale");
}

TEST_F(CaptureAndPasteTest, HeldModifiersDelayTheChordsUntilReleased) {
    LogEverything();
    keys.modifierHeldQueries = 4;
    Apply(0, 0);
    const auto copy = std::find(log.begin(), log.end(), "down 17");
    ASSERT_NE(copy, log.end());
    EXPECT_EQ(std::count(log.begin(), copy, "wait 10"), 5 + 4);
    EXPECT_EQ(clipboard.text, u"Dear Bob,");

    keys.modifierHeldQueries = 2;
    log.clear();
    FirePasteTimer();
    EXPECT_EQ(log, (std::vector<std::string>{"kill paste timer", "wait 10", "wait 10", "down 17",
                                             "down 86", "up 86", "up 17"}));
}

TEST_F(CaptureAndPasteTest, ModifierHeldForEverDelaysTheChordByTwoSecondsAtMost) {
    keys.modifierHeldQueries = -1;
    Apply(0, 0);
    EXPECT_EQ(thread.waitedMs, 5 * 10 + kModifierReleaseWaitMs);
    EXPECT_EQ(target.copies, 1);
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"<Dear Bob,>");
}

TEST_F(CaptureAndPasteTest, TheCaretGoesBackToTheCaretFieldAfterThePaste) {
    LogEverything();
    target = {u"<", u"田中", u">"};
    Apply(2, 0);
    EXPECT_EQ(Count("left 4"), 0) << "nothing before the paste";
    log.clear();
    FirePasteTimer();
    // CR LF, 以, 上, the emoji: four stops back from the end of the pasted text.
    EXPECT_EQ(log, (std::vector<std::string>{"kill paste timer", "down 17", "down 86", "up 86",
                                             "up 17", "left 4"}));
    EXPECT_EQ(target.Text(), u"<田中様\r\n\r\n以上😀>");
    EXPECT_EQ(target.before, u"<田中様\r\n");
}

// No arrows for a caret field at the end, a conversion, an item that pastes nothing (its result
// is empty, so the selection goes back), or an item without a caret field after one with it.
TEST_F(CaptureAndPasteTest, OnlyACaretFieldBeforeTheEndOfAPastedTextSendsArrows) {
    struct Case {
        int item;
        std::u16string_view pasted;
        std::size_t arrows;
    };
    const Case cases[] = {{1, u"<x>", 0}, {3, u"<[x]>", 0}, {2, u"<x>", 0}, {0, u"", 4}};
    for (const auto& c : cases) {
        target = {u"<", u"x", u">"};
        Apply(2, c.item);
        FirePasteTimer();
        if (!c.pasted.empty()) {
            EXPECT_EQ(target.Text(), c.pasted) << c.item;
        }
        EXPECT_EQ(keys.leftArrows, c.arrows) << c.item;
    }
    Apply(1, 1);
    FirePasteTimer();
    EXPECT_EQ(keys.leftArrows, 4u);
}

TEST_F(CaptureAndPasteTest, HeldModifiersDelayTheArrowsToo) {
    LogEverything();
    target = {u"<", u"a", u">"};
    Apply(2, 0);
    log.clear();
    keys.modifierHeldQueries = 1;
    FirePasteTimer();
    EXPECT_EQ(log, (std::vector<std::string>{"kill paste timer", "wait 10", "down 17", "down 86",
                                             "up 86", "up 17", "left 4"}));
    log.clear();
    Apply(2, 0);
    log.clear();
    keys.modifierHeldQueries = 0;
    // Pressed right after the paste: the arrows wait for it to be let go.
    keys.onKeyDown = [this, previous = keys.onKeyDown](std::uint8_t key, bool control) {
        previous(key, control);
        if (key == platform::kVkV) {
            keys.modifierHeldQueries = 2;
        }
    };
    const int waited = thread.waitedMs;
    FirePasteTimer();
    EXPECT_EQ(thread.waitedMs - waited, 20);
    EXPECT_EQ(Count("left 4"), 1);
}

TEST_F(CaptureAndPasteTest, SecondRequestDuringTheCaptureIsIgnored) {
    ScriptedRegexPrompt prompt;
    prompt.answer = QuickRegexRequest{u"o", u"0"};
    thread.queue.push_back([&] { driver->ApplyItem(1 * 26 + 1, kEditor); });
    thread.queue.push_back([&] { driver->RunQuickRegex(prompt, kEditor); });
    Apply(0, 0);
    EXPECT_EQ(target.copies, 1);
    EXPECT_EQ(prompt.asked, 0);
    EXPECT_EQ(picker->category, 0);
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"<Dear Bob,>");

    EXPECT_FALSE(driver->Busy());
    target = {u"", u"x", u""};
    Apply(1, 1);
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"plain");
}

TEST_F(CaptureAndPasteTest, SecondRequestDuringThePromptIsIgnored) {
    transforms.onExpand = [&] { Apply(0, 2); };
    Apply(0, 0);
    EXPECT_EQ(target.copies, 1);
    EXPECT_TRUE(transforms.convertedItems.empty());
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"<Dear Bob,>");
}

TEST_F(CaptureAndPasteTest, PickerChangedDuringTheCaptureDoesNotChangeWhatIsApplied) {
    thread.queue.push_back([&] {
        picker->combo.UserSelects(1);
        picker->SelectCategory();
    });
    Apply(0, 2);
    EXPECT_EQ(transforms.convertedItems, std::vector<std::u16string>{u"wrap"});
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"<[Bob]>");
}

// A second application within the delay: its capture copies the user's selection, not the first
// result, even when the first paste's timer ticks in the middle of it, and only its own result
// is pasted.
TEST_F(CaptureAndPasteTest, ASecondApplicationWithinTheDelayReplacesTheFirstPaste) {
    Apply(0, 2);
    thread.queue.push_back([&] { FirePasteTimer(); });
    Apply(0, 2);
    EXPECT_EQ(target.pastes, 0);
    EXPECT_EQ(transforms.convertedItems.size(), 2u);
    FirePasteTimer();
    driver->OnPasteTimer(); // a stale timer message pastes nothing more
    EXPECT_EQ(target.pastes, 1);
    EXPECT_EQ(target.Text(), u"<[Bob]>");
}

// The timer ticks on: a paste that waited for an application that stopped before its capture, or
// for the category menu, goes out at the next tick.
TEST_F(CaptureAndPasteTest, APasteHeldByTheMenuOrAnApplicationThatStoppedGoesOutAtTheNextTick) {
    Apply(0, 0);
    driver->HoldPasteWhile([&] { FirePasteTimer(); });
    driver->ApplyItem(25, kEditor); // no such item
    EXPECT_EQ(target.pastes, 0);
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"<Dear Bob,>");
}

// The table of applications chooses the keys: the copy by Ctrl+Insert or none at all (the
// clipboard's text is the selection), the paste by Shift+Insert or Ctrl+Shift+V, or the result
// typed, which leaves the clipboard alone.
TEST_F(CaptureAndPasteTest, TheTableOfApplicationsChoosesTheKeys) {
    struct Case {
        std::u16string_view entry;
        std::vector<std::string> copyKeys;
        std::vector<std::string> pasteKeys;
        std::u16string_view clipboardAfter;
    };
    const Case cases[] = {
        {u"ctrl+insert shift+insert", {"down 17", "down 45"}, {"down 16", "down 45"}, u"[Bob]"},
        {u"none ctrl+shift+v", {}, {"down 17", "down 16", "down 86"}, u"[stale]"},
        {u"none type", {}, {"type 7"}, u"stale"},
    };
    for (const auto& c : cases) {
        picker->applications = {{u"editor.exe", std::u16string(c.entry)}};
        target = {u"<", u"Bob", u">"};
        clipboard.Set(u"stale");
        log.clear();
        LogEverything();
        Apply(0, 2);
        const std::vector<std::string> beforePaste = log;
        log.clear();
        FirePasteTimer();
        for (const auto& key : c.copyKeys) {
            EXPECT_EQ(std::count(beforePaste.begin(), beforePaste.end(), key), 1) << key;
        }
        EXPECT_EQ(std::count(beforePaste.begin(), beforePaste.end(), "down 67"), 0);
        for (const auto& key : c.pasteKeys) {
            EXPECT_EQ(Count(key), 1) << key;
        }
        EXPECT_EQ(Count("down 86") > 0, c.pasteKeys.back() == "down 86");
        const std::u16string pasted = c.copyKeys.empty() ? u"[stale]" : u"[Bob]";
        EXPECT_EQ(target.before, u"<" + pasted) << platform::Utf16ToUtf8(c.entry);
        EXPECT_EQ(clipboard.text, c.clipboardAfter) << platform::Utf16ToUtf8(c.entry);
    }
}

// Typed delivery goes out in pieces that split no surrogate pair and no CR LF, answering messages
// between them, with the pause between characters when the entry gives one; Esc stops it, and so
// does the target's losing the keyboard, with a balloon. The caret field works as with a paste.
// A copy that brings nothing under "type" types nothing, since the clipboard may be stale.
TEST_F(CaptureAndPasteTest, TypedDeliveryGoesOutInPiecesAndStops) {
    picker->applications = {{u"editor.exe", u"ctrl+c type"}};
    std::u16string selected;
    for (int i = 0; i < 20; ++i) {
        selected += u"和😀\r\n";
    }
    target = {u"<", selected, u">"};
    Apply(0, 2);
    const int pumps = thread.pumps;
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"<[" + selected + u"]>");
    EXPECT_EQ(keys.typed, u"[" + selected + u"]");
    EXPECT_GE(thread.pumps - pumps, 3) << "messages are answered between the pieces";

    picker->applications = {{u"editor.exe", u"ctrl+c type 5"}};
    target = {u"<", u"田中", u">"};
    const int waited = thread.waitedMs;
    Apply(2, 0);
    FirePasteTimer();
    EXPECT_EQ(target.before, u"<田中様\r\n");
    EXPECT_GE(thread.waitedMs - waited, 5 * 8) << "a pause after each character";

    // Esc, or the target losing the keyboard, during the first piece: 32 characters, the bracket,
    // ten times 和, 😀 and CR LF, and one more 和, and nothing after them.
    picker->applications = {{u"editor.exe", u"ctrl+c type"}};
    const std::function<void()> stops[] = {[&] { keys.escapeHeld = true; },
                                           [&] { foreground.front = kNotepad; }};
    for (const auto& stop : stops) {
        keys.escapeHeld = false;
        foreground.front = kEditor;
        target = {u"<", selected, u">"};
        Apply(0, 2);
        keys.onType = [&](std::u16string_view text) {
            target.before += text;
            stop();
        };
        FirePasteTimer();
        EXPECT_EQ(target.before, u"<[" + selected.substr(0, 50) + u"和");
    }
    EXPECT_EQ(tray.balloons,
              std::vector<std::u16string>{u"貼り付け先が切り替わったため、入力を中止しました。"});

    keys.escapeHeld = false;
    foreground.front = kEditor;
    messages.shown.clear();
    target = {u"<", u"", u">"};
    Apply(0, 2);
    EXPECT_EQ(messages.shown, std::vector<std::u16string>{
                                  u"選択した文字列をコピーできなかったため、入力しませんでした。"});
    EXPECT_EQ(window.pasteTimerMs, -1);
}

// The user's clipboard put back after the paste, when the setting asks for it.
class RestoreClipboardTest : public CaptureAndPasteTest {
protected:
    void SetUp() override {
        CaptureAndPasteTest::SetUp();
        picker->restoreClipboard = true;
        clipboard.Set(kUsers);
        clipboard.others[49'999] = {std::byte{0x3C}, std::byte{0x62}, std::byte{0x3E}};
    }
    void ExpectTheUsersClipboard() {
        clipboard.ReadAll(kAnotherProcess);
        EXPECT_EQ(clipboard.text, kUsers);
        EXPECT_EQ(clipboard.others.size(), 1u);
    }
    static constexpr char16_t kUsers[] = u"ユーザーの😀";
    static constexpr std::uint32_t kAnotherProcess = 99;
};

TEST_F(RestoreClipboardTest, TheUsersClipboardComesBackOnceThePasteHasTakenTheResult) {
    Apply(0, 0);
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"<Dear Bob,>");
    EXPECT_EQ(clipboard.text, u"Dear Bob,") << "nothing comes back before the next tick";
    FireRestoreTimer();
    ExpectTheUsersClipboard();
    EXPECT_EQ(window.restoreTimerMs, -1);

    // The quick tool's run does the same; with the setting off the result stays.
    ScriptedRegexPrompt prompt;
    prompt.answer = QuickRegexRequest{u"e", u"E"};
    target = {u"<", u"Dear", u">"};
    driver->RunQuickRegex(prompt, kEditor);
    FirePasteTimer();
    FireRestoreTimer();
    EXPECT_EQ(target.Text(), u"<DEar>");
    ExpectTheUsersClipboard();
    picker->restoreClipboard = false;
    target = {u"<", u"Bob", u">"};
    Apply(0, 0);
    FirePasteTimer();
    FireRestoreTimer();
    EXPECT_EQ(clipboard.text, u"Dear Bob,");
}

// Small contents go back rendered at once, so that nothing the program could lose by ending holds
// them. Large ones go back announced: nothing is copied until a reader asks, the next application
// takes them as they are rather than fetching them again, and they are rendered for good when the
// program ends. A newer copy replaces them for every later application.
TEST_F(RestoreClipboardTest, SmallContentsGoBackWholeAndLargeOnesAnnouncedKeptUntilReplaced) {
    Apply(0, 0);
    FirePasteTimer();
    FireRestoreTimer();
    EXPECT_TRUE(clipboard.pending.empty());
    EXPECT_EQ(clipboard.text, kUsers);

    clipboard.others[49'999].assign(kRenderAtOnceBytes, std::byte{0x40});
    Apply(0, 0);
    FirePasteTimer();
    FireRestoreTimer();
    EXPECT_EQ(clipboard.pending, (std::set<unsigned>{FakeClipboard::kText, 49'999}));
    EXPECT_EQ(clipboard.saves, 2);

    target = {u"<", u"Ann", u">"};
    Apply(0, 0);
    FirePasteTimer();
    FireRestoreTimer();
    EXPECT_EQ(target.Text(), u"<Dear Ann,>");
    EXPECT_EQ(clipboard.saves, 2);
    ExpectTheUsersClipboard();

    clipboard.Set(u"newer");
    target = {u"<", u"Bob", u">"};
    Apply(0, 0);
    FirePasteTimer();
    FireRestoreTimer();
    EXPECT_EQ(clipboard.saves, 3);
    driver->Keeper().OnRenderAll();
    EXPECT_TRUE(clipboard.pending.empty());
    EXPECT_EQ(clipboard.text, u"newer");
}

// A target that reads its paste late, and a second application started meanwhile: the second
// one takes over what is owed without touching the clipboard, so the late paste still gets the
// first result, never the user's old clipboard, and the user's clipboard comes back after the
// second paste.
TEST_F(RestoreClipboardTest, ALatePasteGetsItsResultWhileASecondApplicationRuns) {
    pasteDelayMs = 600;
    Apply(0, 0);
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"<Bob>") << "not read yet";
    // The target is busy: its paste comes during the second capture, whose copy comes after it
    // and finds no selection, so the capture takes the clipboard's text.
    copyDelayMs = 700;
    Apply(0, 0);
    EXPECT_EQ(target.before, u"<Dear Bob,");
    FireRestoreTimer();
    EXPECT_EQ(clipboard.text, u"Dear Bob,")
        << "nothing goes back while an application is under way";
    pasteDelayMs = copyDelayMs = 0;
    FirePasteTimer();
    FireRestoreTimer();
    EXPECT_EQ(target.Text(), u"<Dear Bob,Dear Dear Bob,,>");
    ExpectTheUsersClipboard();
    EXPECT_EQ(clipboard.saves, 1);
}

// Every way an application that saved the user's clipboard can end brings it back: a second
// application before the first one's paste (which takes the debt over rather than saving the
// first one's selection), a refused conversion or quick-tool run, an unreadable reader that is
// the target's own (no window, or a frame hosting another process's control). The next
// application then saves the user's clipboard afresh, not what an earlier one left there.
TEST_F(RestoreClipboardTest, EveryWayOutOfAnApplicationBringsTheUsersClipboardBack) {
    ScriptedRegexPrompt prompt;
    struct Case {
        const char* what;
        std::function<void()> apply;
    };
    const Case cases[] = {
        {"a second application within the delay",
         [&] {
             Apply(0, 0);
             Apply(0, 0);
             FirePasteTimer();
         }},
        {"a refused conversion",
         [&] {
             transforms.conversionFails = true;
             Apply(0, 2);
             transforms.conversionFails = false;
         }},
        {"a refused quick-tool run",
         [&] {
             prompt.answer = QuickRegexRequest{u"(", u""};
             driver->RunQuickRegex(prompt, kEditor);
         }},
        {"a reader with no window",
         [&] {
             readerProcess = 0;
             Apply(0, 0);
             FirePasteTimer();
             readerProcess = kEditor.process;
         }},
        {"a frame hosting another process's control",
         [&] {
             readerProcess = 6060;
             platform::TargetWindow hosting = kEditor;
             hosting.focusProcess = 6060;
             driver->ApplyItem(0, hosting);
             FirePasteTimer();
             readerProcess = kEditor.process;
         }},
    };
    for (const auto& c : cases) {
        target = {u"<", u"Bob", u">"};
        const int saves = clipboard.saves;
        c.apply();
        FireRestoreTimer();
        ExpectTheUsersClipboard();
        EXPECT_EQ(clipboard.saves, saves + 1) << c.what;
        EXPECT_EQ(window.restoreTimerMs, -1) << c.what;
    }
}

// Typed after a copy by Ctrl+C, the result leaves the clipboard alone and the copy's change goes
// back; with no copy keystroke and typing, nothing touches the clipboard and nothing is saved.
TEST_F(RestoreClipboardTest, TypedDeliveryPutsTheUsersClipboardBackAfterItsCopy) {
    picker->applications = {{u"editor.exe", u"ctrl+c type"}};
    Apply(0, 0);
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"<Dear Bob,>");
    ExpectTheUsersClipboard();
    const int saves = clipboard.saves;
    picker->applications = {{u"editor.exe", u"none type"}};
    target = {u"<", u"Bob", u">"};
    Apply(1, 1);
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"<plain>");
    EXPECT_EQ(clipboard.saves, saves);
    ExpectTheUsersClipboard();
}

// With the setting on the result reaches the clipboard only with the paste, so a history sees
// nothing but the program's marked writes; a save that the owner holds up goes on without a
// restore after kSaveWaitMs, with one balloon, and the result is still pasted; a clipboard held
// open by another program for a moment when the text goes there delays the paste, no more.
TEST_F(RestoreClipboardTest, TheResultGoesOnlyWithThePasteAndNoClipboardHoldsTheApplicationUp) {
    Apply(0, 0);
    EXPECT_EQ(picker->copies, 0);
    EXPECT_EQ(clipboard.text, u"Bob");
    thread.at.emplace(thread.waitedMs + 30, [&] { clipboard.locked = false; });
    clipboard.locked = true;
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"<Dear Bob,>");
    FireRestoreTimer();
    ExpectTheUsersClipboard();

    clipboard.onSave = [&] { thread.waitedMs += kSaveWaitMs + 500; };
    target = {u"<", u"Bob", u">"};
    Apply(0, 0);
    FirePasteTimer();
    FireRestoreTimer();
    EXPECT_EQ(target.Text(), u"<Dear Bob,>");
    EXPECT_EQ(clipboard.text, u"Dear Bob,");
    EXPECT_EQ(tray.balloons,
              std::vector<std::u16string>{u"クリップボードの内容をすぐに保存できなかったため、"
                                          u"今回は貼り付け後に元に戻しません。"});
    EXPECT_FALSE(driver->Busy());
}

TEST_F(RestoreClipboardTest, ANewerCopyAfterThePasteIsLeftAlone) {
    Apply(0, 0);
    FirePasteTimer();
    clipboard.Set(u"newer");
    FireRestoreTimer();
    EXPECT_EQ(clipboard.text, u"newer");
    EXPECT_EQ(window.restoreTimerMs, -1);
}

// The restore never races the paste: it waits while the target holds the clipboard, and a
// target that never reads, or another reader, leaves the result where a late paste finds it.
TEST_F(RestoreClipboardTest, TheRestoreWaitsForTheTargetAndGivesUpRatherThanRace) {
    Apply(0, 0);
    FirePasteTimer();
    clipboard.locked = true;
    FireRestoreTimer();
    clipboard.locked = false;
    EXPECT_EQ(clipboard.text, u"Dear Bob,");
    FireRestoreTimer();
    ExpectTheUsersClipboard();

    for (const bool otherReader : {false, true}) {
        target = {u"<", u"Bob", u">"};
        target.takesPastes = false;
        Apply(0, 0);
        FirePasteTimer();
        if (otherReader) {
            EXPECT_EQ(clipboard.ReadForPaste(1), u"Dear Bob,");
        } else {
            thread.Wait(kTakeWaitMs + 1);
        }
        FireRestoreTimer();
        EXPECT_EQ(window.restoreTimerMs, -1);
        EXPECT_EQ(clipboard.ReadForPaste(kEditor.process), u"Dear Bob,") << otherReader;
    }
}

TEST_F(RestoreClipboardTest, ASecondApplicationBeforeTheRestoreKeepsTheUsersClipboard) {
    Apply(0, 0);
    target.takesPastes = false;
    FirePasteTimer();
    target.takesPastes = true;
    target.selected = u"Ann";
    Apply(0, 0);
    FirePasteTimer();
    FireRestoreTimer();
    EXPECT_EQ(target.Text(), u"<Dear Ann,>");
    ExpectTheUsersClipboard();
}

class QuickRegexTest : public CaptureAndPasteTest {
protected:
    ScriptedRegexPrompt prompt;
};

TEST_F(QuickRegexTest, SubstitutesOverTheSelectionAndLeavesThePickerSelection) {
    Apply(1, 1);
    FirePasteTimer();
    target = {u"", u"foo boo", u"!"};
    prompt.answer = QuickRegexRequest{u"oo", u"ee"};
    driver->RunQuickRegex(prompt, kEditor);
    FirePasteTimer();
    EXPECT_EQ(target.Text(), u"fee bee!");
    EXPECT_EQ(picker->combo.Selection(), 1);
    EXPECT_EQ(picker->list.Selection(), 1);
}

TEST_F(QuickRegexTest, CancelHidesAndSendsNoKeystrokes) {
    LogEverything();
    driver->RunQuickRegex(prompt, kEditor);
    EXPECT_EQ(log, (std::vector<std::string>{"minimize", "hide", "bring to front 4096"}));
}

TEST_F(QuickRegexTest, MalformedExpressionShowsTheMessageAndPastesNothing) {
    prompt.answer = QuickRegexRequest{u"(", u""};
    driver->RunQuickRegex(prompt, kEditor);
    EXPECT_EQ(messages.shown, std::vector<std::u16string>{u"正規表現の構文に誤りがあります"});
    EXPECT_EQ(clipboard.text, u"Bob");
    EXPECT_EQ(window.pasteTimerMs, -1);
    EXPECT_FALSE(window.visible);
}

TEST_F(QuickRegexTest, AnExpressionStoppedByALimitSaysSoAndPastesNothing) {
    prompt.answer = QuickRegexRequest{u"(a+)+b", u""};
    driver->RunQuickRegex(prompt, kEditor);
    EXPECT_EQ(messages.shown, std::vector<std::u16string>{
                                  std::u16string(RegexFailureMessage(RegexStatus::kMatchLimit))});
    EXPECT_EQ(clipboard.text, u"Bob");
    EXPECT_EQ(window.pasteTimerMs, -1);
}

TEST_F(QuickRegexTest, PendingPasteGoesOutBeforeTheDialogOpens) {
    Apply(0, 0);
    prompt.onAsk = [&] {
        EXPECT_EQ(target.pastes, 1);
        driver->RunQuickRegex(prompt, kEditor);
    };
    driver->RunQuickRegex(prompt, kEditor);
    EXPECT_EQ(prompt.asked, 1);
    EXPECT_EQ(target.Text(), u"<Dear Bob,>");
}

} // namespace
} // namespace kvtx
