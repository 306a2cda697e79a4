#pragma once

// The program's one long-lived window: hidden while idle, the owner of the tray icon and the
// four hotkeys, and the picker when it is shown. This is its behaviour over the control
// interface and the platform seams; app/win32/resident_dialog_window.h binds it to the real
// dialog.

#include "app/hotkey_setting.h"
#include "app/resident_settings.h"
#include "platform/file_system.h"
#include "platform/foreground.h"
#include "platform/hotkeys.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/screen.h"
#include "platform/timers.h"
#include "platform/tray_icon.h"
#include "platform/ui/controls.h"
#include "platform/ui/data_exchange.h"
#include "store/phrase_store.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace kvtx::app {

inline constexpr unsigned WM_TRAYNOTIFY = 1124; // the tray icon's callback message
inline constexpr unsigned TIMER_HIDE = 1;
inline constexpr unsigned TIMER_PASTE = 2;
inline constexpr unsigned TIMER_RESTORE = 3;
inline constexpr int IDOK_RESULT = 1;
inline constexpr int IDCANCEL_RESULT = 2;

// What the dialog does to its own window.
class ResidentWindow {
public:
    virtual ~ResidentWindow() = default;
    // The about entry in the system menu, the window icons, no taskbar button, topmost and
    // hidden, the "TaskbarCreated" message.
    virtual void PrepareResidentWindow() = 0;
    virtual void ShowMinimized() = 0;
    virtual void Hide() = 0;
    // Its frame's size in pixels.
    virtual platform::ScreenSize PickerSize() const = 0;
    // Shown normally at (left, top) in pixels, topmost, foreground.
    virtual void ShowPickerAt(int left, int top) = 0;
    // The tray menu at the cursor; its choice comes back through OnCommand.
    virtual void TrackTrayMenu() = 0;
    // The preview edit puts characters 0 to length on the clipboard itself.
    virtual void CopyPreview(int length) = 0;
    // WM_CLOSE to itself.
    virtual void Close() = 0;
    virtual void EndDialog(int result) = 0;
};

struct PickerControls {
    ui::Control& copy;
    ui::ListControl& items;
    ui::TextControl& preview;
    ui::ListControl& categories;
};

struct ResidentServices {
    platform::FileSystem& files;
    platform::Profile& profile;
    platform::Hotkeys& hotkeys;
    platform::TrayIcon& tray;
    platform::Timers& timers;
    platform::Screen& screen;
    platform::Foreground& foreground;
    platform::MessageBox& messages;
    // Blocks the thread, for the tray icon's retries.
    std::function<void(unsigned milliseconds)> sleep;
};

// Where the other subsystems plug in. Each does nothing until it is set.
struct ResidentHooks {
    // A phrase of the category menu was chosen: index = 26 × category + item.
    std::function<void(int index)> applyItem;
    // The menu hotkey came; the menu opens here, where the cursor was before any category file
    // was read for it, so that a slow disk does not move it, and its item goes to the target.
    std::function<void(platform::ScreenPoint at, const platform::Target& target)> showCategoryMenu;
    std::function<void(const platform::Target& target)> runQuickRegex;
    // The search hotkey came, or the tray menu's "検索(&F)"; the window opens at this point.
    std::function<void(platform::ScreenPoint at, const platform::Target& target)> showSearch;
    // TIMER_PASTE fired.
    std::function<void()> pasteTimer;
    // TIMER_RESTORE fired.
    std::function<void()> restoreTimer;
    // The clipboard asks for a format the program announced, at a reader's request or because
    // the window goes away; another program's copy replaced what it announced.
    std::function<void(unsigned format)> renderClipboard;
    std::function<void()> renderClipboardBeforeExit;
    std::function<void()> clipboardReplaced;
    // Runs the editor modally on m_strAppDir, m_nCategory and m_nItem as last exchanged.
    std::function<void()> openEditor;
    // Runs the settings dialog on these values; true when confirmed, with the values changed.
    std::function<bool(ResidentSettings&)> runSettings;
};

class ResidentDialog {
public:
    ResidentDialog(ResidentWindow& window, PickerControls controls, ResidentServices services,
                   std::u16string dataDirectory);

    ResidentHooks hooks;

    // Window creation: the settings, the tray icon, the hotkeys. False when the tray icon was
    // refused: the window is then closing and the program ends.
    bool OnCreate();
    void OnInitDialog();

    // Every message passes here; only WM_TRAYNOTIFY acts (lParam the mouse message).
    void OnTrayNotify(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
    void OnTaskbarCreated();
    // The low word of WM_COMMAND's wParam; the controls' own handlers run after it.
    void OnCommand(int id);
    void OnTimer(unsigned id);
    // WM_HOTKEY's wParam.
    void OnHotkey(std::uintptr_t id);
    void OnOK();
    void OnCancel();
    void OnClose();
    void OnDestroy();
    void OnEditButton();
    void OnSettingsButton();
    // WM_KEYDOWN for the dialog or any of its controls: true when the key table consumed it.
    bool PreTranslateKeyDown(unsigned virtualKey, bool shiftHeld);

    // The picker.
    void ReloadStore();
    // Reads the index and the shown category again if another computer changed either, keeping
    // the picker on its category wherever that now stands. Costs a look at two files' sizes and
    // times when nothing changed. Runs when the data folder tells of a change, and when the menu,
    // the picker or the search window opens, since a network folder may never tell.
    void RefreshStoreIfChanged();
    void SelectCategory();
    void ShowPreview();
    void CopyPreviewToClipboard();

    void RegisterHotkeys();
    void UnregisterHotkeys();
    void ReleaseShellResources();

    // Data exchange: take the selections and the preview from the controls, or show them there.
    void TakeFromControls();
    void ShowInControls();

    PhraseStore& Store() { return store_; }
    ResidentWindow& Window() { return window_; }
    const ResidentServices& Services() const { return services_; }
    ResidentSettings CurrentSettings() const;

    int m_nTimeDelay = 0;
    // The profile's "restoreclip": the user's clipboard comes back after each paste.
    int m_nRestoreClip = 0;
    // Set only when the program is to end; never cleared.
    int m_bExiting = 0;
    HotkeySetting m_hkPicker;
    HotkeySetting m_hkMenu;
    HotkeySetting m_hkRegex;
    HotkeySetting m_hkSearch;
    std::u16string m_strAppDir;
    int m_nCategory = -1;
    std::u16string m_strPreview;
    int m_nItem = -1;

private:
    void LoadIndex();
    void LoadCategory();
    void ApplySettings(const ResidentSettings& settings);
    // The item of a menu command, as the index reads now: another computer's change read while
    // the menu was open may have moved its category. nullopt when the category has gone.
    std::optional<int> ItemOfMenuCommand(int index) const;

    ResidentWindow& window_;
    PickerControls controls_;
    ResidentServices services_;
    std::u16string dataDirectory_;
    PhraseStore store_;
    ui::DataExchange exchange_;
    bool shellReleased_ = false;
    // The index as the last category menu listed it; its commands are positions in it.
    std::unique_ptr<IndexImage> shownInMenu_;
};

} // namespace kvtx::app
