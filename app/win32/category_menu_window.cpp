#include "app/win32/category_menu_window.h"

#include "platform/win32/ui/handles.h"
#include "platform/win32/wide.h"
#include "res/resource_ids.h"

#include <algorithm>

namespace kvtx::app::win32 {
namespace {

using kvtx::win32::MenuHandle;
using kvtx::win32::Wide;

constexpr int kCategoryPopups = 26;

void Append(HMENU menu, const std::vector<MenuEntry>& entries) {
    for (const auto& entry : entries) {
        if (!entry.IsPopup()) {
            ::AppendMenuW(menu, MF_STRING, entry.id, Wide(entry.caption));
            continue;
        }
        MenuHandle group(::CreatePopupMenu());
        if (!group) {
            continue;
        }
        Append(group.get(), entry.children);
        // Once appended, the group belongs to the menu and goes with it.
        if (::AppendMenuW(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(group.get()),
                          Wide(entry.caption))) {
            group.release();
        }
    }
}

} // namespace

void TrackCategoryMenu(HWND owner, platform::ScreenPoint at,
                       const std::vector<MenuEntry>& categories) {
    const MenuHandle bar(
        ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_CATEGORY_MENU)));
    HMENU popup = bar ? ::GetSubMenu(bar.get(), 0) : nullptr;
    if (popup == nullptr) {
        return;
    }
    const int count = std::min(static_cast<int>(categories.size()), kCategoryPopups);
    for (int c = 0; c < count; ++c) {
        HMENU category = ::GetSubMenu(popup, c);
        const auto& entry = categories[static_cast<std::size_t>(c)];
        ::ModifyMenuW(popup, static_cast<UINT>(c), MF_BYPOSITION | MF_STRING | MF_POPUP,
                      reinterpret_cast<UINT_PTR>(category), Wide(entry.caption));
        ::DeleteMenu(category, 0, MF_BYPOSITION);
        Append(category, entry.children);
    }
    // The unused category pop-ups go, so that "Exit" follows the last category.
    for (int c = count; c < kCategoryPopups; ++c) {
        ::DeleteMenu(popup, static_cast<UINT>(count), MF_BYPOSITION);
    }
    ::SetForegroundWindow(owner);
    ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    ::PostMessageW(owner, WM_NULL, 0, 0);
}

} // namespace kvtx::app::win32
