#pragma once

#include <windows.h>
// windows.h names MessageBoxW MessageBox, which would rename the interface below.
#undef MessageBox

#include "platform/message_box.h"

namespace kvtx::win32::ui {

// Message boxes captioned with the program's name (the executable's base name), owned by a
// window that may change as dialogs come and go.
class Win32MessageBox final : public platform::MessageBox {
public:
    explicit Win32MessageBox(HWND owner = nullptr);

    void SetOwner(HWND owner) { owner_ = owner; }
    void Show(const std::u16string& text) override;
    bool AskYesNo(const std::u16string& text) override;

private:
    HWND owner_;
    std::u16string caption_;
};

} // namespace kvtx::win32::ui
