#pragma once

#include <string>
#include <vector>
#include <windows.h>

namespace kvtx::e2e {

struct MessageBoxWindow {
    HWND window = nullptr;
    std::u16string caption;
    std::u16string text; // the message, as the box's static control holds it
};

// The message boxes a process shows now: visible dialogs made only of static texts and buttons.
std::vector<MessageBoxWindow> MessageBoxesOf(DWORD processId);

// Clicks the dialog's button with this id (IDOK, IDYES, ...) with the mouse.
void ClickButton(HWND dialog, int id);

} // namespace kvtx::e2e
