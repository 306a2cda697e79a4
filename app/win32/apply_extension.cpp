#include "app/win32/apply_extension.h"

#include "app/win32/category_menu_window.h"
#include "app/win32/search_extension.h"
#include "engine/capture_and_paste.h"
#include "engine/engine_transforms.h"
#include "engine/regex_history.h"
#include "engine/win32/prompt_dialogs.h"
#include "platform/win32/apply_services.h"
#include "platform/win32/module_path.h"

#include <memory>

namespace kvtx::app::win32 {
namespace {

// The resident dialog's members and picker operations, as the driver uses them.
class ResidentPicker final : public PickerMembers {
public:
    explicit ResidentPicker(ResidentDialog& dialog) : dialog_(dialog) {}

    void TakeFromControls() override { dialog_.TakeFromControls(); }
    void ShowInControls() override { dialog_.ShowInControls(); }
    int Category() const override { return dialog_.m_nCategory; }
    void SetCategory(int position) override { dialog_.m_nCategory = position; }
    int Item() const override { return dialog_.m_nItem; }
    void SetItem(int position) override { dialog_.m_nItem = position; }
    std::u16string Preview() const override { return dialog_.m_strPreview; }
    void SetPreview(const std::u16string& text) override { dialog_.m_strPreview = text; }
    void SelectCategory() override { dialog_.SelectCategory(); }
    void ShowPreview() override { dialog_.ShowPreview(); }
    void CopyPreviewToClipboard() override { dialog_.CopyPreviewToClipboard(); }
    const PhraseStore& Store() const override { return dialog_.Store(); }
    int TimeDelay() const override { return dialog_.m_nTimeDelay; }
    bool RestoresClipboard() const override { return dialog_.m_nRestoreClip != 0; }
    // Read afresh for each application, so that an entry edited meanwhile counts at once.
    std::vector<ApplicationEntry> ApplicationEntries() const override {
        std::vector<ApplicationEntry> entries;
        for (auto& [name, value] : dialog_.Services().profile.ReadStrings(u"apps")) {
            entries.push_back({std::move(name), std::move(value)});
        }
        return entries;
    }

private:
    ResidentDialog& dialog_;
};

class ApplyExtension {
public:
    explicit ApplyExtension(ResidentDialogWindow& resident)
        : resident_(resident), clipboard_(resident.Window()), window_(resident.Window()),
          picker_(resident.Logic()), inputPrompt_(resident.Window()),
          transforms_(platform::SystemClock(), inputPrompt_, regex_, resident.Messages()),
          driver_({clipboard_, keystrokes_, thread_, window_, resident.Foreground(),
                   resident.Messages(), resident.Balloon()},
                  picker_, transforms_),
          regexPrompt_(resident.Window(), platform::NativeFileSystem(),
                       HistoryPath(kvtx::win32::ExecutablePath()),
                       [this](const std::u16string& pattern, const std::u16string& replacement) {
                           return regex_.CheckSyntax(pattern, replacement);
                       }) {}

    CaptureAndPaste& Driver() { return driver_; }

    void ShowCategoryMenu(platform::ScreenPoint at, const platform::Target& target) {
        // A menu opened while an application waits for its prompt could only be ignored; one
        // opened over the search window would apply behind it.
        if (driver_.Busy() || searchOpen_) {
            return;
        }
        driver_.ShowMenuFor(target, [&] {
            TrackCategoryMenu(resident_.Window(), at, BuildCategoryMenu(resident_.Logic().Store()));
        });
    }
    void RunQuickRegex(const platform::Target& target) {
        if (!searchOpen_) {
            driver_.RunQuickRegex(regexPrompt_, target);
        }
    }
    void ShowSearch(platform::ScreenPoint at, const platform::Target& target) {
        // As the menu: nothing opens while an application waits, and a pending paste waits for
        // the window, so that it never lands in the box.
        if (driver_.Busy() || searchOpen_) {
            return;
        }
        searchOpen_ = true;
        std::optional<int> chosen;
        driver_.HoldPasteWhile(
            [&] { chosen = ChooseBySearch(resident_.Window(), at, resident_.Logic().Store()); });
        searchOpen_ = false;
        if (chosen) {
            driver_.ApplyItem(*chosen, target);
        }
    }

private:
    ResidentDialogWindow& resident_;
    kvtx::win32::Win32Clipboard clipboard_;
    kvtx::win32::Win32Keystrokes keystrokes_;
    kvtx::win32::Win32UiThread thread_;
    kvtx::win32::Win32PasteWindow window_;
    ResidentPicker picker_;
    kvtx::win32::DialogInputPrompt inputPrompt_;
    RegexEngine regex_{DefaultRegexLibrary()};
    EngineTransforms transforms_;
    CaptureAndPaste driver_;
    kvtx::win32::DialogRegexPrompt regexPrompt_;
    bool searchOpen_ = false;
};

// The hooks run only from the dialog's own messages, so the window exists by then.
class LazyExtension {
public:
    explicit LazyExtension(ResidentDialogWindow& resident) : resident_(resident) {}
    ApplyExtension& Get() {
        if (!extension_) {
            extension_ = std::make_unique<ApplyExtension>(resident_);
        }
        return *extension_;
    }

private:
    ResidentDialogWindow& resident_;
    std::unique_ptr<ApplyExtension> extension_;
};

} // namespace

void InstallApplyExtension(ResidentDialogWindow& resident) {
    auto extension = std::make_shared<LazyExtension>(resident);
    auto& hooks = resident.Logic().hooks;
    hooks.applyItem = [extension](int index) { extension->Get().Driver().ApplyMenuChoice(index); };
    hooks.pasteTimer = [extension] { extension->Get().Driver().OnPasteTimer(); };
    hooks.restoreTimer = [extension] { extension->Get().Driver().Keeper().OnRestoreTimer(); };
    hooks.renderClipboard = [extension](unsigned format) {
        extension->Get().Driver().Keeper().OnRenderRequest(format);
    };
    hooks.clipboardReplaced = [extension] {
        extension->Get().Driver().Keeper().OnClipboardReplaced();
    };
    hooks.renderClipboardBeforeExit = [extension] {
        extension->Get().Driver().Keeper().OnRenderAll();
    };
    hooks.showCategoryMenu = [extension](platform::ScreenPoint at, const platform::Target& target) {
        extension->Get().ShowCategoryMenu(at, target);
    };
    hooks.runQuickRegex = [extension](const platform::Target& target) {
        extension->Get().RunQuickRegex(target);
    };
    hooks.showSearch = [extension](platform::ScreenPoint at, const platform::Target& target) {
        extension->Get().ShowSearch(at, target);
    };
}

} // namespace kvtx::app::win32
