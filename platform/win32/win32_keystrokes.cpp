#include "platform/win32/apply_services.h"
#include "platform/win32/unique_handle.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace kvtx::win32 {
namespace {

bool IsDown(int virtualKey) {
    return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

INPUT Key(WORD virtualKey, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = flags;
    return input;
}

// A UTF-16 unit as the keyboard's own character, whichever keys the layout has; each half of a
// surrogate pair goes as one.
INPUT Unicode(wchar_t unit, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = unit;
    input.ki.dwFlags = KEYEVENTF_UNICODE | flags;
    return input;
}

// The mandatory integrity level of a process (a SECURITY_MANDATORY_*_RID value); nullopt when its
// token cannot be read, with the reason in the last error.
std::optional<DWORD> IntegrityLevel(HANDLE process) {
    HANDLE opened = nullptr;
    if (!::OpenProcessToken(process, TOKEN_QUERY, &opened)) {
        return std::nullopt;
    }
    const KernelHandle token(opened);
    DWORD size = 0;
    ::GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
    std::vector<BYTE> label(size);
    if (size == 0 ||
        !::GetTokenInformation(token.get(), TokenIntegrityLevel, label.data(), size, &size)) {
        return std::nullopt;
    }
    PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(label.data())->Label.Sid;
    const UCHAR parts = *::GetSidSubAuthorityCount(sid);
    return parts == 0 ? std::nullopt : std::optional(*::GetSidSubAuthority(sid, parts - 1u));
}

} // namespace

void Win32Keystrokes::Press(platform::KeyChord chord) {
    // The arrow block's Insert, not the number pad's 0.
    const DWORD extended = chord.key == VK_INSERT ? KEYEVENTF_EXTENDEDKEY : 0;
    std::vector<INPUT> series;
    for (const auto& [held, key] :
         {std::pair{chord.control, VK_CONTROL}, {chord.shift, VK_SHIFT}}) {
        if (held) {
            series.push_back(Key(static_cast<WORD>(key), 0));
        }
    }
    series.push_back(Key(chord.key, extended));
    series.push_back(Key(chord.key, extended | KEYEVENTF_KEYUP));
    for (const auto& [held, key] :
         {std::pair{chord.shift, VK_SHIFT}, {chord.control, VK_CONTROL}}) {
        if (held) {
            series.push_back(Key(static_cast<WORD>(key), KEYEVENTF_KEYUP));
        }
    }
    // One call: the system puts its events into the input stream with nothing in between.
    ::SendInput(static_cast<UINT>(series.size()), series.data(), sizeof(INPUT));
}

void Win32Keystrokes::Type(std::u16string_view text) {
    const HKL layout = ::GetKeyboardLayout(0);
    std::vector<INPUT> series;
    const auto press = [&series](WORD key) {
        series.push_back(Key(key, 0));
        series.push_back(Key(key, KEYEVENTF_KEYUP));
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t unit = text[i];
        if (unit == L'\r' || unit == L'\n') {
            press(VK_RETURN);
            if (unit == L'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            continue;
        }
        if (unit == L'\t') {
            press(VK_TAB);
            continue;
        }
        // Consoles, remote clients and games read keys: a character the layout has goes out as
        // its key, with Shift where it needs it. One that needs Ctrl or Alt (AltGr) does not.
        const SHORT scan = ::VkKeyScanExW(unit, layout);
        const int shiftState = (scan >> 8) & 0xFF;
        if (scan != -1 && (shiftState & ~1) == 0) {
            if (shiftState != 0) {
                series.push_back(Key(VK_SHIFT, 0));
            }
            press(static_cast<WORD>(scan & 0xFF));
            if (shiftState != 0) {
                series.push_back(Key(VK_SHIFT, KEYEVENTF_KEYUP));
            }
            continue;
        }
        series.push_back(Unicode(unit, 0));
        series.push_back(Unicode(unit, KEYEVENTF_KEYUP));
    }
    if (!series.empty()) {
        ::SendInput(static_cast<UINT>(series.size()), series.data(), sizeof(INPUT));
    }
}

bool Win32Keystrokes::EscapeHeld() const {
    return IsDown(VK_ESCAPE);
}

void Win32Keystrokes::LeftArrows(std::size_t count) {
    // The arrow key of the arrow block, not the number pad's 4 (the extended flag), with its
    // scan code, as a keyboard sends it.
    INPUT key{};
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = VK_LEFT;
    key.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(VK_LEFT, MAPVK_VK_TO_VSC));
    key.ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
    INPUT release = key;
    release.ki.dwFlags |= KEYEVENTF_KEYUP;
    // In batches, so that a long way back needs no huge array.
    constexpr std::size_t kBatch = 256;
    std::vector<INPUT> presses;
    presses.reserve(2 * std::min(count, kBatch));
    while (count > 0) {
        const std::size_t now = std::min(count, kBatch);
        presses.clear();
        for (std::size_t i = 0; i < now; ++i) {
            presses.push_back(key);
            presses.push_back(release);
        }
        ::SendInput(static_cast<UINT>(presses.size()), presses.data(), sizeof(INPUT));
        count -= now;
    }
}

bool Win32Keystrokes::ModifierHeld() const {
    return IsDown(VK_SHIFT) || IsDown(VK_MENU) || IsDown(VK_LWIN) || IsDown(VK_RWIN);
}

// What cannot be told is taken as reachable: the keys then go out as they always did.
bool Win32Keystrokes::ProcessTakesKeys(std::uint32_t processId) const {
    const auto own = IntegrityLevel(::GetCurrentProcess());
    if (processId == 0 || !own) {
        return true;
    }
    const KernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) {
        return true;
    }
    if (const auto theirs = IntegrityLevel(process.get())) {
        return *theirs <= *own;
    }
    // An elevated program keeps its token from the unelevated programs of the same user.
    return ::GetLastError() != ERROR_ACCESS_DENIED;
}

} // namespace kvtx::win32
