// A plain application for the end-to-end tests to work in, standing for the user's editor: one
// multi-line edit control filling a window. The tests set and read its text and selection from
// outside and type, copy and paste into it with synthesized keys.

#include <windows.h>

namespace {

constexpr int kEditId = 100;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        HWND edit = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE |
                                          ES_AUTOVSCROLL | ES_NOHIDESEL | ES_WANTRETURN,
                                      0, 0, 0, 0, window, reinterpret_cast<HMENU>(kEditId),
                                      reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance, nullptr);
        // No limit below the edit control's own, so long pastes arrive whole.
        ::SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
        return edit == nullptr ? -1 : 0;
    }
    case WM_SIZE:
        ::MoveWindow(::GetDlgItem(window, kEditId), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        // Keys reach the edit only if the window hands the focus on.
        ::SetFocus(::GetDlgItem(window, kEditId));
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TargetProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_IBEAM);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"KorvatexTestTarget";
    if (!::RegisterClassW(&windowClass)) {
        return 1;
    }
    HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"Korvatex test target",
                                    WS_OVERLAPPEDWINDOW, 300, 300, 480, 320, nullptr, nullptr,
                                    instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ::ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
