// The settings dialog behind the picker's "設定(&S)" button: hotkeys and the delay reach the
// profile and the registered hotkeys only through OK, and the start-up button makes and removes
// the shortcut in the user's start-up folder at once.

#include "platform/utf.h"
#include "platform/win32/com_handles.h"
#include "platform/win32/wide.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/hotkeys.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/message_boxes.h"
#include "tests/e2e/driver/modal_dialogs.h"
#include "tests/e2e/driver/registry.h"
#include "tests/e2e/driver/remote_controls.h"
#include "tests/e2e/driver/top_level_windows.h"
#include "tests/e2e/driver/tray.h"
#include "tests/e2e/driver/waiting.h"
#include "tests/e2e/korvatex/korvatex_app.h"

#include <array>
#include <gtest/gtest.h>
#include <shlobj.h>

namespace kvtx::e2e {
namespace {

namespace ids {
constexpr int kStartup = 1006;
constexpr int kPickerEnabled = 1007;
constexpr int kPickerAlt = 1008;
constexpr int kPickerCtrl = 1009;
constexpr int kPickerShift = 1010;
constexpr int kPickerKey = 1011;
constexpr int kMenuShift = 1015;
constexpr int kMenuKey = 1016;
constexpr int kRegexKey = 1021;
constexpr int kDelay = 1030;
constexpr int kRestoreClipboard = 1034;
constexpr int kSearchEnabled = 1035;
constexpr int kSearchAlt = 1036;
constexpr int kSearchKey = 1039;
} // namespace ids

constexpr char16_t kRegister[] = u"スタートアップに登録";
constexpr char16_t kUnregister[] = u"スタートアップから解除";
constexpr Hotkey kNewPickerHotkey{MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'F'};
constexpr Hotkey kNewSearchHotkey{MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'G'};

std::u16string StartupFolder() {
    std::array<wchar_t, MAX_PATH> path{};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, 0, path.data()))) {
        return {};
    }
    return win32::FromWide(path.data());
}

std::u16string ShortcutPath() {
    return StartupFolder() + u"\\Korvatex.lnk";
}

struct LinkContents {
    std::u16string target;
    std::u16string description;
};

// Read with the shell's own link object, as the program's start at logon would be.
std::optional<LinkContents> ReadLink(const std::u16string& path) {
    const win32::ComApartment com;
    win32::ComPtr<IShellLinkW> link;
    win32::ComPtr<IPersistFile> file;
    if (!com.Initialized() ||
        FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  link.Out())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.Out())) ||
        FAILED(file->Load(win32::Wide(path), STGM_READ))) {
        return std::nullopt;
    }
    std::array<wchar_t, MAX_PATH> target{};
    std::array<wchar_t, INFOTIPSIZE> description{};
    if (FAILED(link->GetPath(target.data(), MAX_PATH, nullptr, 0)) ||
        FAILED(link->GetDescription(description.data(), INFOTIPSIZE))) {
        return std::nullopt;
    }
    return LinkContents{win32::FromWide(target.data()), win32::FromWide(description.data())};
}

// Made by the test as another installer or the user would make one.
bool WriteLink(const std::u16string& path, const std::u16string& target) {
    const win32::ComApartment com;
    win32::ComPtr<IShellLinkW> link;
    win32::ComPtr<IPersistFile> file;
    return com.Initialized() &&
           SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IShellLinkW, link.Out())) &&
           SUCCEEDED(link->SetPath(win32::Wide(target))) &&
           SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Out())) &&
           SUCCEEDED(file->Save(win32::Wide(path), TRUE));
}

std::u16string LowerCase(std::u16string text) {
    ::CharLowerBuffW(win32::Wide(text.data()), static_cast<DWORD>(text.size()));
    return text;
}

std::u16string UpperCase(std::u16string text) {
    ::CharUpperBuffW(win32::Wide(text.data()), static_cast<DWORD>(text.size()));
    return text;
}

bool IsChecked(HWND box) {
    return ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

class SettingsScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(TrayShowsIcons()) << "an icon of an earlier scenario is still in the tray";
        RemoveTestLinks();
        app_.Start();
        ASSERT_TRUE(app_.WaitUntilHidden());
    }
    void TearDown() override {
        if (app_.Instance().Running()) {
            if (dialog_ && ::IsWindow(dialog_)) {
                EXPECT_TRUE(Cancel());
            }
            EXPECT_TRUE(app_.HidePicker());
            EXPECT_TRUE(app_.ExitFromTray());
        }
        RemoveTestLinks();
    }

    static void RemoveTestLinks() {
        for (const auto& path :
             {ShortcutPath(), OtherLinkPath(1), OtherLinkPath(2), ForeignLinkPath()}) {
            ::DeleteFileW(win32::Wide(path));
        }
    }

    static std::u16string OtherLinkPath(int number) {
        return StartupFolder() + u"\\定型文 " + platform::Utf8ToUtf16(std::to_string(number)) +
               u".lnk";
    }
    static std::u16string ForeignLinkPath() { return StartupFolder() + u"\\notepad.lnk"; }

    // Shows the picker, presses its Settings button and waits for "設定", which must be shown as
    // a modal dialog over the picker.
    testing::AssertionResult Open() {
        if (auto shown = app_.ShowPickerAt({400, 300}); !shown) {
            return shown;
        }
        // The mnemonic rather than a click: the picker may still be moving to the cursor.
        PressChord({VK_MENU, 'S'});
        dialog_ = app_.WaitForDialog(u"設定");
        if (dialog_ == nullptr) {
            return testing::AssertionFailure() << "the settings dialog did not open";
        }
        return ShowsAsModalOver(dialog_, app_.MainWindow());
    }
    HWND Control(int id) const { return ChildById(dialog_, id); }

    testing::AssertionResult ClickCheckBox(int id) {
        HWND box = Control(id);
        const bool before = IsChecked(box);
        Click(CenterOf(box));
        return WaitUntil("check box " + std::to_string(id) + " to toggle",
                         [&] { return IsChecked(box) != before; });
    }
    // Opens the letter list with a click, closes it with Esc and types the letter, which a
    // closed drop-down list takes as the entry starting with it.
    testing::AssertionResult ChooseLetter(int id, char letter) {
        HWND combo = Control(id);
        Click(CenterOf(combo));
        if (!WaitUntil("the letter list to open",
                       [&] { return ::SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; })) {
            return testing::AssertionFailure() << "no drop-down list";
        }
        PressKey(VK_ESCAPE);
        if (!WaitUntil("the letter list to close",
                       [&] { return ::SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) == 0; })) {
            return testing::AssertionFailure() << "the list stayed open";
        }
        PressKey(static_cast<WORD>(letter));
        return WaitUntil(std::string("the letter ") + letter + " chosen",
                         [&] { return ComboBoxSelection(combo) == letter - 'A'; });
    }
    testing::AssertionResult TypeDelay(const std::u16string& text) {
        HWND edit = Control(ids::kDelay);
        Click(CenterOf(edit));
        // Keys typed before the click has moved the focus would go to the control that had it.
        if (!WaitUntil("the keyboard focus in the delay box",
                       [&] { return HasKeyboardFocus(edit); })) {
            return testing::AssertionFailure() << "no focus";
        }
        PressChord({VK_CONTROL, VK_HOME});
        PressChord({VK_CONTROL, VK_SHIFT, VK_END});
        PressKey(VK_DELETE);
        TypeText(text);
        return WaitUntil("the delay box to read " + platform::Utf16ToUtf8(text),
                         [&] { return ControlText(edit) == text; });
    }
    testing::AssertionResult StartupCaptionIs(const std::u16string& caption) {
        return WaitUntil("the start-up button to read " + platform::Utf16ToUtf8(caption),
                         [&] { return ControlText(Control(ids::kStartup)) == caption; });
    }
    testing::AssertionResult Close(int button) {
        ClickButton(dialog_, button);
        return WaitUntil("the settings dialog to close", [this] { return !::IsWindow(dialog_); });
    }
    testing::AssertionResult Confirm() { return Close(IDOK); }
    testing::AssertionResult Cancel() { return Close(IDCANCEL); }
    testing::AssertionResult ProfileHolds(const std::u16string& key, DWORD value) {
        return WaitUntil("the profile value " + platform::Utf16ToUtf8(key) + " = " +
                             std::to_string(value),
                         [&] { return ReadProfileValue(u"setting", key) == value; });
    }
    testing::AssertionResult Registered(const Hotkey& hotkey, bool registered) {
        return WaitUntil(
            std::string("the combination with ") + static_cast<char>(hotkey.key) +
                (registered ? " registered" : " free"),
            [&] { return HotkeyTakenElsewhere(hotkey.modifiers, hotkey.key) == registered; });
    }

    KorvatexApp app_;
    HWND dialog_ = nullptr;
};

TEST_F(SettingsScenario, OkSavesTheNewHotkeyAndDelayAndOnlyTheNewCombinationWorks) {
    ASSERT_TRUE(Open());
    // The dialog shows the defaults, and no hotkey is registered while it is open.
    EXPECT_TRUE(IsChecked(Control(ids::kPickerEnabled)));
    EXPECT_TRUE(IsChecked(Control(ids::kPickerCtrl)));
    EXPECT_TRUE(IsChecked(Control(ids::kPickerShift)));
    EXPECT_FALSE(IsChecked(Control(ids::kPickerAlt)));
    EXPECT_EQ(ComboBoxItems(Control(ids::kPickerKey)).size(), 26u);
    EXPECT_EQ(ComboBoxSelection(Control(ids::kPickerKey)), 3);
    EXPECT_EQ(ComboBoxSelection(Control(ids::kMenuKey)), 18);
    EXPECT_EQ(ComboBoxSelection(Control(ids::kRegexKey)), 0);
    EXPECT_EQ(ControlText(Control(ids::kSearchEnabled)), u"検索呼び出し");
    EXPECT_TRUE(IsChecked(Control(ids::kSearchEnabled)));
    EXPECT_EQ(ComboBoxSelection(Control(ids::kSearchKey)), 5);
    EXPECT_EQ(ControlText(Control(ids::kDelay)), u"150");
    EXPECT_EQ(ControlText(Control(ids::kRestoreClipboard)),
              u"貼り付け後にクリップボードを元に戻す");
    EXPECT_FALSE(IsChecked(Control(ids::kRestoreClipboard)));
    EXPECT_TRUE(StartupCaptionIs(kRegister));
    EXPECT_FALSE(HotkeyTakenElsewhere(kPickerHotkey.modifiers, kPickerHotkey.key));
    EXPECT_FALSE(HotkeyTakenElsewhere(kMenuHotkey.modifiers, kMenuHotkey.key));
    EXPECT_FALSE(HotkeyTakenElsewhere(kSearchHotkey.modifiers, kSearchHotkey.key));

    ASSERT_TRUE(ClickCheckBox(ids::kPickerAlt));
    ASSERT_TRUE(ClickCheckBox(ids::kSearchAlt));
    ASSERT_TRUE(ChooseLetter(ids::kSearchKey, 'G'));
    ASSERT_TRUE(ChooseLetter(ids::kPickerKey, 'F'));
    ASSERT_TRUE(TypeDelay(u"500"));
    ASSERT_TRUE(ClickCheckBox(ids::kRestoreClipboard));
    ASSERT_TRUE(Confirm());

    EXPECT_TRUE(ProfileHolds(u"restoreclip", 1));
    EXPECT_TRUE(ProfileHolds(u"hotalt", 1));
    EXPECT_TRUE(ProfileHolds(u"hotkeynum", 5));
    EXPECT_TRUE(ProfileHolds(u"timedelay", 500));
    EXPECT_TRUE(ProfileHolds(u"hotctrl", 1));
    EXPECT_TRUE(ProfileHolds(u"hotshift", 1));
    EXPECT_TRUE(ProfileHolds(u"mhotkeynum", 18));
    EXPECT_TRUE(ProfileHolds(u"shotkey", 1));
    EXPECT_TRUE(ProfileHolds(u"fhotkey", 1));
    EXPECT_TRUE(ProfileHolds(u"fhotalt", 1));
    EXPECT_TRUE(ProfileHolds(u"fhotkeynum", 6));
    EXPECT_TRUE(Registered(kNewSearchHotkey, true));
    EXPECT_TRUE(Registered(kSearchHotkey, false));
    EXPECT_TRUE(Registered(kNewPickerHotkey, true));
    EXPECT_TRUE(Registered(kPickerHotkey, false)) << "the old combination is given back";
    EXPECT_TRUE(Registered(kMenuHotkey, true));
    EXPECT_TRUE(Registered(kRegexHotkey, true));

    // The new combination brings the hidden picker to the cursor.
    ASSERT_TRUE(app_.HidePicker());
    MoveMouse({500, 400});
    PressHotkey(kNewPickerHotkey);
    EXPECT_TRUE(WaitUntil("the picker shown by the new hotkey", [&] {
        return ::IsWindowVisible(app_.MainWindow()) && ::GetForegroundWindow() == app_.MainWindow();
    }));
}

TEST_F(SettingsScenario, CancelWritesNothingAndKeepsTheHotkeysAsTheyWere) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(ClickCheckBox(ids::kMenuShift));
    ASSERT_TRUE(ChooseLetter(ids::kPickerKey, 'Q'));
    ASSERT_TRUE(TypeDelay(u"700"));
    ASSERT_TRUE(Cancel());

    EXPECT_TRUE(Registered(kPickerHotkey, true));
    EXPECT_TRUE(Registered(kMenuHotkey, true));
    EXPECT_TRUE(Registered(kRegexHotkey, true));
    EXPECT_TRUE(Registered(kSearchHotkey, true));
    EXPECT_FALSE(HotkeyTakenElsewhere(MOD_CONTROL | MOD_SHIFT, 'Q'));
    EXPECT_FALSE(ProfileSectionExists(u"setting")) << "nothing may be written on a fresh profile";

    // Opened again, the dialog shows the values as they were.
    ASSERT_TRUE(Open());
    EXPECT_TRUE(IsChecked(Control(ids::kMenuShift)));
    EXPECT_EQ(ComboBoxSelection(Control(ids::kPickerKey)), 3);
    EXPECT_EQ(ControlText(Control(ids::kDelay)), u"150");
    ASSERT_TRUE(Cancel());
}

TEST_F(SettingsScenario, DelayOutsideItsRangeShowsTheRangeAndKeepsTheDialogOpen) {
    const std::u16string rangeMessage = u"100 から 2000 までの整数を入力してください。";
    ASSERT_TRUE(Open());
    for (const std::u16string typed : {u"99", u"2001"}) {
        ASSERT_TRUE(TypeDelay(typed));
        ClickButton(dialog_, IDOK);
        EXPECT_EQ(app_.WaitForMessage(dialog_), rangeMessage) << platform::Utf16ToUtf8(typed);
        ASSERT_TRUE(app_.AnswerMessage());
        EXPECT_TRUE(::IsWindow(dialog_));
        EXPECT_TRUE(WaitUntil("the focus back in the delay box",
                              [&] { return HasKeyboardFocus(Control(ids::kDelay)); }));
    }
    ASSERT_TRUE(TypeDelay(u""));
    ClickButton(dialog_, IDOK);
    EXPECT_EQ(app_.WaitForMessage(dialog_), u"整数を入力してください。");
    ASSERT_TRUE(app_.AnswerMessage());
    EXPECT_FALSE(ProfileSectionExists(u"setting"));

    // The box takes digits only: the letters typed among them are dropped.
    ASSERT_TRUE(WaitUntil("the focus back in the delay box",
                          [&] { return HasKeyboardFocus(Control(ids::kDelay)); }));
    TypeText(u"2a0b0x0");
    EXPECT_TRUE(WaitUntil("the digits alone in the delay box",
                          [&] { return ControlText(Control(ids::kDelay)) == u"2000"; }));
    ASSERT_TRUE(Confirm());
    EXPECT_TRUE(ProfileHolds(u"timedelay", 2000));
}

TEST_F(SettingsScenario, StartupButtonCreatesAndRemovesTheShortcutAtOnce) {
    ASSERT_FALSE(StartupFolder().empty());
    ASSERT_TRUE(Open());
    ASSERT_TRUE(StartupCaptionIs(kRegister));
    Click(CenterOf(Control(ids::kStartup)));
    ASSERT_TRUE(StartupCaptionIs(kUnregister));
    ASSERT_TRUE(FileExists(ShortcutPath()));
    const auto link = ReadLink(ShortcutPath());
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(UpperCase(link->target), UpperCase(app_.Folder() + u"korvatex.exe"))
        << platform::Utf16ToUtf8(link->target);
    EXPECT_EQ(link->description, u"定型文管理");

    Click(CenterOf(Control(ids::kStartup)));
    ASSERT_TRUE(StartupCaptionIs(kRegister));
    EXPECT_FALSE(FileExists(ShortcutPath()));

    // Made again and the dialog cancelled: the shortcut stays, and the next dialog sees it.
    Click(CenterOf(Control(ids::kStartup)));
    ASSERT_TRUE(StartupCaptionIs(kUnregister));
    ASSERT_TRUE(Cancel());
    EXPECT_TRUE(FileExists(ShortcutPath()));
    ASSERT_TRUE(Open());
    EXPECT_TRUE(StartupCaptionIs(kUnregister));
    ASSERT_TRUE(Cancel());
}

TEST_F(SettingsScenario, LinksOfOtherNamesToTheProgramAreRemovedOnePerClick) {
    const std::u16string program = app_.Folder() + u"korvatex.exe";
    ASSERT_TRUE(WriteLink(OtherLinkPath(1), LowerCase(program)));
    ASSERT_TRUE(WriteLink(OtherLinkPath(2), UpperCase(program)));
    ASSERT_TRUE(WriteLink(ForeignLinkPath(), u"C:\\windows\\notepad.exe"));
    const auto remaining = [] {
        return static_cast<int>(FileExists(OtherLinkPath(1))) +
               static_cast<int>(FileExists(OtherLinkPath(2)));
    };

    ASSERT_TRUE(Open());
    ASSERT_TRUE(StartupCaptionIs(kUnregister));
    Click(CenterOf(Control(ids::kStartup)));
    ASSERT_TRUE(WaitUntil("one of the two links removed", [&] { return remaining() == 1; }));
    ASSERT_TRUE(StartupCaptionIs(kUnregister));
    Click(CenterOf(Control(ids::kStartup)));
    ASSERT_TRUE(WaitUntil("both links removed", [&] { return remaining() == 0; }));
    EXPECT_TRUE(StartupCaptionIs(kRegister));
    EXPECT_TRUE(FileExists(ForeignLinkPath())) << "a link to another program was removed";
    EXPECT_FALSE(FileExists(ShortcutPath()));
    ASSERT_TRUE(Cancel());
}

} // namespace
} // namespace kvtx::e2e
