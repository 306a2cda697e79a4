#include "platform/win32/ui/win32_message_box.h"

#include "platform/path_names.h"
#include "platform/win32/module_path.h"
#include "platform/win32/wide.h"

namespace kvtx::win32::ui {

Win32MessageBox::Win32MessageBox(HWND owner)
    : owner_(owner), caption_(platform::FileStem(ExecutablePath())) {}

void Win32MessageBox::Show(const std::u16string& text) {
    ::MessageBoxW(owner_, Wide(text), Wide(caption_), MB_OK | MB_ICONEXCLAMATION);
}

bool Win32MessageBox::AskYesNo(const std::u16string& text) {
    return ::MessageBoxW(owner_, Wide(text), Wide(caption_), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

} // namespace kvtx::win32::ui
