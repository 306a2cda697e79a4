#pragma once

#include <string>
#include <utility>
#include <vector>
#include <windows.h>

namespace kvtx::e2e {

// Reading the controls of another process with the messages Wine marshals across processes:
// WM_GETTEXT, LB_GETTEXT, CB_GETLBTEXT and the selection queries. GetWindowTextW would give
// only an edit control's first caption, so texts always go through WM_GETTEXT.

std::u16string ControlText(HWND control);
HWND ChildById(HWND dialog, int id);

std::vector<std::u16string> ListBoxItems(HWND listBox);
int ListBoxSelection(HWND listBox); // -1 for none
std::vector<std::u16string> ComboBoxItems(HWND comboBox);
int ComboBoxSelection(HWND comboBox); // -1 for none

// Start and end of an edit control's selection (EM_GETSEL's result, so up to 65535).
std::pair<int, int> EditSelection(HWND edit);

bool IsControlEnabled(HWND control);
bool IsControlVisible(HWND control);
// The middle of a window or control, in screen coordinates.
POINT CenterOf(HWND window);

// The texts of a window's static controls, in child order (a message box's text is one of them).
std::vector<std::u16string> StaticTexts(HWND window);
std::vector<HWND> ChildrenOfClass(HWND window, const std::u16string& className);

} // namespace kvtx::e2e
