#include "platform/win32/ui/dialog.h"

#include <cwchar>
#include <string>

namespace kvtx::win32::ui {
namespace {

// Messages whose result a dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

enum class ListKind { None, ComboBox, ListBox };

ListKind KindOf(HWND control) {
    wchar_t name[32] = {};
    ::GetClassNameW(control, name, 32);
    if (::_wcsicmp(name, L"ComboBox") == 0) {
        return ListKind::ComboBox;
    }
    if (::_wcsicmp(name, L"ListBox") == 0) {
        return ListKind::ListBox;
    }
    return ListKind::None;
}

} // namespace

HWND DefaultOwner(HWND mainWindow) {
    HWND popup = mainWindow != nullptr ? ::GetLastActivePopup(mainWindow) : nullptr;
    return popup != nullptr ? popup : mainWindow;
}

Dialog::Dialog(int templateId) : templateId_(templateId), instance_(::GetModuleHandleW(nullptr)) {}

Dialog::~Dialog() {
    if (window_ != nullptr) {
        ::SetWindowLongPtrW(window_, DWLP_USER, 0);
        ::DestroyWindow(window_);
    }
}

INT_PTR Dialog::RunModal(HWND owner) {
    ending_ = false;
    result_ = -1;
    HWND window = ::CreateDialogParamW(instance_, MAKEINTRESOURCEW(templateId_), owner,
                                       &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
    if (window == nullptr) {
        return -1;
    }
    const bool ownerDisabled = owner != nullptr && ::IsWindowEnabled(owner);
    if (ownerDisabled) {
        ::EnableWindow(owner, FALSE);
    }
    // A dialog that its start-up showed (the resident window shows itself minimized) is left as
    // its own handlers put it, even if one of them hides it before the queue first runs empty;
    // only a dialog still invisible after its start-up is shown then.
    bool shownWhenIdle = ::IsWindowVisible(window) != FALSE;
    MSG message{};
    while (!ending_) {
        if (!shownWhenIdle && !::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            shownWhenIdle = true;
            if (!::IsWindowVisible(window)) {
                ::ShowWindow(window, SW_SHOWNORMAL);
            }
            continue;
        }
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == -1) {
            break;
        }
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (IsOwnMessage(message) && PreTranslateMessage(message)) {
            continue;
        }
        if (!::IsDialogMessageW(window, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    // The owner gets its input back before the dialog goes, so that it is activated again.
    if (ownerDisabled) {
        ::EnableWindow(owner, TRUE);
    }
    if (window_ != nullptr) {
        ::DestroyWindow(window_);
    }
    return result_;
}

void Dialog::End(INT_PTR result) {
    result_ = result;
    ending_ = true;
    if (window_ != nullptr) {
        // Wakes the loop even when nothing else is queued.
        ::PostMessageW(window_, WM_NULL, 0, 0);
    }
}

bool Dialog::PreTranslateMessage(const MSG&) {
    return false;
}

bool Dialog::IsOwnMessage(const MSG& message) const {
    return window_ != nullptr &&
           (message.hwnd == window_ || ::IsChild(window_, message.hwnd) != FALSE);
}

void Dialog::HandleMessage(UINT message, MessageHandler handler) {
    messages_[message] = std::move(handler);
}

void Dialog::HandleCommand(int id, int notificationCode, CommandHandler handler) {
    commands_[{id, notificationCode}] = std::move(handler);
}

bool Dialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control != nullptr && !::IsWindowEnabled(control)) {
        return true;
    }
    if (const auto found = commands_.find({id, code}); found != commands_.end()) {
        found->second();
        return true;
    }
    if (code == BN_CLICKED && id == IDOK) {
        OnOK();
        return true;
    }
    if (code == BN_CLICKED && id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

std::optional<LRESULT> Dialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        return OnCommand(wParam, lParam) ? std::optional<LRESULT>(0) : std::nullopt;
    }
    if (const auto found = messages_.find(message); found != messages_.end()) {
        return found->second(wParam, lParam);
    }
    return std::nullopt;
}

void Dialog::FillTemplateEntries() const {
    // RCDATA of the dialog's id: (control id, first string id, count) triples ending in 0.
    HRSRC found = ::FindResourceW(instance_, MAKEINTRESOURCEW(templateId_), RT_RCDATA);
    if (found == nullptr) {
        return;
    }
    HGLOBAL loaded = ::LoadResource(instance_, found);
    const auto* words = static_cast<const WORD*>(::LockResource(loaded));
    const DWORD count = ::SizeofResource(instance_, found) / sizeof(WORD);
    for (DWORD at = 0; words != nullptr && at + 2 < count && words[at] != 0; at += 3) {
        HWND control = Item(words[at]);
        const ListKind kind = KindOf(control);
        for (UINT string = words[at + 1]; string < UINT{words[at + 1]} + words[at + 2]; ++string) {
            // With a zero buffer size LoadStringW hands out the read-only resource text.
            const wchar_t* text = nullptr;
            const int length =
                ::LoadStringW(instance_, string, reinterpret_cast<wchar_t*>(&text), 0);
            const std::wstring entry(text != nullptr ? text : L"",
                                     static_cast<std::size_t>(length > 0 ? length : 0));
            const auto entryParam = reinterpret_cast<LPARAM>(entry.c_str());
            if (kind == ListKind::ComboBox) {
                ::SendMessageW(control, CB_ADDSTRING, 0, entryParam);
            } else if (kind == ListKind::ListBox) {
                ::SendMessageW(control, LB_ADDSTRING, 0, entryParam);
            }
        }
    }
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Dialog*>(lParam);
        ::SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->window_ = window;
        self->FillTemplateEntries();
        return self->OnInitDialog() ? TRUE : FALSE;
    }
    auto* self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(window, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, DWLP_USER, 0);
        self->window_ = nullptr;
        return FALSE;
    }
    const std::optional<LRESULT> result = self->WindowProc(message, wParam, lParam);
    if (!result) {
        return FALSE;
    }
    if (ReturnsResultDirectly(message)) {
        return static_cast<INT_PTR>(*result);
    }
    ::SetWindowLongPtrW(window, DWLP_MSGRESULT, *result);
    return TRUE;
}

} // namespace kvtx::win32::ui
