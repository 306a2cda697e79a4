#include "editor/win32/editor_window.h"

#include "res/resource_ids.h"

namespace kvtx::editor::win32 {

EditorWindow::EditorWindow(platform::FileSystem& files, NamePrompt& names,
                           RegexSyntaxCheck regexSyntaxOk, std::u16string dataDirectory,
                           int categorySelection, int itemSelection)
    : Dialog(IDD_EDITOR), logic_({category_,
                                  text_,
                                  items_,
                                  kind_,
                                  steps_,
                                  stepKind_,
                                  a_,
                                  b_,
                                  c_,
                                  labelA_,
                                  labelB_,
                                  labelC_,
                                  addStep_,
                                  changeStep_,
                                  deleteStep_,
                                  stepUp_,
                                  stepDown_,
                                  addCategory_,
                                  renameCategory_,
                                  deleteCategory_,
                                  categoryUp_,
                                  categoryDown_,
                                  addItem_,
                                  renameItem_,
                                  deleteItem_,
                                  itemUp_,
                                  itemDown_},
                                 {files, messages_, names, std::move(regexSyntaxOk)},
                                 std::move(dataDirectory), categorySelection, itemSelection) {
    Route(IDC_EDITOR_CATEGORIES, CBN_SELCHANGE, &EditorDialog::OnSelchangeCategory);
    Route(IDC_EDITOR_ITEMS, LBN_SELCHANGE, &EditorDialog::OnSelchangeItem);
    Route(IDC_EDITOR_TEXT, EN_CHANGE, &EditorDialog::OnTextChange);
    Route(IDC_EDITOR_KIND, CBN_SELCHANGE, &EditorDialog::ChangeItemKind);
    Route(IDC_EDITOR_CATEGORY_ADD, BN_CLICKED, &EditorDialog::AddCategory);
    Route(IDC_EDITOR_CATEGORY_RENAME, BN_CLICKED, &EditorDialog::RenameCategory);
    Route(IDC_EDITOR_CATEGORY_DELETE, BN_CLICKED, &EditorDialog::DeleteCategory);
    Route(IDC_EDITOR_CATEGORY_UP, BN_CLICKED, &EditorDialog::MoveCategoryUp);
    Route(IDC_EDITOR_CATEGORY_DOWN, BN_CLICKED, &EditorDialog::MoveCategoryDown);
    Route(IDC_EDITOR_ITEM_ADD, BN_CLICKED, &EditorDialog::AddItem);
    Route(IDC_EDITOR_ITEM_RENAME, BN_CLICKED, &EditorDialog::RenameItem);
    Route(IDC_EDITOR_ITEM_DELETE, BN_CLICKED, &EditorDialog::DeleteItem);
    Route(IDC_EDITOR_ITEM_UP, BN_CLICKED, &EditorDialog::MoveItemUp);
    Route(IDC_EDITOR_ITEM_DOWN, BN_CLICKED, &EditorDialog::MoveItemDown);
    Route(IDC_EDITOR_STEP_ADD, BN_CLICKED, &EditorDialog::AddStep);
    Route(IDC_EDITOR_STEP_CHANGE, BN_CLICKED, &EditorDialog::ChangeStep);
    Route(IDC_EDITOR_STEP_DELETE, BN_CLICKED, &EditorDialog::DeleteStep);
    Route(IDC_EDITOR_STEP_UP, BN_CLICKED, &EditorDialog::MoveStepUp);
    Route(IDC_EDITOR_STEP_DOWN, BN_CLICKED, &EditorDialog::MoveStepDown);
    Route(IDC_EDITOR_STEP_KIND, CBN_SELCHANGE, &EditorDialog::ApplyStepKind);
    Route(IDC_EDITOR_STEPS, LBN_SELCHANGE, &EditorDialog::ShowStep);
    // The close box: the dialog manager would turn it into IDCANCEL; the commit comes first.
    HandleMessage(WM_CLOSE, [this](WPARAM, LPARAM) -> std::optional<LRESULT> {
        CloseWith(IDCANCEL);
        return 0;
    });
    // Whatever ends the window, the current item is committed once.
    HandleMessage(WM_DESTROY, [this](WPARAM, LPARAM) -> std::optional<LRESULT> {
        logic_.OnDestroy();
        return std::nullopt;
    });
}

void EditorWindow::Route(int id, int notification, void (EditorDialog::*handler)()) {
    HandleCommand(id, notification, [this, handler] { (logic_.*handler)(); });
}

void EditorWindow::AttachControls() {
    const HWND dialog = Window();
    category_.Attach(dialog, IDC_EDITOR_CATEGORIES);
    text_.Attach(dialog, IDC_EDITOR_TEXT);
    items_.Attach(dialog, IDC_EDITOR_ITEMS);
    kind_.Attach(dialog, IDC_EDITOR_KIND);
    steps_.Attach(dialog, IDC_EDITOR_STEPS);
    stepKind_.Attach(dialog, IDC_EDITOR_STEP_KIND);
    a_.Attach(dialog, IDC_EDITOR_STEP_A);
    b_.Attach(dialog, IDC_EDITOR_STEP_B);
    c_.Attach(dialog, IDC_EDITOR_STEP_C);
    labelA_.Attach(dialog, IDC_EDITOR_LABEL_A);
    labelB_.Attach(dialog, IDC_EDITOR_LABEL_B);
    labelC_.Attach(dialog, IDC_EDITOR_LABEL_C);
    addStep_.Attach(dialog, IDC_EDITOR_STEP_ADD);
    changeStep_.Attach(dialog, IDC_EDITOR_STEP_CHANGE);
    deleteStep_.Attach(dialog, IDC_EDITOR_STEP_DELETE);
    stepUp_.Attach(dialog, IDC_EDITOR_STEP_UP);
    stepDown_.Attach(dialog, IDC_EDITOR_STEP_DOWN);
    addCategory_.Attach(dialog, IDC_EDITOR_CATEGORY_ADD);
    renameCategory_.Attach(dialog, IDC_EDITOR_CATEGORY_RENAME);
    deleteCategory_.Attach(dialog, IDC_EDITOR_CATEGORY_DELETE);
    categoryUp_.Attach(dialog, IDC_EDITOR_CATEGORY_UP);
    categoryDown_.Attach(dialog, IDC_EDITOR_CATEGORY_DOWN);
    addItem_.Attach(dialog, IDC_EDITOR_ITEM_ADD);
    renameItem_.Attach(dialog, IDC_EDITOR_ITEM_RENAME);
    deleteItem_.Attach(dialog, IDC_EDITOR_ITEM_DELETE);
    itemUp_.Attach(dialog, IDC_EDITOR_ITEM_UP);
    itemDown_.Attach(dialog, IDC_EDITOR_ITEM_DOWN);
}

bool EditorWindow::OnInitDialog() {
    AttachControls();
    messages_.SetOwner(Window());
    logic_.OnInitDialog();
    return true;
}

void EditorWindow::CloseWith(INT_PTR result) {
    if (!Ending() && logic_.RequestClose()) {
        End(result);
    }
}

// "閉じる", Enter and Esc all keep everything: there is nothing to cancel.
void EditorWindow::OnOK() {
    CloseWith(IDOK);
}
void EditorWindow::OnCancel() {
    CloseWith(IDCANCEL);
}

} // namespace kvtx::editor::win32
