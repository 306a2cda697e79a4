#include "search/win32/search_window.h"

#include "platform/win32/ui/placement.h"
#include "res/resource_ids.h"

namespace kvtx::search::win32 {
namespace {

// Posted once the window is shown: the store is read and its items listed, then their contents
// are folded for the first keystroke.
constexpr UINT kShowItems = WM_APP + 1;
constexpr UINT kPrepareSearch = WM_APP + 2;
// A list line's names and excerpt, generously.
constexpr std::size_t kBytesPerLine = 256;

// A list refilled line by line is drawn, and its scroll bar set, once rather than per line.
class RedrawPaused {
public:
    explicit RedrawPaused(HWND list) : list_(list) {
        ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    }
    RedrawPaused(const RedrawPaused&) = delete;
    RedrawPaused& operator=(const RedrawPaused&) = delete;
    ~RedrawPaused() {
        ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(list_, nullptr, TRUE);
    }

private:
    HWND list_;
};

} // namespace

SearchWindow::SearchWindow(std::function<PhraseSearch()> readStore, platform::ScreenPoint cursor)
    : Dialog(IDD_SEARCH), readStore_(std::move(readStore)), cursor_(cursor),
      logic_({query_, results_, preview_}) {
    HandleCommand(IDC_SEARCH_QUERY, EN_CHANGE, [this] {
        const RedrawPaused paused(Item(IDC_SEARCH_RESULTS));
        logic_.OnQueryChange();
    });
    HandleMessage(kShowItems, [this](WPARAM, LPARAM) -> std::optional<LRESULT> {
        {
            HWND list = Item(IDC_SEARCH_RESULTS);
            const RedrawPaused paused(list);
            PhraseSearch search = readStore_();
            // Room for every line at once, rather than the list growing line by line.
            const std::size_t lines = search.Entries().size();
            ::SendMessageW(list, LB_INITSTORAGE, lines, static_cast<LPARAM>(lines * kBytesPerLine));
            logic_.ShowItems(std::move(search));
        }
        ::UpdateWindow(Window());
        ::PostMessageW(Window(), kPrepareSearch, 0, 0);
        return 0;
    });
    HandleMessage(kPrepareSearch, [this](WPARAM, LPARAM) -> std::optional<LRESULT> {
        logic_.PrepareSearch();
        return 0;
    });
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
    // Drawn first, so that the window is complete on the screen before the items are listed.
    ::UpdateWindow(Window());
    ::PostMessageW(Window(), kShowItems, 0, 0);
    // The focus is the box's, set by the logic.
    return false;
}

void SearchWindow::PlaceAtCursor() {
    HWND window = Window();
    const platform::ScreenPoint at = kvtx::win32::ui::PlacementNear(window, cursor_, cursor_);
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
