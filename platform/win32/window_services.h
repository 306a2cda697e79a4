#pragma once

// The main window's share of the system: its hotkeys, its timers, its tray icon, and the screen.

#include "platform/hotkeys.h"
#include "platform/screen.h"
#include "platform/timers.h"
#include "platform/tray_icon.h"

#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

namespace kvtx::win32 {

// Hotkeys and timers belong to a window that exists only once its dialog runs: Bind it first.
class WindowHotkeys final : public platform::Hotkeys {
public:
    void Bind(HWND window) { window_ = window; }
    std::optional<std::uint32_t> Register(int id, unsigned modifiers, unsigned virtualKey) override;
    void Unregister(int id) override;
    std::u16string ErrorText(std::uint32_t error) const override;

private:
    HWND window_ = nullptr;
};

class WindowTimers final : public platform::Timers {
public:
    void Bind(HWND window) { window_ = window; }
    void Start(unsigned id, unsigned milliseconds) override;
    void Kill(unsigned id) override;

private:
    HWND window_ = nullptr;
};

// Shell_NotifyIconW with one icon record, which the owner fills before the first Add.
class NotifyIcon final : public platform::TrayIcon, public platform::TrayBalloon {
public:
    NOTIFYICONDATAW& Data() { return data_; }
    platform::TrayResult Add() override { return Notify(NIM_ADD); }
    platform::TrayResult Modify() override { return Notify(NIM_MODIFY); }
    void Delete() override { ::Shell_NotifyIconW(NIM_DELETE, &data_); }
    void ShowBalloon(const std::u16string& text) override;

private:
    platform::TrayResult Notify(DWORD request);

    NOTIFYICONDATAW data_{};
};

class SystemScreen final : public platform::Screen {
public:
    platform::ScreenPoint CursorPosition() const override;
    platform::ScreenRect WorkAreaAt(platform::ScreenPoint point) const override;
};

} // namespace kvtx::win32
