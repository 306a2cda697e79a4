#pragma once

// RAII owners for the user-interface resources the dialogs hold: each gives its resource back
// with the call that matches how it was obtained. Libraries (ModuleHandle) and kernel handles
// are in unique_handle.h.

#include "platform/win32/unique_handle.h"

#include <windows.h>

namespace kvtx::win32 {

struct MenuTraits {
    using Handle = HMENU;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { ::DestroyMenu(handle); }
};

// Only for icons from LoadImageW without LR_SHARED or CreateIcon*: shared icons are never freed.
struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { ::DestroyIcon(handle); }
};

struct GdiTraits {
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { ::DeleteObject(handle); }
};

// A menu from LoadMenuW or CreatePopupMenu; destroying it destroys its submenus too.
using MenuHandle = UniqueHandle<MenuTraits>;
using IconHandle = UniqueHandle<IconTraits>;
using GdiObject = UniqueHandle<GdiTraits>;
// Named mutexes and events are kernel handles.
using MutexHandle = KernelHandle;
using EventHandle = KernelHandle;

// A window timer that is killed when its owner goes, unless it was killed before.
class ScopedTimer {
public:
    ScopedTimer() = default;
    ScopedTimer(HWND window, UINT_PTR id, UINT milliseconds)
        : window_(window), id_(::SetTimer(window, id, milliseconds, nullptr) ? id : 0) {}
    ScopedTimer(const ScopedTimer&) = delete;
    ScopedTimer& operator=(const ScopedTimer&) = delete;
    ~ScopedTimer() { Kill(); }

    bool Running() const { return id_ != 0; }
    void Kill() {
        if (id_ != 0) {
            ::KillTimer(window_, id_);
            id_ = 0;
        }
    }

private:
    HWND window_ = nullptr;
    UINT_PTR id_ = 0;
};

// A global hotkey held for as long as this object lives.
class ScopedHotkey {
public:
    ScopedHotkey(HWND window, int id, UINT modifiers, UINT virtualKey)
        : window_(window), id_(id),
          error_(::RegisterHotKey(window, id, modifiers, virtualKey) ? 0 : ::GetLastError()) {}
    ScopedHotkey(const ScopedHotkey&) = delete;
    ScopedHotkey& operator=(const ScopedHotkey&) = delete;
    ~ScopedHotkey() {
        if (error_ == 0) {
            ::UnregisterHotKey(window_, id_);
        }
    }

    bool Held() const { return error_ == 0; }
    // The error of RegisterHotKey, 0 when it succeeded.
    DWORD Error() const { return error_; }

private:
    HWND window_;
    int id_;
    DWORD error_;
};

} // namespace kvtx::win32
