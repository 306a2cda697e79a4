#include "app/win32/resident_dialog_window.h"

#include "app/win32/about_dialog.h"
#include "platform/win32/ui/handles.h"
#include "platform/win32/wide.h"
#include "res/resource_ids.h"

#include <cwchar>

namespace kvtx::app::win32 {
namespace {

// The data folder's watch tells of a change.
constexpr UINT kStoreFolderChanged = WM_APP + 1;

template <std::size_t N> void CopyText(wchar_t (&field)[N], const wchar_t* text) {
    ::wcsncpy(field, text, N - 1);
    field[N - 1] = L'\0';
}

} // namespace

ResidentDialogWindow::ResidentDialogWindow(platform::Profile& profile)
    : Dialog(IDD_PICKER),
      icon_(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAINFRAME))),
      logic_(*this, {copy_, items_, preview_, categories_},
             {platform::NativeFileSystem(), profile, hotkeys_, tray_, timers_, screen_, foreground_,
              messages_, [](unsigned milliseconds) { ::Sleep(milliseconds); }},
             platform::ExecutableDirectory()) {
    HandleCommand(IDC_PICKER_CATEGORIES, CBN_SELCHANGE, [this] { logic_.SelectCategory(); });
    HandleCommand(IDC_PICKER_ITEMS, LBN_SELCHANGE, [this] { logic_.ShowPreview(); });
    HandleCommand(IDC_PICKER_EDIT, BN_CLICKED, [this] { logic_.OnEditButton(); });
    HandleCommand(IDC_PICKER_SETTINGS, BN_CLICKED, [this] { logic_.OnSettingsButton(); });
    HandleMessage(kStoreFolderChanged, [this](WPARAM, LPARAM) -> std::optional<LRESULT> {
        logic_.RefreshStoreIfChanged();
        return 0;
    });
    HandleMessage(WM_TIMER, [this](WPARAM id, LPARAM) {
        logic_.OnTimer(static_cast<unsigned>(id));
        return std::nullopt;
    });
    HandleMessage(WM_RENDERFORMAT, [this](WPARAM format, LPARAM) -> std::optional<LRESULT> {
        if (logic_.hooks.renderClipboard) {
            logic_.hooks.renderClipboard(static_cast<unsigned>(format));
        }
        return 0;
    });
    HandleMessage(WM_DESTROYCLIPBOARD, [this](WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (logic_.hooks.clipboardReplaced) {
            logic_.hooks.clipboardReplaced();
        }
        return 0;
    });
    HandleMessage(WM_RENDERALLFORMATS, [this](WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (logic_.hooks.renderClipboardBeforeExit) {
            logic_.hooks.renderClipboardBeforeExit();
        }
        return 0;
    });
    HandleMessage(WM_HOTKEY, [this](WPARAM id, LPARAM) {
        logic_.OnHotkey(id);
        return std::nullopt;
    });
    HandleMessage(WM_SYSCOMMAND, [this](WPARAM command, LPARAM) -> std::optional<LRESULT> {
        if ((command & 0xFFF0) != IDM_ABOUTBOX) {
            return std::nullopt;
        }
        AboutDialog about;
        about.RunModal(Window());
        return 0;
    });
    HandleMessage(WM_PAINT, [this](WPARAM, LPARAM) -> std::optional<LRESULT> {
        return PaintMinimized() ? std::optional<LRESULT>(0) : std::nullopt;
    });
    HandleMessage(WM_QUERYDRAGICON,
                  [this](WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(icon_); });
    // The dialog manager turns WM_CLOSE into IDCANCEL afterwards.
    HandleMessage(WM_CLOSE, [this](WPARAM, LPARAM) {
        logic_.OnClose();
        return std::nullopt;
    });
    HandleMessage(WM_DESTROY, [this](WPARAM, LPARAM) {
        logic_.OnDestroy();
        return std::nullopt;
    });
}

bool ResidentDialogWindow::OnInitDialog() {
    HWND window = Window();
    copy_.Attach(window, IDC_PICKER_COPY);
    items_.Attach(window, IDC_PICKER_ITEMS);
    preview_.Attach(window, IDC_PICKER_PREVIEW);
    categories_.Attach(window, IDC_PICKER_CATEGORIES);
    messages_.SetOwner(window);
    hotkeys_.Bind(window);
    timers_.Bind(window);
    folderWatch_.Start(platform::ExecutableDirectory(), window, kStoreFolderChanged);
    FillIconRecord();
    // What the window does when it is created comes first; a refused tray icon ends it there.
    if (logic_.OnCreate()) {
        logic_.OnInitDialog();
    }
    return true;
}

void ResidentDialogWindow::FillIconRecord() {
    NOTIFYICONDATAW& data = tray_.Data();
    data = NOTIFYICONDATAW{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = Window();
    data.uID = 1;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAYNOTIFY;
    // Shared: the system keeps it for the life of the process.
    data.hIcon =
        static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TRAY),
                                        IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR | LR_SHARED));
    CopyText(data.szTip, L"Mobrelle");
    CopyText(data.szInfo, L"ここをクリックして下さい");
    CopyText(data.szInfoTitle, L"Mobrelle");
    data.uTimeout = 1000;
    data.dwInfoFlags = NIIF_INFO;
}

void ResidentDialogWindow::PrepareResidentWindow() {
    HWND window = Window();
    HMENU systemMenu = ::GetSystemMenu(window, FALSE);
    wchar_t about[64] = {};
    ::LoadStringW(::GetModuleHandleW(nullptr), IDS_ABOUTBOX, about, 64);
    if (systemMenu != nullptr && about[0] != L'\0') {
        ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, about);
    }
    ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    const LONG_PTR extended = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, extended & ~LONG_PTR{WS_EX_APPWINDOW});
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
}

void ResidentDialogWindow::ShowMinimized() {
    ::ShowWindow(Window(), SW_MINIMIZE);
}

void ResidentDialogWindow::Hide() {
    ::ShowWindow(Window(), SW_HIDE);
}

platform::ScreenSize ResidentDialogWindow::PickerSize() const {
    // The size it has when shown normally: hidden after an application, it is also minimized.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(Window(), &placement);
    const RECT& frame = placement.rcNormalPosition;
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void ResidentDialogWindow::ShowPickerAt(int left, int top) {
    HWND window = Window();
    ::ShowWindow(window, SW_SHOWNORMAL);
    ::SetWindowPos(window, HWND_TOPMOST, left, top, 0, 0, SWP_NOSIZE);
    ::SetForegroundWindow(window);
}

void ResidentDialogWindow::TrackTrayMenu() {
    HWND window = Window();
    const kvtx::win32::MenuHandle menu(
        ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU)));
    HMENU popup = menu ? ::GetSubMenu(menu.get(), 0) : nullptr;
    if (popup == nullptr) {
        return;
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    // Without the foreground the menu would not close on a click elsewhere.
    ::SetForegroundWindow(window);
    ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window,
                     nullptr);
    ::PostMessageW(window, WM_NULL, 0, 0);
}

void ResidentDialogWindow::CopyPreview(int length) {
    preview_.SelectAndCopy(0, length);
}

void ResidentDialogWindow::Close() {
    ::SendMessageW(Window(), WM_CLOSE, 0, 0);
}

void ResidentDialogWindow::EndDialog(int result) {
    End(result);
}

bool ResidentDialogWindow::PreTranslateMessage(const MSG& message) {
    if (message.message != WM_KEYDOWN) {
        return false;
    }
    return logic_.PreTranslateKeyDown(static_cast<unsigned>(message.wParam),
                                      ::GetKeyState(VK_SHIFT) < 0);
}

std::optional<LRESULT> ResidentDialogWindow::WindowProc(UINT message, WPARAM wParam,
                                                        LPARAM lParam) {
    logic_.OnTrayNotify(message, wParam, lParam);
    if (taskbarCreated_ != 0 && message == taskbarCreated_) {
        logic_.OnTaskbarCreated();
    }
    return Dialog::WindowProc(message, wParam, lParam);
}

bool ResidentDialogWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    logic_.OnCommand(LOWORD(wParam));
    return Dialog::OnCommand(wParam, lParam);
}

bool ResidentDialogWindow::PaintMinimized() {
    HWND window = Window();
    if (!::IsIconic(window)) {
        return false;
    }
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(window, &paint);
    ::SendMessageW(window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    ::GetClientRect(window, &client);
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    ::DrawIcon(dc, (client.right - client.left - iconWidth + 1) / 2,
               (client.bottom - client.top - iconHeight + 1) / 2, icon_);
    ::EndPaint(window, &paint);
    return true;
}

} // namespace kvtx::app::win32
