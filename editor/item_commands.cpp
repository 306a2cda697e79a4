// The five item buttons. Each commits the current item first, changes the loaded category in
// memory and writes it at once.

#include "editor/editor_dialog.h"
#include "editor/editor_texts.h"
#include "store/fields.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace kvtx::editor {

void EditorDialog::SaveAndShowItems(int selection) {
    const auto selected = ValueOf(selection);
    switch (SaveLoadedCategory()) {
    case SharedSave::Saved:
        LoadCategory();
        break;
    case SharedSave::Merged:
        LoadCategory();
        selection = PositionOf(selected);
        break;
    case SharedSave::ChangedElsewhere:
        // The command is not carried out; the user sees the category as it now is.
        ShowChangedElsewhere(std::nullopt);
        return;
    case SharedSave::Failed:
        // Reading the file back would show its old content and lose the change; the lists are
        // filled from memory instead and the next commit writes it again.
        ReportSaveFailure(store_.CategoryPath(loadedCategory_));
        pendingChange_ = true;
        FillItemList();
        currentItem_ = -1;
        break;
    }
    itemSelection_ = selection;
    ShowInControls();
    ShowItem();
}

std::optional<std::u16string> EditorDialog::AskItemName(const std::u16string& preset) {
    // Refused rather than cut, so the user chooses what the shorter name says.
    std::u16string shown = preset;
    for (;;) {
        auto name = services_.names.AskName(shown);
        if (!name || name->size() <= static_cast<std::size_t>(kMaxItemNameChars)) {
            return name;
        }
        services_.messages.Show(texts::kItemNameTooLong);
        shown = *name;
    }
}

void EditorDialog::AddItem() {
    if (!CommitItem() || categorySelection_ < 0 || loadedCategory_ < 0) {
        return;
    }
    const int count = store_.ItemCount();
    if (count >= kMaxItems) {
        services_.messages.Show(texts::kNoMoreItems);
        return;
    }
    const CommandView asked = ViewForCommand();
    const auto name = AskItemName(u"");
    if (!name || ViewForCommand() != asked) {
        return;
    }
    PhraseItem& item = store_.Loaded().header.items[count];
    item = PhraseItem{};
    SetFieldText(item.name, *name);
    item.kind = static_cast<std::int32_t>(ItemKind::TextInsertion);
    std::memset(store_.Loaded().contents[count].bytes, 0, kContentBytes);
    store_.Loaded().header.itemCount = count + 1;
    SaveAndShowItems(count);
}

void EditorDialog::RenameItem() {
    if (!CommitItem() || categorySelection_ < 0 || loadedCategory_ < 0 || itemSelection_ < 0 ||
        itemSelection_ >= store_.ItemCount()) {
        return;
    }
    const int selected = itemSelection_;
    const CommandView asked = ViewForCommand();
    const auto name = AskItemName(store_.ItemName(selected));
    if (!name || ViewForCommand() != asked) {
        return;
    }
    SetFieldText(store_.Loaded().header.items[selected].name, *name);
    SaveAndShowItems(selected);
}

void EditorDialog::DeleteItem() {
    if (!CommitItem() || categorySelection_ < 0 || loadedCategory_ < 0 || itemSelection_ < 0 ||
        itemSelection_ >= store_.ItemCount()) {
        return;
    }
    const int selected = itemSelection_;
    const int count = store_.ItemCount();
    CategoryImage& category = store_.Loaded();
    std::move(category.header.items + selected + 1, category.header.items + count,
              category.header.items + selected);
    std::move(category.contents + selected + 1, category.contents + count,
              category.contents + selected);
    category.header.itemCount = count - 1;
    SaveAndShowItems(std::min(selected, count - 2));
}

void EditorDialog::MoveItem(int from, int to) {
    CategoryImage& category = store_.Loaded();
    std::swap(category.header.items[from], category.header.items[to]);
    std::swap(category.contents[from], category.contents[to]);
    SaveAndShowItems(to);
}

void EditorDialog::MoveItemUp() {
    if (!CommitItem() || categorySelection_ < 0 || loadedCategory_ < 0 || itemSelection_ < 1 ||
        itemSelection_ >= store_.ItemCount()) {
        return;
    }
    MoveItem(itemSelection_, itemSelection_ - 1);
}

void EditorDialog::MoveItemDown() {
    if (!CommitItem() || categorySelection_ < 0 || loadedCategory_ < 0 || itemSelection_ < 0 ||
        itemSelection_ >= store_.ItemCount() - 1) {
        return;
    }
    MoveItem(itemSelection_, itemSelection_ + 1);
}

} // namespace kvtx::editor
