#include "app/win32/search_extension.h"

#include "search/win32/search_window.h"

namespace kvtx::app::win32 {

std::optional<int> ChooseBySearch(HWND owner, platform::ScreenPoint at, const PhraseStore& store) {
    // A reader of its own: loading categories must not change the picker's loaded one. The
    // window reads through it once it is on the screen.
    PhraseStore reader(platform::NativeFileSystem(), store.DataDirectory());
    reader.Index() = store.Index();
    search::win32::SearchWindow window([&reader] { return ReadPhraseSearch(reader); }, at);
    if (window.RunModal(owner) != IDOK || !window.Chosen()) {
        return std::nullopt;
    }
    const SearchEntry& chosen = *window.Chosen();
    if (!StillInStore(store, chosen)) {
        return std::nullopt;
    }
    return PhraseIndex(chosen);
}

} // namespace kvtx::app::win32
