#pragma once

// The Win32 side of the capture and paste driver's services.

#include "platform/clipboard.h"
#include "platform/keystrokes.h"
#include "platform/paste_window.h"
#include "platform/ui_thread.h"

#include <windows.h>

namespace kvtx::win32 {

class Win32Clipboard final : public platform::Clipboard {
public:
    // The clipboard is opened with this window as its owner.
    explicit Win32Clipboard(HWND owner) : owner_(owner) {}
    std::optional<std::u16string> ReadText() override;
    std::uint32_t SequenceNumber() const override;
    void WatchChanges(bool on) override;
    std::optional<platform::SavedClipboard> Save() override;
    bool Offer(const platform::SavedClipboard& contents) override;
    bool Put(const platform::SavedClipboard& contents) override;
    void Render(const platform::SavedClipboard::Format& format) override;
    void RenderBeforeExit(const platform::SavedClipboard& contents) override;
    std::uint32_t ReaderProcessId() const override;

private:
    HWND owner_;
};

// SendInput, as the foreground application sees a user's own key presses.
class Win32Keystrokes final : public platform::Keystrokes {
public:
    void Press(platform::KeyChord chord) override;
    void Type(std::u16string_view text) override;
    bool EscapeHeld() const override;
    void LeftArrows(std::size_t count) override;
    bool ModifierHeld() const override;
    bool ProcessTakesKeys(std::uint32_t process) const override;
};

class Win32UiThread final : public platform::UiThread {
public:
    void Wait(int milliseconds) override;
    void WaitForMessage(int milliseconds) override;
    std::int64_t SteadyMilliseconds() const override;
    void PumpOneMessage() override;
    bool RunAside(std::function<void()> work, int timeoutMs) override;
};

class Win32PasteWindow final : public platform::PasteWindow {
public:
    explicit Win32PasteWindow(HWND window) : window_(window) {}
    void Minimize() override;
    void Hide() override;
    void StartPasteTimer(int milliseconds) override;
    void KillPasteTimer() override;
    void StartRestoreTimer(int milliseconds) override;
    void KillRestoreTimer() override;

private:
    HWND window_;
};

} // namespace kvtx::win32
