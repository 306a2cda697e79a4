// The five category buttons. Each commits the current item first and stops when that save
// fails, since each ends by reading the category back from its file.

#include "editor/editor_dialog.h"
#include "editor/editor_texts.h"
#include "store/fields.h"
#include "store/store_merge.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace kvtx::editor {

bool EditorDialog::SaveIndexOrRestore(const IndexImage& before, const std::u16string& selectFile) {
    if (!IndexMayBeWritten()) {
        store_.Index() = before;
        FillCategoryList();
        ShowInControls();
        return false;
    }
    switch (store_.SaveIndexShared()) {
    case SharedSave::Saved:
    case SharedSave::Merged: {
        // Memory is what was just written: a read-back that fails keeps it rather than leaving
        // no categories, and the next write would drop them all.
        const auto written = std::make_unique<IndexImage>(store_.Index());
        if (!LoadIndex()) {
            store_.Index() = *written;
            FillCategoryList();
        }
        SelectCategoryFile(selectFile);
        return true;
    }
    case SharedSave::ChangedElsewhere:
        // Memory holds the index as the other computer left it; the command is not carried out.
        store_.Index() = before;
        ReloadIndexKeepingSelection();
        services_.messages.Show(texts::kIndexChangedElsewhere);
        return false;
    case SharedSave::Failed:
        break;
    }
    // The index on disk is as it was; memory follows it, so the lists never show a state that
    // the next start would not find.
    ReportSaveFailure(store_.IndexPath());
    store_.Index() = before;
    FillCategoryList();
    ShowInControls();
    return false;
}

void EditorDialog::AddCategory() {
    if (store_.CategoryCount() >= kMaxCategories) {
        services_.messages.Show(texts::kNoMoreCategories);
        return;
    }
    if (!CommitItem() || !IndexMayBeWritten()) {
        return;
    }
    const CommandView asked = ViewForCommand();
    const auto name = services_.names.AskName(u"");
    if (!name || ViewForCommand() != asked) {
        return;
    }
    const auto before = std::make_unique<IndexImage>(store_.Index());
    const int position = store_.CategoryCount();
    SetFieldText(store_.Index().categories[position].name, *name);
    const CreatedCategoryFile created = store_.CreateCategoryFile(position);
    if (created.status != CreateCategoryStatus::Created) {
        store_.Index() = *before;
        services_.messages.Show(created.status == CreateCategoryStatus::NoFreeFileId
                                    ? texts::kNoFreeFileId
                                    : texts::kCreateFailed);
        return;
    }
    const auto newFile = store_.CategoryPath(position);
    store_.Index().nextFileId = created.fileId + 1;
    store_.Index().categoryCount = position + 1;
    if (!SaveIndexOrRestore(*before, FileNameAt(position))) {
        if (newFile) {
            services_.files.Remove(*newFile);
        }
        return;
    }
    ShowInControls();
    LoadCategory();
}

void EditorDialog::RenameCategory() {
    if (!CommitItem() || categorySelection_ < 0 || categorySelection_ >= store_.CategoryCount()) {
        return;
    }
    const CommandView asked = ViewForCommand();
    const auto name = services_.names.AskName(store_.CategoryName(categorySelection_));
    if (!name || ViewForCommand() != asked) {
        return;
    }
    const auto before = std::make_unique<IndexImage>(store_.Index());
    SetFieldText(store_.Index().categories[categorySelection_].name, *name);
    if (!SaveIndexOrRestore(*before, FileNameAt(categorySelection_))) {
        return;
    }
    ShowInControls();
    LoadCategory();
}

void EditorDialog::DeleteCategory() {
    if (!CommitItem() || categorySelection_ < 0 || categorySelection_ >= store_.CategoryCount()) {
        return;
    }
    const CommandView asked = ViewForCommand();
    if (!services_.messages.AskYesNo(texts::kDeleteCategory) || ViewForCommand() != asked) {
        return;
    }
    const int selected = categorySelection_;
    // Items another computer added since the category was read were not asked about.
    if (selected == loadedCategory_ && store_.LoadedCategoryChangedOnDisk()) {
        LoadCategory();
        services_.messages.Show(texts::kCategoryChangedElsewhere);
        return;
    }
    const auto deletedFile = store_.CategoryPath(selected);
    const auto before = std::make_unique<IndexImage>(store_.Index());
    IndexImage& index = store_.Index();
    const int count = store_.CategoryCount();
    std::move(index.categories + selected + 1, index.categories + count,
              index.categories + selected);
    index.categoryCount = count - 1;
    // The file goes only once the index no longer names it, so a failed index write leaves
    // the category whole.
    if (!SaveIndexOrRestore(*before, FileNameAt(std::min(selected, count - 2)))) {
        return;
    }
    if (deletedFile) {
        services_.files.Remove(*deletedFile);
    }
    ShowInControls();
    LoadCategory();
}

void EditorDialog::MoveCategory(int from, int to) {
    // Only the entries move; each category keeps its file, so no category file is touched.
    const auto before = std::make_unique<IndexImage>(store_.Index());
    std::swap(store_.Index().categories[from], store_.Index().categories[to]);
    if (!SaveIndexOrRestore(*before, FileNameAt(to))) {
        return;
    }
    ShowInControls();
    LoadCategory();
}

void EditorDialog::MoveCategoryUp() {
    if (!CommitItem() || categorySelection_ < 1 || categorySelection_ >= store_.CategoryCount()) {
        return;
    }
    MoveCategory(categorySelection_, categorySelection_ - 1);
}

void EditorDialog::MoveCategoryDown() {
    if (!CommitItem() || categorySelection_ < 0 ||
        categorySelection_ >= store_.CategoryCount() - 1) {
        return;
    }
    MoveCategory(categorySelection_, categorySelection_ + 1);
}

} // namespace kvtx::editor
