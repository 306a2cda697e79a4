// The settings dialog's shortcut in the user's start-up folder: found by its target, whatever
// its name, and made as "Korvatex.lnk".

#include "settings/program_path_match.h"
#include "settings/settings_dialog.h"

namespace kvtx::settings {
namespace {

std::u16string InFolder(const std::u16string& folder, const std::u16string& name) {
    return folder + u"\\" + name;
}

} // namespace

std::optional<std::u16string> SettingsDialog::GetStartupFolder() const {
    return shortcuts_.Folder();
}

bool SettingsDialog::ShortcutTargetsProgram(const std::u16string& path) const {
    const auto target = shortcuts_.LinkTarget(path);
    return target && TargetContainsProgram(*target, m_strModulePathUpper);
}

std::optional<std::u16string> SettingsDialog::FindProgramShortcut() const {
    const auto folder = GetStartupFolder();
    if (!folder) {
        return std::nullopt;
    }
    // Any file can be a shell link, whatever its extension.
    for (const auto& name : shortcuts_.FileNames(*folder)) {
        std::u16string path = InFolder(*folder, name);
        if (ShortcutTargetsProgram(path)) {
            return path;
        }
    }
    return std::nullopt;
}

bool SettingsDialog::IsStartupRegistered() const {
    return FindProgramShortcut().has_value();
}

void SettingsDialog::RemoveStartupShortcut() {
    // One link per click; a failed removal shows in the caption, which still offers removal.
    if (const auto path = FindProgramShortcut()) {
        shortcuts_.Remove(*path);
    }
}

void SettingsDialog::CreateStartupShortcut() {
    const auto folder = GetStartupFolder();
    if (!folder) {
        messages_.Show(u"スタートアップフォルダの取得に失敗しました");
        return;
    }
    // A link without a target would start nothing at logon.
    if (m_strModulePath.empty()) {
        messages_.Show(u"ショートカットの作成に失敗しました");
        return;
    }
    switch (shortcuts_.CreateLink(InFolder(*folder, kShortcutName), m_strModulePath,
                                  kShortcutDescription)) {
    case platform::LinkCreation::Created:
        break;
    case platform::LinkCreation::NoLinkObject:
        messages_.Show(u"ショートカット作成に失敗しました");
        break;
    case platform::LinkCreation::NoFileInterface:
        messages_.Show(u"登録に失敗しました");
        break;
    case platform::LinkCreation::NotSaved:
        messages_.Show(u"ショートカットの作成に失敗しました");
        break;
    }
}

} // namespace kvtx::settings
