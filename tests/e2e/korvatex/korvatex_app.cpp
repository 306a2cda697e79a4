#include "tests/e2e/korvatex/korvatex_app.h"

#include "platform/utf.h"
#include "tests/e2e/driver/environment.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/message_boxes.h"
#include "tests/e2e/driver/modal_dialogs.h"
#include "tests/e2e/driver/polling.h"
#include "tests/e2e/driver/registry.h"
#include "tests/e2e/driver/remote_controls.h"
#include "tests/e2e/driver/top_level_windows.h"
#include "tests/e2e/driver/tray.h"
#include "tests/e2e/driver/waiting.h"

#include <gtest/gtest.h>

namespace kvtx::e2e {
namespace {

std::u16string ScenarioFolder() {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    return u"C:\\korvatex-e2e\\" + platform::Utf8ToUtf16(name);
}

} // namespace

void PressHotkey(const Hotkey& hotkey) {
    std::vector<WORD> keys;
    if (hotkey.modifiers & MOD_CONTROL) {
        keys.push_back(VK_CONTROL);
    }
    if (hotkey.modifiers & MOD_ALT) {
        keys.push_back(VK_MENU);
    }
    if (hotkey.modifiers & MOD_SHIFT) {
        keys.push_back(VK_SHIFT);
    }
    keys.push_back(static_cast<WORD>(hotkey.key));
    PressKeys(keys);
}

KorvatexApp::KorvatexApp(const std::vector<StoreCategory>& store)
    : folder_(MakeFreshDirectory(ScenarioFolder())), categoryCount_(store.size()) {
    DeleteProfile();
    CopyFileInto(BinaryDirectory() + u"korvatex.exe", folder_);
    if (FileExists(BinaryDirectory() + u"DVLIBREGEX.dll")) {
        CopyFileInto(BinaryDirectory() + u"DVLIBREGEX.dll", folder_);
    }
    for (const auto& [name, bytes] : StoreFiles(store)) {
        WriteFileBytes(folder_ + name, bytes);
    }
}

KorvatexApp::KorvatexApp(const Installed& installed)
    : folder_(installed.folder), categoryCount_(installed.categoryCount) {
    DeleteProfile();
}

KorvatexApp::~KorvatexApp() {
    bool killed = false;
    for (Process& instance : instances_) {
        if (instance.Running()) {
            instance.Terminate();
            killed = true;
        }
    }
    if (killed && mainWindow_ != nullptr) {
        RemoveTrayIcon(mainWindow_, 1);
    }
}

Process& KorvatexApp::Start() {
    instances_.push_back(Process::Start(folder_ + u"korvatex.exe"));
    return instances_.back();
}

HWND KorvatexApp::WaitForMainWindow() {
    if (mainWindow_ == nullptr) {
        const DWORD id = Instance().Id();
        const auto found = WaitFor<HWND>("the main dialog \"Mobrelle\" of korvatex.exe", [id] {
            HWND window = FindTopLevelWindow({u"#32770", u"Mobrelle", id});
            return window ? std::optional(window) : std::nullopt;
        });
        mainWindow_ = found.value_or(nullptr);
    }
    return mainWindow_;
}

bool KorvatexApp::WaitUntilHidden() {
    HWND window = WaitForMainWindow();
    // The window exists, invisible, before its start-up has run. Start-up minimizes it, fills
    // the category list and then hides it (a hidden window keeps its minimized state). Minimizing
    // marks the window minimized a moment before it makes it visible, so the full list, which
    // comes after minimizing, is read first: only then does an invisible minimized window mean
    // the hidden one.
    return window != nullptr && WaitUntil("the main dialog to hide itself after start-up", [&] {
               if (ComboBoxItems(PickerControl(picker::kCategories)).size() != categoryCount_) {
                   return false;
               }
               const WindowState state = StateOf(window);
               return !state.visible && state.minimized;
           });
}

HWND KorvatexApp::WaitForDialog(const std::u16string& caption) const {
    const DWORD id = instances_.front().Id();
    return e2e::WaitFor<HWND>("the dialog \"" + platform::Utf16ToUtf8(caption) + "\"",
                              [&] {
                                  HWND window = FindTopLevelWindow({u"#32770", caption, id, true});
                                  return window ? std::optional(window) : std::nullopt;
                              })
        .value_or(nullptr);
}

HWND KorvatexApp::PickerControl(int id) const {
    return ChildById(mainWindow_, id);
}

PickerView KorvatexApp::Picker() const {
    PickerView view;
    const WindowState state = StateOf(mainWindow_);
    view.visible = state.visible;
    view.rect = state.rect;
    view.categories = ComboBoxItems(PickerControl(picker::kCategories));
    view.category = ComboBoxSelection(PickerControl(picker::kCategories));
    view.items = ListBoxItems(PickerControl(picker::kItems));
    view.item = ListBoxSelection(PickerControl(picker::kItems));
    view.preview = ControlText(PickerControl(picker::kPreview));
    view.copyEnabled = IsControlEnabled(PickerControl(picker::kCopy));
    return view;
}

testing::AssertionResult KorvatexApp::ShowPickerAt(POINT cursor) {
    MoveMouse(cursor);
    PressHotkey(kPickerHotkey);
    return WaitUntil("the picker to be shown by the picker hotkey", [&] {
        return ::IsWindowVisible(mainWindow_) && ::GetForegroundWindow() == mainWindow_;
    });
}

HWND KorvatexApp::VisibleMenu() const {
    const auto menus = VisibleMenus();
    return menus.empty() ? nullptr : menus.front();
}

std::vector<HWND> KorvatexApp::VisibleMenus() const {
    return FindTopLevelWindows({u"#32768", std::nullopt, instances_.front().Id(), true});
}

bool KorvatexApp::MenuTakesKeys(std::size_t levels) const {
    if (VisibleMenus().size() < levels) {
        return false;
    }
    const auto foreground = ForegroundThreadInfo();
    return foreground && (foreground->flags & GUI_INMENUMODE) != 0 &&
           foreground->hwndMenuOwner != nullptr &&
           ProcessOf(foreground->hwndMenuOwner) == instances_.front().Id();
}

std::vector<HWND> KorvatexApp::MessageBoxes() const {
    std::vector<HWND> windows;
    for (const auto& box : MessageBoxesOf(instances_.front().Id())) {
        windows.push_back(box.window);
    }
    return windows;
}

std::optional<MessageBoxWindow> KorvatexApp::WaitForMessageBox() {
    const DWORD id = instances_.front().Id();
    return e2e::WaitFor<MessageBoxWindow>("a message box", [id] {
        const auto boxes = MessageBoxesOf(id);
        return boxes.empty() ? std::nullopt : std::optional(boxes.front());
    });
}

std::u16string KorvatexApp::WaitForMessage(HWND owner) {
    const auto box = WaitForMessageBox();
    if (!box) {
        return u"";
    }
    EXPECT_TRUE(ShowsAsModalOver(box->window, owner));
    return box->text;
}

testing::AssertionResult KorvatexApp::AnswerMessage(int button) {
    const auto boxes = MessageBoxesOf(instances_.front().Id());
    if (boxes.empty()) {
        return testing::AssertionFailure() << "no message box";
    }
    HWND box = boxes.front().window;
    ClickButton(box, button);
    return WaitUntil("the message box to close", [&] { return !::IsWindow(box); });
}

testing::AssertionResult KorvatexApp::HidePicker() {
    if (!::IsWindowVisible(mainWindow_)) {
        return testing::AssertionSuccess();
    }
    if (!BringToForeground(mainWindow_)) {
        return testing::AssertionFailure() << "the picker could not be brought to the foreground";
    }
    PressKey(VK_ESCAPE);
    return WaitUntil("the picker to hide", [&] { return !::IsWindowVisible(mainWindow_); });
}

bool KorvatexApp::ExitFromTray() {
    HWND menu = nullptr;
    const auto menuShown = [&] { return (menu = VisibleMenu()) != nullptr; };
    const auto ended = [&] { return !instances_.front().Running(); };
    // Wine's tray drops a click that comes while a window it has just shown is still being
    // mapped on the X server; a user would click again, and so does this. On a busy machine the
    // first menu may come only after the second click, so each menu shown is answered in turn
    // until the program has ended.
    for (int attempt = 0; attempt < 4 && !ended(); ++attempt) {
        if (!menuShown()) {
            ClickTrayIcon(0, MouseButton::Right);
        }
        if (PollUntil(menuShown, 5s)) {
            // "E&xit" is the tray menu's last entry.
            RECT rect{};
            ::GetWindowRect(menu, &rect);
            Click({(rect.left + rect.right) / 2, rect.bottom - 8});
            PollUntil(ended, 5s);
        }
    }
    return WaitUntil("korvatex.exe to end after Exit from the tray menu", ended);
}

} // namespace kvtx::e2e
