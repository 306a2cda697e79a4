// Saving, restoring and announcing the clipboard's contents, for putting the user's clipboard
// back after a paste.

#include "platform/win32/apply_services.h"
#include "platform/win32/clipboard_access.h"

#include <algorithm>
#include <cstring>

namespace kvtx::win32 {
namespace {

// Formats whose data is a handle of another kind than global memory (bitmaps, metafiles,
// palettes, private handles), which cannot be kept as bytes. The system makes CF_BITMAP again
// from a kept CF_DIB.
bool HeldInMemory(UINT format) {
    switch (format) {
    case CF_BITMAP:
    case CF_METAFILEPICT:
    case CF_PALETTE:
    case CF_ENHMETAFILE:
    case CF_OWNERDISPLAY:
    case CF_DSPBITMAP:
    case CF_DSPMETAFILEPICT:
    case CF_DSPENHMETAFILE:
        return false;
    default:
        return !(format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST) &&
               !(format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST);
    }
}

// The system makes a text format from another, and a device-independent bitmap from the other
// kind, whenever a program asks for one that is not there. Of each family one is kept (Unicode
// text, which loses nothing; the DIBV5 bitmap, which keeps an alpha channel), and the system
// makes the others again after the restore: fetching them would convert the data once more,
// which for a large picture takes as long as fetching it.
bool MadeAgainFromAnother(UINT format) {
    switch (format) {
    case CF_TEXT:
    case CF_OEMTEXT:
        return ::IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
    case CF_DIB:
        return ::IsClipboardFormatAvailable(CF_DIBV5) != FALSE;
    default:
        return false;
    }
}

// Hands a copy of the bytes to the clipboard as this format; the clipboard owns it afterwards.
void Put(UINT format, const void* bytes, std::size_t size) {
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, std::max<std::size_t>(size, 1));
    if (memory == nullptr) {
        return;
    }
    if (void* target = ::GlobalLock(memory)) {
        std::memcpy(target, bytes, size);
        ::GlobalUnlock(memory);
        if (::SetClipboardData(format, memory) != nullptr) {
            return;
        }
    }
    ::GlobalFree(memory);
}

void PutText(const std::u16string& text) {
    Put(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(char16_t));
}

} // namespace

std::optional<platform::SavedClipboard> Win32Clipboard::Save() {
    const OpenedClipboard clipboard(owner_);
    if (!clipboard.IsOpen()) {
        return std::nullopt;
    }
    platform::SavedClipboard saved;
    for (UINT format = ::EnumClipboardFormats(0); format != 0;
         format = ::EnumClipboardFormats(format)) {
        if (!HeldInMemory(format) || MadeAgainFromAnother(format)) {
            continue;
        }
        // A format its owner fails to render is left out.
        const LockedData data(::GetClipboardData(format));
        if (data.Bytes() == nullptr) {
            continue;
        }
        const auto* first = static_cast<const std::byte*>(data.Bytes());
        saved.formats.push_back({format, std::vector<std::byte>(first, first + data.Size())});
    }
    return saved;
}

bool Win32Clipboard::Restore(const platform::SavedClipboard& saved) {
    const OpenedClipboard clipboard(owner_);
    if (!clipboard.IsOpen()) {
        return false;
    }
    ::EmptyClipboard();
    for (const auto& format : saved.formats) {
        Put(format.id, format.bytes.data(), format.bytes.size());
    }
    return true;
}

bool Win32Clipboard::Offer() {
    const OpenedClipboard clipboard(owner_);
    if (!clipboard.IsOpen()) {
        return false;
    }
    ::EmptyClipboard();
    ::SetClipboardData(CF_UNICODETEXT, nullptr);
    return true;
}

void Win32Clipboard::Render(const std::u16string& text) {
    PutText(text);
}

void Win32Clipboard::RenderBeforeExit(const std::u16string& text) {
    const OpenedClipboard clipboard(owner_);
    // Another program may have taken the clipboard over since the announcement.
    if (clipboard.IsOpen() && ::GetClipboardOwner() == owner_) {
        PutText(text);
    }
}

std::uint32_t Win32Clipboard::ReaderProcessId() const {
    DWORD process = 0;
    if (HWND reader = ::GetOpenClipboardWindow()) {
        ::GetWindowThreadProcessId(reader, &process);
    }
    return process;
}

} // namespace kvtx::win32
