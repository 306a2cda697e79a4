#pragma once

#include "tests/e2e/driver/message_boxes.h"
#include "tests/e2e/driver/process.h"
#include "tests/e2e/korvatex/sample_store.h"

#include <cstddef>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace kvtx::e2e {

// Control ids of the picker, the program's main dialog.
namespace picker {
inline constexpr int kCopy = 1;
inline constexpr int kCancel = 2;
inline constexpr int kItems = 1000;
inline constexpr int kPreview = 1001;
inline constexpr int kCategories = 1002;
inline constexpr int kEdit = 1003;
inline constexpr int kSettings = 1004;
} // namespace picker

struct Hotkey {
    UINT modifiers;
    UINT key;
};
inline constexpr Hotkey kPickerHotkey{MOD_CONTROL | MOD_SHIFT, 'D'};
inline constexpr Hotkey kMenuHotkey{MOD_CONTROL | MOD_SHIFT, 'S'};
inline constexpr Hotkey kRegexHotkey{MOD_CONTROL | MOD_SHIFT, 'A'};
inline constexpr Hotkey kSearchHotkey{MOD_CONTROL | MOD_SHIFT, 'F'};

void PressHotkey(const Hotkey& hotkey);

// What the picker shows, read from its controls in one go.
struct PickerView {
    bool visible = false;
    RECT rect{};
    std::vector<std::u16string> categories;
    int category = -1;
    std::vector<std::u16string> items;
    int item = -1;
    std::u16string preview;
    bool copyEnabled = false;
};

// korvatex.exe in a folder of its own for one scenario, with DVLIBREGEX.dll (once built) and
// a store beside it, started on a fresh profile. The destructor ends every instance still
// running and clears what a killed instance leaves in the tray.
class KorvatexApp {
public:
    explicit KorvatexApp(const std::vector<StoreCategory>& store = SampleStore());
    // The program as a user installed it in this folder (ending in a backslash), with its store
    // there as it is: nothing is copied, the profile is still fresh.
    struct Installed {
        std::u16string folder;
        std::size_t categoryCount = 0;
    };
    explicit KorvatexApp(const Installed& installed);
    KorvatexApp(const KorvatexApp&) = delete;
    KorvatexApp& operator=(const KorvatexApp&) = delete;
    ~KorvatexApp();

    const std::u16string& Folder() const { return folder_; }

    // Starts another instance; the first one started is the one the other calls look at.
    Process& Start();
    Process& Instance() { return instances_.front(); }

    // The main dialog of the first instance, once it exists; nullptr (and a failure) if not.
    HWND WaitForMainWindow();
    HWND MainWindow() const { return mainWindow_; }
    // Start-up is over: the main dialog has been shown minimized and has hidden itself.
    bool WaitUntilHidden();

    // A dialog (class #32770) of the first instance with this caption, once it is shown;
    // nullptr, and a failure, if none comes.
    HWND WaitForDialog(const std::u16string& caption) const;

    PickerView Picker() const;
    HWND PickerControl(int id) const;
    // Moves the mouse there, presses the picker hotkey and waits until the picker is shown.
    testing::AssertionResult ShowPickerAt(POINT cursor);

    // Right-clicks the tray icon, clicks Exit in its menu and waits until the process ends.
    // Hides the picker through its own Esc, if it is shown.
    testing::AssertionResult HidePicker();
    bool ExitFromTray();
    // The popup menu (class #32768) the program shows now, or nullptr; with its open submenus.
    HWND VisibleMenu() const;
    std::vector<HWND> VisibleMenus() const;
    // At least this many levels of the popup menu are shown and the program's menu loop is the
    // one keystrokes reach now: a key pressed before that lands in whatever had the focus.
    bool MenuTakesKeys(std::size_t levels) const;
    std::vector<HWND> MessageBoxes() const;
    // The text of the program's message box once one is shown, which must be shown as a modal
    // dialog over `owner` (a failure otherwise); empty, and a failure, if none comes.
    std::u16string WaitForMessage(HWND owner);
    // The program's message box once one is shown, whoever owns it; a failure if none comes.
    std::optional<MessageBoxWindow> WaitForMessageBox();
    // Clicks this button of the program's message box and waits until the box has closed.
    testing::AssertionResult AnswerMessage(int button = IDOK);

private:
    std::u16string folder_;
    std::size_t categoryCount_;
    std::vector<Process> instances_;
    HWND mainWindow_ = nullptr;
};

} // namespace kvtx::e2e
