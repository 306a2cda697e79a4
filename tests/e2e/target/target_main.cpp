// A plain application for the end-to-end tests to work in, standing for the user's editor: one
// multi-line edit control filling a window. The tests set and read its text and selection from
// outside and type, copy and paste into it with synthesized keys. Two messages make it behave as
// harder applications do (tests/e2e/driver/target_app.h has their numbers):
// - kSetCopyDelay: the edit answers a copy this many milliseconds late, as a busy application or
//   a remote session does;
// - kSetCopyAfterPaste: right after each paste, it copies kLaterCopy itself, standing for another
//   program's copy that comes after the paste;
// - kSetPasteDelay: the edit answers a paste this many milliseconds late, and a copy asked for
//   meanwhile after it, in order, as a busy application works through its commands;
// - kSetTerminal: the edit takes keys as a terminal does: Ctrl+C types "^C" (the interrupt),
//   Ctrl+V types "^V", Shift+Insert pastes.
// It also records when it last answered a copy and a paste, on the performance counter that every
// process reads alike, and the clipboard's sequence number right after its copy, so that a
// benchmark reads the moments from it instead of racing to see them: kLastCopyTime,
// kLastCopySequence, kLastPasteTime and kLastPasteSequence answer them (0 before the first).

#include <cstring>
#include <deque>
#include <string>
#include <utility>
#include <windows.h>

namespace {

constexpr int kEditId = 100;
constexpr UINT kSetCopyDelay = WM_APP + 1;
constexpr UINT kSetCopyAfterPaste = WM_APP + 2;
constexpr UINT kLastCopyTime = WM_APP + 3;
constexpr UINT kLastCopySequence = WM_APP + 4;
constexpr UINT kLastPasteTime = WM_APP + 5;
constexpr UINT kSetPasteDelay = WM_APP + 6;
constexpr UINT kLastPasteSequence = WM_APP + 7;
constexpr UINT kSetTerminal = WM_APP + 8;
constexpr UINT_PTR kLatePasteTimer = 2;
constexpr UINT_PTR kLateCopyTimer = 1;
constexpr wchar_t kLaterCopy[] = L"後からのコピー";

WNDPROC editProc = nullptr;
UINT copyDelayMs = 0;
UINT pasteDelayMs = 0;
// The paste and the copies waiting for it, in order.
std::deque<UINT> waiting;
bool replaying = false;
bool terminal = false;

bool ControlOnly() {
    return ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_SHIFT) >= 0;
}
bool copyAfterPaste = false;
LONGLONG lastCopyTime = 0;
DWORD lastCopySequence = 0;
LONGLONG lastPasteTime = 0;
DWORD lastPasteSequence = 0;

LONGLONG Now() {
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

LRESULT Copy(HWND edit, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ::CallWindowProcW(editProc, edit, WM_COPY, wParam, lParam);
    lastCopyTime = Now();
    lastCopySequence = ::GetClipboardSequenceNumber();
    return result;
}

void CopyText(HWND owner, const std::wstring& text) {
    if (!::OpenClipboard(owner)) {
        return;
    }
    ::EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
        ::GlobalUnlock(memory);
        if (::SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
            ::GlobalFree(memory);
        }
    }
    ::CloseClipboard();
}

LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (terminal && message == WM_KEYDOWN && (wParam == 'C' || wParam == 'V') && ControlOnly()) {
        ::SendMessageW(edit, EM_REPLACESEL, TRUE,
                       reinterpret_cast<LPARAM>(wParam == 'C' ? L"^C" : L"^V"));
        return 0;
    }
    // The control characters the keys would make as well.
    if (terminal && message == WM_CHAR && (wParam == 0x03 || wParam == 0x16)) {
        return 0;
    }
    if ((message == WM_COPY || message == WM_PASTE) && !waiting.empty()) {
        waiting.push_back(message);
        return 0;
    }
    if (message == WM_COPY) {
        if (copyDelayMs > 0) {
            ::SetTimer(::GetParent(edit), kLateCopyTimer, copyDelayMs, nullptr);
            return 0;
        }
        return Copy(edit, wParam, lParam);
    }
    if (message == WM_PASTE && pasteDelayMs > 0 && waiting.empty() && !replaying) {
        waiting.push_back(WM_PASTE);
        ::SetTimer(::GetParent(edit), kLatePasteTimer, pasteDelayMs, nullptr);
        return 0;
    }
    const LRESULT result = ::CallWindowProcW(editProc, edit, message, wParam, lParam);
    if (message == WM_PASTE) {
        lastPasteTime = Now();
        lastPasteSequence = ::GetClipboardSequenceNumber();
        if (copyAfterPaste) {
            CopyText(edit, kLaterCopy);
        }
    }
    return result;
}

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        HWND edit = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE |
                                          ES_AUTOVSCROLL | ES_NOHIDESEL | ES_WANTRETURN,
                                      0, 0, 0, 0, window, reinterpret_cast<HMENU>(kEditId),
                                      reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance, nullptr);
        if (edit == nullptr) {
            return -1;
        }
        // No limit below the edit control's own, so long pastes arrive whole.
        ::SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
        editProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditProc)));
        return 0;
    }
    case kSetCopyDelay:
        copyDelayMs = static_cast<UINT>(wParam);
        return 0;
    case kSetCopyAfterPaste:
        copyAfterPaste = wParam != 0;
        return 0;
    case kLastCopyTime:
        return static_cast<LRESULT>(lastCopyTime);
    case kLastCopySequence:
        return static_cast<LRESULT>(lastCopySequence);
    case kLastPasteTime:
        return static_cast<LRESULT>(lastPasteTime);
    case kLastPasteSequence:
        return static_cast<LRESULT>(lastPasteSequence);
    case kSetTerminal:
        terminal = wParam != 0;
        return 0;
    case kSetPasteDelay:
        pasteDelayMs = static_cast<UINT>(wParam);
        return 0;
    case WM_TIMER:
        if (wParam == kLateCopyTimer) {
            ::KillTimer(window, kLateCopyTimer);
            Copy(::GetDlgItem(window, kEditId), 0, 0);
        } else if (wParam == kLatePasteTimer) {
            ::KillTimer(window, kLatePasteTimer);
            HWND edit = ::GetDlgItem(window, kEditId);
            const std::deque<UINT> commands = std::exchange(waiting, {});
            replaying = true;
            for (const UINT command : commands) {
                ::SendMessageW(edit, command, 0, 0);
            }
            replaying = false;
        }
        return 0;
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
