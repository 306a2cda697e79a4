#include "app/resident_dialog.h"

#include "app/tray_registration.h"
#include "res/resource_ids.h"
#include "store/fields.h"
#include "store/store_codec.h"
#include "store/store_merge.h"

#include <algorithm>

namespace kvtx::app {
namespace {

constexpr unsigned kLeftButtonUp = 514;
constexpr unsigned kRightButtonUp = 517;
constexpr int kPhraseCommands = 26 * 26;

} // namespace

ResidentDialog::ResidentDialog(ResidentWindow& window, PickerControls controls,
                               ResidentServices services, std::u16string dataDirectory)
    : window_(window), controls_(controls), services_(std::move(services)),
      dataDirectory_(std::move(dataDirectory)), store_(services_.files, dataDirectory_),
      exchange_(services_.messages) {
    exchange_.Selection(controls_.categories, m_nCategory);
    exchange_.Text(controls_.preview, m_strPreview);
    exchange_.Selection(controls_.items, m_nItem);
}

void ResidentDialog::TakeFromControls() {
    exchange_.TakeFromControls();
}

void ResidentDialog::ShowInControls() {
    exchange_.ShowInControls();
}

bool ResidentDialog::OnCreate() {
    ApplySettings(ReadSettings(services_.profile));
    if (!AddTrayIcon(services_.tray, services_.sleep)) {
        m_bExiting = 1;
        services_.messages.Show(u"Korvatexの登録に失敗しました");
        window_.Close();
        return false;
    }
    RegisterHotkeys();
    return true;
}

void ResidentDialog::OnInitDialog() {
    ShowInControls();
    window_.PrepareResidentWindow();
    // A negative delay from a hand-edited profile would otherwise keep the window minimized for
    // weeks.
    services_.timers.Start(TIMER_HIDE, static_cast<unsigned>(std::max(m_nTimeDelay, 0)));
    m_strAppDir = dataDirectory_;
    window_.ShowMinimized();
    ReloadStore();
}

void ResidentDialog::OnTrayNotify(unsigned message, std::uintptr_t, std::intptr_t lParam) {
    if (message != WM_TRAYNOTIFY) {
        return;
    }
    const platform::ScreenPoint cursor = services_.screen.CursorPosition();
    if (lParam == kLeftButtonUp) {
        RefreshStoreIfChanged();
        const platform::ScreenPoint position =
            PickerPosition(cursor, window_.PickerSize(), services_.screen.WorkAreaAt(cursor));
        ShowPreview();
        window_.ShowPickerAt(position.x, position.y);
    } else if (lParam == kRightButtonUp) {
        window_.TrackTrayMenu();
    }
}

void ResidentDialog::OnTaskbarCreated() {
    // A new taskbar knows no icons; the result does not matter, the program runs on either way.
    services_.tray.Add();
}

void ResidentDialog::OnCommand(int id) {
    if (id == ID_MENU_EXIT) {
        m_bExiting = 1;
        window_.Close();
    } else if (id == ID_MENU_SEARCH) {
        RefreshStoreIfChanged();
        // The click on the tray icon gave the foreground to the taskbar.
        if (hooks.showSearch) {
            hooks.showSearch(services_.screen.CursorPosition(),
                             services_.foreground.LastApplication());
        }
    } else if (id >= ID_PHRASE_BASE && id < ID_PHRASE_BASE + kPhraseCommands) {
        // Ids past the last item of the last category would name a 27th category.
        const auto item = ItemOfMenuCommand(id - ID_PHRASE_BASE);
        if (hooks.applyItem && item) {
            hooks.applyItem(*item);
        }
    }
}

std::optional<int> ResidentDialog::ItemOfMenuCommand(int index) const {
    const int category = index / kMaxItems;
    if (!shownInMenu_ || category >= UsedCategories(*shownInMenu_)) {
        return index;
    }
    const auto now =
        PositionOfCategory(store_.Index(), FieldText(shownInMenu_->categories[category].fileName));
    if (!now) {
        return std::nullopt;
    }
    return *now * kMaxItems + index % kMaxItems;
}

void ResidentDialog::OnTimer(unsigned id) {
    if (id == TIMER_HIDE) {
        services_.timers.Kill(TIMER_HIDE);
        window_.Hide();
    } else if (id == TIMER_PASTE && hooks.pasteTimer) {
        hooks.pasteTimer();
    } else if (id == TIMER_RESTORE && hooks.restoreTimer) {
        hooks.restoreTimer();
    }
}

void ResidentDialog::OnOK() {
    CopyPreviewToClipboard();
    window_.Hide();
    if (m_bExiting != 0) {
        window_.EndDialog(IDOK_RESULT);
    }
}

void ResidentDialog::OnCancel() {
    window_.Hide();
    if (m_bExiting != 0) {
        window_.EndDialog(IDCANCEL_RESULT);
    }
}

void ResidentDialog::OnClose() {
    ReleaseShellResources();
}

void ResidentDialog::OnDestroy() {
    ReleaseShellResources();
}

void ResidentDialog::ReleaseShellResources() {
    if (m_bExiting == 0 || shellReleased_) {
        return;
    }
    shellReleased_ = true;
    UnregisterHotkeys();
    services_.tray.Delete();
}

void ResidentDialog::OnEditButton() {
    if (!hooks.openEditor) {
        return;
    }
    hooks.openEditor();
    ReloadStore();
}

} // namespace kvtx::app
