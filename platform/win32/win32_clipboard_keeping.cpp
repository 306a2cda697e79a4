// Saving, restoring and announcing the clipboard's contents, for putting the user's clipboard
// back after a paste.

#include "platform/win32/apply_services.h"
#include "platform/win32/clipboard_access.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

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
// other, whenever a program asks for one that is not there. Of each family the most faithful one
// present is kept, whatever order its owner put them in: Unicode text (with the locale the system
// converts it by), which holds every character where ANSI text has "?" for those outside its code
// page, and CF_DIBV5, which keeps the alpha channel that CF_DIB drops. The system makes the others
// again after the restore; fetching them would have it convert the data first, which for a large
// picture takes as long as fetching it.
bool Superseded(UINT format, const std::set<UINT>& present) {
    switch (format) {
    case CF_TEXT:
    case CF_OEMTEXT:
        return present.count(CF_UNICODETEXT) != 0 ||
               (format == CF_OEMTEXT && present.count(CF_TEXT) != 0);
    case CF_DIB:
        return present.count(CF_DIBV5) != 0;
    default:
        return false;
    }
}

// Hands a copy of the bytes to the clipboard as this format; the clipboard owns it afterwards.
void PutBytes(UINT format, const void* bytes, std::size_t size) {
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

void PutFormat(const platform::SavedClipboard::Format& format) {
    PutBytes(format.id, format.bytes.data(), format.bytes.size());
}

// Clipboard monitors (the system's clipboard history, its cloud clipboard, viewers and
// third-party histories) read every new contents at once; these formats ask them to leave what
// the program writes alone, so that the first reader of the pasted text is the target and the
// user's contents put back are not recorded twice.
void AskMonitorsToLeaveAlone() {
    static const UINT exclude =
        ::RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
    static const UINT noHistory = ::RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
    static const UINT noCloud = ::RegisterClipboardFormatW(L"CanUploadToCloudClipboard");
    static const UINT viewerIgnore = ::RegisterClipboardFormatW(L"Clipboard Viewer Ignore");
    const DWORD no = 0;
    for (const UINT marker : {exclude, noHistory, noCloud, viewerIgnore}) {
        PutBytes(marker, &no, sizeof no);
    }
}

} // namespace

std::optional<platform::SavedClipboard> Win32Clipboard::Save() {
    const OpenedClipboard clipboard(owner_);
    if (!clipboard.IsOpen()) {
        return std::nullopt;
    }
    std::vector<UINT> listed;
    for (UINT format = ::EnumClipboardFormats(0); format != 0;
         format = ::EnumClipboardFormats(format)) {
        listed.push_back(format);
    }
    const std::set<UINT> present(listed.begin(), listed.end());
    platform::SavedClipboard saved;
    for (const UINT format : listed) {
        if (!HeldInMemory(format) || Superseded(format, present)) {
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

bool Win32Clipboard::Put(const platform::SavedClipboard& contents) {
    const OpenedClipboard clipboard(owner_);
    if (!clipboard.IsOpen()) {
        return false;
    }
    ::EmptyClipboard();
    AskMonitorsToLeaveAlone();
    for (const auto& format : contents.formats) {
        PutFormat(format);
    }
    return true;
}

void Win32Clipboard::Render(const platform::SavedClipboard::Format& format) {
    PutFormat(format);
}

void Win32Clipboard::RenderBeforeExit(const platform::SavedClipboard& contents) {
    const OpenedClipboard clipboard(owner_);
    // Another program may have taken the clipboard over since the announcement.
    if (!clipboard.IsOpen() || ::GetClipboardOwner() != owner_) {
        return;
    }
    for (const auto& format : contents.formats) {
        PutFormat(format);
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
