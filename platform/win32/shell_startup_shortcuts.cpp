#include "platform/win32/shell_startup_shortcuts.h"

#include "platform/win32/com_handles.h"
#include "platform/win32/module_path.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

#include <array>

namespace kvtx::win32 {
namespace {

bool MakeLink(ComPtr<IShellLinkW>& link) {
    return SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IShellLinkW, link.Out()));
}

bool IsDotEntry(const wchar_t* name) {
    const std::wstring_view entry(name);
    return entry == L"." || entry == L"..";
}

} // namespace

std::u16string ShellStartupShortcuts::ProgramPath() const {
    return ExecutablePath();
}

std::optional<std::u16string> ShellStartupShortcuts::Folder() const {
    ComPtr<IMalloc> allocator;
    if (FAILED(::SHGetMalloc(allocator.OutTyped()))) {
        return std::nullopt;
    }
    ShellItemIdList list(*allocator.get());
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_STARTUP, list.Out()))) {
        return std::nullopt;
    }
    std::array<wchar_t, MAX_PATH> path{};
    if (!::SHGetPathFromIDListW(list.get(), path.data())) {
        return std::nullopt;
    }
    return FromWide(path.data());
}

std::vector<std::u16string> ShellStartupShortcuts::FileNames(const std::u16string& folder) const {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW entry{};
    const FindHandle find(::FindFirstFileW(Wide(folder + u"\\*.*"), &entry));
    if (!find) {
        return names;
    }
    do {
        if (!IsDotEntry(entry.cFileName) &&
            (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.push_back(FromWide(entry.cFileName));
        }
    } while (::FindNextFileW(find.get(), &entry));
    return names;
}

std::optional<std::u16string> ShellStartupShortcuts::LinkTarget(const std::u16string& path) const {
    const ComApartment com;
    if (!com.Initialized()) {
        return std::nullopt;
    }
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    if (!MakeLink(link) || FAILED(link->QueryInterface(IID_IPersistFile, file.Out())) ||
        FAILED(file->Load(Wide(path), STGM_SHARE_DENY_WRITE))) {
        return std::nullopt;
    }
    std::array<wchar_t, MAX_PATH> target{};
    WIN32_FIND_DATAW found{};
    if (FAILED(link->GetPath(target.data(), static_cast<int>(target.size()), &found, 0))) {
        return std::nullopt;
    }
    return FromWide(target.data());
}

platform::LinkCreation ShellStartupShortcuts::CreateLink(const std::u16string& path,
                                                         const std::u16string& target,
                                                         const std::u16string& description) {
    // A thread that already runs COM in another mode can still make the objects.
    const ComApartment com;
    ComPtr<IShellLinkW> link;
    if (!MakeLink(link)) {
        return platform::LinkCreation::NoLinkObject;
    }
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.Out()))) {
        return platform::LinkCreation::NoFileInterface;
    }
    // A link saved without its target would start nothing at logon.
    if (FAILED(link->SetPath(Wide(target)))) {
        return platform::LinkCreation::NotSaved;
    }
    link->SetDescription(Wide(description));
    if (FAILED(file->Save(Wide(path), TRUE))) {
        return platform::LinkCreation::NotSaved;
    }
    return platform::LinkCreation::Created;
}

bool ShellStartupShortcuts::Remove(const std::u16string& path) {
    return ::DeleteFileW(Wide(path)) != FALSE;
}

} // namespace kvtx::win32
