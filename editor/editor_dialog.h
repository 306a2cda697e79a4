#pragma once

// The phrase editor's logic: categories, items and conversion steps over the dialog's controls.
// It owns its own store and is the only writer of the store files. Every change reaches the disk
// without a save command: category commands write the index at once, item commands the loaded
// category, and an edited text or step chain is written by the next selection change, command
// or close.
//
// A save that fails is reported, and the editor then keeps its memory instead of reloading the
// file over it, so the change can be saved by a later commit once the file is free again.
//
// Other computers may write the same files. Every save reads the file first: a change made
// elsewhere meanwhile is joined with this one, or, when both cannot be kept, shown instead, with
// the user's typed change still in the editor (store/store_merge.h says which changes join).

#include "editor/editor_parts.h"
#include "platform/ui/data_exchange.h"
#include "store/phrase_store.h"

#include <optional>
#include <string>

namespace kvtx::editor {

class EditorDialog {
public:
    // The opener's category and item selections are where the editor starts.
    EditorDialog(const EditorControls& controls, const EditorServices& services,
                 std::u16string dataDirectory, int categorySelection, int itemSelection);

    void OnInitDialog();

    // Notifications of the category combo, the item list, the text box and the kind combo.
    void OnSelchangeCategory();
    void OnSelchangeItem();
    void OnTextChange();
    void ChangeItemKind();

    void AddCategory();
    void RenameCategory();
    void DeleteCategory();
    void MoveCategoryUp();
    void MoveCategoryDown();

    void AddItem();
    void RenameItem();
    void DeleteItem();
    void MoveItemUp();
    void MoveItemDown();

    void AddStep();
    void ChangeStep();
    void DeleteStep();
    void MoveStepUp();
    void MoveStepDown();
    void ApplyStepKind();
    void ShowStep();

    // The close button, Esc or the close box: commits the current item and says whether the
    // dialog may end. It may not when the save failed and the user chose to stay.
    bool RequestClose();
    // The window is going away whatever happens: commits unless a close request already did.
    void OnDestroy();

    const PhraseStore& Store() const { return store_; }
    int LoadedCategory() const { return loadedCategory_; }
    int CurrentItem() const { return currentItem_; }
    bool PendingChange() const { return pendingChange_; }

private:
    enum class CloseMode { MayStayOpen, MustClose };

    void TakeFromControls();
    void ShowInControls();

    // Store operations as the editor runs them: they keep the lists in step with memory.
    // LoadIndex is false when the index is there but cannot be read; memory then holds no
    // categories and the caller decides what it should hold.
    bool LoadIndex();
    void LoadCategory();
    void FillCategoryList();
    void FillItemList();

    void ShowItem();
    void ShowKindControls(int kind);
    void RefreshStepList();
    void EnableStepStrings();

    // An item as stored, to find it again after a save joined another computer's change.
    struct ItemValue {
        PhraseItem item;
        ItemContent content;
    };
    std::optional<ItemValue> ValueOf(int position) const;
    int PositionOf(const std::optional<ItemValue>& value) const;

    // False when a save was due and did not happen; the caller then must not reload over memory.
    bool CommitItem();
    SharedSave CommitItemQuietly();
    bool CommitOnClose(CloseMode mode);
    SharedSave SaveLoadedCategory();
    // Memory then holds the file as another computer left it; the edited item, if there is one
    // of its name, holds the user's version again, unsaved.
    void ShowChangedElsewhere(const std::optional<ItemValue>& edited);
    void ReloadIndexKeepingSelection();
    void ReportSaveFailure(const std::optional<std::u16string>& path);
    void ReportReadFailure(const std::optional<std::u16string>& path);
    // False, with the read failure shown again, while the index the editor opened with could not
    // be read: writing one then would drop every category it names.
    bool IndexMayBeWritten();

    // What a command saw before it asked the user something. The question's dialog disables
    // the editor, but should anything of this change meanwhile, the command does nothing.
    struct CommandView {
        int categorySelection;
        int loadedCategory;
        int itemSelection;
        int categoryCount;
        int itemCount;
        bool operator==(const CommandView&) const = default;
    };
    CommandView ViewForCommand() const;

    // Item commands end here: the category is written and read back, or kept as it is in
    // memory when the write fails.
    void SaveAndShowItems(int selection);
    // Category commands end here: the index is written and read back, or put back as it was,
    // or shown as another computer changed it. Written, the category of this file name is then
    // selected.
    bool SaveIndexOrRestore(const IndexImage& before, const std::u16string& selectFile);
    void SelectCategoryFile(const std::u16string& fileName);
    std::u16string FileNameAt(int position) const;
    void StartReadOnly();

    std::optional<std::u16string> AskItemName(const std::u16string& preset);
    std::optional<ConversionStep> BuildStepText();
    ItemContent* CurrentContent();
    void MoveCategory(int from, int to);
    void MoveItem(int from, int to);
    void MoveStep(int from, int to);

    EditorControls controls_;
    EditorServices services_;
    ui::DataExchange exchange_;
    PhraseStore store_;

    int openerCategory_;
    int openerItem_;
    int loadedCategory_ = -1;
    int currentItem_ = -1;
    bool pendingChange_ = false;
    bool closeCommitted_ = false;
    bool indexUnreadable_ = false;
    bool readOnly_ = false;
    // Text the editor puts into the text box itself is not an edit.
    bool showing_ = false;

    int categorySelection_ = -1;
    std::u16string text_;
    int itemSelection_ = -1;
    int kindSelection_ = -1;
    int stepSelection_ = -1;
    int stepKindSelection_ = -1;
    std::u16string a_;
    std::u16string b_;
    std::u16string c_;
};

} // namespace kvtx::editor
