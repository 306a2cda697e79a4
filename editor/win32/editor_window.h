#pragma once

// The phrase editor on its dialog template: the real controls, their notifications routed to
// the editor's logic, and the ways the dialog can close.

#include "editor/editor_dialog.h"
#include "platform/win32/ui/dialog.h"
#include "platform/win32/ui/dialog_controls.h"
#include "platform/win32/ui/win32_message_box.h"

#include <string>

namespace kvtx::editor::win32 {

class EditorWindow final : public kvtx::win32::ui::Dialog {
public:
    // Starts on the opener's category and item; names come from the name dialog.
    EditorWindow(platform::FileSystem& files, NamePrompt& names, RegexSyntaxCheck regexSyntaxOk,
                 std::u16string dataDirectory, int categorySelection, int itemSelection);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void AttachControls();
    void Route(int id, int notification, void (EditorDialog::*handler)());
    void CloseWith(INT_PTR result);

    kvtx::win32::ui::ComboBoxItem category_;
    kvtx::win32::ui::TextItem text_;
    kvtx::win32::ui::ListBoxItem items_;
    kvtx::win32::ui::ComboBoxItem kind_;
    kvtx::win32::ui::ListBoxItem steps_;
    kvtx::win32::ui::ComboBoxItem stepKind_;
    kvtx::win32::ui::TextItem a_, b_, c_;
    kvtx::win32::ui::PlainItem labelA_, labelB_, labelC_;
    kvtx::win32::ui::PlainItem addStep_, changeStep_, deleteStep_, stepUp_, stepDown_;
    kvtx::win32::ui::PlainItem addCategory_, renameCategory_, deleteCategory_, categoryUp_,
        categoryDown_;
    kvtx::win32::ui::PlainItem addItem_, renameItem_, deleteItem_, itemUp_, itemDown_;
    kvtx::win32::ui::Win32MessageBox messages_;
    EditorDialog logic_;
};

} // namespace kvtx::editor::win32
