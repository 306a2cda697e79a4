#pragma once

// The search window on its template: the box, the list and the preview routed to SearchDialog,
// opened at the cursor in front of everything, closed by Esc or by another application taking
// the keyboard.

#include "platform/screen.h"
#include "platform/win32/ui/dialog.h"
#include "platform/win32/ui/dialog_controls.h"
#include "search/search_dialog.h"

#include <functional>
#include <optional>

namespace kvtx::search::win32 {

class SearchWindow final : public kvtx::win32::ui::Dialog {
public:
    // The window shows first and reads the store through readStore then, so that it is on the
    // screen with the keyboard in its box at once; keys typed meanwhile wait for the items.
    SearchWindow(std::function<PhraseSearch()> readStore, platform::ScreenPoint cursor);

    // The line Enter or a double click chose, kept when the window has gone.
    const std::optional<SearchEntry>& Chosen() const { return chosen_; }

protected:
    bool OnInitDialog() override;
    // Enter applies the chosen line; with no line it does nothing.
    void OnOK() override;
    bool PreTranslateMessage(const MSG& message) override;

private:
    void PlaceAtCursor();

    std::function<PhraseSearch()> readStore_;
    platform::ScreenPoint cursor_;
    kvtx::win32::ui::EditItem query_;
    kvtx::win32::ui::ListBoxItem results_;
    kvtx::win32::ui::EditItem preview_;
    SearchDialog logic_;
    std::optional<SearchEntry> chosen_;
};

} // namespace kvtx::search::win32
