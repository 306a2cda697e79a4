#pragma once

#include "platform/screen.h"
#include "store/phrase_store.h"

#include <optional>
#include <windows.h>

namespace kvtx::app::win32 {

// Runs the search window at `at`, owned by `owner`, over the resident store's categories read
// afresh from their files. On Enter the answer is the chosen item's phrase index (26 × category +
// item), provided the store still holds that item where the window found it; otherwise, and on
// Esc, nullopt.
std::optional<int> ChooseBySearch(HWND owner, platform::ScreenPoint at, const PhraseStore& store);

} // namespace kvtx::app::win32
