#include "editor/editor_dialog.h"

#include "editor/editor_texts.h"
#include "store/fields.h"
#include "store/item_content.h"
#include "store/labels.h"
#include "store/store_merge.h"

#include <cstring>

namespace kvtx::editor {
namespace {

constexpr int kInsertion = static_cast<int>(ItemKind::TextInsertion);
constexpr int kConversion = static_cast<int>(ItemKind::TextConversion);

} // namespace

EditorDialog::EditorDialog(const EditorControls& controls, const EditorServices& services,
                           std::u16string dataDirectory, int categorySelection, int itemSelection)
    : controls_(controls), services_(services), exchange_(services.messages),
      store_(services.files, std::move(dataDirectory)), openerCategory_(categorySelection),
      openerItem_(itemSelection) {
    exchange_.Selection(controls_.category, categorySelection_);
    exchange_.Text(controls_.text, text_, kMaxTextChars);
    exchange_.Selection(controls_.items, itemSelection_);
    exchange_.Selection(controls_.kind, kindSelection_);
    exchange_.Selection(controls_.steps, stepSelection_);
    exchange_.Selection(controls_.stepKind, stepKindSelection_);
    exchange_.Text(controls_.a, a_, kMaxStepFieldChars);
    exchange_.Text(controls_.b, b_, kMaxStepFieldChars);
    exchange_.Text(controls_.c, c_, kMaxStepFieldChars);
}

void EditorDialog::TakeFromControls() {
    exchange_.TakeFromControls();
}

void EditorDialog::ShowInControls() {
    showing_ = true;
    exchange_.ShowInControls();
    showing_ = false;
}

void EditorDialog::OnInitDialog() {
    // The combo entries' positions are the stored kind values.
    controls_.kind.Clear();
    for (const char16_t* entry : texts::kItemKinds) {
        controls_.kind.Add(entry);
    }
    controls_.stepKind.Clear();
    for (const char16_t* entry : texts::kStepKinds) {
        controls_.stepKind.Add(entry);
    }
    ShowInControls();

    indexUnreadable_ = !LoadIndex();
    if (indexUnreadable_) {
        ReportReadFailure(store_.IndexPath());
    }
    if (const auto copies = store_.SyncServiceCopies(); !copies.empty()) {
        std::u16string listed = texts::kSyncCopies;
        for (const std::u16string& name : copies) {
            listed += u"\n" + name;
        }
        services_.messages.Show(listed);
    }
    StartReadOnly();
    pendingChange_ = false;
    categorySelection_ = openerCategory_;
    ShowInControls();
    ShowKindControls(kInsertion);
    OnSelchangeCategory();
    itemSelection_ = openerItem_;
    ShowInControls();
    OnSelchangeItem();
}

void EditorDialog::StartReadOnly() {
    readOnly_ = store_.ReadOnly();
    if (!readOnly_) {
        return;
    }
    // Said once here, rather than as a failed save at every commit.
    services_.messages.Show(texts::kReadOnlyFolder);
    for (ui::Control* control : controls_.EditingControls()) {
        control->SetEnabled(false);
    }
}

void EditorDialog::FillCategoryList() {
    controls_.category.Clear();
    for (int k = 0; k < store_.CategoryCount(); ++k) {
        controls_.category.Add(ListLabel(CategoryLetter(k), store_.CategoryName(k)));
    }
}

void EditorDialog::FillItemList() {
    controls_.items.Clear();
    for (int i = 0; i < store_.ItemCount(); ++i) {
        controls_.items.Add(ListLabel(ItemLetter(i), store_.ItemName(i)));
    }
}

bool EditorDialog::LoadIndex() {
    controls_.items.Clear();
    controls_.steps.Clear();
    text_.clear();
    const bool read = store_.LoadIndex() != FileRead::Unreadable;
    FillCategoryList();
    loadedCategory_ = -1;
    currentItem_ = -1;
    return read;
}

void EditorDialog::LoadCategory() {
    TakeFromControls();
    controls_.items.Clear();
    controls_.steps.Clear();
    pendingChange_ = false;
    loadedCategory_ = -1;
    if (const auto read = store_.LoadCategory(categorySelection_)) {
        // A file that exists but cannot be read (another program holds it) loads as an empty
        // category; saving that would destroy the file, so the category is left unloaded.
        if (*read == FileRead::Unreadable) {
            ReportReadFailure(store_.CategoryPath(categorySelection_));
        } else {
            loadedCategory_ = categorySelection_;
            FillItemList();
        }
    }
    itemSelection_ = -1;
    text_.clear();
    currentItem_ = -1;
    ShowInControls();
}

void EditorDialog::OnSelchangeCategory() {
    if (!CommitItem()) {
        // The unsaved change lives in the loaded category; loading another would drop it.
        categorySelection_ = loadedCategory_;
        ShowInControls();
        return;
    }
    LoadCategory();
}

void EditorDialog::OnSelchangeItem() {
    // A failed commit keeps the change in memory, where the next commit finds it again.
    CommitItem();
    ShowItem();
}

void EditorDialog::OnTextChange() {
    if (!showing_ && !readOnly_ && currentItem_ >= 0) {
        pendingChange_ = true;
    }
}

void EditorDialog::ShowItem() {
    TakeFromControls();
    text_.clear();
    if (itemSelection_ >= 0 && itemSelection_ < store_.ItemCount()) {
        kindSelection_ = store_.Loaded().header.items[itemSelection_].kind;
        ShowKindControls(kindSelection_);
    }
    ShowInControls();
    currentItem_ = itemSelection_;
}

void EditorDialog::ShowKindControls(int kind) {
    if (kind != kInsertion && kind != kConversion) {
        return;
    }
    const bool steps = kind == kConversion;
    controls_.text.SetVisible(!steps);
    for (ui::Control* control : controls_.StepControls()) {
        control->SetVisible(steps);
    }
    if (steps) {
        RefreshStepList();
        stepKindSelection_ = static_cast<int>(StepKind::SimpleReplace);
        EnableStepStrings();
    } else if (itemSelection_ >= 0 && itemSelection_ < store_.ItemCount()) {
        text_ = ContentText(store_.Loaded().contents[itemSelection_]);
    } else {
        text_.clear();
    }
}

bool EditorDialog::CommitItem() {
    const SharedSave outcome = CommitItemQuietly();
    if (outcome == SharedSave::Failed) {
        ReportSaveFailure(store_.CategoryPath(loadedCategory_));
    }
    return outcome == SharedSave::Saved || outcome == SharedSave::Merged;
}

SharedSave EditorDialog::CommitItemQuietly() {
    TakeFromControls();
    if (!pendingChange_) {
        return SharedSave::Saved;
    }
    // After a failed save the change may belong to an item that is no longer current; the
    // whole category is written again all the same.
    if (currentItem_ >= 0 && currentItem_ < store_.ItemCount()) {
        PhraseItem& item = store_.Loaded().header.items[currentItem_];
        ItemContent& content = store_.Loaded().contents[currentItem_];
        // An item of a kind this editor does not know keeps what it holds.
        if (kindSelection_ == kInsertion) {
            SetContentText(content, text_);
        }
        if (kindSelection_ == kInsertion || kindSelection_ == kConversion) {
            item.kind = kindSelection_;
            item.contentLength = ContentLengthFor(static_cast<ItemKind>(kindSelection_), content);
        }
    }
    const auto edited = ValueOf(currentItem_);
    const auto selected = ValueOf(itemSelection_);
    const SharedSave outcome = SaveLoadedCategory();
    if (outcome == SharedSave::Merged) {
        // Another computer's items may stand before these now.
        FillItemList();
        currentItem_ = PositionOf(edited);
        itemSelection_ = PositionOf(selected);
        ShowInControls();
    } else if (outcome == SharedSave::ChangedElsewhere) {
        ShowChangedElsewhere(edited);
    }
    return outcome;
}

SharedSave EditorDialog::SaveLoadedCategory() {
    if (loadedCategory_ < 0) {
        return SharedSave::Saved;
    }
    const SharedSave outcome = store_.SaveCategoryShared(loadedCategory_);
    if (outcome == SharedSave::Saved || outcome == SharedSave::Merged) {
        pendingChange_ = false;
    }
    return outcome;
}

std::optional<EditorDialog::ItemValue> EditorDialog::ValueOf(int position) const {
    if (position < 0 || position >= store_.ItemCount()) {
        return std::nullopt;
    }
    return ItemValue{store_.Loaded().header.items[position], store_.Loaded().contents[position]};
}

int EditorDialog::PositionOf(const std::optional<ItemValue>& value) const {
    return value ? PositionOfItem(store_.Loaded(), value->item, value->content).value_or(-1) : -1;
}

void EditorDialog::ShowChangedElsewhere(const std::optional<ItemValue>& edited) {
    const auto path = store_.CategoryPath(loadedCategory_);
    if (!path || !services_.files.Exists(*path)) {
        // Deleted elsewhere, most likely with its category: the index tells.
        ReloadIndexKeepingSelection();
        services_.messages.Show(texts::kCategoryChangedElsewhere);
        return;
    }
    FillItemList();
    int kept = -1;
    if (edited) {
        const std::u16string name = FieldText(edited->item.name);
        if (currentItem_ >= 0 && currentItem_ < store_.ItemCount() &&
            store_.ItemName(currentItem_) == name) {
            kept = currentItem_;
        }
        for (int i = 0; i < store_.ItemCount() && kept < 0; ++i) {
            if (store_.ItemName(i) == name) {
                kept = i;
            }
        }
    }
    if (kept >= 0) {
        store_.Loaded().header.items[kept] = edited->item;
        store_.Loaded().contents[kept] = edited->content;
    }
    if (!edited) {
        text_.clear();
    }
    currentItem_ = kept;
    itemSelection_ = kept;
    pendingChange_ = kept >= 0;
    if (kept >= 0) {
        kindSelection_ = edited->item.kind;
        ShowKindControls(kindSelection_);
    }
    ShowInControls();
    services_.messages.Show(kept >= 0 ? std::u16string(texts::kCategoryChangedElsewhere) + u"\n" +
                                            texts::kTypedTextKept
                                      : std::u16string(texts::kCategoryChangedElsewhere));
}

void EditorDialog::ReloadIndexKeepingSelection() {
    const std::u16string selected = FileNameAt(categorySelection_);
    LoadIndex();
    SelectCategoryFile(selected);
    ShowInControls();
    LoadCategory();
}

std::u16string EditorDialog::FileNameAt(int position) const {
    return position >= 0 && position < store_.CategoryCount()
               ? FieldText(store_.Index().categories[position].fileName)
               : std::u16string();
}

void EditorDialog::SelectCategoryFile(const std::u16string& fileName) {
    categorySelection_ = PositionOfCategory(store_.Index(), fileName).value_or(-1);
}

namespace {

std::u16string FailureText(const char16_t* failure, const std::optional<std::u16string>& path) {
    std::u16string text = failure;
    if (path) {
        text += u"\n" + *path;
    }
    return text;
}

std::u16string SaveFailureText(const std::optional<std::u16string>& path) {
    return FailureText(texts::kSaveFailed, path);
}

} // namespace

void EditorDialog::ReportSaveFailure(const std::optional<std::u16string>& path) {
    services_.messages.Show(SaveFailureText(path));
}

void EditorDialog::ReportReadFailure(const std::optional<std::u16string>& path) {
    services_.messages.Show(FailureText(texts::kReadFailed, path));
}

bool EditorDialog::IndexMayBeWritten() {
    if (indexUnreadable_) {
        ReportReadFailure(store_.IndexPath());
    }
    return !indexUnreadable_;
}

EditorDialog::CommandView EditorDialog::ViewForCommand() const {
    return {categorySelection_, loadedCategory_, itemSelection_, store_.CategoryCount(),
            store_.ItemCount()};
}

bool EditorDialog::CommitOnClose(CloseMode mode) {
    if (closeCommitted_) {
        return true;
    }
    closeCommitted_ = true;
    const SharedSave outcome = CommitItemQuietly();
    if (outcome == SharedSave::Saved || outcome == SharedSave::Merged) {
        return true;
    }
    if (outcome == SharedSave::ChangedElsewhere) {
        // Already said; the typed change is in the editor for the user to look at.
        if (mode == CloseMode::MayStayOpen) {
            closeCommitted_ = false;
        }
        return mode == CloseMode::MustClose;
    }
    const std::u16string failure = SaveFailureText(store_.CategoryPath(loadedCategory_));
    if (mode == CloseMode::MustClose) {
        services_.messages.Show(failure);
        return true;
    }
    if (services_.messages.AskYesNo(failure + u"\n" + texts::kCloseWithoutSaving)) {
        return true;
    }
    closeCommitted_ = false;
    return false;
}

bool EditorDialog::RequestClose() {
    return CommitOnClose(CloseMode::MayStayOpen);
}

void EditorDialog::OnDestroy() {
    CommitOnClose(CloseMode::MustClose);
}

void EditorDialog::ChangeItemKind() {
    TakeFromControls();
    if (currentItem_ < 0 || currentItem_ >= store_.ItemCount()) {
        return;
    }
    if (kindSelection_ != kInsertion && kindSelection_ != kConversion) {
        return;
    }
    PhraseItem& item = store_.Loaded().header.items[currentItem_];
    ItemContent& content = store_.Loaded().contents[currentItem_];
    if (kindSelection_ == item.kind) {
        return;
    }
    // What is stored counts, and so does text typed since the last commit, which the box holds.
    const bool holdsData = item.kind == kInsertion ? !ContentText(content).empty() || !text_.empty()
                           : item.kind == kConversion ? StepCount(content) > 0
                                                      : true;
    if (holdsData && !services_.messages.AskYesNo(texts::kChangeKind)) {
        kindSelection_ = item.kind;
        ShowInControls();
        return;
    }
    pendingChange_ = true;
    std::memset(content.bytes, 0, sizeof content.bytes);
    item.kind = kindSelection_;
    ShowKindControls(kindSelection_);
    ShowInControls();
}

ItemContent* EditorDialog::CurrentContent() {
    if (currentItem_ < 0 || currentItem_ >= store_.ItemCount()) {
        return nullptr;
    }
    return &store_.Loaded().contents[currentItem_];
}

} // namespace kvtx::editor
