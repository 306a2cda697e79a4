#include "search/search_dialog.h"

#include <algorithm>

namespace kvtx {
namespace {

constexpr unsigned kPageUp = 33;
constexpr unsigned kPageDown = 34;
constexpr unsigned kUp = 38;
constexpr unsigned kDown = 40;

// Line ends and tabs become single spaces, so that the start of the text fits one line.
std::u16string OneLine(std::u16string_view text, std::size_t characters) {
    std::u16string line;
    for (const char16_t c : text) {
        if (line.size() == characters) {
            line += u'…';
            break;
        }
        const bool blank = c == u'\r' || c == u'\n' || c == u'\t';
        if (blank && (line.empty() || line.back() == u' ')) {
            continue;
        }
        line += blank ? u' ' : c;
    }
    return line;
}

} // namespace

SearchDialog::SearchDialog(const SearchControls& controls) : controls_(controls) {}

void SearchDialog::OnInitDialog() {
    controls_.query.Focus();
}

void SearchDialog::ShowItems(PhraseSearch search) {
    search_ = std::move(search);
    OnQueryChange();
}

void SearchDialog::PrepareSearch() {
    search_.FoldContents();
}

void SearchDialog::OnQueryChange() {
    shown_ = search_.Find(controls_.query.Text());
    controls_.results.Clear();
    for (const std::size_t e : shown_) {
        controls_.results.Add(SearchLine(search_.Entries()[e]));
    }
    controls_.results.SetSelection(shown_.empty() ? -1 : 0);
    ShowChosenPreview();
}

void SearchDialog::OnResultSelected() {
    ShowChosenPreview();
}

bool SearchDialog::OnKeyDown(unsigned virtualKey) {
    int step = 0;
    switch (virtualKey) {
    case kUp:
        step = -1;
        break;
    case kDown:
        step = 1;
        break;
    case kPageUp:
        step = -kPageLines;
        break;
    case kPageDown:
        step = kPageLines;
        break;
    default:
        return false;
    }
    const int count = controls_.results.Count();
    if (count > 0) {
        const int chosen = std::clamp(controls_.results.Selection() + step, 0, count - 1);
        controls_.results.SetSelection(chosen);
        ShowChosenPreview();
    }
    return true;
}

const SearchEntry* SearchDialog::Chosen() const {
    const int line = controls_.results.Selection();
    if (line < 0 || static_cast<std::size_t>(line) >= shown_.size()) {
        return nullptr;
    }
    return &search_.Entries()[shown_[static_cast<std::size_t>(line)]];
}

void SearchDialog::ShowChosenPreview() {
    const SearchEntry* entry = Chosen();
    controls_.preview.SetText(entry != nullptr ? entry->preview : std::u16string());
}

std::u16string SearchLine(const SearchEntry& entry) {
    return SearchTitle(entry) + u"  " + OneLine(entry.preview, SearchDialog::kExcerptCharacters);
}

} // namespace kvtx
