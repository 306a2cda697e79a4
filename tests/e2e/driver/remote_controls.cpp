#include "tests/e2e/driver/remote_controls.h"

#include "platform/win32/wide.h"
#include "tests/e2e/driver/top_level_windows.h"

#include <algorithm>

namespace kvtx::e2e {
namespace {

// SendMessageTimeout, so that a hung program fails the test instead of hanging the runner.
LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

std::u16string ItemText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
    const LRESULT length = Ask(control, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0) {
        return {};
    }
    // The message takes no buffer size, and a list the program refills between the two
    // messages (a search narrowing as it is typed into) may hold a longer line at this index by
    // then; room for any line a list of the program shows keeps the copy inside the buffer.
    constexpr std::size_t kRoomForAnyLine = 65536;
    std::wstring text(std::max(static_cast<std::size_t>(length) + 1, kRoomForAnyLine), L'\0');
    const LRESULT got = Ask(control, textMessage, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(text.data()));
    if (got < 0) {
        return {};
    }
    return win32::FromWide(text.c_str(), static_cast<std::size_t>(got));
}

struct ChildSearch {
    std::u16string className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM context) {
    auto& search = *reinterpret_cast<ChildSearch*>(context);
    if (ClassOf(child) == search.className) {
        search.found.push_back(child);
    }
    return TRUE;
}

} // namespace

std::u16string ControlText(HWND control) {
    const LRESULT length = Ask(control, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got =
        Ask(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return got <= 0 ? std::u16string()
                    : win32::FromWide(text.c_str(), static_cast<std::size_t>(got));
}

HWND ChildById(HWND dialog, int id) {
    return ::GetDlgItem(dialog, id);
}

std::vector<std::u16string> ListBoxItems(HWND listBox) {
    std::vector<std::u16string> items;
    const LRESULT count = Ask(listBox, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        items.push_back(ItemText(listBox, LB_GETTEXTLEN, LB_GETTEXT, i));
    }
    return items;
}

int ListBoxSelection(HWND listBox) {
    return static_cast<int>(Ask(listBox, LB_GETCURSEL, 0, 0));
}

std::vector<std::u16string> ComboBoxItems(HWND comboBox) {
    std::vector<std::u16string> items;
    const LRESULT count = Ask(comboBox, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        items.push_back(ItemText(comboBox, CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
    }
    return items;
}

int ComboBoxSelection(HWND comboBox) {
    return static_cast<int>(Ask(comboBox, CB_GETCURSEL, 0, 0));
}

std::pair<int, int> EditSelection(HWND edit) {
    const auto selection = static_cast<DWORD>(Ask(edit, EM_GETSEL, 0, 0));
    return {LOWORD(selection), HIWORD(selection)};
}

bool IsControlEnabled(HWND control) {
    return ::IsWindowEnabled(control) != 0;
}

bool IsControlVisible(HWND control) {
    return ::IsWindowVisible(control) != 0;
}

POINT CenterOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::vector<HWND> ChildrenOfClass(HWND window, const std::u16string& className) {
    ChildSearch search{className, {}};
    ::EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::u16string> StaticTexts(HWND window) {
    std::vector<std::u16string> texts;
    for (HWND control : ChildrenOfClass(window, u"Static")) {
        if (auto text = ControlText(control); !text.empty()) {
            texts.push_back(std::move(text));
        }
    }
    return texts;
}

} // namespace kvtx::e2e
