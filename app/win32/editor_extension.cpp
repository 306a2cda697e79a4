#include "app/win32/editor_extension.h"

#include "editor/win32/editor_window.h"
#include "engine/regex_engine.h"
#include "engine/win32/prompt_dialogs.h"
#include "platform/file_system.h"

namespace kvtx::app::win32 {

void InstallEditorExtension(ResidentDialogWindow& resident) {
    resident.Logic().hooks.openEditor = [&resident] {
        const ResidentDialog& picker = resident.Logic();
        kvtx::win32::DialogNamePrompt names(resident.Window());
        RegexEngine regex(DefaultRegexLibrary());
        editor::win32::EditorWindow editor(
            platform::NativeFileSystem(), names,
            [&regex](const std::u16string& pattern, const std::u16string& replacement) {
                return regex.CheckSyntax(pattern, replacement);
            },
            picker.m_strAppDir, picker.m_nCategory, picker.m_nItem);
        editor.RunModal(resident.Window());
    };
}

} // namespace kvtx::app::win32
