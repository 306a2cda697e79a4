#include "engine/win32/prompt_dialogs.h"

#include "engine/input_dialog.h"
#include "engine/name_dialog.h"
#include "platform/win32/ui/dialog.h"
#include "platform/win32/ui/dialog_controls.h"
#include "platform/win32/ui/placement.h"
#include "platform/win32/ui/win32_message_box.h"
#include "res/resource_ids.h"

namespace kvtx::win32 {
namespace {

using ui::Dialog;

// What the logic of a prompt does to the dialog window that shows it.
class DialogWindowOps final : public PromptWindow {
public:
    explicit DialogWindowOps(const Dialog& dialog) : dialog_(dialog) {}
    void StartTimer(unsigned id, unsigned milliseconds) override {
        ::SetTimer(dialog_.Window(), id, milliseconds, nullptr);
    }
    void KillTimer(unsigned id) override { ::KillTimer(dialog_.Window(), id); }
    void MakeTopmost() override {
        ::SetWindowPos(dialog_.Window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    }
    void BringToForeground() override { ::SetForegroundWindow(dialog_.Window()); }
    void TakeFocus() override { ::SetFocus(dialog_.Window()); }

private:
    const Dialog& dialog_;
};

class InputDialogWindow final : public Dialog {
public:
    InputDialogWindow() : Dialog(IDD_INPUT) {
        HandleMessage(WM_TIMER, [this](WPARAM id, LPARAM) -> std::optional<LRESULT> {
            logic_.OnTimer(static_cast<unsigned>(id));
            return std::nullopt;
        });
    }
    const std::u16string& Input() const { return logic_.m_strInput; }

protected:
    bool OnInitDialog() override {
        messages_.SetOwner(Window());
        edit_.Attach(Window(), IDC_INPUT_TEXT);
        // Where the user is, rather than the screen's corner where its template would put it.
        ui::PlaceAtCursor(Window());
        logic_.OnInitDialog();
        return true;
    }
    void OnOK() override {
        if (logic_.OnOK()) {
            End(IDOK);
        }
    }

private:
    ui::TextItem edit_;
    ui::Win32MessageBox messages_;
    DialogWindowOps ops_{*this};
    InputDialog logic_{edit_, messages_, ops_};
};

class NameDialogWindow final : public Dialog {
public:
    explicit NameDialogWindow(const std::u16string& preset) : Dialog(IDD_NAME) {
        logic_.m_strName = preset;
    }
    const std::u16string& Name() const { return logic_.m_strName; }

protected:
    bool OnInitDialog() override {
        messages_.SetOwner(Window());
        edit_.Attach(Window(), IDC_NAME_TEXT);
        logic_.OnInitDialog();
        return true;
    }
    void OnOK() override {
        if (logic_.OnOK()) {
            End(IDOK);
        }
    }

private:
    ui::TextItem edit_;
    ui::Win32MessageBox messages_;
    NameDialog logic_{edit_, messages_};
};

class RegexDialogWindow final : public Dialog {
public:
    RegexDialogWindow(platform::FileSystem& files, const std::u16string& historyPath,
                      RegexDialog::SyntaxCheck checkSyntax)
        : Dialog(IDD_REGEX), files_(files), historyPath_(historyPath),
          logic_(pattern_, replacement_, messages_, ops_, std::move(checkSyntax)) {}
    const RegexDialog& Logic() const { return logic_; }

protected:
    bool OnInitDialog() override {
        messages_.SetOwner(Window());
        pattern_.Attach(Window(), IDC_REGEX_PATTERN);
        replacement_.Attach(Window(), IDC_REGEX_REPLACEMENT);
        ui::PlaceAtCursor(Window());
        logic_.OnInitDialog(LoadHistory(files_, historyPath_));
        return true;
    }
    // The lists are read from the combo boxes, so the history is saved while they exist.
    void OnOK() override {
        if (logic_.OnOK()) {
            SaveHistory(files_, historyPath_, logic_.History());
            End(IDOK);
        }
    }

private:
    platform::FileSystem& files_;
    const std::u16string& historyPath_;
    ui::EditableComboItem pattern_;
    ui::EditableComboItem replacement_;
    ui::Win32MessageBox messages_;
    DialogWindowOps ops_{*this};
    RegexDialog logic_;
};

} // namespace

std::optional<std::u16string> DialogInputPrompt::AskInput() {
    InputDialogWindow dialog;
    if (dialog.RunModal(ui::DefaultOwner(mainWindow_)) != IDOK) {
        return std::nullopt;
    }
    return dialog.Input();
}

std::optional<std::u16string> DialogNamePrompt::AskName(const std::u16string& preset) {
    NameDialogWindow dialog(preset);
    if (dialog.RunModal(ui::DefaultOwner(mainWindow_)) != IDOK) {
        return std::nullopt;
    }
    return dialog.Name();
}

DialogRegexPrompt::DialogRegexPrompt(HWND mainWindow, platform::FileSystem& files,
                                     std::u16string historyPath,
                                     RegexDialog::SyntaxCheck checkSyntax)
    : mainWindow_(mainWindow), files_(files), historyPath_(std::move(historyPath)),
      checkSyntax_(std::move(checkSyntax)) {}

std::optional<QuickRegexRequest> DialogRegexPrompt::AskRegex() {
    RegexDialogWindow dialog(files_, historyPath_, checkSyntax_);
    if (dialog.RunModal(ui::DefaultOwner(mainWindow_)) != IDOK) {
        return std::nullopt;
    }
    return QuickRegexRequest{dialog.Logic().m_strPattern, dialog.Logic().m_strReplacement};
}

} // namespace kvtx::win32
