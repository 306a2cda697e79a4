// The picker: the categories in the combo box, the items of the selected one in the list, the
// selected item in the preview, and the keys that move through them.

#include "app/resident_dialog.h"
#include "store/fields.h"
#include "store/item_preview.h"
#include "store/labels.h"
#include "store/store_merge.h"

namespace kvtx::app {
namespace {

constexpr unsigned kLeft = 37;
constexpr unsigned kUp = 38;
constexpr unsigned kRight = 39;
constexpr unsigned kDown = 40;
constexpr unsigned kA = 65;
constexpr unsigned kZ = 90;

} // namespace

void ResidentDialog::LoadIndex() {
    controls_.categories.Clear();
    controls_.items.Clear();
    m_strPreview.clear();
    controls_.preview.SetText(m_strPreview);
    store_.LoadIndex();
    for (int k = 0; k < store_.CategoryCount(); ++k) {
        controls_.categories.Add(ListLabel(CategoryLetter(k), store_.CategoryName(k)));
    }
}

void ResidentDialog::LoadCategory() {
    TakeFromControls();
    if (m_nCategory != -1) {
        controls_.items.Clear();
        store_.LoadCategory(m_nCategory);
        for (int i = 0; i < store_.ItemCount(); ++i) {
            controls_.items.Add(ListLabel(ItemLetter(i), store_.ItemName(i)));
        }
    }
    m_nItem = -1;
    m_strPreview.clear();
    ShowInControls();
}

void ResidentDialog::ReloadStore() {
    LoadIndex();
    m_nCategory = 0;
    ShowInControls();
    SelectCategory();
}

void ResidentDialog::RefreshStoreIfChanged() {
    const bool indexChanged = store_.IndexChangedOnDisk();
    if (!indexChanged && !store_.LoadedCategoryChangedOnDisk()) {
        return;
    }
    TakeFromControls();
    const int item = m_nItem;
    if (indexChanged) {
        const std::u16string shown =
            m_nCategory >= 0 && m_nCategory < store_.CategoryCount()
                ? FieldText(store_.Index().categories[m_nCategory].fileName)
                : std::u16string();
        LoadIndex();
        m_nCategory = PositionOfCategory(store_.Index(), shown).value_or(0);
        ShowInControls();
    }
    LoadCategory();
    m_nItem = item >= 0 && item < store_.ItemCount() ? item : 0;
    ShowInControls();
    ShowPreview();
}

void ResidentDialog::SelectCategory() {
    LoadCategory();
    m_nItem = 0;
    ShowInControls();
    ShowPreview();
}

void ResidentDialog::ShowPreview() {
    TakeFromControls();
    m_strPreview.clear();
    // The list only ever holds the loaded category's items, but a selection is never trusted
    // beyond the count.
    if (m_nItem >= 0 && m_nItem < store_.ItemCount()) {
        const auto index = static_cast<std::size_t>(m_nItem);
        const ItemPreview shown =
            PreviewItem(store_.Loaded().header.items[index], store_.Loaded().contents[index]);
        if (shown.copyButton != CopyButtonState::Unchanged) {
            controls_.copy.SetEnabled(shown.copyButton == CopyButtonState::Enabled);
        }
        m_strPreview = shown.text;
    }
    ShowInControls();
}

void ResidentDialog::CopyPreviewToClipboard() {
    const std::size_t length = controls_.preview.Text().size();
    // An empty preview leaves the clipboard as it was.
    if (length > 0) {
        window_.CopyPreview(static_cast<int>(length));
    }
}

bool ResidentDialog::PreTranslateKeyDown(unsigned virtualKey, bool shiftHeld) {
    const bool letter = virtualKey >= kA && virtualKey <= kZ;
    if (virtualKey != kLeft && virtualKey != kRight && virtualKey != kUp && virtualKey != kDown &&
        !letter) {
        return false;
    }
    TakeFromControls();
    if (virtualKey == kLeft && m_nCategory > 0) {
        --m_nCategory;
        ShowInControls();
        SelectCategory();
    } else if (virtualKey == kRight && m_nCategory < store_.CategoryCount() - 1) {
        ++m_nCategory;
        ShowInControls();
        SelectCategory();
    } else if (virtualKey == kUp && m_nItem > 0) {
        --m_nItem;
        ShowInControls();
        ShowPreview();
    } else if (virtualKey == kDown && m_nItem < store_.ItemCount() - 1) {
        ++m_nItem;
        ShowInControls();
        ShowPreview();
    } else if (letter && !shiftHeld) {
        // Not compared with the count: the list box refuses a letter it has no entry for.
        m_nItem = static_cast<int>(virtualKey - kA);
        ShowInControls();
        ShowPreview();
    } else if (letter) {
        m_nCategory = static_cast<int>(virtualKey - kA);
        ShowInControls();
        SelectCategory();
    }
    return true;
}

} // namespace kvtx::app
