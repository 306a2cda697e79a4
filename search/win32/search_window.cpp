#include "search/win32/search_window.h"

#include "res/resource_ids.h"

namespace kvtx::search::win32 {

SearchWindow::SearchWindow(PhraseSearch search, platform::ScreenPoint cursor)
    : Dialog(IDD_SEARCH), cursor_(cursor), logic_({query_, results_, preview_}, std::move(search)) {
    HandleCommand(IDC_SEARCH_QUERY, EN_CHANGE, [this] { logic_.OnQueryChange(); });
    HandleCommand(IDC_SEARCH_RESULTS, LBN_SELCHANGE, [this] { logic_.OnResultSelected(); });
    HandleCommand(IDC_SEARCH_RESULTS, LBN_DBLCLK, [this] { OnOK(); });
    // Another application took the keyboard: the user has gone elsewhere, nothing is sent.
    HandleMessage(WM_ACTIVATEAPP, [this](WPARAM active, LPARAM) -> std::optional<LRESULT> {
        // Once ending, the window's own going moves the keyboard and must not undo the answer.
        if (active == FALSE && !Ending()) {
            End(IDCANCEL);
        }
        return std::nullopt;
    });
}

bool SearchWindow::OnInitDialog() {
    query_.Attach(Window(), IDC_SEARCH_QUERY);
    results_.Attach(Window(), IDC_SEARCH_RESULTS);
    preview_.Attach(Window(), IDC_SEARCH_PREVIEW);
    logic_.OnInitDialog();
    PlaceAtCursor();
    // The focus is the box's, set by the logic.
    return false;
}

void SearchWindow::PlaceAtCursor() {
    HWND window = Window();
    RECT frame{};
    ::GetWindowRect(window, &frame);
    const platform::ScreenPoint at =
        SearchWindowPosition(cursor_, frame.right - frame.left, frame.bottom - frame.top,
                             ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    ::SetWindowPos(window, HWND_TOPMOST, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SetForegroundWindow(window);
}

void SearchWindow::OnOK() {
    if (const SearchEntry* entry = logic_.Chosen()) {
        chosen_ = *entry;
        End(IDOK);
    }
}

bool SearchWindow::PreTranslateMessage(const MSG& message) {
    return message.message == WM_KEYDOWN && logic_.OnKeyDown(static_cast<unsigned>(message.wParam));
}

} // namespace kvtx::search::win32
