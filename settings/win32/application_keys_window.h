#pragma once

// "アプリケーションごとのキー" on its template: the list and the two boxes routed to
// ApplicationKeysDialog, Enter setting the entry in the boxes rather than closing.

#include "platform/win32/ui/dialog.h"
#include "platform/win32/ui/dialog_controls.h"
#include "platform/win32/ui/win32_message_box.h"
#include "settings/application_keys_dialog.h"

namespace kvtx::settings::win32 {

class ApplicationKeysWindow final : public kvtx::win32::ui::Dialog {
public:
    ApplicationKeysWindow(platform::Profile& profile, std::u16string frontApplication);

protected:
    bool OnInitDialog() override;
    void OnOK() override { logic_.OnSet(); }

private:
    std::u16string frontApplication_;
    kvtx::win32::ui::ListBoxItem entries_;
    kvtx::win32::ui::TextItem name_;
    kvtx::win32::ui::TextItem value_;
    kvtx::win32::ui::Win32MessageBox messages_;
    ApplicationKeysDialog logic_;
};

} // namespace kvtx::settings::win32
