// Saving, restoring and announcing the clipboard's contents, for putting the user's clipboard
// back after a paste.

#include "platform/win32/apply_services.h"
#include "platform/win32/clipboard_access.h"

#include <algorithm>
#include <cstring>
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
// other, whenever a program asks for one that is not there, and lists those it can make after
// the formats the owner gave. Of each family the most faithful one the owner gave is kept,
// whatever order it put them in, and the system makes the others again after the restore:
// Unicode text (with the locale the system converts it by), which holds every character where
// ANSI text has "?" for those outside its code page; and CF_DIBV5, which keeps the alpha channel
// that CF_DIB drops. Converting text costs nothing worth saving, so Unicode text is taken even when
// the system makes it. A bitmap is not: CF_DIBV5 is taken only when the owner gave it, that is
// when it comes before CF_DIB or before a format only an owner gives, since the system would
// convert a 50 MiB picture first.
bool MadeBySystem(UINT format) {
    switch (format) {
    case CF_TEXT:
    case CF_OEMTEXT:
    case CF_UNICODETEXT:
    case CF_LOCALE:
    case CF_DIB:
    case CF_DIBV5:
    case CF_BITMAP:
    case CF_PALETTE:
    case CF_METAFILEPICT:
    case CF_ENHMETAFILE:
        return true;
    default:
        return false;
    }
}

// The formats to keep of those listed, in their order.
std::vector<UINT> Faithful(const std::vector<UINT>& listed) {
    const auto at = [&](UINT format) {
        return std::find(listed.begin(), listed.end(), format) - listed.begin();
    };
    const auto end = static_cast<std::ptrdiff_t>(listed.size());
    std::ptrdiff_t lastOwnerOnly = -1;
    for (std::ptrdiff_t i = 0; i < end; ++i) {
        if (!MadeBySystem(listed[static_cast<std::size_t>(i)])) {
            lastOwnerOnly = i;
        }
    }
    const bool unicode = at(CF_UNICODETEXT) < end;
    const std::ptrdiff_t v5 = at(CF_DIBV5);
    const bool keepV5 = v5 < end && (v5 < at(CF_DIB) || v5 < lastOwnerOnly);
    std::vector<UINT> kept;
    for (const UINT format : listed) {
        const bool superseded = ((format == CF_TEXT || format == CF_OEMTEXT) && unicode) ||
                                (format == CF_OEMTEXT && at(CF_TEXT) < end) ||
                                (format == CF_DIB && keepV5) || (format == CF_DIBV5 && !keepV5);
        if (HeldInMemory(format) && !superseded) {
            kept.push_back(format);
        }
    }
    return kept;
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

// Empties the clipboard and writes the contents, marked for monitors: announced, each format then
// rendered when a reader first asks for it, or rendered now.
bool Replace(HWND owner, const platform::SavedClipboard& contents, bool announced) {
    const OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen()) {
        return false;
    }
    ::EmptyClipboard();
    AskMonitorsToLeaveAlone();
    for (const auto& format : contents.formats) {
        if (announced) {
            ::SetClipboardData(format.id, nullptr);
        } else {
            PutFormat(format);
        }
    }
    return true;
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
    platform::SavedClipboard saved;
    for (const UINT format : Faithful(listed)) {
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
    return Replace(owner_, contents, true);
}

bool Win32Clipboard::Put(const platform::SavedClipboard& contents) {
    return Replace(owner_, contents, false);
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
