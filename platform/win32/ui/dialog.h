#pragma once

// A modal dialog over a resource template, with message routing to handlers.
//
// Binding a dialog:
//
//   class NameDialogWindow final : public win32::ui::Dialog {
//   public:
//       NameDialogWindow() : Dialog(IDD_NAME) {
//           HandleCommand(IDC_SOMETHING, BN_CLICKED, [this] { ... });
//           HandleMessage(WM_TIMER, [this](WPARAM id, LPARAM) { ...; return std::nullopt; });
//       }
//   protected:
//       bool OnInitDialog() override {
//           name_.Attach(Window(), IDC_NAME_TEXT);   // controls of dialog_controls.h
//           logic_.ShowInControls();                 // the portable logic over ui::* controls
//           return true;
//       }
//       void OnOK() override { if (logic_.Confirm()) End(IDOK); }
//   private:
//       TextItem name_;
//   };
//
//   NameDialogWindow dialog;
//   if (dialog.RunModal(owner) == IDOK) { ... }
//
// The dialog runs its own modal loop rather than DialogBoxParamW's: PreTranslateMessage must see
// every keystroke meant for the dialog before the dialog manager's keyboard handling (Enter,
// Esc, arrows, a list box's own letter search), whichever control has the focus. DialogBoxParamW
// offers that only through a thread-wide message-filter hook, which would have to find the right
// dialog among nested ones; a loop of our own gives each dialog exactly its own messages. The
// loop keeps what DialogBoxParamW does: the owner is disabled while the dialog runs, a dialog
// that its start-up left invisible is shown when the queue first runs empty, WM_QUIT ends the
// loop and is posted again for the loop outside.
//
// Window creation is not routed: a dialog procedure never sees WM_CREATE. What a dialog must do
// when its window is created belongs at the start of OnInitDialog.

#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <windows.h>

namespace kvtx::win32::ui {

// The owner of a dialog whose opener names no parent, as the dialog framework chooses it: the
// program's main window's last active pop-up (the editor while it is open), else the main
// window. RunModal disables it while the dialog runs, as for every owner.
HWND DefaultOwner(HWND mainWindow);

class Dialog {
public:
    // The template is read from the program's own module.
    explicit Dialog(int templateId);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Creates the window, runs the loop until End, destroys the window (its WM_DESTROY handlers
    // run) and gives the owner its input back. Returns End's result, or -1 when the window could
    // not be created.
    INT_PTR RunModal(HWND owner = nullptr);

    // Ends the loop after the message being handled; the window is destroyed by RunModal.
    void End(INT_PTR result);
    bool Ending() const { return ending_; }

    // The dialog window, null before WM_INITDIALOG and after the window is gone.
    HWND Window() const { return window_; }
    HWND Item(int id) const { return ::GetDlgItem(window_, id); }

    using MessageHandler = std::function<std::optional<LRESULT>(WPARAM, LPARAM)>;
    using CommandHandler = std::function<void()>;

protected:
    // WM_INITDIALOG, once the list controls hold the entries their template gives (see
    // res/resource_ids.h). True lets the dialog manager put the focus on the first control.
    virtual bool OnInitDialog() { return true; }
    // IDOK and IDCANCEL (Enter, Esc, the close box) when no command handler takes them.
    virtual void OnOK() { End(IDOK); }
    virtual void OnCancel() { End(IDCANCEL); }

    // Every queued message for the dialog or one of its controls, before the dialog manager's
    // keyboard handling. True when consumed.
    virtual bool PreTranslateMessage(const MSG& message);

    // Every message the dialog procedure receives. The default routes WM_COMMAND to OnCommand and
    // other messages to the handler table; nullopt leaves the message to the dialog manager.
    // Override it to see messages before the table (and call this one for the rest).
    virtual std::optional<LRESULT> WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // WM_COMMAND: the command table, then IDOK and IDCANCEL. A command sent by a disabled
    // control is dropped, so a disabled default button cannot be pressed through Enter either.
    // True when handled.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);

    // The handler tables. A message handler's nullopt lets the dialog manager's default run
    // after it.
    void HandleMessage(UINT message, MessageHandler handler);
    void HandleCommand(int id, int notificationCode, CommandHandler handler);

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void FillTemplateEntries() const;
    bool IsOwnMessage(const MSG& message) const;

    int templateId_;
    HINSTANCE instance_;
    HWND window_ = nullptr;
    bool ending_ = false;
    INT_PTR result_ = -1;
    std::map<UINT, MessageHandler> messages_;
    std::map<std::pair<int, int>, CommandHandler> commands_;
};

} // namespace kvtx::win32::ui
