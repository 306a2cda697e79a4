#pragma once

// The resident dialog over its template: the controls, the tray icon record, the hotkeys and
// timers of its window, and the routing of its messages to the portable ResidentDialog.

#include "app/resident_dialog.h"
#include "platform/win32/folder_change_watch.h"
#include "platform/win32/ui/dialog.h"
#include "platform/win32/ui/dialog_controls.h"
#include "platform/win32/ui/win32_message_box.h"
#include "platform/win32/win32_foreground.h"
#include "platform/win32/window_services.h"

namespace kvtx::app::win32 {

class ResidentDialogWindow final : public kvtx::win32::ui::Dialog, public ResidentWindow {
public:
    explicit ResidentDialogWindow(platform::Profile& profile);

    ResidentDialog& Logic() { return logic_; }
    platform::MessageBox& Messages() { return messages_; }
    platform::Foreground& Foreground() { return foreground_; }
    platform::TrayBalloon& Balloon() { return tray_; }

    // ResidentWindow
    void PrepareResidentWindow() override;
    void ShowMinimized() override;
    void Hide() override;
    platform::ScreenSize PickerSize() const override;
    void ShowPickerAt(int left, int top) override;
    void TrackTrayMenu() override;
    void CopyPreview(int length) override;
    void Close() override;
    void EndDialog(int result) override;

protected:
    bool OnInitDialog() override;
    void OnOK() override { logic_.OnOK(); }
    void OnCancel() override { logic_.OnCancel(); }
    bool PreTranslateMessage(const MSG& message) override;
    std::optional<LRESULT> WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void FillIconRecord();
    bool PaintMinimized();

    kvtx::win32::ui::PlainItem copy_;
    kvtx::win32::ui::ListBoxItem items_;
    kvtx::win32::ui::EditItem preview_;
    kvtx::win32::ui::ComboBoxItem categories_;
    kvtx::win32::ui::Win32MessageBox messages_;
    kvtx::win32::WindowHotkeys hotkeys_;
    kvtx::win32::WindowTimers timers_;
    kvtx::win32::NotifyIcon tray_;
    kvtx::win32::SystemScreen screen_;
    kvtx::win32::Win32Foreground foreground_;
    kvtx::win32::FolderChangeWatch folderWatch_;
    HICON icon_;
    UINT taskbarCreated_ = 0;
    ResidentDialog logic_;
};

} // namespace kvtx::app::win32
