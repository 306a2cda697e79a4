// Saving, restoring and announcing the clipboard's contents, for putting the user's clipboard
// back after a paste.

#include "platform/win32/apply_services.h"
#include "platform/win32/clipboard_access.h"

#include <algorithm>
#include <cstring>
#include <set>

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

// The system makes each text format from another, and each device-independent bitmap from the
// other, whenever a program asks for one that is not there, and lists the formats it can make
// after those a program put there. So of each family only the first listed is kept, the one its
// owner gave, and the system makes the others again after the restore: fetching them would have
// the system convert the data first, which for a large picture takes as long as fetching it.
enum class Family { Text, Bitmap, None };

Family FamilyOf(UINT format) {
    switch (format) {
    case CF_TEXT:
    case CF_OEMTEXT:
    case CF_UNICODETEXT:
        return Family::Text;
    case CF_DIB:
    case CF_DIBV5:
        return Family::Bitmap;
    default:
        return Family::None;
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

void Put(const platform::SavedClipboard::Format& format) {
    Put(format.id, format.bytes.data(), format.bytes.size());
}

// Clipboard monitors (the system's clipboard history, its cloud clipboard) read every new
// contents at once; this format asks them to leave the program's announcements alone, so that
// the first reader of the pasted text is the target, and the user's contents put back are not
// recorded twice.
void AskMonitorsToLeaveAlone() {
    static const UINT exclude =
        ::RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
    const char nothing = 0;
    Put(exclude, &nothing, sizeof nothing);
}

} // namespace

std::optional<platform::SavedClipboard> Win32Clipboard::Save() {
    const OpenedClipboard clipboard(owner_);
    if (!clipboard.IsOpen()) {
        return std::nullopt;
    }
    platform::SavedClipboard saved;
    std::set<Family> kept;
    for (UINT format = ::EnumClipboardFormats(0); format != 0;
         format = ::EnumClipboardFormats(format)) {
        const Family family = FamilyOf(format);
        if (!HeldInMemory(format) || (family != Family::None && !kept.insert(family).second)) {
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

bool Win32Clipboard::Offer(const platform::SavedClipboard& contents) {
    const OpenedClipboard clipboard(owner_);
    if (!clipboard.IsOpen()) {
        return false;
    }
    ::EmptyClipboard();
    AskMonitorsToLeaveAlone();
    for (const auto& format : contents.formats) {
        ::SetClipboardData(format.id, nullptr);
    }
    return true;
}

void Win32Clipboard::Render(const platform::SavedClipboard::Format& format) {
    Put(format);
}

void Win32Clipboard::RenderBeforeExit(const platform::SavedClipboard& contents) {
    const OpenedClipboard clipboard(owner_);
    // Another program may have taken the clipboard over since the announcement.
    if (!clipboard.IsOpen() || ::GetClipboardOwner() != owner_) {
        return;
    }
    for (const auto& format : contents.formats) {
        Put(format);
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
